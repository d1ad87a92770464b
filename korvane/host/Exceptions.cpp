#include "korvane/host/Exceptions.h"

#include <windows.h>

#include "korvane/host/Format.h"
#include "korvane/host/SysUtils.h"

namespace korvane {

EOleSysError::EOleSysError(const std::string& message, long errorCode, int helpContext)
    : EOleError(message), code_(errorCode), help_(helpContext) {
  if (Message().empty()) SetMessage(SysErrorMessage(static_cast<unsigned long>(errorCode)));
  if (Message().empty()) SetMessage(Format("OLE error %.8x", static_cast<unsigned long>(errorCode)));
}

void Abort() { throw EAbort(); }

long OleCheck(long result) {
  if (result < 0) OleError(result);
  return result;
}

void OleError(long errorCode) { throw EOleSysError("", errorCode); }

void RaiseLastOSError() {
  const DWORD code = GetLastError();
  if (code == 0) throw EOSError("A call to an OS function failed", 0);
  throw EOSError(Format("System Error.  Code: %d.\n%s", static_cast<int>(code), SysErrorMessage(code)), code);
}

}  // namespace korvane
