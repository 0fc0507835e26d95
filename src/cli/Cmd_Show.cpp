#include "Cli_Config.h"

namespace vo {

namespace {

// A list field as the dialog shows it: the chosen entry's text, empty when nothing is chosen.
QString Shown_Text(const Par_Gen& Set, const Par_Field& Field) {
    if (Field.Kind == Par_Kind::List)
        return Entry_Text(Field.List, Set.Device_Type_Type, Set.*Field.Index);
    return Field_Text(Set, Field);
}

} // namespace

// show CONFIG: the parameters as the dialog holds them after loading, first as ParGen.xml
// stores them, then with the list entries' texts.
int Run_Show(Cli_Context& Context) {
    if (Context.Args.size() != 1)
        return Usage_Error(Context, "show");
    const std::optional<Par_Gen> Set = Load_Config(Context, Context.Args.first());
    if (!Set)
        return Exit_Failed;
    for (const Par_Field& Field : Par_Fields())
        Context.Out << Field.Element << '=' << Field_Text(*Set, Field) << '\n';
    Context.Out << '\n';
    for (const Par_Field& Field : Par_Fields())
        Context.Out << Field.Element << '=' << Shown_Text(*Set, Field) << '\n';
    return Exit_Ok;
}

} // namespace vo
