#pragma once

#include <QString>

namespace vo {

// Fixed texts of this software.
inline const QString Software_Code_Text = QStringLiteral("VO40913");
inline const QString Software_Version = QStringLiteral("2.002");
inline const QString Manual_Code = QStringLiteral("ZE40913");
inline const QString Main_Caption_Text =
    QStringLiteral("Velorin - Configurator VO40913 - Modbus RTU / Modbus ASCII ");
inline const QString Software_Description_Text = QStringLiteral("Modbus RTU / Modbus ASCII - Converter");

// The maker's web server (scheme, host, optional port), fixed at build time.
QString Maker_Server_Url();
// The host part, shown as the maker's web address.
QString Maker_Web_Address();
// The maker's home page, opened from the main window and the about box.
QString Home_Page_Url();
// The download page, the target of the "new version" link.
QString Download_Page_Url();

} // namespace vo
