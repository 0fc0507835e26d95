#include "Updater_Texts.h"

#include "platform/Port_Probe.h"
#include "util/Path_Join.h"

namespace vo {

namespace {

QString Bin_Folder_Text(const QString& Project_Path, QChar Separator) {
    return Project_Path + Separator + QStringLiteral("bin") + Separator;
}

// Double quotes around Path. Where the backslash is not the separator, a file name may hold a
// backslash or a double quote, and both are escaped so that splitting gives the path back; Windows
// names hold no double quote and the text stays as it always was.
QString Quoted(const QString& Path, QChar Separator) {
    QString Text = QStringLiteral("\"");
    for (const QChar C : Path) {
        if (C == u'"' || (C == u'\\' && Separator != u'\\'))
            Text += u'\\';
        Text += C;
    }
    return Text + u'"';
}

} // namespace

Path_Form Native_Path_Form() {
    return {Native_Separator(), QString::fromUtf8(Port_Device_Prefix())};
}

QString Serial_Parameter_Text(const QString& Port, const Update_Choice& Choice, const QString& Master_Dir,
                              const QString& Project_Path, const Path_Form& Form) {
    return Update_Options(Form.Port_Prefix + Port + u' ', Choice) +
           Quoted(Serial_Firmware_File(Master_Dir, Form.Separator), Form.Separator) + u' ' +
           Quoted(Bin_Folder_Text(Project_Path, Form.Separator), Form.Separator);
}

QString Serial_Firmware_File(const QString& Master_Dir, QChar Separator) {
    return Master_Dir + Separator + QStringLiteral("sim40913.sim");
}

QString Ethernet_Firmware_File(const QString& Master_Dir, QChar Separator) {
    return Master_Dir + Separator + QStringLiteral("Sim40913K.sim");
}

QString Configuration_Image_File(const QString& Project_Path, QChar Separator) {
    return Bin_Folder_Text(Project_Path, Separator) + QStringLiteral("bankK.bin");
}

} // namespace vo
