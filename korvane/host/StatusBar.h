// TStatusBar: the system's status line along the bottom of a form, showing one text.
#pragma once
#include <string>

#include "korvane/host/Controls.h"

namespace korvane {

class TStatusBar : public TWinControl {
public:
  explicit TStatusBar(TComponent* AOwner);
  const std::string& GetSimpleText() const { return text_; }
  void SetSimpleText(const std::string& v);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  std::string text_;
};

}  // namespace korvane
