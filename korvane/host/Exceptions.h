// The exception kinds of the host layer. Every window procedure, timer, hook and
// COM method catches at its boundary; nothing here ever crosses a Win32 callback.
#pragma once
#include <exception>
#include <string>

#include "korvane/host/System.h"

namespace korvane {

class Exception : public std::exception, public TObject {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  void SetMessage(std::string m) { message_ = std::move(m); }
  const char* what() const noexcept override { return message_.c_str(); }

private:
  std::string message_;
};

// Silent: Application->HandleException ignores it.
class EAbort : public Exception {
public:
  EAbort() : Exception("Operation aborted") {}
  using Exception::Exception;
};

#define KORVANE_EXCEPTION(Name, Base) \
  class Name : public Base {          \
  public:                             \
    using Base::Base;                 \
  }

KORVANE_EXCEPTION(EConvertError, Exception);
KORVANE_EXCEPTION(EInvalidCast, Exception);
KORVANE_EXCEPTION(EListError, Exception);
KORVANE_EXCEPTION(EStringListError, Exception);
KORVANE_EXCEPTION(EComponentError, Exception);
KORVANE_EXCEPTION(EStreamError, Exception);
KORVANE_EXCEPTION(EFilerError, EStreamError);
KORVANE_EXCEPTION(EReadError, EFilerError);
KORVANE_EXCEPTION(EWriteError, EFilerError);
KORVANE_EXCEPTION(EClassNotFound, EFilerError);
KORVANE_EXCEPTION(ERegistryException, Exception);
KORVANE_EXCEPTION(EOleError, Exception);
KORVANE_EXCEPTION(EInvalidOperation, Exception);
KORVANE_EXCEPTION(EMenuError, Exception);
KORVANE_EXCEPTION(EOutOfResources, Exception);
#undef KORVANE_EXCEPTION

class EOSError : public Exception {
public:
  EOSError(std::string message, unsigned long code) : Exception(std::move(message)), code_(code) {}
  unsigned long ErrorCode() const { return code_; }

private:
  unsigned long code_;
};

class EOleSysError : public EOleError {
public:
  // An empty message takes the system's text for the code.
  EOleSysError(const std::string& message, long errorCode, int helpContext = 0);
  long ErrorCode() const { return code_; }
  int HelpContext() const { return help_; }

private:
  long code_;
  int help_;
};

[[noreturn]] void Abort();
// Raises EOleSysError when the code is a failure; answers the code otherwise.
long OleCheck(long result);
[[noreturn]] void OleError(long errorCode);
// Raises EOSError with the system's text for GetLastError().
[[noreturn]] void RaiseLastOSError();

}  // namespace korvane
