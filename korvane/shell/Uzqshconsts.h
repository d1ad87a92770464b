// Every text the components show a user, as a named entry of the package's
// string table. Read an entry with LoadResString: it takes the table's
// current text (a translated resource replaces the defaults) through
// ZQLoadStr, the one point where a translation layer can intervene.
#pragma once
#include <string>

#include "korvane/shell/Uzqshconsts.ids.h"

namespace korvane {

enum TZQStringId : unsigned {
#define ZQ_STRING(id, index, text) id = ZQ_STRING_BASE + index,
#include "korvane/shell/Uzqshconsts.def"
#undef ZQ_STRING
};

// Answers its argument unchanged.
std::string ZQLoadStr(const std::string& text);
// The entry's text from the string table, through ZQLoadStr.
std::string LoadResString(TZQStringId id);
// The built-in text of the entry (what the table holds unless translated).
const char* DefaultResString(TZQStringId id);

}  // namespace korvane
