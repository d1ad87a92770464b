#include "korvane/controls/shell/common/shortcuts.h"

#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshconsts.h"

namespace korvane {

namespace {
// The menu key names; only a code's low byte is named.
std::string KeyName(unsigned code) {
  const unsigned k = code & 0xFF;
  static const char* const kMoves[] = {"Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right", "Down"};
  switch (k) {
    case 8: return "BkSp";
    case 9: return "Tab";
    case 13: return "Enter";
    case 27: return "Esc";
    case 45: return "Ins";
    case 46: return "Del";
    default: break;
  }
  if (k >= 32 && k <= 40) return kMoves[k - 32];
  if ((k >= '0' && k <= '9') || (k >= 'A' && k <= 'Z')) return std::string(1, static_cast<char>(k));
  if (k >= 96 && k <= 105) return std::string(1, static_cast<char>('0' + (k - 96)));
  if (k >= 112 && k <= 135) return "F" + std::to_string(k - 111);
  return "#" + std::to_string(k);
}

bool StripPrefix(std::string& text, const char* prefix) {
  const std::size_t n = std::char_traits<char>::length(prefix);
  if (text.size() < n || !AnsiSameText(text.substr(0, n), prefix)) return false;
  text.erase(0, n);
  return true;
}
}  // namespace

TShortCut ShortCut(WORD key, TShiftState shift) {
  TShortCut s = key & 0xFF;
  if (shift.Contains(ssShift)) s |= 0x2000;
  if (shift.Contains(ssCtrl)) s |= 0x4000;
  if (shift.Contains(ssAlt)) s |= 0x8000;
  return s;
}

TShortCut ZQTextToShortCut(const std::string& text) {
  std::string rest = text;
  TShortCut modifiers = 0;
  for (bool again = true; again;) {
    again = false;
    if (StripPrefix(rest, "Shift+")) modifiers |= 0x2000, again = true;
    else if (StripPrefix(rest, "^") || StripPrefix(rest, "Ctrl+")) modifiers |= 0x4000, again = true;
    else if (StripPrefix(rest, "Alt+")) modifiers |= 0x8000, again = true;
  }
  if (rest.empty()) return 0;
  for (unsigned code = 8; code <= 0x255; ++code)
    if (AnsiSameText(KeyName(code), rest)) return static_cast<TShortCut>(code | modifiers);
  return 0;
}

const std::array<TShortCut, 7>& ZQShellShortCuts() {
  static const std::array<TShortCut, 7> table = [] {
    std::array<TShortCut, 7> t{};
    const TZQStringId ids[] = {SShKey_SelectAll, SShKey_Delete, SShKey_Copy, SShKey_Cut,
                               SShKey_Paste, SShKey_Refresh, SShKey_Edit};
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = ZQTextToShortCut(LoadResString(ids[i]));
    return t;
  }();
  return table;
}

}  // namespace korvane
