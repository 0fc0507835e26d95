#include "Commissioning_Report.h"

#include "history/Built_Images.h"
#include "history/Commissioning_Info.h"
#include "history/Commissioning_Verdict.h"
#include "history/History_File.h"
#include "history/Record_Words.h"
#include "history/Snapshot.h"
#include "params/Par_Gen_File.h"
#include "params/Par_Gen_Rows.h"
#include "shell/Shared_State.h"
#include "shell/Software_Info.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace vo {

namespace {

// Message ids of the report's own words.
constexpr int Msg_Report_Title = 81;
constexpr int Msg_Configuration = 82;
constexpr int Msg_Parameters = 83;
constexpr int Msg_Latest_Records = 85;
constexpr int Msg_Date = 86;
constexpr int Msg_Program_Version = 87;
constexpr int Msg_Commissioned_By = 88;
constexpr int Msg_Signature = 89;
constexpr int Msg_Customer = 90;
constexpr int Msg_Device_Type = 458;
constexpr int Msg_Verdict = 1157;
constexpr int Msg_Kind = 1170;
constexpr int Msg_Detail = 1173;
constexpr int Msg_Checksums = 1174;
constexpr int Msg_Name = 1175;
constexpr int Msg_Firmware = 1178;
constexpr int Msg_Firmware_Written = 1179;
constexpr int Msg_Firmware_Not_Written = 1180;

// The same table frame everywhere: cells apart from their neighbours, so no text touches another.
const QString Table_Start = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\">");
// The signatures' table, where a long report breaks its page; its padding, found in no other table,
// finds it in the laid-out document.
const QString Signatures_Marker = QStringLiteral("class=\"signatures\"");
constexpr int Signatures_Padding = 4;
const QString Label_Style = QStringLiteral("style=\"color:#444444; font-size:8pt\"");

// Text from files anyone may have edited: escaped, and without the format characters that would turn
// it round ("evil" printed as "live").
QString H(QString Text) {
    Text.removeIf([](QChar C) { return C.category() == QChar::Other_Format; });
    return Text.toHtmlEscaped();
}

// A record's words cut where a hand-edited history would run over pages.
QString Cell(const QString& Text) {
    return H(Text.size() > 120 ? Text.left(120) + u'\u2026' : Text);
}

QString T(const Shared_State& State, int Id) {
    return H(State.Text(Id).trimmed());
}

QString Multi_Line(const QString& Text) {
    return H(Text).replace(u'\n', QStringLiteral("<br>"));
}

QString Mono(const QString& Text) {
    return QStringLiteral("<span style=\"font-family:'DejaVu Sans Mono'; font-size:7pt\">%1</span>")
        .arg(H(Text));
}

// Firmware written by the latest successful update with the firmware step: the file is the one of
// its way (serial or Ethernet).
QString Firmware_Words(const Shared_State& State, const History& Read) {
    for (auto It = Read.Records.crbegin(); It != Read.Records.crend(); ++It)
        if (It->Succeeded() && (It->Option_Index == 0 || It->Option_Index == 1))
            return State.Text(Msg_Firmware_Written)
                .trimmed()
                .arg(Local_Time_Text(It->Time), It->Mode == u"ethernet" ? QStringLiteral("Sim40913K.sim")
                                                                        : QStringLiteral("sim40913.sim"));
    return State.Text(Msg_Firmware_Not_Written).trimmed();
}

// Label and value in pairs, two pairs a row.
QString Title_Block(const QList<std::pair<QString, QString>>& Pairs) {
    QString Html = Table_Start;
    for (qsizetype I = 0; I < Pairs.size(); I += 2) {
        Html += QStringLiteral("<tr>");
        for (qsizetype J = I; J < I + 2; ++J) {
            const bool Here = J < Pairs.size();
            Html +=
                QStringLiteral("<td width=\"21%\" %1>%2</td><td width=\"29%\">%3</td>")
                    .arg(Label_Style, Here ? Pairs[J].first : QString(), Here ? Pairs[J].second : QString());
        }
        Html += QStringLiteral("</tr>");
    }
    return Html + QStringLiteral("</table>");
}

