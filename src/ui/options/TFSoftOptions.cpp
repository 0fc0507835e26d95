#include "TFSoftOptions.h"

#include "Messages.h"
#include "Services.h"
#include "Url_Opener.h"
#include "lang/String_Table.h"
#include "options/Language_List.h"
#include "options/Qt_Texts.h"
#include "options/Version_Checker.h"
#include "shell/Shared_State.h"
#include "shell/Software_Info.h"
#include "util/File_Read.h"
#include "util/Path_Join.h"
#include "widgets/Button_Panel.h"
#include "widgets/Click_Label.h"
#include "widgets/Placement.h"
#include "widgets/Standard_Icon.h"
#include "widgets/Title_Panel.h"
#include "widgets/Window_Style.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vo {

namespace {

struct Slot_Place {
    QPoint Flag;
    QPoint Name;
};

// Slots 1 to 3 fill the left column from the top, slots 4 to 6 the right one.
constexpr Slot_Place Slot_Places[] = {
    {{24, 40}, {80, 56}},   {{26, 94}, {80, 110}},   {{24, 148}, {80, 164}},
    {{254, 40}, {310, 56}}, {{254, 94}, {310, 110}}, {{254, 148}, {310, 164}},
};

// A flag is a small picture: a bigger file, a pipe or a device shows no flag and never blocks.
constexpr std::size_t Flag_File_Cap = 1024 * 1024;

// A flag picture with its background, the colour of its bottom-left pixel, made transparent.
QPixmap Load_Flag(const QString& Path) {
    const File_Bytes Read = Read_File_Bounded(Path, Flag_File_Cap);
    const QImage Image = Read ? QImage::fromData(*Read) : QImage();
    if (Image.isNull())
        return {};
    QPixmap Flag = QPixmap::fromImage(Image);
    Flag.setMask(Flag.createMaskFromColor(Image.pixelColor(0, Image.height() - 1), Qt::MaskInColor));
    return Flag;
}

QCheckBox* Add_Check(QWidget* Page, const QString& Name, int Left, int Top) {
    auto* Box = new QCheckBox(Page);
    Box->setObjectName(Name);
    Box->move(Left, Top);
    return Box;
}

} // namespace

