// The frame styles of the group and the frame, and the routines that draw them
// with the system's 3-D colours. Each draws inside an inclusive rectangle
// (left, top, right, bottom) with the canvas's pen width; a polyline's last
// point is not painted.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "korvane/host/Graphics.h"
#include "korvane/host/StdCtrls.h"

namespace korvane {

enum TZQFrameStyle : std::uint8_t {
  zqfsNone, zqfsGroup, zqfsLowered, zqfsRaised, zqfsDint, zqfsBump, zqfsSingle, zqfsHorzLine, zqfsHorzEdge,
  zqfsVertLine, zqfsVertEdge
};

// The styles' names, in order (for the published tables).
const std::vector<std::string>& FrameStyleNames();

void DrawLoweredFrame(TCanvas* canvas, const RECT& r);
void DrawRaisedFrame(TCanvas* canvas, const RECT& r);
void DrawDintFrame(TCanvas* canvas, const RECT& r);
void DrawBumpFrame(TCanvas* canvas, const RECT& r);
void DrawSingleFrame(TCanvas* canvas, const RECT& r);
void DrawHorzLine(TCanvas* canvas, const RECT& r, TColor colour1, TColor colour2);
void DrawVertLine(TCanvas* canvas, const RECT& r, TColor colour1, TColor colour2);
void DrawHorzEdge(TCanvas* canvas, const RECT& r, TColor colour1, TColor colour2);
void DrawVertEdge(TCanvas* canvas, const RECT& r, TColor colour1, TColor colour2);
// The etched group box with its caption (embossed when disabled). A colour of
// clNone fills nothing and draws the caption transparent.
void DrawGroupFrame(TCanvas* canvas, const RECT& r, const std::string& caption, bool enabled, TColor colour);
void DrawFrame(TZQFrameStyle style, TCanvas* canvas, const RECT& r);
// Shrinks r to the area inside the frame.
void AdjustRectForFrame(TZQFrameStyle style, RECT& r);
// The caption inside a frame of another style than the group's: the rectangle
// narrowed by frameSpace on both sides, aligned, single line, with an ellipsis.
void DrawFrameCaption(TCanvas* canvas, RECT r, const std::string& caption, TAlignment alignment, int frameSpace);

}  // namespace korvane
