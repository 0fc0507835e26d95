#include "Par_Gen_File.h"

#include "shell/Software_Info.h"
#include "util/Text_Convert.h"
#include "util/Xml_Doc.h"

#include <QDir>
#include <QFileInfo>

namespace vo {

namespace {

// Overwrites the field with the element's value; a missing element keeps what Set holds.
void Read_Field(const pugi::xml_node& Root, const Par_Field& Field, Par_Gen& Set) {
    const std::optional<QString> Text = Child_Text(Root, Field.Element);
    switch (Field.Kind) {
    case Par_Kind::List:
        if (const std::optional<int> Index = Text ? Text_To_Int(*Text) : std::nullopt)
            Set.*Field.Index = Is_Chosen(Field.List, Set.Device_Type_Type, *Index) ? *Index : Nothing_Chosen;
        break;
    case Par_Kind::Text:
        if (Text)
            Set.*Field.Text = *Text;
        break;
    case Par_Kind::Switch:
        Set.*Field.Flag = Text == QStringLiteral("1");
        break;
    }
}

Par_Gen Read_Par_Gen(const pugi::xml_node& Root) {
    // The data bits' default depends on the device type, so that is read first on its own.
    Par_Gen Device_Type_Only;
    Read_Field(Root, Par_Fields().front(), Device_Type_Only);
    Par_Gen Set = Default_Par_Gen(Device_Type_Only.Device_Type_Type);
    for (const Par_Field& Field : Par_Fields())
        Read_Field(Root, Field, Set);
    return Set;
}

Status Load(const QString& Path, Par_Gen& Set, bool Root_First) {
    if (!QFileInfo::exists(Path)) {
        Set = Missing_File_Par_Gen();
        return {};
    }
    pugi::xml_document Doc;
    if (Status Parsed = Load_Xml_File(Path, Doc); !Parsed)
        return Parsed;
    const pugi::xml_node Root = First_Top_Node(Doc);
    if (Root_First && Root.type() != pugi::node_element)
        return Failure(Root_Not_First_Text(Path));
    Set = Read_Par_Gen(Root);
    return {};
}

} // namespace

QString Root_Not_First_Text(const QString& Path) {
    return QStringLiteral("\"%1\": the file does not begin with its root element (an XML declaration or a "
                          "comment comes first), so none of its values can be read")
        .arg(QDir::toNativeSeparators(Path));
}

Status Load_Par_Gen(const QString& Path, Par_Gen& Set) {
    return Load(Path, Set, false);
}

Status Load_Par_Gen_To_Change(const QString& Path, Par_Gen& Set) {
    return Load(Path, Set, true);
}

QByteArray Par_Gen_Bytes(const Par_Gen& Set) {
    pugi::xml_document Doc;
    pugi::xml_node Root = Doc.append_child("Par_Gen");
    const QByteArray Comment = QStringLiteral("SW_VERSION = %1").arg(Software_Version).toUtf8();
    Doc.append_child(pugi::node_comment).set_value(Comment.constData());
    for (const Par_Field& Field : Par_Fields())
        Append_Text_Element(Root, Field.Element, Field_Text(Set, Field));
    return Xml_To_Bytes(Doc);
}

Status Save_Par_Gen(const Par_Gen& Set, const QString& Path) {
    return Save_Configuration_File(Path, Par_Gen_Bytes(Set), QFileInfo(Path).absolutePath());
}

} // namespace vo