TFSoftOptions::TFSoftOptions(Shared_State& App_State, const Services& App_Services,
                             std::function<void()> Relabel, QWidget* Parent)
    : Modal_Dialog(Parent), State(App_State), Svc(App_Services), Change_Language(std::move(Relabel)),
      Checker(new Version_Checker(App_Services.Http, this)),
      P_Title(new Title_Panel(App_State.Software_Code, this)), PC_Options(new QTabWidget(this)),
      TS_Language(new QWidget), TS_Con_Options(new QWidget), TS_Soft_Settings(new QWidget) {
    setObjectName(QStringLiteral("TFSoftOptions"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    Apply_Window_Style(this);
    PC_Options->setObjectName(QStringLiteral("PC_Options"));
    TS_Language->setObjectName(QStringLiteral("TS_Language"));
    TS_Con_Options->setObjectName(QStringLiteral("TS_Con_Options"));
    TS_Soft_Settings->setObjectName(QStringLiteral("TS_Soft_Settings"));
    PC_Options->addTab(TS_Language, QString());
    PC_Options->addTab(TS_Con_Options, QString());
    PC_Options->addTab(TS_Soft_Settings, QString());
    Build_Language_Page(TS_Language);
    Build_Connection_Page(TS_Con_Options);
    Build_Settings_Page(TS_Soft_Settings);
    Order_Tab_Keys();

    auto* P_Button = new Button_Panel(this);
    Btn_OK = P_Button->Btn_OK;
    Btn_Cancel = P_Button->Btn_Cancel;
    auto* Layout = Band_Layout(this);
    Layout->addWidget(P_Title);
    Layout->addWidget(PC_Options, 1);
    Layout->addWidget(P_Button);
    connect(Btn_OK, &QPushButton::clicked, this, &TFSoftOptions::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFSoftOptions::reject);
    connect(Checker, &Version_Checker::Finished, this, &TFSoftOptions::Show_Check_Result);

    setFixedSize(509, 373);
    Set_Lang();
}

void TFSoftOptions::Build_Language_Page(QWidget* Page) {
    L_Sel_Lang = new QLabel(Page);
    L_Sel_Lang->setObjectName(QStringLiteral("L_Sel_Lang"));
    L_Sel_Lang->move(12, 11);
    for (int Index = 0; Index < Languages_Per_Page; ++Index) {
        const QString Number = QString::number(Index + 1);
        Language_Slot& Language = Slots[static_cast<size_t>(Index)];
        Language.Flag = new Click_Label(QStringLiteral("I_L") + Number, Page);
        Language.Flag->setGeometry(QRect(Slot_Places[Index].Flag, QSize(48, 48)));
        Language.Name = new Click_Label(QStringLiteral("L_L") + Number, Page);
        Language.Name->move(Slot_Places[Index].Name);
        // The flag and its name make one choice: the keyboard reaches it once, at the name.
        Language.Flag->setFocusProxy(Language.Name);
        connect(Language.Flag, &Click_Label::Clicked, this, [this, Index] { LangClick(Index); });
        connect(Language.Name, &Click_Label::Clicked, this, [this, Index] { LangClick(Index); });
    }
    L_Page_Lang = new QLabel(Page);
    L_Page_Lang->setObjectName(QStringLiteral("L_Page_Lang"));
    L_Page_Lang->move(220, 212);
    Btn_Prev = Place_Button(Page, QStringLiteral("Btn_Prev"), {12, 204, 110, 28});
    Btn_Prev->setIcon(Standard_Icon(QStyle::SP_ArrowLeft));
    Btn_Next = Place_Button(Page, QStringLiteral("Btn_Next"), {379, 205, 110, 28});
    Btn_Next->setIcon(Standard_Icon(QStyle::SP_ArrowRight));
    Btn_Next->setLayoutDirection(Qt::RightToLeft);
    connect(Btn_Prev, &QPushButton::clicked, this, &TFSoftOptions::Btn_PrevClick);
    connect(Btn_Next, &QPushButton::clicked, this, &TFSoftOptions::Btn_NextClick);
}

void TFSoftOptions::Build_Connection_Page(QWidget* Page) {
    CB_En_Con = Add_Check(Page, QStringLiteral("CB_En_Con"), 12, 16);
    CB_Update = Add_Check(Page, QStringLiteral("CB_Update"), 36, 47);
    Btn_Check_Update = Place_Button(Page, QStringLiteral("Btn_Check_Update"), {36, 78, 204, 28});
    LL_Check_Update = new QLabel(Page);
    LL_Check_Update->setObjectName(QStringLiteral("LL_Check_Update"));
    LL_Check_Update->move(40, 120);
    LL_Check_Update->setTextFormat(Qt::RichText);
    LL_Check_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(LL_Check_Update, &QLabel::linkActivated, this,
            [this](const QString& Link) { Svc.Urls.Open_Url(Link); });
    connect(Btn_Check_Update, &QPushButton::clicked, this, &TFSoftOptions::Btn_Check_UpdateClick);
    for (QCheckBox* Box : {CB_En_Con, CB_Update})
        connect(Box, &QCheckBox::toggled, this, &TFSoftOptions::Update_CheckBox);
}

void TFSoftOptions::Build_Settings_Page(QWidget* Page) {
    CB_Soft_Set_Jump_Table = Add_Check(Page, QStringLiteral("CB_Soft_Set_Jump_Table"), 12, 16);
    CB_DoubleClick_Auto_Size = Add_Check(Page, QStringLiteral("CB_DoubleClick_Auto_Size"), 12, 39);
}

// Tab runs through the tab bar, the page shown from the top, left column before right, then OK and
// Cancel.
void TFSoftOptions::Order_Tab_Keys() {
    QList<QWidget*> Order{PC_Options->tabBar()};
    for (const Language_Slot& Language : Slots)
        Order << Language.Name;
    Order << Btn_Prev << Btn_Next << CB_En_Con << CB_Update << Btn_Check_Update << LL_Check_Update
          << CB_Soft_Set_Jump_Table << CB_DoubleClick_Auto_Size << Btn_OK << Btn_Cancel;
    Chain_Tab_Order(Order);
}

void TFSoftOptions::Set_Lang() {
    setWindowTitle(State.Text(300));
    Set_Caption(P_Title->L_SW_Desc, State.Text(301));
    PC_Options->setTabText(0, State.Text(302));
    PC_Options->setTabText(1, State.Text(303));
    PC_Options->setTabText(2, State.Text(319));
    Update_Lang_Page(Show_Page);
    Btn_Prev->setText(State.Text(307));
    Btn_Next->setText(State.Text(308));
    CB_En_Con->setText(State.Text(309));
    CB_Update->setText(State.Text(310));
    Btn_Check_Update->setText(State.Text(311));
    Btn_OK->setText(State.Text(312));
    Btn_Cancel->setText(State.Text(313));
    CB_Soft_Set_Jump_Table->setText(State.Text(320));
    CB_DoubleClick_Auto_Size->setText(State.Text(321));
    for (QCheckBox* Box : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        Box->adjustSize();
    Put_Check_Result();
}

void TFSoftOptions::showEvent(QShowEvent* Event) {
    Language_In_Use = State.Language_Name;
    Create_Lang_List();
    Check_Newer.reset();
    Put_Check_Result();
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(State.Enable_Internet);
    CB_Update->setChecked(State.Enable_Update);
    CB_Soft_Set_Jump_Table->setChecked(State.Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->setChecked(State.Double_Click_Auto_Size);
    Update_CheckBox();
    Modal_Dialog::showEvent(Event);
}

void TFSoftOptions::Create_Lang_List() {
    SL_Languages = Language_Files(State.Language_Dir);
    Show_Page = 1;
    Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(int Num_Page) {
    const int Pages = Page_Count(static_cast<int>(SL_Languages.size()));
    Set_Caption(L_Sel_Lang, State.Text(304) + Language_In_Use);
    Set_Caption(L_Page_Lang,
                State.Text(305) + QString::number(Num_Page) + State.Text(306) + QString::number(Pages));
    Btn_Prev->setVisible(Num_Page != 1);
    Btn_Next->setVisible(Num_Page != Pages);
    const int First = (Num_Page - 1) * Languages_Per_Page;
    for (int Index = 0; Index < Languages_Per_Page; ++Index) {
        const Language_Slot& Language = Slots[static_cast<size_t>(Index)];
        const bool In_Use = First + Index < SL_Languages.size();
        Language.Name->setVisible(In_Use);
        Language.Flag->setVisible(In_Use);
        if (!In_Use)
            continue;
        const QString Name = Language_Of(SL_Languages[First + Index]);
        Set_Caption(Language.Name, Name);
        QString Flag = Join_Path(State.Language_Dir, Name + QStringLiteral(".bmp"));
        if (!QFileInfo::exists(Flag))
            Flag = Join_Path(State.Language_Dir, QStringLiteral("DefaultFlag.bmp"));
        const QPixmap Picture = QFileInfo::exists(Flag) ? Load_Flag(Flag) : QPixmap();
        Language.Flag->setPixmap(Picture);
        Language.Flag->setVisible(!Picture.isNull());
    }
}

void TFSoftOptions::Btn_PrevClick() {
    if (Show_Page >= 2)
        --Show_Page;
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::Btn_NextClick() {
    if (Show_Page + 1 <= Page_Count(static_cast<int>(SL_Languages.size())))
        ++Show_Page;
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(int Slot_Index) {
    const int Entry = (Show_Page - 1) * Languages_Per_Page + Slot_Index;
    if (Entry >= SL_Languages.size())
        return;
    const QString Chosen = Language_Of(SL_Languages[Entry]);
    if (!Svc.Msgs.Confirm(State.Text(316) + Language_In_Use + State.Text(317) + Chosen + State.Text(318)))
        return;
    // The table takes the new language now; the name in the shared state changes only with OK.
    Language_In_Use = Load_Language(State.Lang_Strings, State.Language_Dir, Chosen);
    Follow_Qt_Texts(Language_In_Use);
    Change_Language();
}

void TFSoftOptions::Update_CheckBox() {
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked() && !Checker->Running());
}

void TFSoftOptions::Btn_Check_UpdateClick() {
    if (Checker->Start(Svc.Version))
        Update_CheckBox();
}

void TFSoftOptions::Show_Check_Result(bool Newer) {
    Check_Newer = Newer;
    Put_Check_Result();
    Update_CheckBox();
}

// The answer in the language of the moment.
void TFSoftOptions::Put_Check_Result() {
    LL_Check_Update->setVisible(Check_Newer.has_value());
    if (!Check_Newer)
        return;
    if (*Check_Newer)
        LL_Check_Update->setText(
            QStringLiteral("<a href=\"%1\">%2</a>")
                .arg(Download_Page_Url().toHtmlEscaped(), State.Text(314).toHtmlEscaped()));
    else
        LL_Check_Update->setText(State.Text(315).toHtmlEscaped());
    LL_Check_Update->adjustSize();
}

void TFSoftOptions::Btn_OKClick() {
    State.Language_Name = Language_In_Use;
    State.Enable_Internet = CB_En_Con->isChecked();
    State.Enable_Update = CB_Update->isChecked();
    State.Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->isChecked();
    State.Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->isChecked();
    done(Modal_Ok);
}

} // namespace vo
