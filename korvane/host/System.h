// Base vocabulary of the host layer: the root object, sets over enumerations,
// date-time values and the notify event.
#pragma once
// Included first everywhere: Win32 macros such as GetObject and RegisterClass
// then rename the host's identifiers alike in every translation unit.
#include <windows.h>
#include <commctrl.h>

#include "korvane/host/WinVersion.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

namespace korvane {

class TObject {
public:
  virtual ~TObject() = default;
  // The class's own name without namespace, e.g. "TZQShellLocator".
  std::string ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// A set of up to 64 members of an unscoped enumeration; bit n is member n.
template <class E>
class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> members) {
    for (E m : members) bits_ |= Bit(m);
  }
  static constexpr TSet FromMask(std::uint64_t mask) {
    TSet s;
    s.bits_ = mask;
    return s;
  }
  constexpr std::uint64_t Mask() const { return bits_; }
  constexpr bool Contains(E m) const { return (bits_ & Bit(m)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  TSet& Include(E m) { bits_ |= Bit(m); return *this; }
  TSet& Exclude(E m) { bits_ &= ~Bit(m); return *this; }
  friend constexpr TSet operator+(TSet a, TSet b) { return FromMask(a.bits_ | b.bits_); }
  friend constexpr TSet operator-(TSet a, TSet b) { return FromMask(a.bits_ & ~b.bits_); }
  friend constexpr TSet operator*(TSet a, TSet b) { return FromMask(a.bits_ & b.bits_); }
  friend constexpr bool operator==(TSet a, TSet b) { return a.bits_ == b.bits_; }
  // Subset test.
  friend constexpr bool operator<=(TSet a, TSet b) { return (a.bits_ & ~b.bits_) == 0; }

private:
  static constexpr std::uint64_t Bit(E m) { return std::uint64_t(1) << static_cast<unsigned>(m); }
  std::uint64_t bits_ = 0;
};

// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

// Counts a scope: the counter is raised for its life (nesting depths, blocks).
class TCountScope {
public:
  explicit TCountScope(int& count) : count_(count) { ++count_; }
  ~TCountScope() { --count_; }
  TCountScope(const TCountScope&) = delete;
  TCountScope& operator=(const TCountScope&) = delete;

private:
  int& count_;
};

// Sets a flag for a scope; its previous value comes back at the end, also on an exception.
class TFlagScope {
public:
  explicit TFlagScope(bool& flag, bool value = true) : flag_(flag), previous_(flag) { flag_ = value; }
  ~TFlagScope() { flag_ = previous_; }  // scopes nest
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& flag_;
  bool previous_;
};

}  // namespace korvane
