#include "Xml_Doc.h"

#include "File_Read.h"

#include <QDir>
#include <sstream>

namespace vo {

namespace {

// Blank text that is an element's only content is kept, so a value of blanks reads back as written.
constexpr unsigned Parse_Options = pugi::parse_default | pugi::parse_declaration | pugi::parse_comments |
                                   pugi::parse_pi | pugi::parse_doctype | pugi::parse_ws_pcdata_single;

} // namespace

Status Load_Xml_Bytes(const QByteArray& Bytes, pugi::xml_document& Doc) {
    Doc.reset();
    const pugi::xml_parse_result Parsed = Doc.load_buffer(
        Bytes.constData(), static_cast<size_t>(Bytes.size()), Parse_Options, pugi::encoding_auto);
    if (Parsed)
        return {};
    Doc.reset();
    return Failure(
        QStringLiteral("%1 (at byte %2)").arg(QString::fromUtf8(Parsed.description())).arg(Parsed.offset));
}

Status Load_Xml_File(const QString& Path, pugi::xml_document& Doc) {
    Doc.reset();
    const File_Bytes Read = Read_File_Bounded(Path, Xml_File_Cap);
    if (!Read)
        return Failure(Read.Error());
    if (const Status Parsed = Load_Xml_Bytes(*Read, Doc); !Parsed)
        return Failure(QStringLiteral("\"%1\" is not valid XML: %2")
                           .arg(QDir::toNativeSeparators(Path), Parsed.Error()));
    return {};
}

pugi::xml_node First_Top_Node(const pugi::xml_document& Doc) {
    return Doc.first_child();
}

std::optional<QString> Child_Text(const pugi::xml_node& Node, const char* Name) {
    pugi::xml_node Element;
    for (const pugi::xml_node Candidate : Node.children(Name)) {
        if (Candidate.type() == pugi::node_element) {
            Element = Candidate;
            break;
        }
    }
    if (!Element)
        return std::nullopt;
    const pugi::xml_node First = Element.first_child();
    if (!First)
        return QString();
    if (First.next_sibling() || (First.type() != pugi::node_pcdata && First.type() != pugi::node_cdata))
        return std::nullopt;
    return QString::fromUtf8(First.value());
}

pugi::xml_node Append_Text_Element(pugi::xml_node Parent, const char* Name, const QString& Text) {
    pugi::xml_node Element = Parent.append_child(Name);
    if (!Text.isEmpty())
        Element.text().set(Text.toUtf8().constData());
    return Element;
}

QByteArray Xml_To_Bytes(const pugi::xml_document& Doc) {
    std::ostringstream Out;
    Doc.save(Out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    const std::string Text = Out.str();
    // pugixml writes a CR in text as it is, and every XML reader takes a bare CR for LF; the
    // reference keeps it. Only text can hold one: names are ours and we write no CDATA.
    return QByteArray(Text.data(), static_cast<qsizetype>(Text.size())).replace('\r', "&#13;");
}

} // namespace vo
