#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>

namespace vo_test {

// The history line of record Number as an update would write it, one second after the record before:
// every third a link test, every seventh update failed with exit code 3. Its snapshot does not exist.
inline QByteArray Fake_Record_Line(int Number) {
    const QDateTime Time = QDateTime(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc()).addSecs(Number);
    const QByteArray Id = Time.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")).toLatin1();
    const QByteArray Iso = Time.toString(Qt::ISODateWithMs).toLatin1();
    const QByteArray Sums = "\"sha256\":{\"ParGen.xml\":\"" + QByteArray(64, 'a') + "\",\"bank.bin\":\"" +
                            QByteArray(64, 'b') + "\",\"bankK.bin\":\"" + QByteArray(64, 'c') + "\"}";
    const QByteArray Common = "{\"format\":1,\"id\":\"" + Id + "\",\"time\":\"" + Iso +
                              "\",\"user\":\"tech\",\"host\":\"bench\",\"program_version\":\"2.002\"," + Sums;
    if (Number % 3 == 2)
        return Common +
               ",\"kind\":\"linktest\",\"link\":{\"mode\":\"poll\",\"port\":\"/dev/ttyUSB1\",\"passed\":" +
               (Number % 2 ? "true" : "false") +
               ",\"verdict\":\"Link OK: 20 of 20 answers, median 31 ms\",\"duration_ms\":4200}}\n";
    const QByteArray Exit = QByteArray::number(Number % 7 == 0 ? 3 : 0);
    return Common +
           ",\"kind\":\"update\",\"mode\":\"serial\",\"target\":\"/dev/ttyUSB0\",\"adapter\":{},\"option\":0,"
           "\"read_back\":true,\"updater\":\"/opt/vo40913/"
           "Ser_40913_Update\",\"outcome\":{\"state\":\"ended\","
           "\"exit_code\":" +
           Exit +
           ",\"signal\":0,\"process_id\":4242,\"error\":\"\"},\"duration_ms\":41234,\"output\":\"Done.\"}\n";
}

} // namespace vo_test
