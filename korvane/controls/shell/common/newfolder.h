// A new folder with a free name: "New Folder", "New Folder (2)", ... and, when
// none of those can be made, "fldr", "fldr2", ...
#pragma once
#include <functional>
#include <string>

namespace korvane {

// Creates the folder in parentPath (the current directory when empty); name
// receives the name alone. Each pass tries ZQSH_MAX_FOLDER_ATTEMPTS names; an
// error other than an existing name is shown as a warning and ends the pass.
// Answers false, after a last warning, when no folder was made.
bool ZQShCreateNewFolder(const std::string& parentPath, std::string& name);

// A shell control's "New folder" around ZQShCreateNewFolder: the control ignores
// the change its own folder makes and counts the warning as modal; when nothing
// was made it stops ignoring and runs the refresh the warning held back.
bool ZQShControlCreateNewFolder(const std::string& parentPath, std::string& name, bool& ignoreNextChange,
                                int& modalDepth, const std::function<void()>& runPendingRefresh);

}  // namespace korvane