QString Verdict_Section(const Shared_State& State, const Commissioning_Verdict& Verdict) {
    const bool Good = Verdict.Verdict == Commissioning_Verdict::State::Updated &&
                      (!Verdict.Link || Verdict.Link->Link.value(QStringLiteral("passed")).toBool());
    return QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"6\" border=\"1\" "
                          "style=\"border-color:%1; border-style:solid\"><tr><td bgcolor=\"%2\"><b>%3:</b> "
                          "%4</td></tr></table>")
        .arg(Good ? QStringLiteral("#2e7d32") : QStringLiteral("#b00020"),
             Good ? QStringLiteral("#eef7ee") : QStringLiteral("#fdecee"), T(State, Msg_Verdict),
             H(Verdict_Words(Verdict, State)));
}

// One panel of the parameter dialog as table rows: its words, then its rows; a panel with one row
// that repeats its words is one row.
QString Panel_Rows(const QList<Par_Row>& Rows) {
    const QString Row = QStringLiteral("<tr><td width=\"45%\" %1>%2</td><td>%3</td></tr>");
    const Par_Row& First = Rows.first();
    if (Rows.size() == 1 && (First.Label.isEmpty() || First.Label == First.Panel))
        return Row.arg(QString(), QStringLiteral("<b>%1</b>").arg(H(First.Panel)), H(First.Value));
    QString Html = QStringLiteral("<tr><td colspan=\"2\"><b>%1</b></td></tr>").arg(H(First.Panel));
    for (const Par_Row& R : Rows)
        Html += Row.arg(Label_Style, QStringLiteral("&nbsp;&nbsp;") + H(R.Label), H(R.Value));
    return Html;
}

// The panels in two columns side by side, split where the two halves come closest in rows.
QString Parameter_Section(const Shared_State& State, const Par_Gen& Set) {
    QList<QList<Par_Row>> Panels;
    for (const Par_Row& R : Shown_Par_Rows(Set, State)) {
        // The gateway's address means nothing while the gateway is off.
        if (R.Elements.first() == u"Ethernet_GAT1" && !Set.Ethernet_EN_GAT)
            continue;
        if (Panels.isEmpty() || Panels.last().first().Panel != R.Panel)
            Panels.append(QList<Par_Row>());
        Panels.last().append(R);
    }
    qsizetype Total = 0;
    for (const QList<Par_Row>& Panel : Panels)
        Total += Panel.size() + 1;
    QString Column[2];
    qsizetype Left = 0;
    for (const QList<Par_Row>& Panel : Panels) {
        const bool Right = !Column[0].isEmpty() && 2 * (Left + Panel.size() / 2) > Total;
        Column[Right ? 1 : 0] += Panel_Rows(Panel);
        if (!Right)
            Left += Panel.size() + 1;
    }
    const QString Inner =
        QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">%1</table>");
    return QStringLiteral("<h3>%1</h3><table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"><tr>"
                          "<td width=\"50%\" valign=\"top\">%2</td><td width=\"50%\" valign=\"top\">%3</td>"
                          "</tr></table>")
        .arg(T(State, Msg_Parameters), Inner.arg(Column[0]), Inner.arg(Column[1]));
}

QString Record_Section(const Shared_State& State, const QList<Update_Record>& Records) {
    QList<const Update_Record*> Shown;
    for (auto It = Records.crbegin(); It != Records.crend() && Shown.size() < Report_Records; ++It)
        if (It->Record_Kind != Update_Record::Kind::Restore)
            Shown.append(&*It);
    const QString Heading = QStringLiteral("<h3>%1</h3>").arg(T(State, Msg_Latest_Records));
    if (Shown.isEmpty())
        return Heading + QStringLiteral("<p>&mdash;</p>");
    // The heading is a row of the table's head, so that it goes with the table to any page.
    QString Html =
        Table_Start +
        QStringLiteral(
            "<thead><tr><td colspan=\"5\">%1</td></tr><tr><td width=\"27%\"><b>%2</b></td><td "
            "width=\"18%\"><b>%3</b></td>"
            "<td width=\"13%\"><b>%4</b></td><td width=\"15%\"><b>%5</b></td><td><b>%6</b></td></tr></thead>")
            .arg(Heading, T(State, Msg_Record_Time), T(State, Msg_Kind), T(State, Msg_Record_Target),
                 T(State, Msg_Record_Outcome), T(State, Msg_Detail));
    for (const Update_Record* R : Shown) {
        const bool Good = R->Succeeded() || (R->Record_Kind == Update_Record::Kind::Link_Test &&
                                             R->Link.value(QStringLiteral("passed")).toBool());
        Html += QStringLiteral(
                    "<tr><td>%1</td><td>%2</td><td>%3</td><td style=\"color:%4\">%5</td><td>%6</td></tr>")
                    .arg(Cell(Local_Time_Text(R->Time)), H(Kind_Words(*R, State)), Cell(R->Target),
                         Good ? QStringLiteral("#2e7d32") : QStringLiteral("#b00020"),
                         H(Result_Words(*R, State)), Cell(Detail_Words(*R, State)));
    }
    return Html + QStringLiteral("</table>");
}

