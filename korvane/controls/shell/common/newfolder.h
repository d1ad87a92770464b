// A new folder with a free name: "New Folder", "New Folder (2)", ... and, when
// none of those can be made, "fldr", "fldr2", ...
#pragma once
#include <string>

namespace korvane {

// Creates the folder in parentPath (the current directory when empty); name
// receives the name alone. Each pass tries ZQSH_MAX_FOLDER_ATTEMPTS names; an
// error other than an existing name is shown as a warning and ends the pass.
// Answers false, after a last warning, when no folder was made.
bool ZQShCreateNewFolder(const std::string& parentPath, std::string& name);

}  // namespace korvane
