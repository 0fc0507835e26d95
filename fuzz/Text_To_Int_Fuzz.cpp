// Any text through Text_To_Int and Trim_Text.
#include "Fuzz_Input.h"
#include "Fuzz_Require.h"
#include "util/Text_Convert.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const QString Text = QString::fromUtf8(vo_fuzz::Input_Bytes(Data, Size));

    const QStringView Trimmed = vo::Trim_Text(QStringView(Text));
    vo_fuzz::Require(Trimmed.isEmpty() || (Trimmed.front().unicode() > 32 && Trimmed.back().unicode() > 32),
                     "trimming leaves no control character or blank at either end");
    vo_fuzz::Require(Text.contains(Trimmed), "trimming only cuts the ends");

    const std::optional<int> Value = vo::Text_To_Int(Text);
    if (!Value)
        return 0;
    vo_fuzz::Require(vo::Text_To_Int(QString::number(*Value)) == Value,
                     "a value reads back from its decimal");
    const QString Hex = u'$' + QString::number(static_cast<std::uint32_t>(*Value), 16);
    vo_fuzz::Require(vo::Text_To_Int(Hex) == Value, "a value reads back from its 32-bit hexadecimal");
    return 0;
}
