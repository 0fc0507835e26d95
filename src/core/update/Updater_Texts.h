#pragma once

#include "Update_Steps.h"

#include <QString>

namespace vo {

// How a system spells the paths and the port in the texts handed to the updaters.
struct Path_Form {
    QChar Separator;     // "\" on Windows
    QString Port_Prefix; // "\\.\" before "COM3" on Windows; nothing where ports are device paths
    bool Shell_Split;    // the updater gets the text split into words by shell rules
};

// The form of this system.
Path_Form Native_Path_Form();

// The parameter text of the serial updater: the port's device name, the step codes, the quoted
// serial firmware file and the quoted bin folder of the configuration (ending in a separator).
// Where the text is split by shell rules, the port and the paths arrive as the same words whatever
// characters they hold.
QString Serial_Parameter_Text(const QString& Port, const Update_Choice& Choice, const QString& Master_Dir,
                              const QString& Project_Path, const Path_Form& Form);

// The files the updaters are told of, spelled with Separator.
QString Serial_Firmware_File(const QString& Master_Dir, QChar Separator);
QString Ethernet_Firmware_File(const QString& Master_Dir, QChar Separator);
QString Configuration_Image_File(const QString& Project_Path, QChar Separator);

} // namespace vo
