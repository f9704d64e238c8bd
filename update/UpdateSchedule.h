// The texts of the update settings: the date of the last check, whole numbers, and the
// rule that says when the automatic check is due.
#pragma once
#include <string>

namespace dv {

struct CalendarDate {
    int year = 0, month = 0, day = 0;
};

// "2010年3月8日" with the three characters in GBK bytes, whatever the system's code page.
std::string dateText(const CalendarDate& date);
// The same form back; false (date unchanged) for any other text or an impossible date.
bool parseDateText(const std::string& text, CalendarDate& date);
// Days from `from` to `to` (negative when `to` lies before `from`).
long daysBetween(const CalendarDate& from, const CalendarDate& to);

// The leading decimal number of a text ("8.50" -> 8, " -3x" -> -3, "v9" -> 0), truncated
// toward zero and kept within the range of an int.
long leadingWholeNumber(const std::string& text);

// The automatic check is due when `autoSwitch` is exactly "T" and at least `interval`
// days have passed since `lastCheck`. An unreadable last date counts as today.
bool updateCheckDue(const std::string& autoSwitch, const std::string& interval,
                    const std::string& lastCheck, const CalendarDate& today);

}  // namespace dv
