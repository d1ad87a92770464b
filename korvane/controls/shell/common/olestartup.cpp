#include "korvane/controls/shell/common/olestartup.h"

namespace korvane {

const UINT CF_IDLIST = RegisterClipboardFormatA("Shell IDList Array");

}  // namespace korvane
