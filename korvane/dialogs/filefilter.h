// A file dialog's Filter: pairs of description and mask, each field ended by
// "|" (the last may end with the text). The parser is double-byte aware: a lead
// byte and its trail byte go together, so a trail byte equal to "|" never splits.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace korvane {

struct TZQFilterPair {
  std::string description;
  std::string mask;  // handed unchanged to the shell list as its file filter
  bool operator==(const TZQFilterPair&) const = default;
};

// A trailing description without a mask gets an empty mask. codePage names the
// text's multi-byte code page (the system's ANSI code page by default).
std::vector<TZQFilterPair> ZQParseFileFilter(const std::string& filter, UINT codePage = CP_ACP);

}  // namespace korvane
