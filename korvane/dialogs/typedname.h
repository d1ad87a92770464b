// What a file dialog makes of the text typed into its name box, as plain
// functions of that text: splitting quoted names, checking the characters, and
// resolving a name against the folder shown. All work in UTF-16 internally, so
// a double-byte character whose trail byte is "\" or "|" stays whole.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace korvane {

// Names in double quotes, or runs of other characters up to the next quote;
// blanks and tabs between names are skipped, trailing blanks dropped, empty
// names left out. A text with no quote is one name, unchanged.
std::vector<std::string> ZQSplitTypedNames(const std::string& text, UINT codePage = CP_ACP);

// What a single typed name (already split) is as a file name. Invalid: "/",
// "<", ">", "|", a quote or a control character; two backslashes in a row
// anywhere but at the start; a colon anywhere but after a leading drive
// letter; "*" or "?" before the last component; a component ending in a dot
// or a blank (except "." and ".." themselves). A reserved device: a component
// named CON, PRN, AUX, NUL, COM1-COM9 or LPT1-LPT9, with any extension.
enum class TZQNameCheck { Valid, Invalid, ReservedDevice };
TZQNameCheck ZQCheckTypedName(const std::string& name, UINT codePage = CP_ACP);

// The full path a typed name stands for, seen from the folder base: a drive
// ("D:") gives its root, a drive path or a UNC path is taken as it is, "D:rest"
// is walked from base when base is on D, else from "D:\", a rooted name goes on
// base's drive or share, and a relative name is walked from base ("." stays,
// ".." and "..." go up one and two, never above the root). Empty for an empty
// name, and for a relative or rooted name when there is no base (a virtual
// folder).
std::string ZQResolveTypedName(const std::string& name, const std::string& base, UINT codePage = CP_ACP);

// The default extension (nothing when defaultExt is empty): a name without an
// extension gets "." and defaultExt, and extensionDifferent is cleared; a
// registered extension is kept and sets it; any other extension is kept, clears
// it and, unless it is defaultExt itself, gets "." and defaultExt after it.
std::string ZQApplyDefaultExt(const std::string& full, const std::string& defaultExt,
                              const std::function<bool(const std::string& ext)>& isRegistered,
                              bool& extensionDifferent);
// True when the extension (with its dot) is a key under HKEY_CLASSES_ROOT.
bool ZQIsRegisteredExtension(const std::string& ext);

}  // namespace korvane
