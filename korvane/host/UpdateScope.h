// An update bracket for a scope: BeginUpdate on construction, EndUpdate on
// every way out, for any collection that offers the pair.
#pragma once

namespace korvane {

template <class T>
class TUpdateScope {
public:
  explicit TUpdateScope(T* target) : target_(target) { target_->BeginUpdate(); }
  ~TUpdateScope() { target_->EndUpdate(); }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
  T* target_;
};

}  // namespace korvane
