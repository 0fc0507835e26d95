#include "Updater_Texts.h"

#include "platform/Port_Probe.h"
#include "platform/Process_Runner.h"
#include "util/Path_Join.h"

namespace vo {

namespace {

QString Bin_Folder_Text(const QString& Project_Path, QChar Separator) {
    return Project_Path + Separator + QStringLiteral("bin") + Separator;
}

// Double quotes around Path. Where the text is split by shell rules, a file name may hold a
// backslash or a double quote, and both are escaped so that the split gives the path back.
QString Quoted(const QString& Path, const Path_Form& Form) {
    QString Text = QStringLiteral("\"");
    for (const QChar C : Path) {
        if (Form.Shell_Split && (C == u'"' || C == u'\\'))
            Text += u'\\';
        Text += C;
    }
    return Text + u'"';
}

// The port as one word: where the text is split by shell rules, an empty port or one holding
// blanks or quotes must not shift the words after it. Device paths stay as they are.
QString Port_Word(const QString& Port, const Path_Form& Form) {
    const QString Name = Form.Port_Prefix + Port;
    if (!Form.Shell_Split)
        return Name;
    if (Name.isEmpty())
        return QStringLiteral("\"\"");
    QString Word;
    for (const QChar C : Name) {
        if (C == u' ' || C == u'\t' || C == u'\n' || C == u'"' || C == u'\'' || C == u'\\')
            Word += u'\\';
        Word += C;
    }
    return Word;
}

} // namespace

Path_Form Native_Path_Form() {
    return {Native_Separator(), QString::fromUtf8(Port_Device_Prefix()),
            Parameter_Text_Split_By_Shell_Rules()};
}

QString Serial_Parameter_Text(const QString& Port, const Update_Choice& Choice, const QString& Master_Dir,
                              const QString& Project_Path, const Path_Form& Form) {
    return Update_Options(Port_Word(Port, Form) + u' ', Choice) +
           Quoted(Serial_Firmware_File(Master_Dir, Form.Separator), Form) + u' ' +
           Quoted(Bin_Folder_Text(Project_Path, Form.Separator), Form);
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
