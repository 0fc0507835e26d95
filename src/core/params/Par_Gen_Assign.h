#pragma once

#include "Par_Gen.h"
#include "util/Result.h"

#include <QString>

namespace vo {

// Applies one "Element=value" text to Set as a user's change in the parameter dialog: a list
// takes the index of an entry, a text field any text without control characters, the gateway
// switch "1" or "0". A list goes through Choose_Entry, as in the dialog. An unknown element or
// a bad value fails and leaves Set unchanged.
Status Apply_Par_Gen_Text(Par_Gen& Set, const QString& Assignment);

} // namespace vo
