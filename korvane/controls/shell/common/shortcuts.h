// The key commands the shell tree and list share: seven localisable shortcut
// texts from the string table, parsed once per process into shortcut values
// (virtual key in the low byte, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt).
#pragma once
#include <array>
#include <string>

#include "korvane/host/Controls.h"

namespace korvane {

using TShortCut = WORD;

// Indexes into the table, in the string table's order.
enum TZQShKey : std::uint8_t { zqkSelectAll, zqkDelete, zqkCopy, zqkCut, zqkPaste, zqkRefresh, zqkEdit };

// The shortcut value of a key with a shift state (only Shift, Ctrl and Alt count).
TShortCut ShortCut(WORD key, TShiftState shift);
// Parses "Ctrl+Shift+F5" and the like; 0 when the text names no key.
TShortCut ZQTextToShortCut(const std::string& text);
// The table, filled on first use.
const std::array<TShortCut, 7>& ZQShellShortCuts();

}  // namespace korvane
