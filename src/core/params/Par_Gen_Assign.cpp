#include "Par_Gen_Assign.h"

#include "Input_Rules.h"
#include "util/Config_Path.h"
#include "util/Text_Convert.h"

#include <algorithm>

namespace vo {

namespace {

// Values may be long: a message quotes their start.
QString Quoted(const QString& Text) {
    return u'"' + Cut_For_Message(Text) + u'"';
}

// "0 "RS232", 1 "RS485"": what a list field accepts.
QString Entries_Text(const QStringList& Entries) {
    QStringList Items;
    for (qsizetype Index = 0; Index < Entries.size(); ++Index)
        Items.append(QString::number(Index) + u' ' + Quoted(Entries[Index]));
    return Items.join(QStringLiteral(", "));
}

// Element names compare with case, as in the file; a near miss gets named.
QString Unknown_Element(const QString& Element) {
    QString Error = QStringLiteral("unknown element %1").arg(Quoted(Element));
    for (const Par_Field& Field : Par_Fields()) {
        if (Element.compare(QLatin1String(Field.Element), Qt::CaseInsensitive) == 0)
            Error += QStringLiteral(" (did you mean %1?)").arg(QLatin1String(Field.Element));
    }
    return Error;
}

Status Apply_List(Par_Gen& Set, const Par_Field& Field, const QString& Value) {
    const std::optional<int> Index = Text_To_Int(Value);
    if (!Index || !Is_Chosen(Field.List, Set.Device_Type_Type, *Index))
        return Failure(QStringLiteral("%1: %2 is not an entry of the list (%3)")
                           .arg(QLatin1String(Field.Element), Quoted(Value),
                                Entries_Text(List_Entries(Field.List, Set.Device_Type_Type))));
    Choose_Entry(Set, Field.Index, *Index);
    return {};
}

Status Apply_Text(Par_Gen& Set, const Par_Field& Field, const QString& Value) {
    // Nothing typed into the dialog holds one, and not all of them survive the file.
    if (std::any_of(Value.cbegin(), Value.cend(), [](QChar C) { return C.unicode() < 32; }))
        return Failure(
            QStringLiteral("%1: the value holds a control character").arg(QLatin1String(Field.Element)));
    Set.*Field.Text = Value;
    return {};
}

Status Apply_Switch(Par_Gen& Set, const Par_Field& Field, const QString& Value) {
    if (Value != u"1" && Value != u"0")
        return Failure(QStringLiteral("%1: %2 is neither \"1\" (enabled) nor \"0\" (disabled)")
                           .arg(QLatin1String(Field.Element), Quoted(Value)));
    Set.*Field.Flag = Value == u"1";
    return {};
}

} // namespace

Status Apply_Par_Gen_Text(Par_Gen& Set, const QString& Assignment) {
    const qsizetype Equals = Assignment.indexOf(u'=');
    if (Equals < 0)
        return Failure(QStringLiteral("%1 is not of the form Element=value").arg(Quoted(Assignment)));
    const QString Element = Assignment.left(Equals);
    const QString Value = Assignment.mid(Equals + 1);
    const Par_Field* Field = Find_Par_Field(Element);
    if (!Field)
        return Failure(Unknown_Element(Element));
    switch (Field->Kind) {
    case Par_Kind::List:
        return Apply_List(Set, *Field, Value);
    case Par_Kind::Text:
        return Apply_Text(Set, *Field, Value);
    case Par_Kind::Switch:
        return Apply_Switch(Set, *Field, Value);
    }
    return {};
}

} // namespace vo
