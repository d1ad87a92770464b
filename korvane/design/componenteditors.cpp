#include <cstdio>
#include <memory>

#include "korvane/controls/base/Uzqsplitter.h"
#include "korvane/controls/shell/common/shelllocator.h"
#include "korvane/design/Uzqshreg.h"
#include "korvane/dialogs/Fzqfolderbrowsedlg.h"
#include "korvane/dialogs/Fzqopendlg.h"
#include "korvane/dialogs/Uzqsysfolderdlg.h"
#include "korvane/host/CommonDialogs.h"
#include "korvane/host/Format.h"
#include "korvane/host/Forms.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/StdCtrls.h"
#include "korvane/host/Strings.h"

namespace korvane {

std::string ZQFormatVersion(int hundredths, int releaseLetter) {
  std::string text;
  if (hundredths % 100 != 0) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.02f", hundredths / 100.0);
    text = buffer;
    if (text.back() == '0') text.pop_back();
  } else {
    text = std::to_string(hundredths / 100);
  }
  if (releaseLetter > 0) text += static_cast<char>(releaseLetter + 96);
  return text;
}

TZQAboutBox::TZQAboutBox(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsDialog);
  SetBorderIcons({biSystemMenu});
  SetPosition(poScreenCenter);
  SetCaption("About");
  SetBounds(0, 0, 260, 150);
  ProductTxt = new TLabel(this);
  ProductTxt->SetParent(this);
  ProductTxt->GetFont()->SetStyle({fsBold});
  ProductTxt->GetFont()->SetSize(12);
  ProductTxt->SetBounds(16, 16, 200, 24);
  ProductTxt->SetCaption("Korvane");
  VersionTxt = new TLabel(this);
  VersionTxt->SetParent(this);
  VersionTxt->SetBounds(16, 48, 200, 16);
  VersionTxt->SetCaption(Format("Version %s", ZQFormatVersion(kZQPackageVersion, kZQPackageRelease)));
  CloseBtn = new TButton(this);
  CloseBtn->SetParent(this);
  CloseBtn->SetBounds(90, 80, 75, 23);
  CloseBtn->SetCaption("Close");
  CloseBtn->SetDefault(true);
  CloseBtn->SetCancel(true);
  CloseBtn->SetModalResult(mrOk);
}

void TZQAboutBox::Describe(TComponent* component) { SetCaption(component->ClassName() + " About"); }

void ZQShowAboutBox(TComponent* component) {
  const std::unique_ptr<TZQAboutBox> box(new TZQAboutBox(nullptr));
  box->Describe(component);
  box->ShowModal();
}

namespace {
// The published properties of a component, copied so that they can be put back.
class TPublishedSnapshot {
public:
  explicit TPublishedSnapshot(TComponent& component) : component_(component) {
    for (const TPropInfo* p : component.ClassInfo().AllProps()) {
      TValue v;
      v.prop = p;
      if (p->GetOrd && p->SetOrd) v.ord = p->GetOrd(component);
      else if (p->GetStr && p->SetStr) v.str = p->GetStr(component);
      else if (p->GetRef && p->SetRef) v.ref = p->GetRef(component);
      else if (p->GetObj) {
        TPersistent* object = p->GetObj(component);
        if (auto* strings = dynamic_cast<TStrings*>(object)) {
          v.strings = std::make_unique<TStringList>();
          v.strings->Assign(strings);
        } else if (auto* locator = dynamic_cast<TZQShellLocator*>(object)) {
          v.locator = std::make_unique<TZQShellLocator>();
          v.locator->Assign(locator);
        } else {
          continue;
        }
      } else {
        continue;
      }
      values_.push_back(std::move(v));
    }
  }
  void Restore() {
    for (TValue& v : values_) {
      const TPropInfo& p = *v.prop;
      if (p.GetOrd && p.SetOrd) p.SetOrd(component_, v.ord);
      else if (p.GetStr && p.SetStr) p.SetStr(component_, v.str);
      else if (p.GetRef && p.SetRef) p.SetRef(component_, v.ref);
      else if (v.strings) p.GetObj(component_)->Assign(v.strings.get());
      else if (v.locator) p.GetObj(component_)->Assign(v.locator.get());
    }
  }

private:
  struct TValue {
    const TPropInfo* prop = nullptr;
    std::int64_t ord = 0;
    std::string str;
    TComponent* ref = nullptr;
    std::unique_ptr<TStringList> strings;
    std::unique_ptr<TZQShellLocator> locator;
  };
  TComponent& component_;
  std::vector<TValue> values_;
};

void About(TComponent* c) { ZQShowAboutBox(c); }
template <class D>
void Test(TComponent* c) {
  if (auto* dialog = dynamic_cast<D*>(c)) ZQTestComponent(c, [dialog] { dialog->Execute(); });
}
void CenterPanes(TComponent* c) {
  if (auto* s = dynamic_cast<TZQSplitter*>(c)) s->SetPosition((s->Extent() - s->GetSplitterWidth()) / 2);
}
void SwapPanes(TComponent* c) {
  if (auto* s = dynamic_cast<TZQSplitter*>(c)) s->SwapPanes(true);
}
}  // namespace

void ZQTestComponent(TComponent* component, const std::function<void()>& test) {
  TPublishedSnapshot snapshot(*component);
  const auto restore = ScopeExit([&] { snapshot.Restore(); });
  test();
}

std::string TZQVerbEditor::GetVerb(int index) {
  const auto& verbs = Verbs();
  return index >= 0 && static_cast<std::size_t>(index) < verbs.size() ? verbs[index].Caption : "";
}

void TZQVerbEditor::ExecuteVerb(int index) {
  const auto& verbs = Verbs();
  if (index >= 0 && static_cast<std::size_t>(index) < verbs.size()) verbs[index].Run(component_);
}

const std::vector<TZQVerbEditor::TVerb>& TZQAboutEditor::Verbs() const {
  static const std::vector<TVerb> verbs = {{"&About...", About}};
  return verbs;
}
const std::vector<TZQVerbEditor::TVerb>& TZQSysFolderDlgEditor::Verbs() const {
  static const std::vector<TVerb> verbs = {{"&About...", About}, {"&Test...", Test<TZQSysFolderDlg>}};
  return verbs;
}
const std::vector<TZQVerbEditor::TVerb>& TZQFolderBrowseDlgEditor::Verbs() const {
  static const std::vector<TVerb> verbs = {{"&About...", About}, {"&Test...", Test<TZQDialog>}};
  return verbs;
}
const std::vector<TZQVerbEditor::TVerb>& TZQOpenDlgEditor::Verbs() const {
  static const std::vector<TVerb> verbs = {{"&About...", About}, {"&Test...", Test<TZQDialog>}};
  return verbs;
}
const std::vector<TZQVerbEditor::TVerb>& TZQSaveDlgEditor::Verbs() const {
  static const std::vector<TVerb> verbs = {{"&About...", About}, {"&Test...", Test<TZQDialog>}};
  return verbs;
}
const std::vector<TZQVerbEditor::TVerb>& TZQSplitterEditor::Verbs() const {
  static const std::vector<TVerb> verbs = {{"&About...", About}, {"&Center Panes", CenterPanes},
                                           {"Swap &Panes", SwapPanes}};
  return verbs;
}
const std::vector<TZQVerbEditor::TVerb>& TOpenDialogEditor::Verbs() const {
  static const std::vector<TVerb> verbs = {{"&Test...", Test<TOpenDialog>}};
  return verbs;
}

}  // namespace korvane
