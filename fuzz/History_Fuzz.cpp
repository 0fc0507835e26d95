// history.jsonl: any bytes through the history's reader, every record it gives back through its
// JSON form again, and an append that must keep the bytes that were there. In memory, as the file
// functions read and write whole files around these.
#include "Fuzz_Input.h"
#include "Fuzz_Require.h"
#include "history/History_File.h"
#include "history/History_Place.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const QByteArray Input = vo_fuzz::Input_Bytes(Data, Size);
    const vo::History Read = vo::Parse_History(Input);
    vo_fuzz::Require(Read.Records.size() + Read.Problems.size() <= Input.count('\n') + 1,
                     "at most one record or problem a line");
    for (const vo::Update_Record& Record : Read.Records) {
        vo_fuzz::Require(vo::Is_Record_Id(Record.Id), "every record read has a record id");
        const vo::Result<vo::Update_Record> Again = vo::Record_From_Json(vo::Record_To_Json(Record));
        vo_fuzz::Require(Again && vo::Record_To_Json(*Again) == vo::Record_To_Json(Record),
                         "a record reads back as it was written");
    }

    vo::Update_Record Added;
    Added.Id = QStringLiteral("20261211-000000-000-99");
    Added.Sums.ParGen = QStringLiteral("0");
    const QByteArray Written = vo::History_With(Input, Added);
    vo_fuzz::Require(Written.startsWith(Input), "an append keeps the bytes that were there");
    const vo::History After = vo::Parse_History(Written);
    vo_fuzz::Require(!After.Records.isEmpty() && After.Records.last().Id == Added.Id,
                     "the appended record is the last one read");
    return 0;
}
