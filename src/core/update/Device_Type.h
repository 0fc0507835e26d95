#pragma once

#include <QString>

namespace vo {

// Modes of the update dialog (its Form_Type).
enum Update_Mode { Form_Serial = 0, Form_Ethernet = 1 };

// Form_Ethernet when Device_Type_Type of the parameter file at ParGen_File holds exactly "1",
// Form_Serial otherwise: a missing or malformed file, a missing element, or a file whose first
// node is not its root element.
Update_Mode Get_DevideType(const QString& ParGen_File);

} // namespace vo
