// Date-time helpers on TDateTime (days since 30 December 1899, the fraction being the time
// of day; before the epoch the fraction still counts forward from midnight, so -1.25 is
// 29 December 1899, 06:00). Components are 16-bit, as in stored descriptions.
#pragma once

#include "platform/Clock.h"

#include <cstdint>

// A component passed as this value to a Recode function keeps its value.
constexpr uint16_t RecodeLeaveFieldAsIs = 0xFFFF;

// The time elapsed since the epoch; a result that is negative or beyond 32 bits gives
// 2147483647 (DateToMinutes: 10000).
int DateToMilliSeconds(TDateTime dateTime);
int DateToSeconds(TDateTime dateTime);
int DateToMinutes(TDateTime dateTime);
int DateToHours(TDateTime dateTime);

uint16_t YearOf(TDateTime dateTime);
uint16_t MonthOf(TDateTime dateTime);
uint16_t DayOf(TDateTime dateTime);
uint16_t HourOf(TDateTime dateTime);
uint16_t MinuteOf(TDateTime dateTime);
uint16_t SecondOf(TDateTime dateTime);
uint16_t MilliSecondOf(TDateTime dateTime);

// Months are added keeping the day, clamped to the length of the month reached.
TDateTime IncMonth(TDateTime dateTime, int64_t numberOfMonths = 1);
TDateTime IncYear(TDateTime dateTime, int numberOfYears = 1);
TDateTime IncWeek(TDateTime dateTime, int numberOfWeeks = 1);
TDateTime IncDay(TDateTime dateTime, int numberOfDays = 1);
TDateTime IncHour(TDateTime dateTime, int64_t numberOfHours = 1);
TDateTime IncMinute(TDateTime dateTime, int64_t numberOfMinutes = 1);
TDateTime IncSecond(TDateTime dateTime, int64_t numberOfSeconds = 1);
TDateTime IncMilliSecond(TDateTime dateTime, int64_t numberOfMilliSeconds = 1);

void DecodeDateTime(TDateTime dateTime, uint16_t& year, uint16_t& month, uint16_t& day,
                    uint16_t& hour, uint16_t& minute, uint16_t& second, uint16_t& milliSecond);

// False when the date (years 1 to 9999) or the time (below 24:00:00.000) is invalid.
bool TryEncodeDateTime(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute,
                       uint16_t second, uint16_t milliSecond, TDateTime& dateTime);

// The Recode functions raise EConvertError "'<date and time>' is not a valid date and time"
// when the recoded components form no valid date-time.
TDateTime RecodeYear(TDateTime dateTime, uint16_t year);
TDateTime RecodeMonth(TDateTime dateTime, uint16_t month);
TDateTime RecodeDay(TDateTime dateTime, uint16_t day);
TDateTime RecodeHour(TDateTime dateTime, uint16_t hour);
TDateTime RecodeMinute(TDateTime dateTime, uint16_t minute);
TDateTime RecodeSecond(TDateTime dateTime, uint16_t second);
TDateTime RecodeMilliSecond(TDateTime dateTime, uint16_t milliSecond);
TDateTime RecodeDate(TDateTime dateTime, uint16_t year, uint16_t month, uint16_t day);
TDateTime RecodeTime(TDateTime dateTime, uint16_t hour, uint16_t minute, uint16_t second,
                     uint16_t milliSecond);
TDateTime RecodeDateTime(TDateTime dateTime, uint16_t year, uint16_t month, uint16_t day,
                         uint16_t hour, uint16_t minute, uint16_t second, uint16_t milliSecond);
bool TryRecodeDateTime(TDateTime dateTime, uint16_t year, uint16_t month, uint16_t day,
                       uint16_t hour, uint16_t minute, uint16_t second, uint16_t milliSecond,
                       TDateTime& result);
