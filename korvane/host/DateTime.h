// Date-time values (days since 30 December 1899) and their text in the user's locale.
#pragma once
#include <windows.h>

#include <string>

#include "korvane/host/System.h"

namespace korvane {

TDateTime EncodeDate(unsigned year, unsigned month, unsigned day);  // EConvertError when invalid
TDateTime EncodeTime(unsigned hour, unsigned minute, unsigned second, unsigned msec);
void DecodeDate(TDateTime value, unsigned& year, unsigned& month, unsigned& day);
void DecodeTime(TDateTime value, unsigned& hour, unsigned& minute, unsigned& second, unsigned& msec);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& st);
SYSTEMTIME DateTimeToSystemTime(TDateTime value);
TDateTime Now();

// Specifiers: c, d, dd, ddd, dddd, ddddd (short date), dddddd (long date), m, mm,
// mmm, mmmm, yy, yyyy, h, hh, n, nn, s, ss, z, zzz, t (short time), tt (long time),
// am/pm, a/p, ampm, '/' and ':' (locale separators), quoted literals. An m right
// after h or hh means minutes. The locale formats come from the user's settings.
std::string FormatDateTime(const std::string& format, TDateTime value);

}  // namespace korvane
