// Window messages as the host hands them to controls and utility windows.
#pragma once
#include <windows.h>

#include <functional>

namespace korvane {

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

using TWndMethod = std::function<void(TMessage& Message)>;

}  // namespace korvane
