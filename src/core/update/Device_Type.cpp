#include "Device_Type.h"

#include "util/Xml_Doc.h"

#include <QFileInfo>

namespace vo {

Update_Mode Get_DevideType(const QString& ParGen_File) {
    if (!QFileInfo::exists(ParGen_File))
        return Form_Serial;
    pugi::xml_document Doc;
    if (!Load_Xml_File(ParGen_File, Doc))
        return Form_Serial;
    const auto Type = Child_Text(First_Top_Node(Doc), "Device_Type_Type");
    return Type == QStringLiteral("1") ? Form_Ethernet : Form_Serial;
}

} // namespace vo
