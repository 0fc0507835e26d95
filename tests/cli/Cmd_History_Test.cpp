#include "History_Run.h"
#include "Qt_Print.h"

namespace {

using vo_test::Read_All;
using vo_test::Sha256;

QString Id_Of(const QJsonValue& Record) {
    return Record.toObject().value(QStringLiteral("id")).toString();
}

QJsonObject Outcome_Of(const QJsonValue& Record) {
    return Record.toObject().value(QStringLiteral("outcome")).toObject();
}

QString Sum_Of(const QJsonValue& Record, const char* File) {
    return Record.toObject().value(QStringLiteral("sha256")).toObject().value(QLatin1String(File)).toString();
}

// Three updates with changes in between, then diff, restore and the undoing restore.
class Three_Updates : public vo_test::History_Cli {
protected:
    void SetUp() override {
        History_Cli::SetUp();
        ASSERT_EQ(Update("exit 0").Exit_Code, 0);
        Keep_State();
        Set({QStringLiteral("BAUD_RTU=3")});
        ASSERT_EQ(Update("exit 3").Exit_Code, 1);
        Keep_State();
        Set({QStringLiteral("PAR_RTU=2"), QStringLiteral("TO_ASCII=2000")});
        ASSERT_EQ(Update("kill -9 $$").Exit_Code, 1);
        Keep_State();
    }

    // What the updater got: the files as they stand after the update.
    void Keep_State() {
        const QString Bin = Config() + QStringLiteral("/bin/");
        ParGen_Bytes.append(Read_All(ParGen()));
        Bank_Sums.append(Sha256(Read_All(Bin + QStringLiteral("bank.bin"))));
        BankK_Sums.append(Sha256(Read_All(Bin + QStringLiteral("bankK.bin"))));
    }

