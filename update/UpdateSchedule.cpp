#include "update/UpdateSchedule.h"

#include <climits>

namespace dv {

namespace {

// 年, 月 and 日 in GBK.
const char* const kYearMark = "\xC4\xEA";
const char* const kMonthMark = "\xD4\xC2";
const char* const kDayMark = "\xC8\xD5";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Up to 9 digits at `at`; false when there are none or more.
bool readNumber(const std::string& text, size_t& at, int& value) {
    const size_t start = at;
    value = 0;
    while (at < text.size() && isDigit(text[at])) {
        if (at - start == 9) return false;
        value = value * 10 + (text[at++] - '0');
    }
    return at > start;
}

bool readMark(const std::string& text, size_t& at, const char* mark) {
    if (text.compare(at, 2, mark) != 0) return false;
    at += 2;
    return true;
}

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1 March of year 0 in the proleptic Gregorian calendar.
long dayNumber(const CalendarDate& d) {
    long y = d.year - (d.month <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yearOfEra = y - era * 400;
    const long m = d.month > 2 ? d.month - 3 : d.month + 9;
    const long dayOfYear = (153 * m + 2) / 5 + d.day - 1;
    return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
}

}  // namespace

std::string dateText(const CalendarDate& date) {
    return std::to_string(date.year) + kYearMark + std::to_string(date.month) + kMonthMark +
           std::to_string(date.day) + kDayMark;
}

bool parseDateText(const std::string& text, CalendarDate& date) {
    size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;
    CalendarDate d;
    if (!readNumber(text, at, d.year) || !readMark(text, at, kYearMark) ||
        !readNumber(text, at, d.month) || !readMark(text, at, kMonthMark) ||
        !readNumber(text, at, d.day) || !readMark(text, at, kDayMark))
        return false;
    while (at < text.size() && text[at] == ' ') ++at;
    if (at != text.size()) return false;
    if (d.year < 1 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1 ||
        d.day > daysInMonth(d.year, d.month))
        return false;
    date = d;
    return true;
}

long daysBetween(const CalendarDate& from, const CalendarDate& to) {
    return dayNumber(to) - dayNumber(from);
}

long leadingWholeNumber(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    long long value = 0;  // long has 32 bits on Windows
    for (; at < text.size() && isDigit(text[at]); ++at)
        if (value <= INT_MAX) value = value * 10 + (text[at] - '0');
    if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
    return long(negative ? -value : value);
}

bool updateCheckDue(const std::string& autoSwitch, const std::string& interval,
                    const std::string& lastCheck, const CalendarDate& today) {
    if (autoSwitch != "T") return false;
    CalendarDate last = today;
    parseDateText(lastCheck, last);
    return daysBetween(last, today) >= leadingWholeNumber(interval);
}

}  // namespace dv
