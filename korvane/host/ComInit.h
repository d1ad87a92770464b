// OLE (and COM with it) on a thread as a held value: started by the constructor,
// ended by the destructor when the start succeeded, as WIL's CoInitializeEx.
#pragma once
#include <windows.h>
#include <ole2.h>

namespace korvane {

class TOleInitialization {
public:
  TOleInitialization() : hr_(OleInitialize(nullptr)) {}
  ~TOleInitialization() {
    if (SUCCEEDED(hr_)) OleUninitialize();
  }
  TOleInitialization(const TOleInitialization&) = delete;
  TOleInitialization& operator=(const TOleInitialization&) = delete;
  HRESULT Result() const { return hr_; }

private:
  HRESULT hr_;
};

// A single-threaded COM apartment on the calling thread for a scope.
class TComApartment {
public:
  TComApartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~TComApartment() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;
  HRESULT Result() const { return hr_; }

private:
  HRESULT hr_;
};

// Starts OLE on the calling thread at its first need and holds it until the thread ends.
// Answers the start's result (RPC_E_CHANGED_MODE: the thread chose another apartment first).
HRESULT OleInitializeForThread();

}  // namespace korvane
