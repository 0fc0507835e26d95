#pragma once

#include <QString>
#include <utility>

namespace vo {

// Modal message boxes. Windows show every message through this seam, so tests can record
// the messages and answer the questions instead of blocking on a box.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void Error(const QString& Text) = 0;
    virtual void Warning(const QString& Text) = 0;
    virtual void Information(const QString& Text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool Confirm(const QString& Text) = 0;
};

// The real boxes, titled with the application's title.
class Box_Messages final : public Messages {
public:
    explicit Box_Messages(QString Box_Title) : Title(std::move(Box_Title)) {}
    void Error(const QString& Text) override;
    void Warning(const QString& Text) override;
    void Information(const QString& Text) override;
    bool Confirm(const QString& Text) override;

private:
    QString Title;
};

} // namespace vo
