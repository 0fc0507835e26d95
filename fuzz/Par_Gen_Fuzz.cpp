// ParGen.xml: any bytes through Load_Par_Gen, the checks on the loaded values, a save and load
// again, and a build of what the checks accept.
#include "Fuzz_Input.h"
#include "Fuzz_Require.h"
#include "image/Image_Builder.h"
#include "params/Par_Gen_Check.h"
#include "params/Par_Gen_File.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const QString File = vo_fuzz::Write_Input_File(QStringLiteral("ParGen.xml"), Data, Size);
    vo::Par_Gen Set;
    if (!vo::Load_Par_Gen(File, Set)) {
        vo_fuzz::Require(Set == vo::Par_Gen{}, "a file that does not load leaves the values alone");
        return 0;
    }
    for (const vo::Par_Field& Field : vo::Par_Fields()) {
        if (Field.Kind == vo::Par_Kind::List) {
            const int Index = Set.*Field.Index;
            vo_fuzz::Require(Index == vo::Nothing_Chosen ||
                                 vo::Is_Chosen(Field.List, Set.Device_Type_Type, Index),
                             "a list holds one of its entries or nothing");
        }
    }
    const bool Accepted = vo::Controllo_Dati(Set, vo::Shown_View(Set)) == 0;

    const QString Saved = vo_fuzz::Input_Folder() + QStringLiteral("/Saved.xml");
    vo_fuzz::Require(static_cast<bool>(vo::Save_Par_Gen(Set, Saved)), "the parameter file saves");
    vo::Par_Gen Again;
    vo_fuzz::Require(static_cast<bool>(vo::Load_Par_Gen(Saved, Again)), "a saved parameter file loads");
    vo_fuzz::Require(Again == Set, "a saved parameter set loads back unchanged");
    if (Accepted)
        vo_fuzz::Require(static_cast<bool>(vo::Build_Image(Saved)), "what the checks accept compiles");
    return 0;
}
