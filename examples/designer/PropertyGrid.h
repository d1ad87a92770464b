// The designer's property grid: the selected component's published
// properties, grouped by the categories they are filed in, each shown by the
// property editor the design environment finds for it.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "korvane/design/designintf.h"
#include "korvane/host/Controls.h"

namespace korvane {

class TPropertyGrid : public TCustomControl {
public:
  explicit TPropertyGrid(TComponent* AOwner);
  void Edit(TComponent* component, const TDesignEnvironment& environment);
  TComponent* GetEdited() const { return edited_; }
  // The rows: a category header (no editor) or a property with its editor.
  struct TRow {
    std::string Category;
    std::unique_ptr<TPropertyEditor> Editor;  // nil for a header
  };
  const std::vector<TRow>& Rows() const { return rows_; }
  TPropertyEditor* Find(const std::string& propName) const;
  TPropertyEditor* GetSelected() const;
  void SelectRow(int index);
  TNotifyEvent OnSelect;
  static constexpr int kRowHeight = 17, kNameWidth = 120;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  TComponent* edited_ = nullptr;
  std::vector<TRow> rows_;
  int selected_ = -1;
};

}  // namespace korvane
