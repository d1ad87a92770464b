#include <algorithm>

#include "korvane/controls/base/framedraw.h"
#include "korvane/design/Uzqshreg.h"
#include "korvane/design/locatoreditor.h"

namespace korvane {

bool TZQShellLocatorEditor::Edit() {
  auto* locator = dynamic_cast<TZQShellLocator*>(prop_.GetObj(*component_));
  return locator && ZQEditShellLocator(*locator);
}

std::vector<std::string> TCSIDLEditor::GetValues() {
  std::vector<std::string> names;
  for (const std::string& name : prop_.Names)
    if (name.find('_') == std::string::npos) names.push_back(name);
  return names;
}

namespace {
int PreviewWidth(TCanvas& canvas) { return 2 * canvas.TextWidth("X"); }

void DrawStyleEntry(const std::vector<std::string>& names, const std::string& value, TCanvas& canvas, const RECT& r) {
  const int box = PreviewWidth(canvas);
  const RECT text = {r.left + box, r.top, r.right, r.bottom};
  canvas.TextRect(text, text.left + 1, text.top + 1, value);
  const RECT preview = {r.left, r.top, r.left + box, r.bottom};
  canvas.GetBrush()->SetColor(clBtnFace);
  canvas.FillRect(preview);
  const auto at = std::find(names.begin(), names.end(), value);
  if (at == names.end()) return;
  const RECT inset = {preview.left + 2, preview.top + 2, preview.right - 2, preview.bottom - 2};
  DrawFrame(static_cast<TZQFrameStyle>(at - names.begin()), &canvas, inset);
}
}  // namespace

int TZQFrameStyleProperty::ListMeasureWidth(const std::string&, TCanvas& canvas, int width) {
  return width + PreviewWidth(canvas);
}

void TZQFrameStyleProperty::ListDrawValue(const std::string& value, TCanvas& canvas, const RECT& r, bool) {
  DrawStyleEntry(prop_.Names, value, canvas, r);
}

void TZQFrameStyleProperty::PropDrawValue(TCanvas& canvas, const RECT& r, bool) {
  DrawStyleEntry(prop_.Names, GetValue(), canvas, r);
}

}  // namespace korvane
