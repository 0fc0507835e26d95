#include "TFParGen.h"

#include "Messages.h"
#include "params/Input_Rules.h"
#include "params/Par_Gen_File.h"
#include "shell/Shared_State.h"
#include "util/Writer_Lock.h"
#include "widgets/Button_Panel.h"
#include "widgets/Category_Group.h"
#include "widgets/Category_Panel.h"
#include "widgets/Ipv4_Row.h"
#include "widgets/Placement.h"
#include "widgets/Title_Panel.h"
#include "widgets/Window_Style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
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
constexpr int Client_Height = 700;
constexpr int Side_Rows_Count = 6;

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

TFParGen::TFParGen(const Shared_State& App_State, Messages& Texts, QWidget* Parent)
    : Modal_Dialog(Parent), State(App_State), Msgs(Texts),
      P_Title(new Title_Panel(App_State.Software_Code, this)),
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
    P_Button->Align_Right();
    connect(Btn_OK, &QPushButton::clicked, this, &TFParGen::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFParGen::reject);

    // The width is fixed; the height follows the user and the group scrolls what does not fit.
    setFixedWidth(Client_Width);
    setMinimumHeight(200);
    setMaximumHeight(QWIDGETSIZE_MAX);
    resize(Client_Width, Client_Height);

    Order_TAB_Panels_40913();
    Order_Tab_Keys();
    Group->Watch_Wheel(this);
    Put_Values();
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

    for (const Par_Field& Field : Par_Fields()) {
        const QString Element = QString::fromUtf8(Field.Element);
        if (Field.Kind == Par_Kind::List)
            connect(Lists.value(Element), &QComboBox::activated, this,
                    [this, &Field](int Entry) { On_Choice(Field, Entry); });
        else if (Field.Kind == Par_Kind::Text)
            connect(Edits.value(Element), &QLineEdit::textChanged, this,
                    [this, &Field](const QString& Text) { Values.*Field.Text = Text; });
    }
    connect(CB_Ethernet_En_GAT, &QCheckBox::toggled, this, [this](bool On) { Values.Ethernet_EN_GAT = On; });
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
    for (int Row = 0; Row < Side_Rows_Count; ++Row) {
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
    const Ipv4_Row_Shape Shape{Byte_Width, Byte_Pitch, Edit_Height, 3};
    for (size_t Row = 0; Row < Address_Rows.size(); ++Row) {
        const QString Prefix = QStringLiteral("Ethernet_") + Groups[Row];
        auto* Address = new Ipv4_Row(QStringLiteral("E_") + Prefix, Shape, Content);
        Address->move(Input_Left, Tops[Row]);
        for (int Byte = 0; Byte < Ipv4_Row::Byte_Count; ++Byte)
            Edits.insert(Prefix + QString::number(Byte + 1), Address->Byte(Byte));
        if (Row > 0)
            Address_Rows[Row - 1]->Set_Next(Address);
        Address_Rows[Row] = Address;
    }
}

void TFParGen::Order_TAB_Panels_40913() {
    for (Category_Panel* Panel :
         {CP_Device_Type, CP_Operation_Mode, CP_Modbus_RTU, CP_Modbus_ASCII, CP_Ethernet})
        Group->Add_Panel(Panel);
}

// Numbered in the order of the panels; they follow a change of language as every other text does.
void TFParGen::Caption_Panels() {
    const std::pair<Category_Panel*, int> Captions[] = {{CP_Device_Type, 457},
                                                        {CP_Operation_Mode, 455},
                                                        {CP_Modbus_RTU, 419},
                                                        {CP_Modbus_ASCII, 406},
                                                        {CP_Ethernet, 432}};
    int Number = 1;
    for (const auto& [Panel, Id] : Captions)
        Panel->Set_Caption(QStringLiteral("%1. ").arg(Number++) + State.Text(Id));
}

// Tab runs down the panels as they stand, each header before its rows, then OK and Cancel. The
// group itself takes no focus: it scrolls to the focused input.
void TFParGen::Order_Tab_Keys() {
    Group->setFocusPolicy(Qt::NoFocus);
    QList<QWidget*> Order{CP_Device_Type->Header_Button(), CB_Device_Type_Type,
                          CP_Operation_Mode->Header_Button(), CB_Operation_Mode_Mode};
    for (const auto& [Panel, Rows] : {std::pair{CP_Modbus_RTU, &RTU}, std::pair{CP_Modbus_ASCII, &ASCII}})
        Order << Panel->Header_Button() << Rows->Serial << Rows->Baudrate << Rows->Parity << Rows->DataBits
              << Rows->StopBits << Rows->TimeOut;
    Order << CP_Ethernet->Header_Button();
    for (Ipv4_Row* Row : Address_Rows) {
        if (Row == Address_Rows.back())
            Order << CB_Ethernet_En_GAT;
        for (int Byte = 0; Byte < Ipv4_Row::Byte_Count; ++Byte)
            Order << Row->Byte(Byte);
    }
    Order << Btn_OK << Btn_Cancel;
    Chain_Tab_Order(Order);
}

