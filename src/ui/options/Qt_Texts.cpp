#include "Qt_Texts.h"

#include "options/Language_List.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vo {

bool Follow_Qt_Texts(const QString& Language_Name) {
    const QString Name = QStringLiteral("Qt_Texts");
    auto* Translator = qApp->findChild<QTranslator*>(Name, Qt::FindDirectChildrenOnly);
    if (!Translator) {
        Translator = new QTranslator(qApp);
        Translator->setObjectName(Name);
    }
    QCoreApplication::removeTranslator(Translator);
    const QString Locale = Qt_Locale_Of(Language_Name);
    if (Locale.isEmpty())
        return true;
    if (!Translator->load(QStringLiteral("qtbase_") + Locale,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(Translator);
    return true;
}

} // namespace vo
