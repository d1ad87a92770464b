#include "korvane/dialogs/filefilter.h"

namespace korvane {

std::vector<TZQFilterPair> ZQParseFileFilter(const std::string& filter, UINT codePage) {
  std::vector<std::string> fields;
  std::string field;
  for (std::size_t i = 0; i < filter.size(); ++i) {
    const char c = filter[i];
    if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(c)) && i + 1 < filter.size()) {
      field += c;
      field += filter[++i];
    } else if (c == '|') {
      fields.push_back(std::move(field));
      field.clear();
    } else {
      field += c;
    }
  }
  if (!field.empty()) fields.push_back(std::move(field));
  std::vector<TZQFilterPair> pairs;
  for (std::size_t i = 0; i < fields.size(); i += 2)
    pairs.push_back({std::move(fields[i]), i + 1 < fields.size() ? std::move(fields[i + 1]) : std::string()});
  return pairs;
}

}  // namespace korvane
