#include "TFAbout.h"

#include "Url_Opener.h"
#include "shell/Shared_State.h"
#include "shell/Software_Info.h"
#include "widgets/Click_Label.h"
#include "widgets/Placement.h"
#include "widgets/Window_Style.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace vo {

namespace {

// Our own mark: a green disc with a white V.
QPixmap Draw_Logo() {
    QPixmap Logo(72, 72);
    Logo.fill(Qt::transparent);
    QPainter Painter(&Logo);
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setBrush(QColor(46, 125, 50));
    Painter.setPen(Qt::NoPen);
    Painter.drawEllipse(4, 4, 64, 64);
    Painter.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    Painter.drawPolyline(QPolygon({{22, 22}, {36, 52}, {50, 22}}));
    return Logo;
}

} // namespace

TFAbout::TFAbout(const Shared_State& App_State, Url_Opener& Opener, QWidget* Parent)
    : Modal_Dialog(Parent), State(App_State), Urls(Opener),
      Image2(new Click_Label(QStringLiteral("Image2"), this)), Label2(nullptr), Label9(nullptr),
      Label10(nullptr), Label12(nullptr), Label4(new Click_Label(QStringLiteral("Label4"), this)),
      LbButton1(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("TFAbout"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    Apply_Window_Style(this);
    // The box has fixed texts; without a title the window would show the executable's name.
    setWindowTitle(State.Main_Caption);

    Image2->setPixmap(Draw_Logo());
    // The logo does what the web address does: the keyboard reaches that one.
    Image2->setFocusProxy(Label4);
    Image2->setGeometry(12, 12, 72, 72);
    connect(Image2, &Click_Label::Clicked, this, &TFAbout::Label4Click);

    auto* Label1 = Place_Label(this, QStringLiteral("Label1"), 104, 12, QStringLiteral("Software Vorlent "));
    QFont Bold = Label1->font();
    Bold.setBold(true);
    Label1->setFont(Bold);
    Label2 = Place_Label(this, QStringLiteral("Label2"), 104, 32);
    Place_Label(this, QStringLiteral("Label6"), 104, 56, QStringLiteral("Software Code : "));
    Label9 = Place_Label(this, QStringLiteral("Label9"), 214, 56);
    Place_Label(this, QStringLiteral("Label3"), 104, 72, QStringLiteral("Version :"));
    Label10 = Place_Label(this, QStringLiteral("Label10"), 214, 72);
    Place_Label(this, QStringLiteral("Label8"), 104, 88, QStringLiteral("Document Code :"));
    Label12 = Place_Label(this, QStringLiteral("Label12"), 214, 88);

    Label4->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    Set_Caption(Label4, Maker_Web_Address());
    Label4->move(425 - 12 - Label4->width(), 124);
    connect(Label4, &Click_Label::Clicked, this, &TFAbout::Label4Click);

    LbButton1->setObjectName(QStringLiteral("LbButton1"));
    LbButton1->setGeometry(12, 112, 72, 26);
    LbButton1->setDefault(true);
    connect(LbButton1, &QPushButton::clicked, this, &TFAbout::accept);
    Chain_Tab_Order({LbButton1, Label4});
    LbButton1->setFocus();
}

void TFAbout::showEvent(QShowEvent* Event) {
    Set_Caption(Label2, State.Software_Description);
    Set_Caption(Label9, Software_Code_Text);
    Set_Caption(Label10, Software_Version);
    Set_Caption(Label12, Manual_Code);
    setFixedSize(425, 148);
    Modal_Dialog::showEvent(Event);
}

void TFAbout::Label4Click() {
    Urls.Open_Url(Home_Page_Url());
}

} // namespace vo
