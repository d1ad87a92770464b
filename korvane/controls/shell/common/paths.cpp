#include "korvane/controls/shell/common/paths.h"
#include "korvane/host/SysUtils.h"

namespace korvane {

bool IsLongPath(const std::string& path) {
  if (path.size() <= 3) return false;
  if (ByteType(path, 0) == mbLeadByte && path[1] == ':') return false;
  return true;
}

}  // namespace korvane
