#include <gtest/gtest.h>

#include "korvane/host/DateTime.h"
#include "korvane/host/Exceptions.h"

using namespace korvane;

TEST(DateTime, EncodeDecodeRoundTripsAcrossCalendarEdges) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2000, 3, 1) - EncodeDate(2000, 2, 28), 2.0);  // 2000 is a leap year
  EXPECT_EQ(EncodeDate(1900, 3, 1) - EncodeDate(1900, 2, 28), 1.0);  // 1900 is not
  EXPECT_THROW(EncodeDate(2001, 2, 29), EConvertError);
  for (unsigned y : {1601u, 1899u, 1900u, 1999u, 2000u, 2024u, 9999u})
    for (unsigned m : {1u, 2u, 12u})
      for (unsigned d : {1u, 28u}) {
        unsigned yy, mm, dd;
        DecodeDate(EncodeDate(y, m, d), yy, mm, dd);
        EXPECT_EQ(yy * 10000 + mm * 100 + dd, y * 10000 + m * 100 + d);
      }
  unsigned h, n, s, z;
  DecodeTime(EncodeTime(23, 59, 58, 999), h, n, s, z);
  EXPECT_EQ(h * 10000000u + n * 100000u + s * 1000u + z, 235958999u);
}

TEST(DateTime, SystemTimeRoundTripKeepsWeekday) {
  SYSTEMTIME st = {2024, 2, 0, 29, 13, 5, 9, 250};
  const SYSTEMTIME back = DateTimeToSystemTime(SystemTimeToDateTime(st));
  EXPECT_EQ(back.wYear, 2024);
  EXPECT_EQ(back.wMonth, 2);
  EXPECT_EQ(back.wDay, 29);
  EXPECT_EQ(back.wDayOfWeek, 4);  // a Thursday
  EXPECT_EQ(back.wHour, 13);
  EXPECT_EQ(back.wMinute, 5);
  EXPECT_EQ(back.wSecond, 9);
  EXPECT_EQ(back.wMilliseconds, 250);
}

TEST(FormatDateTime, NumericFieldsAndMinutesAfterHours) {
  const TDateTime t = EncodeDate(2024, 3, 7) + EncodeTime(9, 5, 3, 42);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", t), "2024-03-07 09:05:03.042");
  EXPECT_EQ(FormatDateTime("d.m.yy h:mm", t), "7.3.24 9:05");  // m after h: minutes
  EXPECT_EQ(FormatDateTime("'at' hh\"h\"", t), "at 09h");
  EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(15, 30, 0, 0)), "3:30 pm");
  EXPECT_EQ(FormatDateTime("hh AM/PM", EncodeTime(0, 0, 0, 0)), "12 AM");
}

TEST(FormatDateTime, ShortDateAndTimeFollowTheUserLocale) {
  const TDateTime t = EncodeDate(2024, 3, 7) + EncodeTime(9, 5, 3, 0);
  SYSTEMTIME st = DateTimeToSystemTime(t);
  char date[64], time[64];
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
  GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, time, sizeof time);
  EXPECT_EQ(FormatDateTime("ddddd t", t), std::string(date) + " " + time);
  EXPECT_NE(FormatDateTime("ddddd", t).find("2024"), std::string::npos);
}