// Each party has its own column; each line its label on the left. The configuration is named above
// them, for a long report whose signatures go to a page of their own.
QString Signature_Section(const Shared_State& State) {
    const QString Line = QStringLiteral("<td valign=\"bottom\"><br><br>______________________________</td>");
    QString Html =
        QStringLiteral("<br><table %1 width=\"100%\" cellspacing=\"0\" cellpadding=\"%2\">")
            .arg(Signatures_Marker)
            .arg(Signatures_Padding) +
        QStringLiteral("<tr><td colspan=\"3\" %1>%2 &ndash; %3: %4</td></tr>")
            .arg(Label_Style, T(State, Msg_Report_Title), T(State, Msg_Configuration),
                 H(State.Project_Name)) +
        QStringLiteral("<tr><td width=\"20%\"></td><td width=\"40%\"><b>%1</b></td><td><b>%2</b></td></tr>")
            .arg(T(State, Msg_Commissioned_By), T(State, Msg_Customer));
    for (const int Label : {Msg_Name, Msg_Date, Msg_Signature})
        Html += QStringLiteral("<tr><td valign=\"bottom\" %1>%2</td>%3%3</tr>")
                    .arg(Label_Style, T(State, Label), Line);
    return Html + QStringLiteral("</table>");
}

QString Checksum_Section(const Shared_State& State, const Config_Files& Files) {
    const auto Row = [](const QString& Name, const QString& Sum) {
        return QStringLiteral("<tr><td width=\"20%\">%1</td><td>%2</td></tr>")
            .arg(Name, Sum.isEmpty() ? QStringLiteral("&mdash;") : Mono(Sum));
    };
    const File_Sums Sums = Files.Sums();
    return QStringLiteral("<h4>%1</h4>").arg(T(State, Msg_Checksums)) + Table_Start +
           Row(QStringLiteral("ParGen.xml"), Sums.ParGen) + Row(QStringLiteral("bin/bank.bin"), Sums.Bank) +
           Row(QStringLiteral("bin/bankK.bin"), Sums.BankK) + QStringLiteral("</table>");
}

} // namespace

