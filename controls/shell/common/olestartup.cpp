// Start and end of the shell controls unit.
#include "controls/shell/common/olestartup.h"
#include "controls/shell/common/sendto.h"

namespace korvane {
namespace {

UINT StartUnit() {
  // OLE was started by the shell units already; this adds the unit's own hold on it.
  OleInitialize(nullptr);
  static struct TEnd {
    ~TEnd() {
      ZQSendToList().reset();
      OleUninitialize();
    }
  } end;
  return RegisterClipboardFormatA("Shell IDList Array");
}

}  // namespace

const UINT CF_IDLIST = StartUnit();

}  // namespace korvane
