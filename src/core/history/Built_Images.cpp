#include "Built_Images.h"

#include "Snapshot.h"
#include "image/Image_Builder.h"

namespace vo {

Built_Images Compare_Built_Images(const QString& ParGen_File, const Config_Files& Files) {
    if (!Files.Bank && !Files.BankK)
        return Built_Images::Missing;
    if (!Files.Bank || !Files.BankK)
        return Built_Images::Differ;
    const Image_Build Built = Build_Image(ParGen_File);
    if (!Built)
        return Built_Images::Unbuildable;
    return Built->Bank_Bytes() == *Files.Bank && Built->BankK_Bytes() == *Files.BankK ? Built_Images::Match
                                                                                      : Built_Images::Differ;
}

bool Images_Differ(Built_Images State) {
    return State == Built_Images::Differ || State == Built_Images::Unbuildable;
}

} // namespace vo
