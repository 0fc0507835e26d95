#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <pugixml.hpp>

namespace vo {

// Loads the file into Doc keeping declarations, comments and processing instructions as nodes,
// so that "the first top-level node" is the first node of the file. Fails when the file cannot
// be read (not a regular file, or over Xml_File_Cap bytes included) or is not well-formed, and
// then leaves Doc empty.
Status Load_Xml_File(const QString& Path, pugi::xml_document& Doc);

// As Load_Xml_File, from bytes already in memory.
Status Load_Xml_Bytes(const QByteArray& Bytes, pugi::xml_document& Doc);

// The document's first top-level node, whatever its kind or name.
pugi::xml_node First_Top_Node(const pugi::xml_document& Doc);

// The text of Node's first child element named Name (exact case). Empty when the element has no
// content; nothing when the element is missing or holds anything but one piece of text.
std::optional<QString> Child_Text(const pugi::xml_node& Node, const char* Name);

// Appends <Name>Text</Name> to Parent and returns it.
pugi::xml_node Append_Text_Element(pugi::xml_node Parent, const char* Name, const QString& Text);

// UTF-8 without declaration and without indentation; a CR in text is written as "&#13;".
QByteArray Xml_To_Bytes(const pugi::xml_document& Doc);

} // namespace vo
