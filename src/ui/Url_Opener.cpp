#include "Url_Opener.h"

#include "platform/Web_Page.h"

namespace vo {

void Desktop_Url_Opener::Open_Url(const QString& Url) {
    Open_Web_Page(Url.toStdString());
}

} // namespace vo
