// A dialog component whose form runs the test's steps inside its modal loop,
// and a recorder that answers the message boxes the form shows.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "korvane/dialogs/Fzqfolderbrowsedlg.h"
#include "korvane/dialogs/Fzqopendlg.h"
#include "korvane/host/Application.h"
#include "korvane/host/Dialogs.h"
#include "tests/support/ScriptedForm.h"

namespace korvane::test {

// Base is the component, Form the form class it builds.
template <class Base, class Form>
class TScriptedDialog : public Base {
public:
  using Base::Base;
  std::vector<typename TScriptedForm<Form>::TStep> steps;
  bool leftOpen = false;  // the form was still open after the last step

protected:
  class TForm : public TScriptedForm<Form> {
  public:
    TForm(TComponent* owner, bool& leftOpen) : TScriptedForm<Form>(owner), leftOpen_(leftOpen) {}
    ~TForm() override { leftOpen_ = this->leftOpen; }

  private:
    bool& leftOpen_;
  };
  Form* CreateForm() override {
    auto* form = new TForm(Application, leftOpen);
    form->steps = steps;
    return form;
  }
};

using TScriptedOpenForm = TScriptedForm<TZQFrmOpenDlg>;
template <class Base>
using TScriptedFileDialog = TScriptedDialog<Base, TZQFrmOpenDlg>;
using TScriptedBrowseForm = TScriptedForm<TZQFrmFolderBrowseDlg>;
using TScriptedFolderBrowseDlg = TScriptedDialog<TZQFolderBrowseDlg, TZQFrmFolderBrowseDlg>;

// While it lives, message boxes are answered here: Yes/No boxes from answers
// in order (No when none is left), the others with OK. Each text is kept.
class TMessageLog {
public:
  explicit TMessageLog(std::deque<int> answers = {}) : answers_(std::move(answers)) {
    SetMessageDlgHandler([this](const std::string& caption, const std::string& text, UINT flags) {
      captions.push_back(caption);
      texts.push_back(text);
      if ((flags & MB_TYPEMASK) != MB_YESNO && (flags & MB_TYPEMASK) != MB_YESNOCANCEL) return IDOK;
      if (answers_.empty()) return IDNO;
      const int answer = answers_.front();
      answers_.pop_front();
      return answer;
    });
  }
  ~TMessageLog() { SetMessageDlgHandler(nullptr); }
  TMessageLog(const TMessageLog&) = delete;
  TMessageLog& operator=(const TMessageLog&) = delete;
  void Answer(int answer) { answers_.push_back(answer); }
  // The texts shown since the last call.
  std::vector<std::string> Take() {
    std::vector<std::string> shown;
    shown.swap(texts);
    return shown;
  }
  std::vector<std::string> captions, texts;

private:
  std::deque<int> answers_;
};

}  // namespace korvane::test
