#include "korvane/host/DateTime.h"

#include <cmath>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Format.h"

namespace korvane {
namespace {

constexpr int kMonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                   {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
bool IsLeapYear(unsigned y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

constexpr double kMSecsPerDay = 86400000.0;

std::string Locale(LCTYPE type) {
  char buf[128] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
  return buf;
}

std::string DateText(const SYSTEMTIME& st, DWORD flags) {
  char buf[128] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, flags, &st, nullptr, buf, sizeof buf);
  return buf;
}

std::string TimeText(const SYSTEMTIME& st, DWORD flags) {
  char buf[128] = {};
  GetTimeFormatA(LOCALE_USER_DEFAULT, flags, &st, nullptr, buf, sizeof buf);
  return buf;
}

}  // namespace

TDateTime EncodeDate(unsigned year, unsigned month, unsigned day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > static_cast<unsigned>(kMonthDays[IsLeapYear(year)][month - 1]))
    throw EConvertError("Invalid argument to date encode");
  long long days = day;
  for (unsigned m = 1; m < month; ++m) days += kMonthDays[IsLeapYear(year)][m - 1];
  const long long y = year - 1;
  days += y * 365 + y / 4 - y / 100 + y / 400;
  return static_cast<double>(days - 693594);
}

TDateTime EncodeTime(unsigned hour, unsigned minute, unsigned second, unsigned msec) {
  if (hour > 23 || minute > 59 || second > 59 || msec > 999)
    throw EConvertError("Invalid argument to time encode");
  return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / kMSecsPerDay;
}

void DecodeDate(TDateTime value, unsigned& year, unsigned& month, unsigned& day) {
  long long t = static_cast<long long>(std::floor(value)) + 693593;  // days since 0001-01-01
  if (t < 0) {
    year = month = day = 0;
    return;
  }
  year = 1;
  const long long d400 = 146097, d100 = 36524, d4 = 1461;
  year += static_cast<unsigned>(t / d400) * 400;
  t %= d400;
  long long i = t / d100;
  if (i == 4) i = 3;
  year += static_cast<unsigned>(i) * 100;
  t -= i * d100;
  year += static_cast<unsigned>(t / d4) * 4;
  t %= d4;
  i = t / 365;
  if (i == 4) i = 3;
  year += static_cast<unsigned>(i);
  t -= i * 365;
  month = 1;
  const auto& table = kMonthDays[IsLeapYear(year)];
  while (t >= table[month - 1]) t -= table[month++ - 1];
  day = static_cast<unsigned>(t) + 1;
}

void DecodeTime(TDateTime value, unsigned& hour, unsigned& minute, unsigned& second, unsigned& msec) {
  long long ms = std::llround(std::fabs(value - std::floor(value)) * kMSecsPerDay);
  if (ms >= 86400000) ms = 86399999;
  hour = static_cast<unsigned>(ms / 3600000);
  minute = static_cast<unsigned>(ms / 60000 % 60);
  second = static_cast<unsigned>(ms / 1000 % 60);
  msec = static_cast<unsigned>(ms % 1000);
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& st) {
  return EncodeDate(st.wYear, st.wMonth, st.wDay) +
         EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

SYSTEMTIME DateTimeToSystemTime(TDateTime value) {
  SYSTEMTIME st = {};
  unsigned y, m, d, h, n, s, z;
  DecodeDate(value, y, m, d);
  DecodeTime(value, h, n, s, z);
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(m);
  st.wDay = static_cast<WORD>(d);
  st.wDayOfWeek = static_cast<WORD>((static_cast<long long>(std::floor(value)) % 7 + 13) % 7);
  st.wHour = static_cast<WORD>(h);
  st.wMinute = static_cast<WORD>(n);
  st.wSecond = static_cast<WORD>(s);
  st.wMilliseconds = static_cast<WORD>(z);
  return st;
}

TDateTime Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return SystemTimeToDateTime(st);
}

std::string FormatDateTime(const std::string& format, TDateTime value) {
  const SYSTEMTIME st = DateTimeToSystemTime(value);
  std::string out;
  bool afterHour = false;
  const std::size_t n = format.size();
  auto run = [&](std::size_t p, char c) {
    std::size_t k = p;
    while (k < n && (format[k] | 0x20) == c) ++k;
    return k - p;
  };
  auto two = [](unsigned v) { return Format("%.2d", v); };
  for (std::size_t p = 0; p < n;) {
    const char c = format[p];
    const char lc = static_cast<char>(c | 0x20);
    if (c == '"' || c == '\'') {
      const std::size_t end = format.find(c, p + 1);
      out += format.substr(p + 1, (end == std::string::npos ? n : end) - p - 1);
      p = end == std::string::npos ? n : end + 1;
      continue;
    }
    if (format.compare(p, 5, "am/pm") == 0 || format.compare(p, 5, "AM/PM") == 0) {
      out += st.wHour < 12 ? (c == 'a' ? "am" : "AM") : (c == 'a' ? "pm" : "PM");
      p += 5;
      continue;
    }
    if (format.compare(p, 3, "a/p") == 0 || format.compare(p, 3, "A/P") == 0) {
      out += st.wHour < 12 ? (c == 'a' ? "a" : "A") : (c == 'a' ? "p" : "P");
      p += 3;
      continue;
    }
    if ((c == 'a' || c == 'A') && (format.compare(p, 4, "ampm") == 0 || format.compare(p, 4, "AMPM") == 0)) {
      out += Locale(st.wHour < 12 ? LOCALE_S1159 : LOCALE_S2359);
      p += 4;
      continue;
    }
    const std::size_t k = run(p, lc);
    switch (lc) {
      case 'c':
        out += DateText(st, DATE_SHORTDATE);
        if (value - std::floor(value) != 0) {
          out += ' ';
          out += TimeText(st, 0);
        }
        p += 1;
        continue;
      case 'd':
        if (k >= 6) out += DateText(st, DATE_LONGDATE);
        else if (k == 5) out += DateText(st, DATE_SHORTDATE);
        else if (k == 4) out += Locale(LOCALE_SDAYNAME1 + (st.wDayOfWeek + 6) % 7);
        else if (k == 3) out += Locale(LOCALE_SABBREVDAYNAME1 + (st.wDayOfWeek + 6) % 7);
        else out += k == 2 ? two(st.wDay) : std::to_string(st.wDay);
        p += k >= 6 ? 6 : k;
        afterHour = false;
        continue;
      case 'm':
        if (afterHour && k <= 2) out += k == 2 ? two(st.wMinute) : std::to_string(st.wMinute);
        else if (k >= 4) out += Locale(LOCALE_SMONTHNAME1 + st.wMonth - 1);
        else if (k == 3) out += Locale(LOCALE_SABBREVMONTHNAME1 + st.wMonth - 1);
        else out += k == 2 ? two(st.wMonth) : std::to_string(st.wMonth);
        p += k >= 4 ? 4 : k;
        afterHour = false;
        continue;
      case 'y':
        out += k <= 2 ? two(st.wYear % 100) : Format("%.4d", st.wYear);
        p += k;
        afterHour = false;
        continue;
      case 'h': {
        // 12-hour clock when an am/pm marker follows.
        const std::string rest = format.substr(p);
        unsigned h = st.wHour;
        if (rest.find("am/pm") != std::string::npos || rest.find("AM/PM") != std::string::npos ||
            rest.find("a/p") != std::string::npos || rest.find("A/P") != std::string::npos ||
            rest.find("ampm") != std::string::npos || rest.find("AMPM") != std::string::npos) {
          h %= 12;
          if (h == 0) h = 12;
        }
        out += k >= 2 ? two(h) : std::to_string(h);
        p += k >= 2 ? 2 : 1;
        afterHour = true;
        continue;
      }
      case 'n':
        out += k >= 2 ? two(st.wMinute) : std::to_string(st.wMinute);
        p += k >= 2 ? 2 : 1;
        continue;
      case 's':
        out += k >= 2 ? two(st.wSecond) : std::to_string(st.wSecond);
        p += k >= 2 ? 2 : 1;
        continue;
      case 'z':
        out += k >= 3 ? Format("%.3d", st.wMilliseconds) : std::to_string(st.wMilliseconds);
        p += k >= 3 ? 3 : 1;
        continue;
      case 't':
        out += TimeText(st, k >= 2 ? 0 : TIME_NOSECONDS);
        p += k >= 2 ? 2 : 1;
        continue;
      default:
        break;
    }
    if (c == '/') out += Locale(LOCALE_SDATE);
    else if (c == ':') out += Locale(LOCALE_STIME);
    else out += c;
    ++p;
  }
  return out;
}

}  // namespace korvane
