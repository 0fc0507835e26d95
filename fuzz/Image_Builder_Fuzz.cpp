// The images compiled from any ParGen.xml bytes by Build_Image.
#include "Fuzz_Input.h"
#include "Fuzz_Require.h"
#include "image/Image_Builder.h"
#include "image/Image_Decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const QString File = vo_fuzz::Write_Input_File(QStringLiteral("ParGen.xml"), Data, Size);
    const vo::Image_Build Build = vo::Build_Image(File);
    if (!Build) {
        vo_fuzz::Require(!Build.Error().isEmpty(), "a failed build says why");
        return 0;
    }
    vo_fuzz::Require(Build->Bank_Length == static_cast<int>(vo::Bank_Stream_Size),
                     "a parameter file gives the whole bank stream");
    vo_fuzz::Require(vo::Decode_Bank(Build->Bank_Bytes()).has_value(), "bank.bin decodes");
    const std::optional<vo::BankK_Contents> BankK = vo::Decode_BankK(Build->BankK_Bytes());
    vo_fuzz::Require(BankK && BankK->Checksum_Matches(), "bankK.bin is one block with its checksum");
    vo_fuzz::Require(BankK->Changed_Fixed_Bytes.isEmpty(), "the builder leaves preset bytes alone");
    return 0;
}
