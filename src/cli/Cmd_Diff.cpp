#include "Cli_Config.h"
#include "Cli_Json.h"
#include "history/Config_Diff.h"
#include "history/History_File.h"
#include "history/Snapshot.h"
#include "image/BankK_Block.h"
#include "params/Par_Gen_File.h"
#include "util/File_Read.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

namespace vo {

namespace {

// Message: the two sides of a diff are equal.
constexpr int Msg_Equal = 77;

// One side of a diff: a parameter set, or the bytes of an image file.
struct Diff_Side {
    bool Image = false;
    Par_Gen Set;
    QByteArray Bytes;
};

bool Fail(Cli_Context& Context, const QString& Reason) {
    Context.Err << "vo40913-cli: " << Reason << '\n';
    return false;
}

bool Load_Par_Gen_File(Cli_Context& Context, const QString& Path, Diff_Side& Side) {
    if (const Status Loaded = Load_Par_Gen(Path, Side.Set); !Loaded)
        return Fail(Context, Loaded.Error());
    return true;
}

bool Load_Image(Cli_Context& Context, const QString& Path, Diff_Side& Side) {
    // No image is larger than a bankK.bin: a larger file is named as such, not read in part.
    const File_Bytes Read = Read_File_Bounded(Path, BankK_Size);
    if (!Read)
        return Fail(Context, Read.Error());
    Side.Image = true;
    Side.Bytes = *Read;
    return true;
}

// CONFIG@RECORD: the snapshot of a record. A snapshot that lost files is refused; an edited one is
// compared as it is now, with a warning.
bool Load_Snapshot(Cli_Context& Context, const QString& Config, const QString& Id, Diff_Side& Side) {
    if (!Open_Config(Context, Config))
        return false;
    const QString& Project = Context.State.Project_Path;
    const History Read = Read_History(Project);
    const Update_Record* Record = Read.Find(Id);
    if (!Record)
        return Fail(Context, QStringLiteral("no record \"%1\" in the history of \"%2\"").arg(Id, Project));
    Snapshot_Check Check;
    if (const Status Loaded = Load_Snapshot_Par_Gen(Project, *Record, Side.Set, Check); !Loaded)
        return Fail(Context, Loaded.Error());
    if (Check.State == Snapshot_State::Edited)
        Context.Err << "vo40913-cli: warning: the snapshot of record \"" << Id << "\" was edited ("
                    << Check.Detail << ")\n";
    return true;
}

// A file (an image when its name ends in ".bin", else a ParGen.xml), CONFIG@RECORD, or CONFIG.
bool Load_Side(Cli_Context& Context, const QString& Arg, Diff_Side& Side) {
    const QFileInfo Info(Arg);
    // Whatever is there and is no folder is read as a file, and a pipe or a device is refused as one.
    if (Info.exists() && !Info.isDir())
        return Arg.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive)
                   ? Load_Image(Context, Arg, Side)
                   : Load_Par_Gen_File(Context, Arg, Side);
    const qsizetype At = Arg.lastIndexOf(u'@');
    if (!Info.isDir() && At > 0)
        return Load_Snapshot(Context, Arg.left(At), Arg.mid(At + 1), Side);
    if (!Open_Config(Context, Arg))
        return false;
    return Load_Par_Gen_File(Context, Context.State.ParGen_File, Side);
}

} // namespace

// diff [--json] A B: field by field, in the dialog's words, between two parameter sets (a
// configuration, CONFIG@RECORD, or a ParGen.xml path), or between two image files.
int Run_Diff(Cli_Context& Context) {
    const bool Json = Take_Option(Context.Args, QStringLiteral("--json"));
    if (Context.Args.size() != 2)
        return Usage_Error(Context, "diff");
    Diff_Side A;
    Diff_Side B;
    if (!Load_Side(Context, Context.Args.at(0), A) || !Load_Side(Context, Context.Args.at(1), B))
        return Exit_Failed;
    if (A.Image != B.Image) {
        Fail(Context, QStringLiteral("an image file is compared only with another image file"));
        return Exit_Failed;
    }
    QList<Diff_Line> Lines;
    if (A.Image) {
        const Result<QList<Diff_Line>> Image_Lines = Diff_Images(A.Bytes, B.Bytes);
        if (!Image_Lines) {
            Fail(Context, Image_Lines.Error());
            return Exit_Failed;
        }
        Lines = *Image_Lines;
    } else {
        Lines = Diff_Par_Gen(A.Set, B.Set, Context.State);
    }
    if (Json) {
        QJsonArray Changes;
        for (const Diff_Line& Line : Lines)
            Changes.append(
                QJsonObject{{QStringLiteral("label"), Line.Label},
                            {QStringLiteral("elements"), QJsonArray::fromStringList(Line.Elements)},
                            {QStringLiteral("from"), Line.From},
                            {QStringLiteral("to"), Line.To},
                            {QStringLiteral("from_values"), QJsonArray::fromStringList(Line.From_Values)},
                            {QStringLiteral("to_values"), QJsonArray::fromStringList(Line.To_Values)}});
        Print_Json(Context, {{QStringLiteral("a"), Context.Args.at(0)},
                             {QStringLiteral("b"), Context.Args.at(1)},
                             {QStringLiteral("kind"),
                              A.Image ? QStringLiteral("images") : QStringLiteral("parameters")},
                             {QStringLiteral("equal"), Lines.isEmpty()},
                             {QStringLiteral("changes"), Changes}});
        return Exit_Ok;
    }
    if (Lines.isEmpty())
        Context.Out << Context.State.Text(Msg_Equal).trimmed() << '\n';
    for (const Diff_Line& Line : Lines)
        Context.Out << Diff_Text(Line) << '\n';
    return Exit_Ok;
}

} // namespace vo