void TFParGen::Set_Lang() {
    Caption_Panels();
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
        for (int Row = 0; Row < Side_Rows_Count; ++Row) {
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
    for (size_t Row = 0; Row < Address_Rows.size(); ++Row)
        for (int Byte = 0; Byte < Ipv4_Row::Byte_Count; ++Byte)
            Address_Rows[Row]->Byte(Byte)->setToolTip(State.Text(First_Hint[Row] + Byte));
}

int TFParGen::exec() {
    // A file that cannot be read leaves the dialog closed: it may still hold another
    // configuration's values, and OK would save them into this one.
    Par_Gen Set;
    if (const Status Loaded = Load_Par_Gen(State.ParGen_File, Set); !Loaded) {
        Msgs.Error(Loaded.Error());
        return Modal_Cancel;
    }
    Values = Set;
    Put_Values();
    // Every configuration opens at the starting height: a height dragged for another is not kept.
    resize(Client_Width, Client_Height);
    return Modal_Dialog::exec();
}

void TFParGen::Put_Values() {
    Put_Lists();
    for (const Par_Field& Field : Par_Fields()) {
        if (Field.Kind == Par_Kind::Text)
            Edits.value(QString::fromUtf8(Field.Element))->setText(Values.*Field.Text);
    }
    CB_Ethernet_En_GAT->setChecked(Values.Ethernet_EN_GAT);
}

// The lists show the held choices; a choice outside its list shows nothing chosen. The data-bits
// lists hold the entries of the held device type.
void TFParGen::Put_Lists() {
    for (const Par_Field& Field : Par_Fields()) {
        if (Field.Kind != Par_Kind::List)
            continue;
        QComboBox* List = Lists.value(QString::fromUtf8(Field.Element));
        if (Field.List == Par_List::Data_Bits) {
            List->clear();
            List->addItems(Data_Bits_List(Values.Device_Type_Type));
        }
        const int Entry = Values.*Field.Index;
        List->setCurrentIndex(Is_Chosen(Field.List, Values.Device_Type_Type, Entry) ? Entry : Nothing_Chosen);
    }
    Move_GroupBoxs();
}

Par_Gen_View TFParGen::Shown() const {
    return Shown_View(Values);
}

void TFParGen::On_Choice(const Par_Field& Field, int Entry) {
    Choose_Entry(Values, Field.Index, Entry);
    Put_Lists();
}

void TFParGen::Move_GroupBoxs() {
    const Par_Gen_View View = Shown();
    CP_Device_Type->Set_Content_Height(Bottom_Of(CB_Device_Type_Type) + 12);
    CP_Operation_Mode->Set_Content_Height(Bottom_Of(CB_Operation_Mode_Mode) + 12);
    const auto Fit_Side = [](Category_Panel* Panel, const Side_Rows& Rows, bool TimeOut_Shown) {
        Rows.Labels[Side_Rows_Count - 1]->setVisible(TimeOut_Shown);
        Rows.TimeOut->setVisible(TimeOut_Shown);
        Panel->Set_Content_Height(
            Bottom_Of(TimeOut_Shown ? static_cast<QWidget*>(Rows.TimeOut) : Rows.StopBits) + 12);
    };
    Fit_Side(CP_Modbus_RTU, RTU, View.RTU_TimeOut_Shown);
    Fit_Side(CP_Modbus_ASCII, ASCII, View.ASCII_TimeOut_Shown);
    CP_Ethernet->Set_Content_Height(Bottom_Of(Address_Rows.back()) + 12);
    CP_Ethernet->setVisible(View.Ethernet_Shown);
}

void TFParGen::Btn_OKClick() {
    if (const int Message = Controllo_Dati(Values, Shown())) {
        Msgs.Error(State.Text(Message));
        return;
    }
    Writer_Lock Lock(Lock_Of::Configuration, State.Project_Path);
    if (const Status Locked = Lock.Acquire(); !Locked) {
        Msgs.Error(State.Text(Msg_Configuration_Busy) + Locked.Error());
        return;
    }
    const Status Saved = Save_Par_Gen(Values, State.ParGen_File);
    if (!Saved) {
        Msgs.Error(Saved.Error());
        return;
    }
    done(Modal_Ok);
}

} // namespace vo
