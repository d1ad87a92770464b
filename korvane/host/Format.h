// Format: "%" [index ":"] ["-"] [width] ["." precision] type, type one of
// d u x e f g n m p s c; "*" takes width or precision from the arguments.
// %n and %m group thousands with the user's locale separators. A mismatch
// between a specifier and its argument raises EConvertError.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <type_traits>

namespace korvane {

class TFormatArg {
public:
  enum Kind { kInt, kUInt, kFloat, kStr, kChar, kPtr };
  TFormatArg(char c) : kind_(kChar), i_(static_cast<unsigned char>(c)) {}
  template <class T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, char> &&
                                          !std::is_same_v<T, bool>, int> = 0>
  TFormatArg(T v) : kind_(std::is_signed_v<T> ? kInt : kUInt), i_(static_cast<std::int64_t>(v)) {}
  template <class T, std::enable_if_t<std::is_enum_v<T>, int> = 0>
  TFormatArg(T v) : kind_(kInt), i_(static_cast<std::int64_t>(v)) {}
  TFormatArg(double v) : kind_(kFloat), f_(v) {}
  TFormatArg(const char* s) : kind_(kStr), s_(s ? s : "") {}
  TFormatArg(const std::string& s) : kind_(kStr), s_(s.c_str()) {}
  TFormatArg(const void* p) : kind_(kPtr), i_(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(p))) {}

  Kind kind() const { return kind_; }
  std::int64_t i() const { return i_; }
  double f() const { return f_; }
  const char* s() const { return s_; }

private:
  Kind kind_;
  std::int64_t i_ = 0;
  double f_ = 0;
  const char* s_ = nullptr;
};

std::string FormatArgs(const std::string& format, const TFormatArg* args, std::size_t count);

template <class... A>
std::string Format(const std::string& format, const A&... args) {
  const std::array<TFormatArg, sizeof...(A)> list{TFormatArg(args)...};
  return FormatArgs(format, list.data(), list.size());
}

// Formats with the thousands separators and decimal point of the user's locale.
std::string FormatFloatGrouped(double value, int decimals);

}  // namespace korvane
