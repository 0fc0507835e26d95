#include "TFParGen.h"

#include "Messages.h"
#include "params/Input_Rules.h"
#include "params/Par_Gen_File.h"
#include "shell/Shared_State.h"
#include "widgets/Button_Panel.h"
#include "widgets/Category_Group.h"
#include "widgets/Category_Panel.h"
#include "widgets/Placement.h"
#include "widgets/Title_Panel.h"
#include "widgets/Window_Style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vo {

namespace {

constexpr int Row_Top[] = {9, 37, 65, 93, 121, 149};
constexpr int Gateway_Row_Top = 66;
constexpr int Input_Left = 170;
constexpr int Input_Width = 230;
constexpr int List_Height = 22;
constexpr int Edit_Height = 21;
constexpr int Byte_Width = 44;
constexpr int Byte_Pitch = 58;
constexpr int Client_Width = 460;

QComboBox* Add_List(QWidget* Content, const QString& Name, int Left, int Top, int Width) {
    auto* List = new QComboBox(Content);
    List->setObjectName(Name);
    List->setGeometry(Left, Top, Width, List_Height);
    return List;
}

QLineEdit* Add_Edit(QWidget* Content, const QString& Name, int Left, int Top, int Width) {
    auto* Edit = new QLineEdit(Content);
    Edit->setObjectName(Name);
    Edit->setGeometry(Left, Top, Width, Edit_Height);
    return Edit;
}

int Bottom_Of(const QWidget* Input) {
    return Input->y() + Input->height();
}

} // namespace

