#include "korvane/host/System.h"

#include <typeinfo>
#if defined(__GNUC__)
#include <cxxabi.h>
#include <cstdlib>
#endif

namespace korvane {

std::string TObject::ClassName() const {
  const char* raw = typeid(*this).name();
  std::string name;
#if defined(__GNUC__)
  int status = 0;
  char* demangled = abi::__cxa_demangle(raw, nullptr, nullptr, &status);
  name = (status == 0 && demangled) ? demangled : raw;
  std::free(demangled);
#else
  name = raw;  // MSVC: "class korvane::TName"
  for (const char* prefix : {"class ", "struct "})
    if (name.rfind(prefix, 0) == 0) name.erase(0, std::char_traits<char>::length(prefix));
#endif
  const auto colon = name.rfind("::");
  return colon == std::string::npos ? name : name.substr(colon + 2);
}

}  // namespace korvane
