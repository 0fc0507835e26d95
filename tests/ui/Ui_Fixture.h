#pragma once

#include "Fake_Port_Tree.h"
#include "Loopback_Http_Server.h"
#include "Messages.h"
#include "Qt_Print.h"
#include "Services.h"
#include "Url_Opener.h"
#include "platform/Curl_Http_Client.h"
#include "platform/Echo_Probe.h"
#include "platform/Port_Probe.h"
#include "platform/Process_Runner.h"
#include "shell/Shared_State.h"

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace vo::test {

// Records every message instead of showing a box, and answers questions from a queue.
class Recording_Messages final : public Messages {
public:
    struct Entry {
        QString Kind;
        QString Text;
    };
    // An error box stays open Error_Open_Ms, the window's events still running, as a user leaves it.
    void Error(const QString& Text) override {
        Shown.append({QStringLiteral("error"), Text});
        if (Error_Open_Ms > 0)
            QTest::qWait(Error_Open_Ms);
    }
    void Warning(const QString& Text) override { Shown.append({QStringLiteral("warning"), Text}); }
    void Information(const QString& Text) override { Shown.append({QStringLiteral("information"), Text}); }
    bool Confirm(const QString& Text) override {
        Shown.append({QStringLiteral("confirm"), Text});
        return Answers.isEmpty() ? false : Answers.takeFirst();
    }
    QStringList Texts() const {
        QStringList All;
        for (const Entry& E : Shown)
            All.append(E.Text);
        return All;
    }
    QList<Entry> Shown;
    QList<bool> Answers;
    int Error_Open_Ms = 0;
};

class Recording_Url_Opener final : public Url_Opener {
public:
    bool Open_Url(const QString& Url) override {
        Opened.append(Url);
        return Opens;
    }
    QStringList Opened;
    bool Opens = true; // false: as a system without a program for it
};

// The windows' outside world for a test: recorded messages and pages, and the real HTTP client,
// echo probe, process runner, and the real port probe over a port tree of the test's own (no port
// until a test plugs one in). Version requests go to a loopback port that refuses
// them unless a test points them elsewhere.
struct Test_Services {
    Recording_Messages Msgs;
    Recording_Url_Opener Urls;
    Curl_Http_Client Http;
    std::unique_ptr<Echo_Probe> Echo = Make_Echo_Probe();
    vo_test::Fake_Port_Tree Port_Tree;
    std::unique_ptr<Port_Probe> Ports = Make_Port_Probe_At(Port_Tree.Root().toStdString());
    std::unique_ptr<Process_Runner> Runner = Make_Process_Runner();
    vo_test::Closed_Port Refusing;
    Services Svc{Msgs,
                 Urls,
                 Http,
                 *Echo,
                 *Ports,
                 *Runner,
                 {QString::fromStdString(Refusing.Url()), std::chrono::milliseconds(2000)}};
};

// Runs Action on the modal dialog that the next exec() shows, once it is on screen. Action
// must close the dialog; a dialog left open is cancelled so a failing test cannot hang.
inline void On_Next_Modal(std::function<void(QWidget*)> Action) {
    QTimer::singleShot(0, [Action = std::move(Action)] {
        QWidget* Dialog = QApplication::activeModalWidget();
        if (!Dialog) {
            ADD_FAILURE() << "no modal dialog is showing";
            return;
        }
        Action(Dialog);
        if (Dialog->isVisible())
            QMetaObject::invokeMethod(Dialog, "reject", Qt::QueuedConnection);
    });
}

template <typename T> T* Child(QWidget* Parent, const char* Name) {
    T* Found = Parent->findChild<T*>(QString::fromUtf8(Name));
    EXPECT_NE(Found, nullptr) << Name;
    return Found;
}

inline void Click(QWidget* Parent, const char* Name) {
    if (auto* Widget = Child<QWidget>(Parent, Name))
        QTest::mouseClick(Widget, Qt::LeftButton);
}

} // namespace vo::test
