// Checks on path names typed or shown by the controls.
#pragma once
#include <string>

namespace korvane {

// False for 3 characters or fewer, or for a drive letter that is a lead byte followed by ':'.
bool IsLongPath(const std::string& path);

}  // namespace korvane
