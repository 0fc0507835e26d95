#include "Url_Opener.h"

#include "platform/Web_Page.h"

namespace vo {

bool Desktop_Url_Opener::Open_Url(const QString& Url) {
    return Open_Web_Page(Url.toStdString());
}

} // namespace vo
