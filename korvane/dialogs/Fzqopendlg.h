// The form-based dialog components: the base (dialogbase.h), and TZQFileDlg
// with its Open and Save branches, which ask for files with the form TZQFrmOpenDlg.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "korvane/dialogs/dialogbase.h"
#include "korvane/dialogs/opendlgform.h"
#include "korvane/host/Component.h"
#include "korvane/host/Forms.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Screen.h"
#include "korvane/host/Strings.h"

namespace korvane {

// Asks for one or more files. Everything typed is checked by the form
// according to Options; the component keeps the settings and the result.
class TZQFileDlg : public TZQFormDialog<TZQFrmOpenDlg> {
public:
  explicit TZQFileDlg(TComponent* AOwner);
  ~TZQFileDlg() override;

  // While an execution runs, the accessors below read and write the live form.
  std::string GetFilename();
  void SetFilename(const std::string& v);  // Files becomes exactly that name
  TStrings* GetFiles() { return files_.get(); }  // the chosen full paths
  TStrings* GetHistoryList() { return historyList_.get(); }  // kept for the application
  void SetHistoryList(TStrings* v) { historyList_->Assign(v); }
  TZQOpenOptions GetOptions() const { return options_; }
  void SetOptions(TZQOpenOptions v);
  const std::string& GetDefaultExt() const { return defaultExt_; }  // without its dot
  void SetDefaultExt(const std::string& v) { defaultExt_ = v; }
  const std::string& GetFilter() const { return filter_; }  // "Text files|*.txt|All files|*.*"
  void SetFilter(const std::string& v);
  int GetFilterIndex();  // 1-based; during an execution 0 when the form has no types
  void SetFilterIndex(int v);
  THelpContext GetHelpContext() const { return helpContext_; }
  void SetHelpContext(THelpContext v) { helpContext_ = v; }
  const std::string& GetInitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& v) { initialDir_ = v; }
  int GetFormSplitterPos();  // -1: the tree pane was never sized
  void SetFormSplitterPos(int v);
  const TZQShAddItemEvent& GetOnAddListItem() const { return onAddListItem_; }
  void SetOnAddListItem(TZQShAddItemEvent v);
  const TZQShAddItemEvent& GetOnAddTreeItem() const { return onAddTreeItem_; }
  void SetOnAddTreeItem(TZQShAddItemEvent v);

  void WriteStateToStream(TStream& stream) override;

  TZQShAddItemEvent OnAddComboItem;  // kept only: the shell combo has no item filter
  TNotifyEvent OnFolderChanged, OnSelectionChanged, OnTypeChanged;
  TZQShLvCustomDrawEvent OnLvCustomDrawSh, OnLvCustomDrawShEx;
  TZQShTvCustomDrawEvent OnTvCustomDrawSh, OnTvCustomDrawShEx;
  THelpEvent OnHelp;

protected:
  bool DoExecute() override;
  TZQFrmOpenDlg* CreateForm() override;
  void InitForm(TZQFrmOpenDlg& form) override;
  void SaveFormSettings(TZQFrmOpenDlg& form) override;
  [[noreturn]] void RefuseExecution() override;
  void PrepareExecution() override;
  static constexpr std::size_t kFileStateSize = kStateSize + 5;
  std::size_t StateSize() const override { return kFileStateSize; }
  void ApplyState(const std::uint8_t* record) override;
  // The dialog's own caption and OK button text when Title is empty.
  virtual std::string DefaultCaption() const = 0;
  virtual std::string OkButtonCaption() const = 0;

private:
  std::unique_ptr<TStringList> historyList_;
  std::unique_ptr<TStringList> files_;
  TZQOpenOptions options_ = TZQOpenOptions::FromMask(ZQ_OPEN_DIALOG_DEFAULT_OPTIONS);
  std::string defaultExt_;
  std::string filter_;
  int filterIndex_ = 1;
  THelpContext helpContext_ = 0;
  std::string initialDir_;
  int formSplitterPos_ = -1;
  TZQShAddItemEvent onAddListItem_, onAddTreeItem_;
};

class TZQCustomOpenDlg : public TZQFileDlg {
public:
  using TZQFileDlg::TZQFileDlg;

protected:
  std::string DefaultCaption() const override;
  std::string OkButtonCaption() const override;
};

class TZQOpenDlg : public TZQCustomOpenDlg {
public:
  using TZQCustomOpenDlg::TZQCustomOpenDlg;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TZQCustomSaveDlg : public TZQFileDlg {
public:
  using TZQFileDlg::TZQFileDlg;

protected:
  std::string DefaultCaption() const override;
  std::string OkButtonCaption() const override;
};

class TZQSaveDlg : public TZQCustomSaveDlg {
public:
  using TZQCustomSaveDlg::TZQCustomSaveDlg;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace korvane
