#include "Cli_Run.h"
#include "Qt_Print.h"
#include "Tree_Listing.h"
#include "image/Par_Gen_Fixture.h"

#include <QFileInfo>
#include <sys/stat.h>

namespace {

using vo_test::Read_All;
using vo_test::Run_Result;
using vo_test::Write_All;

// A copied vo40913-cli with the configuration X under its PROJECTS, and a folder outside it that no
// command may touch.
class Hostile_Input : public vo_test::Copied_Cli {
protected:
    void SetUp() override {
        Copied_Cli::SetUp();
        ASSERT_TRUE(QDir().mkpath(Config + QStringLiteral("/bin")));
        ASSERT_TRUE(QDir().mkpath(Outside));
        Write_All(Victim, "victim");
    }

    // The file at Path replaced by Kind: a pipe, a link to /dev/zero or a sparse 100 MB file.
    static void Make_Stand_In(const QString& Path, const QString& Kind) {
        QFile::remove(Path);
        if (Kind == u"fifo") {
            ASSERT_EQ(mkfifo(QFile::encodeName(Path).constData(), 0600), 0);
        } else if (Kind == u"zero") {
            ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Path));
        } else {
            QFile Large(Path);
            ASSERT_TRUE(Large.open(QIODevice::WriteOnly));
            ASSERT_TRUE(Large.resize(100 * 1024 * 1024));
        }
    }

    QString Exe_Dir = QFileInfo(Root.path()).canonicalFilePath();
    QString Config = Exe_Dir + QStringLiteral("/PROJECTS/X");
    QString ParGen = Config + QStringLiteral("/ParGen.xml");
    QString Outside = Exe_Dir + QStringLiteral("/outside");
    QString Victim = Outside + QStringLiteral("/victim");
};

const QString Stand_Ins[] = {QStringLiteral("fifo"), QStringLiteral("zero"), QStringLiteral("large")};

QString Reason(const QString& Kind, qint64 Cap) {
    return Kind == u"large" ? QStringLiteral("larger than %1 bytes").arg(Cap)
                            : QStringLiteral("not a regular file");
}

} // namespace

