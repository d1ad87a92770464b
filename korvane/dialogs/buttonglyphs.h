// The small pictures on the file dialog's tool buttons, drawn from text
// pictures so that no resource file is needed.
#pragma once
#include "korvane/host/Graphics.h"

namespace korvane {

enum class TZQDialogGlyph : std::uint8_t { UpOneLevel, Desktop, NewFolder, Tree, List, Details, Delete };

// Draws the glyph into bitmap (16 x 16); its bottom-left pixel is the transparent colour.
void ZQDrawDialogGlyph(TBitmap& bitmap, TZQDialogGlyph glyph);

}  // namespace korvane