TFParGen::TFParGen(const Shared_State& State, Messages& Messages, QWidget* Parent)
    : Modal_Dialog(Parent), State(State), Msgs(Messages), P_Title(new Title_Panel(State.Software_Code, this)),
      Group(new Category_Group(QStringLiteral("Group_Panels"), this)),
      CP_Device_Type(new Category_Panel(QStringLiteral("CP_Device_Type"), this)),
      CP_Operation_Mode(new Category_Panel(QStringLiteral("CP_Operation_Mode"), this)),
      CP_Modbus_RTU(new Category_Panel(QStringLiteral("CP_Modbus_RTU"), this)),
      CP_Modbus_ASCII(new Category_Panel(QStringLiteral("CP_Modbus_ASCII"), this)),
      CP_Ethernet(new Category_Panel(QStringLiteral("CP_Ethernet"), this)) {
    setObjectName(QStringLiteral("TFParGen"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    Apply_Window_Style(this);
    Build_Panels();

    auto* P_Button = new Button_Panel(this);
    Btn_OK = P_Button->Btn_OK;
    Btn_Cancel = P_Button->Btn_Cancel;
    auto* Layout = Band_Layout(this);
    Layout->addWidget(P_Title);
    Layout->addWidget(Group, 1);
    Layout->addWidget(P_Button);
    connect(Btn_OK, &QPushButton::clicked, this, &TFParGen::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, [this] { done(Modal_Cancel); });

    // The width is fixed; the height follows the user and the group scrolls what does not fit.
    setFixedWidth(Client_Width);
    setMinimumHeight(200);
    setMaximumHeight(QWIDGETSIZE_MAX);
    resize(Client_Width, 700);

    Order_TAB_Panels_40913();
    Group->Watch_Wheel(this);
    Put_Values(Par_Gen());
    Move_GroupBoxs();
    Set_Lang();
}

void TFParGen::Build_Panels() {
    QWidget* Device = CP_Device_Type->Content();
    L_Device_Type_Type = Place_Label(Device, QStringLiteral("L_Device_Type_Type"), 12, Row_Top[0] + 3);
    CB_Device_Type_Type =
        Add_List(Device, QStringLiteral("CB_Device_Type_Type"), Input_Left, Row_Top[0], Input_Width);
    CB_Device_Type_Type->addItems(List_Entries(Par_List::Device_Type, 0));
    Lists.insert(QStringLiteral("Device_Type_Type"), CB_Device_Type_Type);

    QWidget* Mode = CP_Operation_Mode->Content();
    CB_Operation_Mode_Mode = Add_List(Mode, QStringLiteral("CB_Operation_Mode_Mode"), 12, Row_Top[0], 388);
    CB_Operation_Mode_Mode->addItems(List_Entries(Par_List::Operation_Mode, 0));
    Lists.insert(QStringLiteral("MODE_DEV"), CB_Operation_Mode_Mode);

    RTU = Build_Side(CP_Modbus_RTU, QStringLiteral("RTU"));
    ASCII = Build_Side(CP_Modbus_ASCII, QStringLiteral("ASCII"));
    Build_Ethernet();

    for (QComboBox* List : Lists)
        connect(List, &QComboBox::activated, this, [this, List] { On_Change(List); });
}

TFParGen::Side_Rows TFParGen::Build_Side(Category_Panel* Panel, const QString& Side) {
    QWidget* Content = Panel->Content();
    const QString Prefix = QStringLiteral("Modbus") + Side + u'_';
    const QString Names[] = {QStringLiteral("Serial"),   QStringLiteral("Baudrate"),
                             QStringLiteral("Parity"),   QStringLiteral("DataBits"),
                             QStringLiteral("StopBits"), QStringLiteral("TimeOut")};
    const QString Elements[] = {QStringLiteral("SER_"),  QStringLiteral("BAUD_"), QStringLiteral("PAR_"),
                                QStringLiteral("DATA_"), QStringLiteral("STOP_"), QStringLiteral("TO_")};
    const Par_List Kinds[] = {Par_List::Serial, Par_List::Baudrate, Par_List::Parity, Par_List::Data_Bits,
                              Par_List::Stop_Bits};
    Side_Rows Rows{};
    std::array<QComboBox*, 5> Side_Lists{};
    for (int Row = 0; Row < 6; ++Row) {
        Rows.Labels[Row] =
            Place_Label(Content, QStringLiteral("L_") + Prefix + Names[Row], 12, Row_Top[Row] + 3);
        if (Row < 5) {
            Side_Lists[Row] = Add_List(Content, QStringLiteral("CB_") + Prefix + Names[Row], Input_Left,
                                       Row_Top[Row], Input_Width);
            Side_Lists[Row]->addItems(List_Entries(Kinds[Row], 0));
            Lists.insert(Elements[Row] + Side, Side_Lists[Row]);
        }
    }
    Rows.Serial = Side_Lists[0];
    Rows.Baudrate = Side_Lists[1];
    Rows.Parity = Side_Lists[2];
    Rows.DataBits = Side_Lists[3];
    Rows.StopBits = Side_Lists[4];
    Rows.TimeOut =
        Add_Edit(Content, QStringLiteral("E_") + Prefix + Names[5], Input_Left, Row_Top[5], Input_Width);
    Edits.insert(Elements[5] + Side, Rows.TimeOut);
    return Rows;
}

void TFParGen::Build_Ethernet() {
    QWidget* Content = CP_Ethernet->Content();
    L_Ethernet_IP = Place_Label(Content, QStringLiteral("L_Ethernet_IP"), 12, Row_Top[0] + 3);
    L_Ethernet_SM = Place_Label(Content, QStringLiteral("L_Ethernet_SM"), 12, Row_Top[1] + 3);
    CB_Ethernet_En_GAT = new QCheckBox(Content);
    CB_Ethernet_En_GAT->setObjectName(QStringLiteral("CB_Ethernet_En_GAT"));
    CB_Ethernet_En_GAT->move(12, Gateway_Row_Top + 2);

    const QString Groups[] = {QStringLiteral("IP"), QStringLiteral("SM"), QStringLiteral("GAT")};
    const int Tops[] = {Row_Top[0], Row_Top[1], Gateway_Row_Top};
    for (int Group_Index = 0; Group_Index < 3; ++Group_Index) {
        for (int Byte = 0; Byte < 4; ++Byte) {
            const QString Element = QStringLiteral("Ethernet_%1%2").arg(Groups[Group_Index]).arg(Byte + 1);
            const int Left = Input_Left + Byte * Byte_Pitch;
            QLineEdit* Edit =
                Add_Edit(Content, QStringLiteral("E_") + Element, Left, Tops[Group_Index], Byte_Width);
            Edit->installEventFilter(this);
            Address_Edits[static_cast<size_t>(Group_Index * 4 + Byte)] = Edit;
            Edits.insert(Element, Edit);
            if (Byte < 3) {
                auto* Dot = new QLabel(QStringLiteral("."), Content);
                Dot->move(Left + Byte_Width + 5, Tops[Group_Index] + 3);
            }
        }
    }
}

void TFParGen::Order_TAB_Panels_40913() {
    const std::pair<Category_Panel*, int> Order[] = {{CP_Device_Type, 457},
                                                     {CP_Operation_Mode, 455},
                                                     {CP_Modbus_RTU, 419},
                                                     {CP_Modbus_ASCII, 406},
                                                     {CP_Ethernet, 432}};
    int Number = 1;
    for (const auto& [Panel, Id] : Order) {
        Panel->Set_Caption(QStringLiteral("%1. ").arg(Number++) + State.Text(Id));
        Group->Add_Panel(Panel);
    }
}

void TFParGen::Set_Lang() {
    setWindowTitle(State.Text(400));
    Set_Caption(P_Title->L_SW_Desc, State.Text(401));
    Btn_OK->setText(State.Text(402));
    Btn_Cancel->setText(State.Text(403));
    Btn_OK->setToolTip(State.Text(404));
    Btn_Cancel->setToolTip(State.Text(405));
    Set_Caption(L_Device_Type_Type, State.Text(458));
    CB_Device_Type_Type->setToolTip(State.Text(459));
    CB_Operation_Mode_Mode->setToolTip(State.Text(456));

    const auto Label_Side = [this](const Side_Rows& Rows, int First_Id) {
        QWidget* Inputs[] = {Rows.Serial,   Rows.Baudrate, Rows.Parity,
                             Rows.DataBits, Rows.StopBits, Rows.TimeOut};
        for (int Row = 0; Row < 6; ++Row) {
            Set_Caption(Rows.Labels[Row], State.Text(First_Id + 2 * Row));
            Inputs[Row]->setToolTip(State.Text(First_Id + 2 * Row + 1));
        }
    };
    Label_Side(RTU, 420);
    Label_Side(ASCII, 407);

    Set_Caption(L_Ethernet_IP, State.Text(433));
    Set_Caption(L_Ethernet_SM, State.Text(438));
    CB_Ethernet_En_GAT->setText(State.Text(443));
    CB_Ethernet_En_GAT->adjustSize();
    CB_Ethernet_En_GAT->setToolTip(State.Text(444));
    const int First_Hint[] = {434, 439, 445};
    for (size_t Byte = 0; Byte < Address_Edits.size(); ++Byte)
        Address_Edits[Byte]->setToolTip(State.Text(First_Hint[Byte / 4] + static_cast<int>(Byte % 4)));
}

int TFParGen::exec() {
    // A file that cannot be read leaves the dialog closed: its controls may still hold another
    // configuration's values, and OK would save them into this one.
    Par_Gen Set;
    if (const auto Error = Load_Par_Gen(State.ParGen_File, Set)) {
        Msgs.Error(*Error);
        return Modal_Cancel;
    }
    Put_Values(Set);
    Move_GroupBoxs();
    return Modal_Dialog::exec();
}

void TFParGen::Put_Values(const Par_Gen& Set) {
    const auto Choose = [](QComboBox* List, int Index) {
        List->setCurrentIndex(Index >= 0 && Index < List->count() ? Index : -1);
    };
    Choose(CB_Device_Type_Type, Set.Device_Type_Type);
    Change_Device_Type();
    for (const Par_Field& Field : Par_Fields()) {
        if (Field.Kind == Par_Kind::List &&
            Lists.value(QString::fromUtf8(Field.Element)) != CB_Device_Type_Type)
            Choose(Lists.value(QString::fromUtf8(Field.Element)), Set.*Field.Index);
        else if (Field.Kind == Par_Kind::Text)
            Edits.value(QString::fromUtf8(Field.Element))->setText(Set.*Field.Text);
    }
    CB_Ethernet_En_GAT->setChecked(Set.Ethernet_EN_GAT);
}

Par_Gen TFParGen::Held_Values() const {
    Par_Gen Set;
    for (const Par_Field& Field : Par_Fields()) {
        if (Field.Kind == Par_Kind::List)
            Set.*Field.Index = Lists.value(QString::fromUtf8(Field.Element))->currentIndex();
        else if (Field.Kind == Par_Kind::Text)
            Set.*Field.Text = Edits.value(QString::fromUtf8(Field.Element))->text();
    }
    Set.Ethernet_EN_GAT = CB_Ethernet_En_GAT->isChecked();
    return Set;
}

Par_Gen_View TFParGen::Shown() const {
    return {RTU.TimeOut->isVisibleTo(this), ASCII.TimeOut->isVisibleTo(this), CP_Ethernet->isVisibleTo(this)};
}

void TFParGen::On_Change(QComboBox* Sender) {
    if (Sender == CB_Device_Type_Type)
        Change_Device_Type();
    if (Sender == CB_Device_Type_Type || Sender == CB_Operation_Mode_Mode || Sender == RTU.Serial ||
        Sender == ASCII.Serial)
        Move_GroupBoxs();
    if (Sender == RTU.Serial || Sender == ASCII.Serial) {
        Par_Gen Set = Held_Values();
        if (Check_Serial_Port(Set, Sender == RTU.Serial ? Modbus_Side::RTU : Modbus_Side::ASCII)) {
            RTU.Serial->setCurrentIndex(Set.SER_RTU);
            ASCII.Serial->setCurrentIndex(Set.SER_ASCII);
        }
    }
}

void TFParGen::Change_Device_Type() {
    const int Device_Type = CB_Device_Type_Type->currentIndex();
    for (QComboBox* Data_Bits : {RTU.DataBits, ASCII.DataBits}) {
        const QString Shown_Text = Data_Bits->currentText();
        Data_Bits->clear();
        Data_Bits->addItems(Data_Bits_List(Device_Type));
        Data_Bits->setCurrentIndex(Data_Bits_Choice(Shown_Text, Device_Type));
    }
}

void TFParGen::Move_GroupBoxs() {
    const int Mode = CB_Operation_Mode_Mode->currentIndex();
    CP_Device_Type->Set_Content_Height(Bottom_Of(CB_Device_Type_Type) + 12);
    CP_Operation_Mode->Set_Content_Height(Bottom_Of(CB_Operation_Mode_Mode) + 12);
    const auto Fit_Side = [](Category_Panel* Panel, const Side_Rows& Rows, bool TimeOut_Shown) {
        Rows.Labels[5]->setVisible(TimeOut_Shown);
        Rows.TimeOut->setVisible(TimeOut_Shown);
        Panel->Set_Content_Height(
            Bottom_Of(TimeOut_Shown ? static_cast<QWidget*>(Rows.TimeOut) : Rows.StopBits) + 12);
    };
    Fit_Side(CP_Modbus_RTU, RTU, Mode != 0);
    Fit_Side(CP_Modbus_ASCII, ASCII, Mode == 0);
    CP_Ethernet->Set_Content_Height(Bottom_Of(Address_Edits.back()) + 12);
    CP_Ethernet->setVisible(CB_Device_Type_Type->currentIndex() != 0);
}

bool TFParGen::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(Event)->text() == u".") {
        const auto Found = std::find(Address_Edits.begin(), Address_Edits.end(), Watched);
        if (Found != Address_Edits.end()) {
            const int Next = Next_Address_Byte(static_cast<int>(Found - Address_Edits.begin()));
            if (Next >= 0 && Address_Edits[static_cast<size_t>(Next)]->isEnabled() &&
                Address_Edits[static_cast<size_t>(Next)]->isVisible())
                Address_Edits[static_cast<size_t>(Next)]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return Modal_Dialog::eventFilter(Watched, Event);
}

void TFParGen::Btn_OKClick() {
    const Par_Gen Set = Held_Values();
    if (const int Message = Controllo_Dati(Set, Shown())) {
        Msgs.Error(State.Text(Message));
        return;
    }
    const Save_Status Status = Save_Par_Gen(Set, State.ParGen_File);
    if (!Status) {
        Msgs.Error(Status.Error_Text);
        return;
    }
    done(Modal_Ok);
}

} // namespace vo
