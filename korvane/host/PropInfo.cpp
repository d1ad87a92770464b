#include "korvane/host/PropInfo.h"

#include <algorithm>
#include <map>

#include "korvane/host/Exceptions.h"

namespace korvane {

const TPropInfo* TClassInfo::FindProp(const std::string& name) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    for (const TPropInfo& p : c->Props)
      if (p.Name == name) return &p;
  return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProps() const {
  std::vector<const TPropInfo*> out;
  if (Parent) out = Parent->AllProps();
  // A class may publish an ancestor's property again with its own default: that entry takes its place.
  for (const TPropInfo& p : Props) {
    const auto same = std::find_if(out.begin(), out.end(), [&](const TPropInfo* q) { return q->Name == p.Name; });
    if (same != out.end()) *same = &p;
    else out.push_back(&p);
  }
  return out;
}

static std::map<std::string, const TClassInfo*>& Registry() {
  static std::map<std::string, const TClassInfo*> classes;
  return classes;
}

void RegisterClass(const TClassInfo& info) { Registry()[info.Name] = &info; }

const TClassInfo* FindClass(const std::string& name) {
  const auto it = Registry().find(name);
  return it == Registry().end() ? nullptr : it->second;
}

void RaiseInvalidCast(const std::string& propName) {
  throw EInvalidCast("Invalid class typecast (" + propName + ")");
}

}  // namespace korvane
