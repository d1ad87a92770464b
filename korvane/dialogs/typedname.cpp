#include "korvane/dialogs/typedname.h"

#include <algorithm>
#include <cwctype>

#include "korvane/host/Registry.h"
#include "korvane/host/SysUtils.h"

namespace korvane {

namespace {
std::wstring Widen(const std::string& s, UINT codePage) {
  if (s.empty()) return std::wstring();
  const int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string Narrow(const std::wstring& w, UINT codePage) {
  if (w.empty()) return std::string();
  const int n = WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

bool IsDriveQualified(const std::wstring& s) { return s.size() >= 2 && s[1] == L':'; }
bool IsUnc(const std::wstring& s) { return s.size() > 2 && s[0] == L'\\' && s[1] == L'\\'; }

// The length of the part no ".." may remove: "C:\" (or "C:"), or "\\server\share".
std::size_t RootLength(const std::wstring& s) {
  if (IsDriveQualified(s)) return s.size() >= 3 && s[2] == L'\\' ? 3 : 2;
  if (IsUnc(s)) {
    const std::size_t server = s.find(L'\\', 2);
    if (server == std::wstring::npos) return s.size();
    const std::size_t share = s.find(L'\\', server + 1);
    return share == std::wstring::npos ? s.size() : share;
  }
  return 0;
}
}  // namespace

std::vector<std::string> ZQSplitTypedNames(const std::string& text, UINT codePage) {
  const std::wstring w = Widen(text, codePage);
  std::vector<std::string> names;
  if (w.find(L'"') == std::wstring::npos) {
    names.push_back(text);
    return names;
  }
  enum { kBetween, kQuoted, kUnquoted } state = kBetween;
  std::wstring name;
  const auto finish = [&] {
    while (!name.empty() && (name.back() == L' ' || name.back() == L'\t')) name.pop_back();
    if (!name.empty()) names.push_back(Narrow(name, codePage));
    name.clear();
  };
  for (const wchar_t c : w) {
    switch (state) {
      case kBetween:
        if (c == L' ' || c == L'\t') break;
        if (c == L'"') state = kQuoted;
        else name += c, state = kUnquoted;
        break;
      case kQuoted:
        if (c == L'"') finish(), state = kBetween;
        else name += c;
        break;
      case kUnquoted:
        if (c == L'"') finish(), state = kQuoted;
        else name += c;
        break;
    }
  }
  finish();
  return names;
}

namespace {
bool IsReservedDevice(std::wstring part) {
  part = part.substr(0, part.find(L'.'));
  while (!part.empty() && part.back() == L' ') part.pop_back();
  CharUpperBuffW(part.data(), static_cast<DWORD>(part.size()));
  if (part == L"CON" || part == L"PRN" || part == L"AUX" || part == L"NUL") return true;
  return part.size() == 4 && (part.compare(0, 3, L"COM") == 0 || part.compare(0, 3, L"LPT") == 0) && part[3] >= L'1' &&
         part[3] <= L'9';
}
}  // namespace

TZQNameCheck ZQCheckTypedName(const std::string& text, UINT codePage) {
  const std::wstring w = Widen(text, codePage);
  for (const wchar_t c : w)
    if (c < 0x20 || c == L'/' || c == L'<' || c == L'>' || c == L'|' || c == L'"') return TZQNameCheck::Invalid;
  if (w.find(L"\\\\", 1) != std::wstring::npos) return TZQNameCheck::Invalid;
  const std::size_t colon = w.find(L':');
  if (colon != std::wstring::npos && (colon != 1 || !IsCharAlphaW(w[0]) || w.find(L':', 2) != std::wstring::npos))
    return TZQNameCheck::Invalid;
  const std::size_t lastPart = w.rfind(L'\\') == std::wstring::npos ? 0 : w.rfind(L'\\') + 1;
  if (w.find_first_of(L"*?") < lastPart) return TZQNameCheck::Invalid;
  bool reserved = false;
  std::size_t start = IsDriveQualified(w) ? 2 : 0;
  while (start <= w.size()) {
    const std::size_t end = std::min(w.find(L'\\', start), w.size());
    const std::wstring part = w.substr(start, end - start);
    const bool dots = !part.empty() && part.find_first_not_of(L'.') == std::wstring::npos;
    if (!part.empty() && !dots && (part.back() == L'.' || part.back() == L' ')) return TZQNameCheck::Invalid;
    reserved = reserved || (!part.empty() && IsReservedDevice(part));
    start = end + 1;
  }
  return reserved ? TZQNameCheck::ReservedDevice : TZQNameCheck::Valid;
}

std::string ZQResolveTypedName(const std::string& nameText, const std::string& baseText, UINT codePage) {
  const std::wstring name = Widen(nameText, codePage);
  std::wstring base = Widen(baseText, codePage);
  if (base.size() > 2 && base.back() == L'\\') base.pop_back();
  if (name.empty()) return std::string();
  std::wstring result = base;
  std::size_t start = 0;
  if (IsDriveQualified(name)) {
    if (name.size() == 2) return Narrow(name + L'\\', codePage);
    if (name[2] == L'\\') return nameText;
    // "D:rest": from base when it is on drive D, else from D's root.
    if (!(IsDriveQualified(base) && std::towupper(base[0]) == std::towupper(name[0]))) result = name.substr(0, 2);
    start = 2;
  } else if (IsUnc(name)) {
    return nameText;
  } else if (base.empty()) {
    return std::string();  // a virtual folder: nothing to resolve against
  } else if (name[0] == L'\\') {
    if (IsDriveQualified(base)) return Narrow(base.substr(0, 2) + name, codePage);
    if (IsUnc(base)) return Narrow(base.substr(0, RootLength(base)) + name, codePage);
    return std::string();
  }
  while (start <= name.size()) {
    const std::size_t end = std::min(name.find(L'\\', start), name.size());
    const std::wstring part = name.substr(start, end - start);
    if (part.empty()) break;
    if (part.find_first_not_of(L'.') == std::wstring::npos) {
      // n dots go up n - 1 components, keeping the root: a drive's, or a UNC path's server and share.
      for (std::size_t up = part.size() - 1; up > 0 && result.size() > 2; --up) {
        const std::size_t root = RootLength(result);
        const std::size_t cut = result.rfind(L'\\');
        if (cut == std::wstring::npos || result.size() <= root) break;
        result.erase(std::max(cut, root));
      }
    } else {
      if (!result.empty() && result.back() != L'\\') result += L'\\';
      result += part;
    }
    start = end + 1;
  }
  return Narrow(result, codePage);
}

std::string ZQApplyDefaultExt(const std::string& full, const std::string& defaultExt,
                              const std::function<bool(const std::string& ext)>& isRegistered,
                              bool& extensionDifferent) {
  if (defaultExt.empty()) return full;
  const auto withDefault = [&] { return (!full.empty() && full.back() == '.' ? full : full + ".") + defaultExt; };
  const std::string ext = ExtractFileExt(full);
  if (ext.empty() || ext == ".") {
    extensionDifferent = false;
    return withDefault();
  }
  if (isRegistered(ext)) {
    extensionDifferent = true;
    return full;
  }
  extensionDifferent = false;
  return AnsiSameText(ext, "." + defaultExt) ? full : withDefault();
}

bool ZQIsRegisteredExtension(const std::string& ext) {
  TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  return registry.KeyExists(ext);
}

}  // namespace korvane
