#pragma once

#include "history/Snapshot.h"
#include "link/Link_Summary.h"
#include "widgets/Modal_Dialog.h"

#include <QTimer>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableView;

namespace vo {

struct Shared_State;
struct Services;
class Link_Test;
class Link_Frame_Model;

// The link test of the open configuration: polls through the converter, loops through it with a
// second adapter, or listens on a line; shows every frame as it comes, the counts and the verdict,
// and keeps each run in the configuration's history.
class TFLinkTest final : public Modal_Dialog {
    Q_OBJECT
public:
    TFLinkTest(Shared_State& App_State, const Services& App_Services, QWidget* Parent);
    ~TFLinkTest() override;
    void Set_Lang();

    // Where the frames go, or "" to save none; asks the user unless a test answers.
    std::function<QString()> Ask_Frames_Path;

    bool Running() const;
    Link_Frame_Model* Frame_Model() const { return Model; }
    QLabel* Verdict_Label() const { return L_Verdict; }
    QLabel* Warning_Label() const { return L_Warning; }

Q_SIGNALS:
    // A run ended and was added to the history (or could not be).
    void Run_Ended(bool Passed);

protected:
    void showEvent(QShowEvent* Event) override;
    void reject() override;

private:
    void Build();
    void Load_Configuration();
    void Mode_Changed();
    void Refresh_Default_Timeout();
    Link_Plan Plan_From_Fields() const;
    void Start_Run();
    void Stop_Run();
    void Run_Finished();
    void Show_Counts();
    // A label without text takes no room.
    static void Show_Text(QLabel* Label, const QString& Text);
    void Save_Frames();
    void Set_Running(bool Is_Running);

    Shared_State& State;
    const Services& Svc;
    std::optional<Converter_Sides> Sides;
    QString Sides_Problem;
    std::unique_ptr<Link_Test> Test;
    Config_Files Tested;
    Link_Frame_Model* Model = nullptr;
    QTimer Count_Timer;
    bool Timeout_Edited = false;
    bool Close_When_Stopped = false;
    bool Follow_Frames = true;

    QLabel* L_Config = nullptr;
    QLabel* L_Warning = nullptr;
    QRadioButton* RB_Poll = nullptr;
    QRadioButton* RB_Loop = nullptr;
    QRadioButton* RB_Listen = nullptr;
    QLabel* L_Port = nullptr;
    QComboBox* CB_Port = nullptr;
    QLabel* L_Loop_Port = nullptr;
    QComboBox* CB_Loop_Port = nullptr;
    QLabel* L_Side = nullptr;
    QComboBox* CB_Side = nullptr;
    QLabel* L_Slave = nullptr;
    QSpinBox* SE_Slave = nullptr;
    QLabel* L_Function = nullptr;
    QComboBox* CB_Function = nullptr;
    QLabel* L_Start = nullptr;
    QSpinBox* SE_Start = nullptr;
    QLabel* L_Count = nullptr;
    QSpinBox* SE_Count = nullptr;
    QLabel* L_Polls = nullptr;
    QSpinBox* SE_Polls = nullptr;
    QLabel* L_Timeout = nullptr;
    QSpinBox* SE_Timeout = nullptr;
    QPushButton* Btn_Start = nullptr;
    QPushButton* Btn_Stop = nullptr;
    QPushButton* Btn_Save = nullptr;
    QPushButton* Btn_Close = nullptr;
    QLabel* L_Counts = nullptr;
    QLabel* L_Latency = nullptr;
    QLabel* L_Verdict = nullptr;
    QLabel* L_Causes = nullptr;
    QTableView* TV_Frames = nullptr;
};

} // namespace vo
