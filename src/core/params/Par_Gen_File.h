#pragma once

#include "Par_Gen.h"
#include "util/File_Save.h"
#include "util/Result.h"

#include <QByteArray>
#include <QString>

namespace vo {

// Reads the parameter set at Path into Set. No file at the path: the defaults for a missing
// file, silently. A file that cannot be read or is not well-formed XML: a failure, and Set keeps
// the values it held. Otherwise every field falls back on its own default.
Status Load_Par_Gen(const QString& Path, Par_Gen& Set);

// The error of a parameter file at Path whose first node is not its root element (an XML
// declaration or a comment comes first): every value would read as its default.
QString Root_Not_First_Text(const QString& Path);

// As Load_Par_Gen, for a writer that saves what it read: a file whose first node is not its root
// element is an error (Root_Not_First_Text), never a set of defaults saved over the user's values.
Status Load_Par_Gen_To_Change(const QString& Path, Par_Gen& Set);

// The file's bytes: root Par_Gen with the 27 elements in table order, then the version comment
// at document level; no declaration, no indentation.
QByteArray Par_Gen_Bytes(const Par_Gen& Set);

// Replaces the file at Path with Set in one step; a link leading outside the file's folder is not
// written through.
Status Save_Par_Gen(const Par_Gen& Set, const QString& Path);

} // namespace vo
