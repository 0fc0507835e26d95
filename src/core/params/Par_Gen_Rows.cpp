#include "Par_Gen_Rows.h"

#include "Par_Gen_Check.h"
#include "shell/Shared_State.h"

namespace vo {

namespace {

// Panel captions and row labels of the dialog (ids of Lang_Strings); 0 for a row without label.
struct Row_Words {
    int Panel;
    int Label;
    QStringList Elements;
};

QList<Row_Words> Row_Table() {
    const auto L = [](const char* Name) {
        return QString::fromLatin1(Name);
    };
    const auto Bytes = [](const char* Stem) {
        QStringList Names;
        for (int Byte = 1; Byte <= 4; ++Byte)
            Names.append(QStringLiteral("%1%2").arg(QLatin1String(Stem)).arg(Byte));
        return Names;
    };
    return {
        {457, 458, {L("Device_Type_Type")}}, {455, 0, {L("MODE_DEV")}},
        {419, 420, {L("SER_RTU")}},          {419, 422, {L("BAUD_RTU")}},
        {419, 424, {L("PAR_RTU")}},          {419, 426, {L("DATA_RTU")}},
        {419, 428, {L("STOP_RTU")}},         {419, 430, {L("TO_RTU")}},
        {406, 407, {L("SER_ASCII")}},        {406, 409, {L("BAUD_ASCII")}},
        {406, 411, {L("PAR_ASCII")}},        {406, 413, {L("DATA_ASCII")}},
        {406, 415, {L("STOP_ASCII")}},       {406, 417, {L("TO_ASCII")}},
        {432, 433, Bytes("Ethernet_IP")},    {432, 438, Bytes("Ethernet_SM")},
        {432, 443, {L("Ethernet_EN_GAT")}},  {432, 443, Bytes("Ethernet_GAT")},
    };
}

QString Shown_Value(const Par_Gen& Set, const Par_Field& Field, const Shared_State& State) {
    switch (Field.Kind) {
    case Par_Kind::List:
        return Entry_Text(Field.List, Set.Device_Type_Type, Set.*Field.Index);
    case Par_Kind::Text:
        return Set.*Field.Text;
    case Par_Kind::Switch:
        return State.Text(Set.*Field.Flag ? Msg_Enabled : Msg_Disabled);
    }
    return {};
}

} // namespace

QString Par_Row::Caption() const {
    return Label.isEmpty() || Label == Panel ? Panel : Panel + QStringLiteral(" - ") + Label;
}

QList<Par_Row> Par_Rows(const Par_Gen& Set, const Shared_State& State) {
    QList<Par_Row> Rows;
    for (const Row_Words& Words : Row_Table()) {
        QStringList Values;
        for (const QString& Element : Words.Elements)
            Values.append(Shown_Value(Set, *Find_Par_Field(Element), State));
        Rows.append({State.Text(Words.Panel).trimmed(),
                     Words.Label ? State.Text(Words.Label).trimmed() : QString(), Words.Elements,
                     Values.join(u'.')});
    }
    return Rows;
}

QList<Par_Row> Shown_Par_Rows(const Par_Gen& Set, const Shared_State& State) {
    const Par_Gen_View View = Shown_View(Set);
    QList<Par_Row> Rows;
    for (const Par_Row& Row : Par_Rows(Set, State)) {
        const QString& First = Row.Elements.first();
        if ((First == u"TO_RTU" && !View.RTU_TimeOut_Shown) ||
            (First == u"TO_ASCII" && !View.ASCII_TimeOut_Shown) ||
            (First.startsWith(u"Ethernet_") && !View.Ethernet_Shown))
            continue;
        Rows.append(Row);
    }
    return Rows;
}

} // namespace vo
