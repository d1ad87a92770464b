// TOpenDialog: the system's own Open dialog (GetOpenFileName) as a component.
#pragma once
#include <string>

#include "korvane/host/Component.h"

namespace korvane {

class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // True when the user chose a file (FileName then holds its path).
  virtual bool Execute();
  const std::string& GetFileName() const { return fileName_; }
  void SetFileName(const std::string& v) { fileName_ = v; }
  const std::string& GetFilter() const { return filter_; }  // "Text|*.txt|All|*.*"
  void SetFilter(const std::string& v) { filter_ = v; }
  const std::string& GetTitle() const { return title_; }
  void SetTitle(const std::string& v) { title_ = v; }
  const std::string& GetInitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& v) { initialDir_ = v; }
  const std::string& GetDefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string& v) { defaultExt_ = v; }
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

private:
  std::string fileName_, filter_, title_, initialDir_, defaultExt_;
};

}  // namespace korvane
