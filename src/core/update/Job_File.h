#pragma once

#include "Update_Steps.h"
#include "util/File_Save.h"

#include <QByteArray>
#include <QString>

namespace vo {

// What the job file of the Ethernet updater is made from.
struct Job_Input {
    QString Device_Address; // the address text exactly as typed
    Update_Choice Choice;
    QString Master_Dir;
    QString Project_Path;
    QChar Separator; // of the paths written into the file
};

// Exe_Dir + "Ethernet_Update.xml", beside the Ethernet updater.
QString Job_File_Path(const QString& Exe_Dir);

// The job document, built from nothing: one line, no declaration, the firmware operation first
// and the configuration operation second, each only when the option has that step.
QByteArray Job_File_Bytes(const Job_Input& Input);

// Replaces the job file at Job_File with the document of Input.
Status Compile_XML_Parameter_New_Boot(const Job_Input& Input, const QString& Job_File);

} // namespace vo
