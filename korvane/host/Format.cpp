#include "korvane/host/Format.h"

#include <windows.h>

#include <cmath>
#include <cstdio>

#include "korvane/host/Exceptions.h"

namespace korvane {
namespace {

std::string LocaleText(LCTYPE type, const char* fallback) {
  char buf[16] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf) <= 1) return fallback;
  return buf;
}

[[noreturn]] void Invalid(const std::string& format) {
  throw EConvertError("Format '" + format + "' invalid or incompatible with argument");
}

std::string Printf(const char* pattern, double v) {
  char buf[512];
  std::snprintf(buf, sizeof buf, pattern, v);
  return buf;
}

}  // namespace

std::string FormatFloatGrouped(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  char pattern[16];
  std::snprintf(pattern, sizeof pattern, "%%.%df", decimals);
  std::string digits = Printf(pattern, std::fabs(value));
  std::string frac;
  if (const auto dot = digits.find('.'); dot != std::string::npos) {
    frac = digits.substr(dot + 1);
    digits.resize(dot);
  }
  const std::string sep = LocaleText(LOCALE_STHOUSAND, ",");
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += sep;
    grouped += digits[i];
  }
  if (!frac.empty()) grouped += LocaleText(LOCALE_SDECIMAL, ".") + frac;
  const bool negative = value < 0 && grouped.find_first_not_of("0,. ") != std::string::npos;
  return negative ? "-" + grouped : grouped;
}

std::string FormatArgs(const std::string& format, const TFormatArg* args, std::size_t count) {
  std::string out;
  std::size_t next = 0;
  const std::size_t n = format.size();
  auto take = [&]() -> const TFormatArg& {
    if (next >= count) Invalid(format);
    return args[next++];
  };
  auto number = [&](std::size_t& p) -> int {
    if (p < n && format[p] == '*') {
      ++p;
      const TFormatArg& a = take();
      if (a.kind() != TFormatArg::kInt && a.kind() != TFormatArg::kUInt) Invalid(format);
      return static_cast<int>(a.i());
    }
    int v = 0;
    while (p < n && format[p] >= '0' && format[p] <= '9') v = v * 10 + (format[p++] - '0');
    return v;
  };

  for (std::size_t p = 0; p < n; ++p) {
    if (format[p] != '%') {
      out += format[p];
      continue;
    }
    if (++p >= n) Invalid(format);
    if (format[p] == '%') {
      out += '%';
      continue;
    }
    // Optional argument index "n:".
    std::size_t q = p;
    while (q < n && format[q] >= '0' && format[q] <= '9') ++q;
    if (q < n && q > p && format[q] == ':') {
      next = static_cast<std::size_t>(std::stoul(format.substr(p, q - p)));
      p = q + 1;
    }
    const bool left = p < n && format[p] == '-';
    if (left) ++p;
    const int width = number(p);
    int precision = -1;
    if (p < n && format[p] == '.') {
      ++p;
      precision = number(p);
    }
    if (p >= n) Invalid(format);
    const char type = static_cast<char>(format[p] | 0x20);
    const TFormatArg& a = take();
    const bool integral = a.kind() == TFormatArg::kInt || a.kind() == TFormatArg::kUInt;
    std::string text;
    switch (type) {
      case 'd':
      case 'u': {
        if (!integral) Invalid(format);
        std::int64_t v = a.i();
        if (type == 'u' && a.kind() == TFormatArg::kInt && v < 0) v = static_cast<std::uint32_t>(v);
        const bool neg = v < 0;
        std::string digits = std::to_string(neg ? -static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v));
        if (precision > static_cast<int>(digits.size())) digits.insert(0, precision - digits.size(), '0');
        text = neg ? "-" + digits : digits;
        break;
      }
      case 'x': {
        if (!integral) Invalid(format);
        std::uint64_t v = static_cast<std::uint64_t>(a.i());
        if (a.kind() == TFormatArg::kInt && a.i() < 0 && a.i() >= INT32_MIN) v &= 0xFFFFFFFFu;
        char buf[32];
        std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(v));
        text = buf;
        if (precision > static_cast<int>(text.size())) text.insert(0, precision - text.size(), '0');
        break;
      }
      case 'e':
      case 'f':
      case 'g':
      case 'n':
      case 'm': {
        double v;
        if (a.kind() == TFormatArg::kFloat) v = a.f();
        else if (integral) v = static_cast<double>(a.i());
        else Invalid(format);
        if (type == 'n' || type == 'm') {
          text = FormatFloatGrouped(v, precision < 0 ? 2 : precision);
        } else {
          char pattern[16];
          std::snprintf(pattern, sizeof pattern, "%%.%d%c", precision < 0 ? (type == 'g' ? 15 : 2) : precision,
                        type == 'e' ? 'E' : type);
          text = Printf(pattern, v);
        }
        break;
      }
      case 's':
        if (a.kind() == TFormatArg::kStr) text = a.s();
        else if (a.kind() == TFormatArg::kChar) text = std::string(1, static_cast<char>(a.i()));
        else Invalid(format);
        if (precision >= 0 && static_cast<int>(text.size()) > precision) text.resize(precision);
        break;
      case 'c':
        if (a.kind() != TFormatArg::kChar && !integral) Invalid(format);
        text = std::string(1, static_cast<char>(a.i()));
        break;
      case 'p': {
        if (a.kind() != TFormatArg::kPtr && !integral) Invalid(format);
        char buf[32];
        std::snprintf(buf, sizeof buf, "%0*llX", static_cast<int>(sizeof(void*) * 2),
                      static_cast<unsigned long long>(a.i()));
        text = buf;
        break;
      }
      default:
        Invalid(format);
    }
    if (static_cast<int>(text.size()) < width) {
      const std::string pad(width - text.size(), ' ');
      text = left ? text + pad : pad + text;
    }
    out += text;
  }
  return out;
}

}  // namespace korvane