    QList<QByteArray> ParGen_Bytes;
    QStringList Bank_Sums;
    QStringList BankK_Sums;
};

TEST_F(Three_Updates, History_Lists_Each_Attempt_With_Its_Outcome_And_Checksums) {
    const QJsonArray Records = this->Records();
    ASSERT_EQ(Records.size(), 3);
    const struct {
        const char* State;
        int Exit_Code;
        int Signal;
    } Expected[] = {{"ended", 0, 0}, {"ended", 3, 0}, {"ended", 0, 9}};
    for (int I = 0; I < 3; ++I) {
        SCOPED_TRACE(I);
        const QJsonObject Outcome = Outcome_Of(Records[I]);
        EXPECT_EQ(Outcome.value(QStringLiteral("state")).toString(), QLatin1String(Expected[I].State));
        EXPECT_EQ(Outcome.value(QStringLiteral("exit_code")).toInt(), Expected[I].Exit_Code);
        EXPECT_EQ(Outcome.value(QStringLiteral("signal")).toInt(), Expected[I].Signal);
        EXPECT_EQ(Sum_Of(Records[I], "ParGen.xml"), Sha256(ParGen_Bytes[I]));
        EXPECT_EQ(Sum_Of(Records[I], "bank.bin"), Bank_Sums[I]);
        EXPECT_EQ(Sum_Of(Records[I], "bankK.bin"), BankK_Sums[I]);
        EXPECT_EQ(Records[I].toObject().value(QStringLiteral("target")).toString(), Port);
        EXPECT_EQ(Read_All(Snapshot(Id_Of(Records[I])) + QStringLiteral("/ParGen.xml")), ParGen_Bytes[I]);
    }
    const vo_test::Run_Result Text = Run({QStringLiteral("history"), QStringLiteral("Plant 1")});
    EXPECT_EQ(Text.Exit_Code, 0);
    EXPECT_TRUE(Text.Out.contains(QStringLiteral("ended with code 3")));
    EXPECT_TRUE(Text.Out.contains(QStringLiteral("killed by signal 9")));
    EXPECT_EQ(Text.Out.count(QStringLiteral("snapshot intact")), 3);
}

TEST_F(Three_Updates, Diff_Of_First_And_Third_Snapshot_Lists_Exactly_The_Changed_Fields) {
    const QJsonArray Records = this->Records();
    const QString First = QStringLiteral("Plant 1@") + Id_Of(Records[0]);
    const QString Third = QStringLiteral("Plant 1@") + Id_Of(Records[2]);
    const vo_test::Run_Result English = Run({QStringLiteral("diff"), First, Third});
    EXPECT_EQ(English.Exit_Code, 0);
    EXPECT_EQ(English.Out, QStringLiteral("Modbus RTU - Baudrate: 115200 \u2192 9600\n"
                                          "Modbus RTU - Parity: NONE \u2192 EVEN\n"
                                          "Modbus ASCII - TimeOut (ms): 1000 \u2192 2000\n"));
    const vo_test::Run_Result Italiano =
        Run({QStringLiteral("--language"), QStringLiteral("Italiano"), QStringLiteral("diff"), First, Third});
    EXPECT_EQ(Italiano.Out, QStringLiteral("Modbus RTU - Velocit\u00e0 (baud): 115200 \u2192 9600\n"
                                           "Modbus RTU - Parit\u00e0: NONE \u2192 EVEN\n"
                                           "Modbus ASCII - Timeout (ms): 1000 \u2192 2000\n"));
    // The third snapshot is what the configuration holds now.
    EXPECT_EQ(Run({QStringLiteral("diff"), Third, QStringLiteral("Plant 1")}).Out,
              QStringLiteral("The two are equal\n"));
}

TEST_F(Three_Updates, Restore_Brings_Back_The_First_ParGen_And_A_Second_Restore_Undoes_It) {
    const QString First = Id_Of(Records()[0]);
    const vo_test::Run_Result Restored = Run({QStringLiteral("restore"), QStringLiteral("Plant 1"), First});
    ASSERT_EQ(Restored.Exit_Code, 0) << Restored.Err_Lines.join(u'\n').toStdString();
    EXPECT_EQ(Read_All(ParGen()), ParGen_Bytes[0]);

    const QJsonArray After = Records();
    ASSERT_EQ(After.size(), 4);
    const QJsonObject Kept = After[3].toObject();
    EXPECT_EQ(Kept.value(QStringLiteral("kind")).toString(), QStringLiteral("restore"));
    EXPECT_EQ(Kept.value(QStringLiteral("restored")).toString(), First);
    EXPECT_TRUE(Restored.Out.contains(Id_Of(Kept)));

    ASSERT_EQ(Run({QStringLiteral("restore"), QStringLiteral("Plant 1"), Id_Of(Kept)}).Exit_Code, 0);
    EXPECT_EQ(Read_All(ParGen()), ParGen_Bytes[2]);
    EXPECT_EQ(Records().size(), 5);
}

// A snapshot that lost or changed a file is shown as such and never restored.
TEST_F(Three_Updates, Damaged_Snapshot_Is_Shown_And_Refused) {
    const struct {
        const char* File;
        bool Remove;
        const char* State;
    } Cases[] = {
        {"bankK.bin", true, "missing files"},
        {"ParGen.xml", true, "missing files"},
        {"ParGen.xml", false, "edited"},
        {"bank.bin", false, "edited"},
    };
    const QJsonArray Records = this->Records();
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.File);
        const QString Id = Id_Of(Records[0]);
        const QString Path = Snapshot(Id) + u'/' + QLatin1String(Case.File);
        const QByteArray Original = Read_All(Path);
        if (Case.Remove)
            ASSERT_TRUE(QFile::remove(Path));
        else
            vo_test::Write_All(Path, Original + "x");
        const QJsonObject Shown = this->Records()[0].toObject().value(QStringLiteral("snapshot")).toObject();
        EXPECT_EQ(Shown.value(QStringLiteral("state")).toString(), QLatin1String(Case.State));
        EXPECT_EQ(Shown.value(QStringLiteral("detail")).toString(), QLatin1String(Case.File));

        const QByteArray Before = Read_All(ParGen());
        const vo_test::Run_Result Refused = Run({QStringLiteral("restore"), QStringLiteral("Plant 1"), Id});
        EXPECT_EQ(Refused.Exit_Code, 1);
        ASSERT_FALSE(Refused.Err_Lines.isEmpty());
        EXPECT_TRUE(Refused.Err_Lines.first().startsWith(QStringLiteral("Error! The restore failed: ")));
        EXPECT_TRUE(Refused.Err_Lines.first().contains(QLatin1String(Case.State)));
        EXPECT_EQ(Read_All(ParGen()), Before);
        EXPECT_EQ(this->Records().size(), 3);
        vo_test::Write_All(Path, Original);
    }
}

