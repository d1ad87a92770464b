#include "korvane/dialogs/chosenfile.h"

#include <windows.h>

#include "korvane/host/Dialogs.h"
#include "korvane/host/Format.h"
#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshconsts.h"

namespace korvane {

bool ZQCheckChosenFile(const std::string& full, TZQOpenOptions options, const std::string& caption) {
  const auto say = [&](TZQStringId text, const std::string& name, TMsgDlgType type, TMsgDlgButtons buttons) {
    return MessageDlgCaption(caption, Format(LoadResString(text), name), type, buttons);
  };
  const DWORD attributes = GetFileAttributesA(full.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  if (exists) {
    if ((attributes & FILE_ATTRIBUTE_READONLY) && options.Contains(zqofNoReadOnlyReturn)) {
      say(SExistsAndIsReadOnly, full, mtWarning, {mbOK});
      return false;
    }
    if (options.Contains(zqofOverwritePrompt)) return say(SFileExistsReplace, full, mtWarning, {mbYes, mbNo}) == mrYes;
    return true;
  }
  if (options.Contains(zqofFileMustExist)) {
    say(SFileNotFound, full, mtWarning, {mbOK});
    return false;
  }
  if (options.Contains(zqofCreatePrompt))
    return say(SDoesNotExistCreate, ExtractFileName(full), mtConfirmation, {mbYes, mbNo}) == mrYes;
  return true;
}

}  // namespace korvane
