#include "Url_Opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace vo {

void Desktop_Url_Opener::Open_Url(const QString& Url) {
    QDesktopServices::openUrl(QUrl(Url));
}

} // namespace vo
