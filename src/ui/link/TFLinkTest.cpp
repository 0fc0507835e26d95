#include "TFLinkTest.h"

#include "Link_Frame_Model.h"
#include "Messages.h"
#include "Services.h"
#include "history/Config_Diff.h"
#include "history/Link_History.h"
#include "link/Link_Test.h"
#include "params/Par_Gen_File.h"
#include "platform/Port_Probe.h"
#include "shell/Shared_State.h"
#include "update/Com_Ports.h"
#include "util/File_Save.h"
#include "widgets/Window_Style.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>

namespace vo {

namespace {

// Message ids of the window.
constexpr int Msg_Title = 1100;
constexpr int Msg_Changed_Since_Update = 1117;
constexpr int Msg_Poll = 1118;
constexpr int Msg_Loop = 1119;
constexpr int Msg_Listen = 1120;
constexpr int Msg_Port = 1121;
constexpr int Msg_Loop_Port = 1122;
constexpr int Msg_Side = 1123;
constexpr int Msg_Slave = 1124;
constexpr int Msg_Function = 1125;
constexpr int Msg_Start_Address = 1126;
constexpr int Msg_Count = 1127;
constexpr int Msg_Polls = 1128;
constexpr int Msg_Timeout = 1129;
constexpr int Msg_Start = 1130;
constexpr int Msg_Stop = 1131;
constexpr int Msg_Save_Frames = 1132;
constexpr int Msg_Frames_Not_Saved = 1142;
constexpr int Msg_Not_Started = 1143;
constexpr int Msg_Running = 1144;
constexpr int Msg_Not_Recorded = 1145;
constexpr int Msg_Write_Question = 1147;
constexpr int Msg_Close = 75;

constexpr int Count_Refresh_Ms = 200;

const int Functions[] = {1, 2, 3, 4, 5, 6, 15, 16};
const char* const Function_Names[] = {
    "01 Read Coils",           "02 Read Discrete Inputs",    "03 Read Holding Registers",
    "04 Read Input Registers", "05 Write Single Coil",       "06 Write Single Register",
    "15 Write Multiple Coils", "16 Write Multiple Registers"};

} // namespace

TFLinkTest::TFLinkTest(Shared_State& App_State, const Services& App_Services, QWidget* Parent)
    : Modal_Dialog(Parent), State(App_State), Svc(App_Services) {
    setObjectName(QStringLiteral("TFLinkTest"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    Apply_Window_Style(this);
    Build();
    Ask_Frames_Path = [this] {
        return QFileDialog::getSaveFileName(this, this->State.Text(Msg_Save_Frames),
                                            this->State.Project_Path + QStringLiteral("/frames.csv"),
                                            QStringLiteral("CSV (*.csv)"));
    };
    Set_Lang();
}

TFLinkTest::~TFLinkTest() = default;

void TFLinkTest::Build() {
    const auto Label = [this](const char* Name) {
        auto* L = new QLabel(this);
        L->setObjectName(QLatin1String(Name));
        return L;
    };
    const auto Spin = [this](const char* Name, int Low, int High, int Value) {
        auto* S = new QSpinBox(this);
        S->setObjectName(QLatin1String(Name));
        S->setRange(Low, High);
        S->setValue(Value);
        return S;
    };
    const auto Button = [this](const char* Name) {
        auto* B = new QPushButton(this);
        B->setObjectName(QLatin1String(Name));
        B->setAutoDefault(false);
        return B;
    };
    L_Config = Label("L_Config");
    L_Config->setWordWrap(true);
    L_Warning = Label("L_Warning");
    L_Warning->setWordWrap(true);
    L_Warning->setStyleSheet(QStringLiteral("color: #b00020;"));
    RB_Poll = new QRadioButton(this);
    RB_Poll->setObjectName(QStringLiteral("RB_Poll"));
    RB_Poll->setChecked(true);
    RB_Loop = new QRadioButton(this);
    RB_Loop->setObjectName(QStringLiteral("RB_Loop"));
    RB_Listen = new QRadioButton(this);
    RB_Listen->setObjectName(QStringLiteral("RB_Listen"));
    L_Port = Label("L_Port");
    CB_Port = new QComboBox(this);
    CB_Port->setObjectName(QStringLiteral("CB_Port"));
    CB_Port->setEditable(true);
    L_Loop_Port = Label("L_Loop_Port");
    CB_Loop_Port = new QComboBox(this);
    CB_Loop_Port->setObjectName(QStringLiteral("CB_Loop_Port"));
    CB_Loop_Port->setEditable(true);
    L_Side = Label("L_Side");
    CB_Side = new QComboBox(this);
    CB_Side->setObjectName(QStringLiteral("CB_Side"));
    CB_Side->addItems({Side_Name(Modbus_Side::RTU), Side_Name(Modbus_Side::ASCII)});
    L_Slave = Label("L_Slave");
    SE_Slave = Spin("SE_Slave", 1, Highest_Slave, 1);
    L_Function = Label("L_Function");
    CB_Function = new QComboBox(this);
    CB_Function->setObjectName(QStringLiteral("CB_Function"));
    for (std::size_t I = 0; I < std::size(Functions); ++I)
        CB_Function->addItem(QLatin1String(Function_Names[I]), Functions[I]);
    CB_Function->setCurrentIndex(2);
    L_Start = Label("L_Start");
    SE_Start = Spin("SE_Start", 0, 65535, 0);
    L_Count = Label("L_Count");
    SE_Count = Spin("SE_Count", 1, Max_Count(Modbus_Function::Read_Holding_Registers), 10);
    L_Polls = Label("L_Polls");
    SE_Polls = Spin("SE_Polls", 0, 100000000, 10);
    L_Timeout = Label("L_Timeout");
    SE_Timeout = Spin("SE_Timeout", 1, 600000, 1000);
    Btn_Start = Button("Btn_Start");
    Btn_Start->setDefault(true);
    Btn_Stop = Button("Btn_Stop");
    Btn_Save = Button("Btn_Save");
    Btn_Close = Button("Btn_Close");
    L_Verdict = Label("L_Verdict");
    L_Verdict->setWordWrap(true);
    QFont Large = L_Verdict->font();
    Large.setPixelSize(14);
    Large.setBold(true);
    L_Verdict->setFont(Large);
    L_Causes = Label("L_Causes");
    L_Causes->setWordWrap(true);
    L_Counts = Label("L_Counts");
    L_Counts->setWordWrap(true);
    L_Latency = Label("L_Latency");
    Model = new Link_Frame_Model(State, this);
    TV_Frames = new QTableView(this);
    TV_Frames->setObjectName(QStringLiteral("TV_Frames"));
    TV_Frames->setModel(Model);
    TV_Frames->verticalHeader()->hide();
    // Every row one line high: the view never measures 100 000 rows.
    TV_Frames->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    TV_Frames->verticalHeader()->setDefaultSectionSize(TV_Frames->fontMetrics().height() + 4);
    TV_Frames->horizontalHeader()->setStretchLastSection(true);
    TV_Frames->setSelectionBehavior(QAbstractItemView::SelectRows);
    TV_Frames->setWordWrap(false);

    auto* Modes = new QHBoxLayout;
    for (QRadioButton* Mode : {RB_Poll, RB_Loop, RB_Listen})
        Modes->addWidget(Mode);
    Modes->addStretch();
    auto* Fields = new QGridLayout;
    const QList<QList<QWidget*>> Rows = {{L_Port, CB_Port, L_Loop_Port, CB_Loop_Port},
                                         {L_Slave, SE_Slave, L_Side, CB_Side},
                                         {L_Function, CB_Function, L_Start, SE_Start},
                                         {L_Count, SE_Count, L_Polls, SE_Polls},
                                         {L_Timeout, SE_Timeout}};
    for (int Row = 0; Row < Rows.size(); ++Row)
        for (int Column = 0; Column < Rows[Row].size(); ++Column)
            Fields->addWidget(Rows[Row][Column], Row, Column);
    Fields->setColumnStretch(1, 1);
    Fields->setColumnStretch(3, 1);
    auto* Buttons = new QHBoxLayout;
    for (QPushButton* B : {Btn_Start, Btn_Stop, Btn_Save})
        Buttons->addWidget(B);
    Buttons->addStretch();
    Buttons->addWidget(Btn_Close);
    auto* Page = new QVBoxLayout(this);
    Page->addWidget(L_Config);
    Page->addWidget(L_Warning);
    Page->addLayout(Modes);
    Page->addLayout(Fields);
    Page->addLayout(Buttons);
    for (QLabel* L : {L_Verdict, L_Causes, L_Counts, L_Latency})
        Page->addWidget(L);
    Page->addWidget(TV_Frames, 1);
    resize(960, 680);

    for (QRadioButton* Mode : {RB_Poll, RB_Loop, RB_Listen})
        connect(Mode, &QRadioButton::toggled, this, &TFLinkTest::Mode_Changed);
    connect(CB_Function, &QComboBox::currentIndexChanged, this, [this] {
        SE_Count->setMaximum(Max_Count(CB_Function->currentData().toInt()));
        Refresh_Default_Timeout();
    });
    connect(SE_Count, &QSpinBox::valueChanged, this, &TFLinkTest::Refresh_Default_Timeout);
    connect(SE_Timeout, &QSpinBox::valueChanged, this, [this] { Timeout_Edited = true; });
    connect(Btn_Start, &QPushButton::clicked, this, &TFLinkTest::Start_Run);
    connect(Btn_Stop, &QPushButton::clicked, this, &TFLinkTest::Stop_Run);
    connect(Btn_Save, &QPushButton::clicked, this, &TFLinkTest::Save_Frames);
    connect(Btn_Close, &QPushButton::clicked, this, &TFLinkTest::reject);
    connect(&Count_Timer, &QTimer::timeout, this, &TFLinkTest::Show_Counts);
    Count_Timer.setInterval(Count_Refresh_Ms);
    // New rows follow the run until the user scrolls away from its end, and again once back there.
    QScrollBar* Bar = TV_Frames->verticalScrollBar();
    connect(Bar, &QScrollBar::actionTriggered, this, [this, Bar] {
        QTimer::singleShot(0, this, [this, Bar] { Follow_Frames = Bar->value() >= Bar->maximum(); });
    });
    connect(Model, &QAbstractItemModel::rowsInserted, this, [this] {
        if (Follow_Frames)
            TV_Frames->scrollToBottom();
    });
    for (QLabel* L : {L_Verdict, L_Causes, L_Counts, L_Latency})
        L->hide();
    Set_Running(false);
}

void TFLinkTest::Set_Lang() {
    setWindowTitle(State.Text(Msg_Title) +
                   (State.Project_Name.isEmpty() ? QString() : QStringLiteral(" - ") + State.Project_Name));
    RB_Poll->setText(State.Text(Msg_Poll));
    RB_Loop->setText(State.Text(Msg_Loop));
    RB_Listen->setText(State.Text(Msg_Listen));
    L_Port->setText(State.Text(Msg_Port));
    L_Loop_Port->setText(State.Text(Msg_Loop_Port));
    L_Side->setText(State.Text(Msg_Side));
    L_Slave->setText(State.Text(Msg_Slave));
    L_Function->setText(State.Text(Msg_Function));
    L_Start->setText(State.Text(Msg_Start_Address));
    L_Count->setText(State.Text(Msg_Count));
    L_Polls->setText(State.Text(Msg_Polls));
    L_Timeout->setText(State.Text(Msg_Timeout));
    Btn_Start->setText(State.Text(Msg_Start));
    Btn_Stop->setText(State.Text(Msg_Stop));
    Btn_Save->setText(State.Text(Msg_Save_Frames));
    Btn_Close->setText(State.Text(Msg_Close));
    Model->headerDataChanged(Qt::Horizontal, 0, Model->columnCount() - 1);
    // Wide enough for its heading in any language, and for its contents where they are known;
    // never measured over the rows, which may be 100 000.
    const QFontMetrics Metrics = TV_Frames->horizontalHeader()->fontMetrics();
    for (const auto& [Column, Contents] : {std::pair{0, 80}, {1, 50}, {2, 30}, {3, 250}, {4, 250}, {5, 70}}) {
        const QString Heading = Model->headerData(Column, Qt::Horizontal, Qt::DisplayRole).toString();
        TV_Frames->setColumnWidth(Column, std::max(Contents, Metrics.horizontalAdvance(Heading) + 24));
    }
}

void TFLinkTest::showEvent(QShowEvent* Event) {
    Set_Lang();
    if (!Running())
        Load_Configuration();
    Modal_Dialog::showEvent(Event);
}

void TFLinkTest::Load_Configuration() {
    Par_Gen Set;
    const Status Loaded = Load_Par_Gen(State.ParGen_File, Set);
    Result<Converter_Sides> Found = Loaded ? Sides_Of(Set) : Result<Converter_Sides>(Failure(Loaded.Error()));
    Sides.reset();
    Sides_Problem = Found.Error();
    if (Found)
        Sides = *Found;
    QString Text = State.Project_Name + QStringLiteral(": ");
    if (Sides) {
        Text += Entry_Text(Par_List::Operation_Mode, Set.Device_Type_Type, Set.MODE_DEV);
        for (const Modbus_Side Side : {Modbus_Side::RTU, Modbus_Side::ASCII})
            Text += QStringLiteral("\nModbus %1: %2%3")
                        .arg(Side_Name(Side), Line_Text(Sides->Line(Side)),
                             Side == Sides->Master_Side
                                 ? QStringLiteral(", TimeOut %1 ms").arg(Sides->Master_Timeout_Ms)
                                 : QString());
        CB_Side->setCurrentIndex(Sides->Slave_Side == Modbus_Side::RTU ? 0 : 1);
    } else {
        Text += Sides_Problem;
    }
    L_Config->setText(Text);
    const Change_Summary Changes = Changes_Since_Success(State.Project_Path, State.ParGen_File, State);
    QStringList Fields;
    for (const Diff_Line& Line : Changes.Lines)
        Fields.append(Diff_Text(Line));
    L_Warning->setText(Changes.Has_Success && !Fields.isEmpty()
                           ? State.Text(Msg_Changed_Since_Update) + Fields.join(QStringLiteral("; "))
                           : QString());
    L_Warning->setVisible(!L_Warning->text().isEmpty());
    for (QComboBox* Ports : {CB_Port, CB_Loop_Port}) {
        const QString Typed = Ports->currentText();
        Ports->clear();
        Ports->addItems(Get_Com_Ports(Svc.Ports));
        if (!Typed.isEmpty())
            Ports->setCurrentText(Typed);
    }
    Timeout_Edited = false;
    Refresh_Default_Timeout();
    Mode_Changed();
}

void TFLinkTest::Mode_Changed() {
    const bool Loop = RB_Loop->isChecked();
    const bool Listen = RB_Listen->isChecked();
    for (QWidget* W : {static_cast<QWidget*>(L_Loop_Port), static_cast<QWidget*>(CB_Loop_Port)})
        W->setEnabled(Loop && !Running());
    for (QWidget* W : {static_cast<QWidget*>(L_Side), static_cast<QWidget*>(CB_Side)})
        W->setEnabled(Listen && !Running());
    for (QWidget* W :
         std::initializer_list<QWidget*>{L_Slave, SE_Slave, L_Function, CB_Function, L_Start, SE_Start,
                                         L_Count, SE_Count, L_Polls, SE_Polls, L_Timeout, SE_Timeout})
        W->setEnabled(!Listen && !Running());
}

void TFLinkTest::Refresh_Default_Timeout() {
    if (Timeout_Edited || !Sides)
        return;
    const Link_Plan Plan = Plan_From_Fields();
    const QSignalBlocker Quiet(SE_Timeout);
    SE_Timeout->setValue(Default_Response_Timeout_Ms(*Sides, Plan.Request));
}

Link_Plan TFLinkTest::Plan_From_Fields() const {
    Link_Plan Plan;
    Plan.Mode = RB_Listen->isChecked() ? Link_Mode::Listen
                : RB_Loop->isChecked() ? Link_Mode::Loop
                                       : Link_Mode::Poll;
    if (Sides)
        Plan.Sides = *Sides;
    Plan.Port = CB_Port->currentText().trimmed();
    Plan.Loop_Port = Plan.Mode == Link_Mode::Loop ? CB_Loop_Port->currentText().trimmed() : QString();
    Plan.Listen_Side = CB_Side->currentIndex() == 0 ? Modbus_Side::RTU : Modbus_Side::ASCII;
    Plan.Slave = SE_Slave->value();
    Plan.Request = {CB_Function->currentData().toInt(), SE_Start->value(), SE_Count->value(), {}};
    Plan.Polls = SE_Polls->value();
    Plan.Timeout_Ms = SE_Timeout->value();
    return Plan;
}

bool TFLinkTest::Running() const {
    return Test && Test->Running();
}

void TFLinkTest::Start_Run() {
    if (Running())
        return;
    if (!Sides) {
        Svc.Msgs.Error(State.Text(Msg_Not_Started) + Sides_Problem);
        return;
    }
    const Link_Plan Plan = Plan_From_Fields();
    if (const QString Problem = Plan_Problem(Plan); !Problem.isEmpty()) {
        Svc.Msgs.Error(State.Text(Msg_Not_Started) + Problem);
        return;
    }
    // A port another program holds would mix that program's frames with the test's.
    for (const QString& Name : {Plan.Port, Plan.Loop_Port}) {
        if (Name.isEmpty())
            continue;
        const Port_Status Seen = Svc.Ports.Status_Of(Name.toStdString());
        if (Seen.Port_State == Port_Status::State::Busy) {
            Svc.Msgs.Error(State.Text(Msg_Not_Started) + Name + QStringLiteral(": ") +
                           Port_State_Words(Seen, State));
            return;
        }
    }
    if (Is_Write_Function(Plan.Request.Function) && Plan.Mode != Link_Mode::Listen &&
        !Svc.Msgs.Confirm(State.Text(Msg_Write_Question).arg(Plan.Request.Count).arg(Plan.Request.Start)))
        return;
    // The files as they are now: what the run tests, whatever changes during it.
    Result<Config_Files> Files = Read_Config_Files(State.Project_Path, false);
    if (!Files) {
        Svc.Msgs.Error(State.Text(Msg_Not_Started) + Files.Error());
        return;
    }
    Tested = std::move(*Files);
    Test = std::make_unique<Link_Test>(Plan);
    Model->Clear();
    Follow_Frames = true;
    connect(Test.get(), &Link_Test::Frame_Seen, Model, &Link_Frame_Model::Add);
    connect(Test.get(), &Link_Test::Finished, this, &TFLinkTest::Run_Finished);
    if (const Status Started = Test->Start(); !Started) {
        Test.reset();
        Svc.Msgs.Error(State.Text(Msg_Not_Started) + Started.Error());
        return;
    }
    Show_Text(L_Verdict, State.Text(Msg_Running));
    L_Verdict->setStyleSheet(QString());
    Show_Text(L_Causes, QString());
    Set_Running(true);
    Show_Counts();
    Count_Timer.start();
}

void TFLinkTest::Stop_Run() {
    if (Running())
        Test->Stop();
}

void TFLinkTest::Run_Finished() {
    Count_Timer.stop();
    Model->Flush();
    const Link_Summary& Summary = Test->Summary();
    Show_Counts();
    const bool Passed = Summary.Passed();
    Show_Text(L_Verdict, Verdict_Words(Summary, State));
    L_Verdict->setStyleSheet(
        QStringLiteral("color: %1;").arg(Passed ? QStringLiteral("#1b6e20") : QStringLiteral("#b00020")));
    Show_Text(L_Causes, Cause_Words(Summary, State).join(u'\n'));
    Set_Running(false);
    if (const Result<QString> Recorded =
            Record_Link_Test(State.Project_Path, Tested, Summary_Json(Summary, State));
        !Recorded)
        Svc.Msgs.Error(State.Text(Msg_Not_Recorded) + Recorded.Error());
    Q_EMIT Run_Ended(Passed);
    if (Close_When_Stopped) {
        Close_When_Stopped = false;
        Modal_Dialog::reject();
    }
}

void TFLinkTest::Show_Text(QLabel* Label, const QString& Text) {
    Label->setText(Text);
    Label->setVisible(!Text.isEmpty());
}

void TFLinkTest::Show_Counts() {
    if (!Test)
        return;
    // A listen sends nothing: its verdict counts what it heard.
    const bool Listen = Test->Summary().Plan.Mode == Link_Mode::Listen;
    Show_Text(L_Counts, Listen ? QString() : Counts_Words(Test->Summary().Counts, State));
    Show_Text(L_Latency, Latency_Words(Test->Summary().Counts, State));
}

void TFLinkTest::Save_Frames() {
    const QString Path = Ask_Frames_Path();
    if (Path.isEmpty())
        return;
    if (const Status Saved = Save_File_Atomic(Path, Frames_Csv(Model->Frames())); !Saved)
        Svc.Msgs.Error(State.Text(Msg_Frames_Not_Saved) + Saved.Error());
}

void TFLinkTest::Set_Running(bool Is_Running) {
    for (QWidget* W :
         {static_cast<QWidget*>(RB_Poll), static_cast<QWidget*>(RB_Loop), static_cast<QWidget*>(RB_Listen),
          static_cast<QWidget*>(CB_Port), static_cast<QWidget*>(Btn_Start), static_cast<QWidget*>(Btn_Save)})
        W->setEnabled(!Is_Running);
    Btn_Stop->setEnabled(Is_Running);
    Mode_Changed();
    if (Is_Running)
        Btn_Stop->setFocus();
}

void TFLinkTest::reject() {
    // Closing during a run stops it first: the run is counted and kept like any other.
    if (Running()) {
        Close_When_Stopped = true;
        Test->Stop();
        return;
    }
    Modal_Dialog::reject();
}

} // namespace vo
