// A method reference: an object and one of its member functions, called like a
// function and equal to another exactly when both the object and the member
// function are the same (what "code and object both match" means for events
// kept in subscriber lists).
#pragma once
#include <array>
#include <cstring>
#include <functional>

namespace korvane {

template <class... Args>
class TMethodRef {
public:
  TMethodRef() = default;
  template <class C>
  TMethodRef(C* object, void (C::*method)(Args...)) : object_(object) {
    static_assert(sizeof method <= sizeof code_, "member function pointer too large");
    std::memcpy(code_.data(), &method, sizeof method);
    call_ = [object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); };
  }
  void operator()(Args... args) const { call_(std::forward<Args>(args)...); }
  explicit operator bool() const { return static_cast<bool>(call_); }
  bool operator==(const TMethodRef& o) const { return object_ == o.object_ && code_ == o.code_; }

private:
  const void* object_ = nullptr;
  std::array<unsigned char, 4 * sizeof(void*)> code_{};
  std::function<void(Args...)> call_;
};

}  // namespace korvane
