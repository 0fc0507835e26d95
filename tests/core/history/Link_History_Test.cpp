#include "history/History_File.h"
#include "history/Link_History.h"
#include "history/Snapshot.h"
#include "history/Update_History.h"
#include "params/Par_Gen_File.h"

#include <QDir>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Link tests are pressed again and again on site: they never push out the snapshot of the update
// whose settings the device holds.
TEST(Link_History, Link_Tests_Keep_Their_Own_Number_Of_Snapshots) {
    QTemporaryDir Dir;
    const QString Project = Dir.filePath(QStringLiteral("PROJECTS/K"));
    ASSERT_TRUE(QDir().mkpath(Project + QStringLiteral("/bin")));
    ASSERT_TRUE(vo::Save_Par_Gen(vo::Default_Par_Gen(1), Project + QStringLiteral("/ParGen.xml")));
    const vo::Launch_Capture Capture = vo::Capture_Launch(Project);
    const vo::Update_Record Update =
        vo::Launch_Record(Capture, {false, QStringLiteral("/dev/ttyUSB0"), {}, QStringLiteral("updater")});
    ASSERT_TRUE(vo::Record_Launch(Capture, Update));
    const int Runs = vo::Link_Snapshots_Kept + 5;
    const vo::Result<vo::Config_Files> Tested = vo::Read_Config_Files(Project, false);
    ASSERT_TRUE(Tested);
    for (int Run = 0; Run < Runs; ++Run)
        ASSERT_TRUE(vo::Record_Link_Test(Project, *Tested,
                                         {{QStringLiteral("port"), QStringLiteral("/dev/ttyUSB1")},
                                          {QStringLiteral("verdict"), QStringLiteral("Link OK")}}));
    const vo::History Read = vo::Read_History(Project);
    ASSERT_EQ(Read.Records.size(), Runs + 1);
    EXPECT_EQ(vo::Check_Snapshot(Project, Read.Records.first()).State, vo::Snapshot_State::Intact);
    int Kept = 0;
    for (const vo::Update_Record& R : Read.Records.mid(1)) {
        EXPECT_EQ(R.Record_Kind, vo::Update_Record::Kind::Link_Test);
        EXPECT_EQ(R.Target, QStringLiteral("/dev/ttyUSB1"));
        EXPECT_EQ(vo::Outcome_Text(R), QStringLiteral("Link OK"));
        Kept += vo::Check_Snapshot(Project, R).State == vo::Snapshot_State::Intact;
    }
    EXPECT_EQ(Kept, vo::Link_Snapshots_Kept);
    EXPECT_EQ(vo::Check_Snapshot(Project, Read.Records.back()).State, vo::Snapshot_State::Intact)
        << "newest kept";
    EXPECT_EQ(vo::Last_Link_Test(Project)->Id, Read.Records.back().Id);
}

} // namespace
