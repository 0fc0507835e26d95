// history.jsonl: any bytes through Read_History, every record it gives back through its JSON form
// again, and an append that must keep the bytes that were there.
#include "Fuzz_Input.h"
#include "Fuzz_Require.h"
#include "history/History_File.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const QString Config = vo_fuzz::Input_Folder();
    if (!QDir().mkpath(vo::History_Folder(Config)))
        std::abort();
    const QString File = vo_fuzz::Write_Input_File(QStringLiteral("History/history.jsonl"), Data, Size);
    const vo::History Read = vo::Read_History(Config);
    vo_fuzz::Require(Read.Error_Text.isEmpty(), "a history file of fuzzing size reads");
    const QByteArray Input = vo_fuzz::Input_Bytes(Data, Size);
    vo_fuzz::Require(Read.Records.size() + Read.Problems.size() <= Input.count('\n') + 1,
                     "at most one record or problem a line");
    for (const vo::Update_Record& Record : Read.Records) {
        const vo::Result<vo::Update_Record> Again = vo::Record_From_Json(vo::Record_To_Json(Record));
        vo_fuzz::Require(Again && vo::Record_To_Json(*Again) == vo::Record_To_Json(Record),
                         "a record reads back as it was written");
    }

    vo::Update_Record Added;
    Added.Id = QStringLiteral("fuzz");
    vo_fuzz::Require(static_cast<bool>(vo::Append_Record(Config, Added)), "a record appends");
    QFile Written(File);
    vo_fuzz::Require(Written.open(QIODevice::ReadOnly) && Written.readAll().startsWith(Input),
                     "an append keeps the bytes that were there");
    const vo::History After = vo::Read_History(Config);
    vo_fuzz::Require(!After.Records.isEmpty() && After.Records.last().Id == Added.Id,
                     "the appended record is the last one read");
    return 0;
}