TEST_F(Three_Updates, Bad_Restores_Change_Nothing) {
    const QByteArray Before = Read_All(ParGen());
    const QStringList Cases[] = {
        {QStringLiteral("restore"), QStringLiteral("Plant 1"), QStringLiteral("20000101-000000-000")},
        {QStringLiteral("restore"), QStringLiteral("No Such Plant"), Id_Of(Records()[0])},
    };
    for (const QStringList& Args : Cases) {
        SCOPED_TRACE(Args.join(u' ').toStdString());
        EXPECT_EQ(Run(Args).Exit_Code, 1);
        EXPECT_EQ(Read_All(ParGen()), Before);
        EXPECT_EQ(Records().size(), 3);
    }
    EXPECT_EQ(Run({QStringLiteral("restore"), QStringLiteral("Plant 1")}).Exit_Code, 2);
}

// The history cannot be written (a file stands where its folder goes): the update still succeeds
// and says so, and the reason is told.
using History_Write = vo_test::History_Cli;

TEST_F(History_Write, Failed_History_Write_Never_Fails_The_Update) {
    vo_test::Write_All(Config() + QStringLiteral("/History"), "in the way");
    const vo_test::Run_Result Result = Update("exit 0");
    EXPECT_EQ(Result.Exit_Code, 0);
    EXPECT_TRUE(Result.Out.contains(QStringLiteral("ended with code 0")));
    ASSERT_FALSE(Result.Err_Lines.isEmpty());
    EXPECT_TRUE(Result.Err_Lines.first().startsWith(
        QStringLiteral("Error! The update history could not be written: ")));
}

} // namespace

namespace {

TEST_F(Three_Updates, Diff_Reports_Files_It_Cannot_Use) {
    const QString Broken = Root.filePath(QStringLiteral("Broken.xml"));
    vo_test::Write_All(Broken, "<Par_Gen><BAUD_RTU>3</Par_Gen>");
    const QJsonArray Records = this->Records();
    const QString First_BankK = Snapshot(Id_Of(Records[0])) + QStringLiteral("/bankK.bin");
    const QString Third_BankK = Snapshot(Id_Of(Records[2])) + QStringLiteral("/bankK.bin");
    const QString First_Bank = Snapshot(Id_Of(Records[0])) + QStringLiteral("/bank.bin");
    const struct {
        QStringList Args;
        int Exit_Code;
        const char* Err_Part;
    } Cases[] = {
        {{QStringLiteral("diff"), Broken, QStringLiteral("Plant 1")}, 1, "Broken.xml"},
        {{QStringLiteral("diff"), QStringLiteral("Plant 1"), QStringLiteral("Plant 1@nothing")},
         1,
         "no record \"nothing\""},
        {{QStringLiteral("diff"), First_BankK, QStringLiteral("Plant 1")}, 1, "only with another image file"},
        {{QStringLiteral("diff"), First_BankK, First_Bank}, 1, "not two image files of one kind"},
        {{QStringLiteral("diff"), QStringLiteral("Plant 1")}, 2, "Usage"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Args.join(u' ').toStdString());
        const vo_test::Run_Result Result = Run(Case.Args);
        EXPECT_EQ(Result.Exit_Code, Case.Exit_Code);
        EXPECT_TRUE(Result.Err_Lines.join(u'\n').contains(QLatin1String(Case.Err_Part)))
            << Result.Err_Lines.join(u'\n').toStdString();
        EXPECT_TRUE(Result.Out.isEmpty());
    }
    // Two images of one kind: field by field through the decoder.
    const vo_test::Run_Result Images = Run({QStringLiteral("diff"), First_BankK, Third_BankK});
    EXPECT_EQ(Images.Exit_Code, 0);
    EXPECT_TRUE(Images.Out.contains(QStringLiteral("Serial_Baud: 115200 \u2192 9600\n")))
        << Images.Out.toStdString();
    EXPECT_TRUE(Images.Out.contains(QStringLiteral("Checksum: ")));
    EXPECT_EQ(Run({QStringLiteral("diff"), First_BankK, First_BankK}).Out,
              QStringLiteral("The two are equal\n"));
}

} // namespace
