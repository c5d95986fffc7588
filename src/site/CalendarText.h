// The text routines of the designer page that the build uses, giving exactly
// the text the page's own routines give, so a build needs no browser:
// caption blanks, the built page's month and year lists, day rows and dates.
// They repeat designer/model/calendar.js in C++ on purpose; both are checked
// against one table of cases, tests/fixtures/calendar_cases.json.
#pragma once

#include <string>

#include "site/BuildContext.h"

namespace zolt {

bool isLeapYear(int year);
int daysInMonth(int month, int year);
// Weekday of the first of the month, 1 = Sunday.
int firstWeekday(int month, int year);

// Each leading blank becomes "&nbsp"; then one blank and the rest of the text.
std::string ReplaceSpaces(const std::string& text);

// The built page's month list "CalMonth_" + calendar ID: full names or
// abbreviations, values 1..12, the month `selectedMonth` (1..12) selected.
std::string GetMonths(const std::string& name, bool fullNames, bool useCurrent, int selectedMonth,
                      const std::string& calendarId);
// The built page's year list "CalYear_" + calendar ID: 2000 to ten years past
// `today`, the year at position `selectedIndex` selected.
std::string GetYears(const std::string& name, int selectedIndex, const std::string& calendarId,
                     const CalendarDate& today);
int lastListedYear(const CalendarDate& today);

// The day rows of a month: the weekday letters and the week rows, the last
// ending after the last day.
std::string BuildCalendarRows(int month, int year);

// A date in format 0..7 of the calendar's date cell (month and day without
// leading zeros).
std::string formatDateText(int formatIndex, const CalendarDate& date);

}  // namespace zolt
