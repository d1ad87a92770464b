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

// False when the text holds "/", "<", ">" or "|", or two backslashes in a row
// anywhere but at its very start.
bool ZQIsValidTypedName(const std::string& text, UINT codePage = CP_ACP);

// The full path a typed name stands for, seen from the folder base: a drive
// ("D:") gives its root, a drive path or a UNC path is taken as it is, a rooted
// name goes on base's drive or share, and a relative name is walked from base
// ("." stays, ".." and "..." go up one and two, never above the root). Empty
// for an empty name.
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
