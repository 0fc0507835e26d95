#include "Cli_Config.h"
#include "Cli_Json.h"
#include "params/Par_Gen_Rows.h"

#include <QJsonArray>
#include <algorithm>

namespace vo {

namespace {

// A list field as the dialog shows it: the chosen entry's text, empty when nothing is chosen.
QString Shown_Text(const Par_Gen& Set, const Par_Field& Field) {
    if (Field.Kind == Par_Kind::List)
        return Entry_Text(Field.List, Set.Device_Type_Type, Set.*Field.Index);
    return Field_Text(Set, Field);
}

// The parameters as JSON: each element with its stored value, its shown text and the dialog's words.
QJsonObject Show_Json(const Cli_Context& Context, const Par_Gen& Set) {
    QJsonArray Parameters;
    const QList<Par_Row> Rows = Par_Rows(Set, Context.State);
    for (const Par_Field& Field : Par_Fields()) {
        const QString Element = QLatin1String(Field.Element);
        const auto Row = std::find_if(Rows.begin(), Rows.end(),
                                      [&](const Par_Row& R) { return R.Elements.contains(Element); });
        Parameters.append(QJsonObject{{QStringLiteral("element"), Element},
                                      {QStringLiteral("value"), Field_Text(Set, Field)},
                                      {QStringLiteral("text"), Shown_Text(Set, Field)},
                                      {QStringLiteral("label"), Row->Caption()}});
    }
    return {{QStringLiteral("configuration"), Context.State.Project_Path},
            {QStringLiteral("parameters"), Parameters}};
}

} // namespace

// show CONFIG: the parameters as the dialog holds them after loading, first as ParGen.xml
// stores them, then with the list entries' texts.
int Run_Show(Cli_Context& Context) {
    const bool Json = Take_Option(Context.Args, QStringLiteral("--json"));
    if (Context.Args.size() != 1)
        return Usage_Error(Context, "show");
    const std::optional<Par_Gen> Set = Load_Config(Context, Context.Args.first());
    if (!Set)
        return Exit_Failed;
    if (Json) {
        Print_Json(Context, Show_Json(Context, *Set));
        return Exit_Ok;
    }
    for (const Par_Field& Field : Par_Fields())
        Context.Out << Field.Element << '=' << Terminal_Text(Field_Text(*Set, Field)) << '\n';
    Context.Out << '\n';
    for (const Par_Field& Field : Par_Fields())
        Context.Out << Field.Element << '=' << Terminal_Text(Shown_Text(*Set, Field)) << '\n';
    return Exit_Ok;
}

} // namespace vo
