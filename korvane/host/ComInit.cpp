#include "korvane/host/ComInit.h"

namespace korvane {

HRESULT OleInitializeForThread() {
  thread_local const TOleInitialization held;
  return held.Result();
}

}  // namespace korvane
