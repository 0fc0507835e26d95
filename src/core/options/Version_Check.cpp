#include "Version_Check.h"

#include "util/Text_Convert.h"

namespace vo {

namespace {

const QString No_Version_Reply = QStringLiteral("VER. 0.000");

} // namespace

int Conv_Version(const QString& Ver_str) {
    const qsizetype Blank = Ver_str.indexOf(u' ');
    const QString Version = Trim_Text(Ver_str.mid(Blank + 1));
    if (Version.size() < 5)
        return -1;
    // One digit, a point, three digits: the point is skipped.
    const QString Digits = QString(Version[0]) + Version.mid(2, 3);
    return Text_To_Int_Def(Digits, -1);
}

bool Reply_Reports_Newer_Version(const QString& Reply) {
    const QString Trimmed = Trim_Text(Reply);
    if (Trimmed.isEmpty() || Trimmed.toUpper() == No_Version_Reply)
        return false;
    const int Own = Conv_Version(Software_Version);
    const int Offered = Conv_Version(Trimmed);
    return Own != -1 && Offered != -1 && Offered > Own;
}

Http_Request Version_Request(const Version_Service& Service) {
    QString Server = Service.Server_Url;
    while (Server.endsWith(u'/'))
        Server.chop(1);
    Http_Request Request;
    Request.Url = (Server + QStringLiteral("/home/download/GetversionSW.asp?nomesw=") + Software_Code_Text)
                      .toStdString();
    Request.Headers = {
        {"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
        {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
    };
    Request.Timeout = Service.Timeout;
    Request.Max_Body_Bytes = Version_Reply_Cap;
    return Request;
}

bool Check_Version(Http_Client& Client, const Version_Service& Service, std::stop_token Stop) {
    const Http_Reply Reply = Client.Get(Version_Request(Service), std::move(Stop));
    return Reply.Ok() && Reply_Reports_Newer_Version(QString::fromStdString(Reply.Body));
}

} // namespace vo