Result<QString> Report_Html(const Shared_State& State) {
    Par_Gen Set;
    if (const Status Loaded = Load_Par_Gen(State.ParGen_File, Set); !Loaded)
        return Failure(Loaded.Error());
    const Result<Config_Files> Files = Read_Config_Files(State.Project_Path, false);
    if (!Files)
        return Failure(Files.Error());
    const History Read = Read_History(State.Project_Path);
    // A report whose records stayed empty because the history could not be read would say that
    // nothing was ever updated.
    if (!Read.Error_Text.isEmpty())
        return Failure(Read.Error_Text);
    const Result<Commissioning_Info> Info = Read_Commissioning_Info(State.Project_Path);
    if (!Info)
        return Failure(Info.Error());
    const Result<Commissioning_Verdict> Verdict = Verdict_Of_Configuration(State, Read);
    if (!Verdict)
        return Failure(Verdict.Error());
    QString Html = QStringLiteral("<html><body style=\"font-family:'DejaVu Sans'\">");
    Html += QStringLiteral("<h2>%1 &ndash; %2</h2>").arg(H(Software_Code_Text), T(State, Msg_Report_Title));
    QList<std::pair<QString, QString>> Pairs{
        {T(State, Msg_Configuration), QStringLiteral("<b>%1</b>").arg(H(State.Project_Name))},
        {T(State, Msg_Device_Type), H(Entry_Text(Par_List::Device_Type, 0, Set.Device_Type_Type))}};
    for (const Info_Field& Field : Info_Fields())
        if (!Field.Multi_Line)
            Pairs.append({T(State, Field.Label), H((*Info).*Field.Member)});
    Pairs.append({T(State, Msg_Firmware), H(Firmware_Words(State, Read))});
    Pairs.append(
        {T(State, Msg_Date), H(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm t")))});
    Pairs.append({T(State, Msg_Program_Version), H(Software_Code_Text + u' ' + Software_Version)});
    Html += Title_Block(Pairs);
    Html += QStringLiteral("<br>") + Verdict_Section(State, *Verdict);
    // The verdict names the bigger fault; stale images are never left to the checksums.
    if (Verdict->Stale_Images && Verdict->Verdict != Commissioning_Verdict::State::Images_Differ)
        Html +=
            QStringLiteral("<p style=\"color:#b00020\">%1</p>").arg(T(State, Msg_Images_Not_Of_Parameters));
    for (const Info_Field& Field : Info_Fields())
        if (Field.Multi_Line && !((*Info).*Field.Member).isEmpty())
            Html += QStringLiteral("<p><span %1>%2:</span> %3</p>")
                        .arg(Label_Style, T(State, Field.Label), Multi_Line((*Info).*Field.Member));
    Html += Parameter_Section(State, Set);
    Html += Record_Section(State, Read.Records);
    Html += Signature_Section(State);
    Html += Checksum_Section(State, *Files);
    return Html + QStringLiteral("</body></html>");
}

QByteArray Report_Pdf(const QString& Html) {
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    QPdfWriter Writer(&Buffer);
    Writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    Writer.setCreator(Software_Code_Text + u' ' + Software_Version);
    // Laid out on the writer's pages inside their margins, so that the pages are counted before
    // anything is printed, and printed as counted.
    QTextDocument Doc;
    const auto Lay_Out = [&](double Points, bool Break_Before_Signatures) {
        QFont Font(QStringLiteral("DejaVu Sans"));
        Font.setPointSizeF(Points);
        Doc.setDefaultFont(Font);
        QString Laid_Out = Html;
        if (Break_Before_Signatures)
            Laid_Out.replace(Signatures_Marker, QStringLiteral("style=\"page-break-before:always\""));
        Doc.setHtml(Laid_Out);
        Doc.documentLayout()->setPaintDevice(&Writer);
        QTextFrameFormat Frame = Doc.rootFrame()->frameFormat();
        Frame.setMargin(0);
        Doc.rootFrame()->setFrameFormat(Frame);
        Doc.setPageSize(QSizeF(Writer.width(), Writer.height()));
        return Doc.pageCount();
    };
    // The signatures and the checksums after them on one page, the last.
    const auto Signatures_Whole = [&] {
        for (QTextFrame* Child : Doc.rootFrame()->childFrames()) {
            const auto* Table = qobject_cast<QTextTable*>(Child);
            if (!Table || Table->format().cellPadding() != Signatures_Padding)
                continue;
            const qreal Top = Doc.documentLayout()->frameBoundingRect(Child).top();
            return static_cast<int>(Top / Doc.pageSize().height()) == Doc.pageCount() - 1;
        }
        return false;
    };
    // One page in a smaller type where the data is long; beyond that more, with the signatures
    // whole on the last, in the largest type that keeps them so, or after a page break.
    const double Sizes[] = {9.0, 8.5, 8.0, 7.5};
    const auto Fitted = [&] {
        for (const double Points : Sizes)
            if (Lay_Out(Points, false) == 1)
                return true;
        for (const double Points : Sizes)
            if (Lay_Out(Points, false); Signatures_Whole())
                return true;
        return false;
    };
    if (!Fitted())
        Lay_Out(Sizes[0], true);
    Doc.print(&Writer);
    return Bytes;
}

Status Write_Report(const Shared_State& State, const QString& Path) {
    const Result<QString> Html = Report_Html(State);
    if (!Html)
        return Failure(Html.Error());
    // A report kept in the configuration's folder, however the path is spelled (a link to the folder, a
    // linked PROJECTS), is not written through a link leading out of it.
    const QFileInfo Destination(Path);
    const QString Folder = QDir(Destination.absolutePath()).canonicalPath();
    const QString Project = QFileInfo(State.Project_Path).canonicalFilePath();
    if (!Folder.isEmpty() && !Project.isEmpty() && (Folder == Project || Folder.startsWith(Project + u'/')))
        return Save_Configuration_File(Folder + u'/' + Destination.fileName(), Report_Pdf(*Html), Project);
    return Save_File_Atomic(Path, Report_Pdf(*Html));
}

} // namespace vo
