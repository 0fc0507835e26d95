#include "Seam_Text.h"

#include <QFile>

namespace vo {

std::string Seam_Text(const QString& Text) {
#ifdef Q_OS_WIN
    return Text.toStdString();
#else
    return QFile::encodeName(Text).toStdString();
#endif
}

QString From_Seam_Text(const std::string& Text) {
#ifdef Q_OS_WIN
    return QString::fromStdString(Text);
#else
    return QFile::decodeName(QByteArray::fromStdString(Text));
#endif
}

} // namespace vo
