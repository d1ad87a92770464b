// TScopeExit: runs a function when the scope ends, on every path, unless Release() was called first.
// The function must not throw: an exception there would leave a destructor. Clean-up that raises an
// application's event goes through GuardCallback (Application.h), which hands the exception on.
//
//   const auto done = ScopeExit([&] { FillComplete(); });
#pragma once
#include <utility>

namespace korvane {

template <class F>
class TScopeExit {
public:
  explicit TScopeExit(F f) : f_(std::move(f)) {}
  ~TScopeExit() {
    if (armed_) f_();
  }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;
  void Release() { armed_ = false; }

private:
  F f_;
  bool armed_ = true;
};

template <class F>
[[nodiscard]] TScopeExit<F> ScopeExit(F f) {
  return TScopeExit<F>(std::move(f));
}

}  // namespace korvane
