// The designer's calendar routines in C++ (the same cases check both: see
// CalendarText.h).
#include "site/CalendarText.h"

#include <array>
#include <map>
#include <utility>

namespace zolt {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March", "April", "May", "June",
    "July", "August", "September", "October", "November", "December"};
constexpr std::array<const char*, 12> kMonthAbbreviations = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 7> kWeekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 7> kWeekdayLetters = {"S", "M", "T", "W", "T", "F", "S"};
constexpr int kFirstListedYear = 2000;

std::string listOpening(const std::string& name, const std::string& calendarId) {
    std::string id = "Cal" + name + "_" + calendarId;
    return "<SELECT ID=" + id + " Name=" + id +
           " style=\"font-family:arial;font-size:10;\" onchange='BuildCalendar(\"" + calendarId +
           "\")' aria-label=" + name + ">";
}

std::string option(const std::string& value, const std::string& text, bool selected) {
    return "<OPTION value=" + value + (selected ? " selected" : "") + ">" + text + "</OPTION>";
}

}  // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int month, int year) {
    if (month == 2) return isLeapYear(year) ? 29 : 28;
    return (month == 4 || month == 6 || month == 9 || month == 11) ? 30 : 31;
}

int firstWeekday(int month, int year) {
    // Sakamoto's method: 0 = Sunday.
    static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    int y = month < 3 ? year - 1 : year;
    int w = (y + y / 4 - y / 100 + y / 400 + t[month - 1] + 1) % 7;
    return w + 1;
}

std::string ReplaceSpaces(const std::string& text) {
    std::size_t k = 0;
    while (k < text.size() && text[k] == ' ') ++k;
    std::string out;
    for (std::size_t i = 0; i < k; ++i) out += "&nbsp";
    return out + " " + text.substr(k);
}

std::string GetMonths(const std::string& name, bool fullNames, bool useCurrent, int selectedMonth,
                      const std::string& calendarId) {
    std::vector<std::string> texts;
    if (useCurrent) texts.push_back("Current");
    for (int m = 0; m < 12; ++m) texts.push_back(fullNames ? kMonthNames[m] : kMonthAbbreviations[m]);
    std::string out = listOpening(name, calendarId);
    for (std::size_t k = 0; k < texts.size(); ++k) {
        out += option(std::to_string(k + 1), texts[k], static_cast<int>(k) == selectedMonth - 1);
    }
    return out + "</SELECT>";
}

int lastListedYear(const CalendarDate& today) {
    return std::max(today.year + 10, 2014);
}

std::string GetYears(const std::string& name, int selectedIndex, const std::string& calendarId,
                     const CalendarDate& today) {
    // Every calendar of a build lists the same years: each choice is made once.
    static std::map<std::pair<int, int>, std::string> made;
    int last = lastListedYear(today);
    std::string& options = made[{selectedIndex, last}];
    if (options.empty()) {
        for (int y = kFirstListedYear, k = 0; y <= last; ++y, ++k) {
            options += option(std::to_string(y), std::to_string(y), k == selectedIndex);
        }
    }
    return listOpening(name, calendarId) + options + "</SELECT>";
}

namespace {

std::string calendarRows(int month, int year) {
    std::string rows = "<TR>";
    for (int d = 0; d < 7; ++d) {
        rows += std::string("<TD align=center title=") + kWeekdayNames[d] + ">" + kWeekdayLetters[d] + "</TD>";
    }
    rows += "</TR>";
    int first = firstWeekday(month, year);
    int days = daysInMonth(month, year);
    int day = 1;
    while (day <= days) {
        rows += "<TR>";
        for (int pos = 1; pos <= 7 && day <= days; ++pos) {
            std::string cell = std::string("<TD align=center title=") + kWeekdayNames[pos - 1] + ">";
            if (day == 1 && pos < first) {
                rows += cell + "&nbsp;</TD>";
            } else {
                rows += cell + std::to_string(day) + "</TD>";
                ++day;
            }
        }
        rows += "</TR>";
    }
    return rows;
}

}  // namespace

std::string BuildCalendarRows(int month, int year) {
    // Calendars mostly show one month: its rows are made once.
    static std::map<std::pair<int, int>, std::string> made;
    std::string& rows = made[{month, year}];
    if (rows.empty()) rows = calendarRows(month, year);
    return rows;
}

std::string formatDateText(int formatIndex, const CalendarDate& date) {
    std::string m = std::to_string(date.month), d = std::to_string(date.day), y = std::to_string(date.year);
    switch (formatIndex) {
    case 1: return std::string(kMonthNames[date.month - 1]) + " " + d + ", " + y;
    case 2: return m + "-" + d + "-" + y;
    case 3: return m + "/" + d + "/" + y;
    case 4: return d + "-" + m + "-" + y;
    case 5: return d + "/" + m + "/" + y;
    case 6: return y + "-" + m + "-" + d;
    case 7: return y + "/" + m + "/" + d;
    default: return std::string(kMonthAbbreviations[date.month - 1]) + " " + d + ", " + y;
    }
}

}  // namespace zolt
