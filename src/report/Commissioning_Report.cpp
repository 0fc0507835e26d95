#include "Commissioning_Report.h"

#include "history/Built_Images.h"
#include "history/History_File.h"
#include "history/Snapshot.h"
#include "params/Par_Gen_File.h"
#include "params/Par_Gen_Rows.h"
#include "shell/Shared_State.h"
#include "shell/Software_Info.h"

#include <QBuffer>
#include <QDateTime>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>

namespace vo {

namespace {

// Message ids of the report's own words.
constexpr int Msg_Report_Title = 81;
constexpr int Msg_Configuration = 82;
constexpr int Msg_Parameters = 83;
constexpr int Msg_Images = 84;
constexpr int Msg_Latest_Updates = 85;
constexpr int Msg_Date = 86;
constexpr int Msg_Program_Version = 87;
constexpr int Msg_Commissioned_By = 88;
constexpr int Msg_Signature = 89;
constexpr int Msg_Customer = 90;
constexpr int Msg_Device_Type = 458;

QString H(const QString& Text) {
    return Text.toHtmlEscaped();
}

QString T(const Shared_State& State, int Id) {
    return H(State.Text(Id).trimmed());
}

QString Row(const QString& Label, const QString& Value) {
    return QStringLiteral("<tr><td width=\"24%\">%1</td><td>%2</td></tr>").arg(Label, Value);
}

QString Mono(const QString& Text) {
    return QStringLiteral("<span style=\"font-family:'DejaVu Sans Mono'; font-size:7.5pt\">%1</span>")
        .arg(H(Text));
}

// "2026-12-10 13:58:56": the heading says UTC.
QString Shown_Time(const QString& Iso) {
    const QDateTime Time = QDateTime::fromString(Iso, Qt::ISODateWithMs);
    return Time.isValid() ? Time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : Iso;
}

QString Parameter_Section(const Shared_State& State, const Par_Gen& Set) {
    QString Html = QStringLiteral("<h3>%1</h3><table width=\"100%\" cellspacing=\"0\" cellpadding=\"1\">")
                       .arg(T(State, Msg_Parameters));
    QString Panel;
    for (const Par_Row& R : Shown_Par_Rows(Set, State)) {
        if (R.Panel != Panel) {
            Panel = R.Panel;
            Html += QStringLiteral("<tr><td colspan=\"2\"><b>%1</b></td></tr>").arg(H(Panel));
        }
        Html += Row(QStringLiteral("&nbsp;&nbsp;") + H(R.Label.isEmpty() ? R.Panel : R.Label), H(R.Value));
    }
    return Html + QStringLiteral("</table>");
}

QString Image_Section(const Shared_State& State, const Config_Files& Files) {
    const auto Sum = [](const QString& S) {
        return S.isEmpty() ? QStringLiteral("&mdash;") : Mono(S);
    };
    const File_Sums Sums = Files.Sums();
    // Checksums of images built from other parameters are never printed without saying so.
    const QString Warning = Images_Differ(Compare_Built_Images(State.ParGen_File, Files))
                                ? QStringLiteral("<p style=\"color:#b00020\"><b>%1</b></p>")
                                      .arg(T(State, Msg_Images_Not_Of_Parameters))
                                : QString();
    return QStringLiteral("<h3>%1 (SHA-256)</h3>%5<table width=\"100%\" cellspacing=\"0\" "
                          "cellpadding=\"1\">%2%3%4</table>")
        .arg(T(State, Msg_Images), Row(QStringLiteral("ParGen.xml"), Sum(Sums.ParGen)),
             Row(QStringLiteral("bin/bank.bin"), Sum(Sums.Bank)),
             Row(QStringLiteral("bin/bankK.bin"), Sum(Sums.BankK)), Warning);
}

QString Record_Section(const Shared_State& State, const QList<Update_Record>& Records) {
    QString Html =
        QStringLiteral(
            "<h3>%1</h3><table width=\"100%\" cellspacing=\"0\" cellpadding=\"1\" border=\"0\">"
            "<tr><td width=\"24%\"><b>%2</b></td><td width=\"22%\"><b>%3</b></td><td><b>%4</b></td>"
            "<td width=\"20%\"><b>bankK.bin</b></td></tr>")
            .arg(T(State, Msg_Latest_Updates), T(State, Msg_Record_Time), T(State, Msg_Record_Target),
                 T(State, Msg_Record_Outcome));
    for (qsizetype I = std::max<qsizetype>(0, Records.size() - Report_Records); I < Records.size(); ++I) {
        const Update_Record& R = Records[I];
        Html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>")
                    .arg(H(Shown_Time(R.Time)), H(R.Target), H(Outcome_Words(R, State)),
                         Mono(R.Sums.BankK.left(16)));
    }
    return Html + QStringLiteral("</table>");
}

QString Signature_Section(const Shared_State& State) {
    const QString Line = QStringLiteral("<br><br>______________________________");
    const auto Box = [&](int Who) {
        return QStringLiteral("<td width=\"50%\">%1%2<br>%3%4<br>%5%6</td>")
            .arg(T(State, Who), Line, T(State, Msg_Date), Line, T(State, Msg_Signature), Line);
    };
    return QStringLiteral(
               "<br><table width=\"100%\" cellspacing=\"0\" cellpadding=\"4\"><tr>%1%2</tr></table>")
        .arg(Box(Msg_Commissioned_By), Box(Msg_Customer));
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
    // A report whose "Latest Updates" stayed empty because the history could not be read would say
    // that nothing was ever updated.
    if (!Read.Error_Text.isEmpty())
        return Failure(Read.Error_Text);
    QString Html = QStringLiteral("<html><body style=\"font-family:'DejaVu Sans'; font-size:9pt\">");
    Html += QStringLiteral("<h2>%1 &ndash; %2</h2>").arg(H(Software_Code_Text), T(State, Msg_Report_Title));
    Html += QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"1\">");
    Html += Row(T(State, Msg_Configuration), QStringLiteral("<b>%1</b>").arg(H(State.Project_Name)));
    Html += Row(T(State, Msg_Device_Type), H(Entry_Text(Par_List::Device_Type, 0, Set.Device_Type_Type)));
    Html += Row(T(State, Msg_Date),
                H(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'"))));
    Html += Row(T(State, Msg_Program_Version), H(Software_Code_Text + u' ' + Software_Version +
                                                 QStringLiteral(" \u2013 ") + Software_Description_Text));
    Html += QStringLiteral("</table>");
    Html += Parameter_Section(State, Set);
    Html += Image_Section(State, *Files);
    Html += Record_Section(State, Read.Records);
    Html += Signature_Section(State);
    return Html + QStringLiteral("</body></html>");
}

QByteArray Report_Pdf(const QString& Html) {
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    QPdfWriter Writer(&Buffer);
    Writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                     QPageLayout::Millimeter));
    Writer.setCreator(Software_Code_Text + u' ' + Software_Version);
    // The document adds margins of its own (2 cm) when it lays out the pages for printing.
    QTextDocument Doc;
    Doc.setHtml(Html);
    Doc.print(&Writer);
    return Bytes;
}

Status Write_Report(const Shared_State& State, const QString& Path) {
    const Result<QString> Html = Report_Html(State);
    if (!Html)
        return Failure(Html.Error());
    return Save_File_Atomic(Path, Report_Pdf(*Html));
}

} // namespace vo
