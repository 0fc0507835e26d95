#pragma once

#include "File_Bytes.h"
#include "image/Config_Image.h"

#include <QString>
#include <optional>
#include <vector>

namespace vo_test {

// A change to the fixture ParGen.xml: the element's content as raw markup, or no element at all.
struct Element_Edit {
    const char* Name;
    std::optional<QString> Content;
};

// Writes tests/data/image/ParGen.xml with the edits applied as Folder/File_Name; returns its path.
QString Write_Par_Gen(const QString& Folder, const std::vector<Element_Edit>& Edits = {},
                      const QString& File_Name = QStringLiteral("ParGen.xml"));

// Builds from Path and fails the test when the build fails.
vo::Config_Image Build_Ok(const QString& Path);

} // namespace vo_test
