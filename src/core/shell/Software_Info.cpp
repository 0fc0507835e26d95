#include "Software_Info.h"

#include <QUrl>

namespace vo {

QString Maker_Server_Url() {
    return QStringLiteral(VO_VERSION_SERVER_URL);
}

QString Maker_Web_Address() {
    return QUrl(Maker_Server_Url()).host();
}

QString Home_Page_Url() {
    return Maker_Server_Url() + QStringLiteral("/HOME/default.asp?frompg=VO40913");
}

QString Download_Page_Url() {
    return Maker_Server_Url() + QStringLiteral("/Home/download/download.asp#DU40913");
}

} // namespace vo
