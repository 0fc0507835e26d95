#include "Par_Gen_Fixture.h"

#include "File_Bytes.h"
#include "Qt_Print.h"
#include "image/Image_Builder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace vo_test {

QString Write_Par_Gen(const QString& Folder, const std::vector<Element_Edit>& Edits,
                      const QString& File_Name) {
    QFile Source(vo_test::Test_Data_Path("image/ParGen.xml"));
    EXPECT_TRUE(Source.open(QIODevice::ReadOnly));
    QString Text = QString::fromUtf8(Source.readAll());
    for (const Element_Edit& Edit : Edits) {
        const QString Name = QLatin1String(Edit.Name);
        const QRegularExpression Element(QStringLiteral("<%1>[^<]*</%1>").arg(Name));
        const QString Replacement =
            Edit.Content ? QStringLiteral("<%1>%2</%1>").arg(Name, *Edit.Content) : QString();
        if (Text.contains(Element))
            Text.replace(Element, Replacement);
        else
            Text.replace(QStringLiteral("</Par_Gen>"), Replacement + QStringLiteral("</Par_Gen>"));
    }
    const QString Path = QDir(Folder).filePath(File_Name);
    QFile Target(Path);
    EXPECT_TRUE(Target.open(QIODevice::WriteOnly | QIODevice::Truncate));
    Target.write(Text.toUtf8());
    return Path;
}

vo::Config_Image Build_Ok(const QString& Path) {
    vo::Image_Build Build = vo::Build_Image(Path);
    EXPECT_TRUE(Build) << Build.Error().toStdString();
    return Build ? *Build : vo::Config_Image{};
}

} // namespace vo_test
