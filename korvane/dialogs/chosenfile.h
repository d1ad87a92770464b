// Whether a file the user chose in a file dialog passes the dialog's options:
// an existing read-only file may be refused and an existing one may need a yes
// to be replaced; a missing one may be refused or need a yes to be created.
#pragma once
#include <string>

#include "korvane/dialogs/openoptions.h"

namespace korvane {

// Asks or warns in message boxes titled caption; true when the file is accepted.
bool ZQCheckChosenFile(const std::string& full, TZQOpenOptions options, const std::string& caption);

}  // namespace korvane