TEST_F(Hostile_Input, Pipes_Devices_And_Huge_Files_End_At_Once_With_The_File_Named) {
    for (const QString& Kind : Stand_Ins) {
        Make_Stand_In(ParGen, Kind);
        for (const QStringList& Args :
             {QStringList{QStringLiteral("show"), QStringLiteral("X")},
              QStringList{QStringLiteral("check"), QStringLiteral("X")},
              QStringList{QStringLiteral("build"), QStringLiteral("X")},
              QStringList{QStringLiteral("set"), QStringLiteral("X"), QStringLiteral("TO_RTU=5")},
              QStringList{QStringLiteral("lang"), ParGen}, QStringList{QStringLiteral("inspect"), ParGen}}) {
            SCOPED_TRACE((Kind + u' ' + Args.first()).toStdString());
            const Run_Result Result = Run(Args);
            EXPECT_EQ(Result.Exit_Code, 1);
            ASSERT_EQ(Result.Err_Lines.size(), 1);
            const qint64 Cap = Args.first() == u"lang" ? 4 * 1024 * 1024 : 1024 * 1024;
            const QString Expected =
                Args.first() == u"inspect" && Kind == u"large"
                    ? QStringLiteral("holds more than 2048 bytes")
                    : QStringLiteral("Cannot read \"%1\": %2").arg(ParGen, Reason(Kind, Cap));
            EXPECT_TRUE(Result.Err_Lines.first().contains(Expected))
                << Result.Err_Lines.first().toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(Config + QStringLiteral("/bin/bankK.bin")));
}

TEST_F(Hostile_Input, No_File_Is_Written_Outside_The_Configuration) {
    vo_test::Write_Par_Gen(Config);
    const QString Bare = Exe_Dir + QStringLiteral("/bare");
    ASSERT_TRUE(QDir().mkpath(Bare + QStringLiteral("/bin")));
    const QStringList Before = vo_test::Tree_Listing(Outside) + vo_test::Tree_Listing(Bare);
    const struct {
        const char* Name;
        QString Link; // made a link to Target before the command; empty: none
        QString Target;
        QStringList Args;
        QString Error_Part;
    } Cases[] = {
        {"image link",
         Config + QStringLiteral("/bin/bankK.bin"),
         Victim,
         {"build", "X"},
         QStringLiteral("outside the configuration folder")},
        {"bin folder link",
         Config + QStringLiteral("/bin"),
         Outside,
         {"build", "X"},
         QStringLiteral("outside the configuration folder")},
        {"dangling parameter file",
         ParGen,
         Outside + QStringLiteral("/ParGen.xml"),
         {"set", "X", "MODE_DEV=1"},
         QStringLiteral("outside the configuration folder")},
        {"folder without ParGen.xml",
         QString(),
         QString(),
         {"build", Bare},
         QStringLiteral("is not a configuration folder")},
        {"folder without ParGen.xml",
         QString(),
         QString(),
         {"set", Bare, "MODE_DEV=1"},
         QStringLiteral("is not a configuration folder")},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        if (!Case.Link.isEmpty()) {
            QFileInfo(Case.Link).isDir() && !QFileInfo(Case.Link).isSymLink()
                ? (void)QDir(Case.Link).removeRecursively()
                : (void)QFile::remove(Case.Link);
            ASSERT_TRUE(QFile::link(Case.Target, Case.Link));
        }
        const Run_Result Result = Run(Case.Args);
        EXPECT_EQ(Result.Exit_Code, 1);
        EXPECT_TRUE(Result.Err_Lines.join(u'\n').contains(Case.Error_Part))
            << Result.Err_Lines.join(u'\n').toStdString();
        if (!Case.Link.isEmpty()) {
            QFile::remove(Case.Link);
            if (Case.Link.endsWith(u"bin"))
                QDir().mkpath(Case.Link);
        }
    }
    vo_test::Write_Par_Gen(Config);
    EXPECT_EQ(vo_test::Tree_Listing(Outside) + vo_test::Tree_Listing(Bare), Before);
    EXPECT_EQ(Read_All(Victim), QByteArray("victim"));
}

TEST_F(Hostile_Input, A_File_Not_Beginning_With_Its_Root_Is_Never_Overwritten) {
    for (const QByteArray& Start : {QByteArray("<?xml version=\"1.0\"?>"), QByteArray("<!-- mine -->")}) {
        const QByteArray File = Start + "<Par_Gen><MODE_DEV>1</MODE_DEV><TO_RTU>777</TO_RTU></Par_Gen>";
        Write_All(ParGen, File);
        for (const QStringList& Args :
             {QStringList{QStringLiteral("set"), QStringLiteral("X"), QStringLiteral("TO_RTU=500")},
              QStringList{QStringLiteral("check"), QStringLiteral("X")}}) {
            SCOPED_TRACE((Start + ' ' + Args.first().toUtf8()).toStdString());
            const Run_Result Result = Run(Args);
            EXPECT_EQ(Result.Exit_Code, 1);
            EXPECT_EQ(Result.Err_Lines,
                      QStringList{
                          QStringLiteral("vo40913-cli: \"%1\": the file does not begin with its root element "
                                         "(an XML declaration or a comment comes first), so none of its "
                                         "values can be read")
                              .arg(ParGen)});
            EXPECT_EQ(Read_All(ParGen), File);
        }
    }
}

TEST_F(Hostile_Input, Names_And_Values_The_System_Cannot_Take_Are_Refused_With_The_Reason) {
    ASSERT_TRUE(
        QFile::link(Exe_Dir + QStringLiteral("/gone"), Exe_Dir + QStringLiteral("/PROJECTS/Dangling")));
    const QString Name_Refused = QStringLiteral("Error! Name project is not valid");
    const struct {
        QStringList Args;
        int Exit_Code;
        QStringList Err_Lines;
    } Cases[] = {
        {{"new", QString(256, u'n')},
         1,
         {Name_Refused,
          QStringLiteral("vo40913-cli: the name is 256 bytes long; a folder name holds at most 255")}},
        {{"new", "Dangling"},
         1,
         {Name_Refused,
          QStringLiteral("vo40913-cli: \"%1/PROJECTS/Dangling\" exists and is not a folder").arg(Exe_Dir)}},
        {{"new", QString(QChar::ReplacementCharacter)},
         1,
         {Name_Refused,
          QStringLiteral("vo40913-cli: the name holds bytes that are not valid in the file system's "
                         "encoding (UTF-8)")}},
        {{"--language", "../../x", "show", "X"},
         2,
         {QStringLiteral(
             "vo40913-cli: --language takes the name of a language file in LANGUAGE, not \"../../x\"")}},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Args.join(u' ').left(40).toStdString());
        const Run_Result Result = Run(Case.Args);
        EXPECT_EQ(Result.Exit_Code, Case.Exit_Code);
        EXPECT_EQ(Result.Err_Lines, Case.Err_Lines);
    }
    // Bytes that are no UTF-8, as a shell passes them.
    QProcess Shell;
    Shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), QStringLiteral("\"$0\" new \"$(printf '\\377\\376')\""), Program});
    ASSERT_TRUE(Shell.waitForFinished());
    EXPECT_EQ(Shell.exitCode(), 1);
    EXPECT_EQ(QDir(Exe_Dir + QStringLiteral("/PROJECTS"))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              (QStringList{QStringLiteral("Dangling"), QStringLiteral("X")}));
}

TEST_F(Hostile_Input, What_The_Checks_Pass_Compiles_And_Long_Values_Are_Cut_In_Messages) {
    vo_test::Write_Par_Gen(Config, {{"Device_Type_Type", "0"}, {"MODE_DEV", "0"}});
    // With MODE_DEV 0 the RTU TimeOut is hidden, but the images still need an integer there.
    const Run_Result Set = Run({QStringLiteral("set"), QStringLiteral("X"), QStringLiteral("TO_RTU=5=6")});
    EXPECT_EQ(Set.Exit_Code, 1);
    EXPECT_EQ(Set.Err_Lines,
              QStringList{QStringLiteral("Modbus RTU!! TimeOut must be between 1 and 60000 milliseconds")});
    EXPECT_EQ(Run({QStringLiteral("set"), QStringLiteral("X"), QStringLiteral("TO_RTU=7")}).Exit_Code, 0);
    EXPECT_EQ(Run({QStringLiteral("build"), QStringLiteral("X")}).Exit_Code, 0);

    vo_test::Write_Par_Gen(Config, {{"TO_RTU", QString(100000, u'9')}});
    const Run_Result Build = Run({QStringLiteral("build"), QStringLiteral("X")});
    EXPECT_EQ(Build.Exit_Code, 1);
    ASSERT_EQ(Build.Err_Lines.size(), 1);
    EXPECT_LT(Build.Err_Lines.first().size(), 300);
    EXPECT_TRUE(Build.Err_Lines.first().contains(QStringLiteral("... (100000 characters)")));
}
