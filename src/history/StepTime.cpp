// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/StepTime.h"

#include <cstdio>
#include <ctime>
#include <optional>

namespace movrand::history {

namespace {

std::string Stamp(const std::tm& t, long offsetSeconds) {
    const char sign = offsetSeconds < 0 ? '-' : '+';
    const long minutes = (offsetSeconds < 0 ? -offsetSeconds : offsetSeconds) / 60;
    char text[128];  // room for any value the fields can hold
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, sign, minutes / 60,
                  minutes % 60);
    return text;
}

// The moment a time with an offset names, or nullopt for a text that is not one.
std::optional<std::time_t> MomentOf(const std::string& when) {
    int year, month, day, hour, minute, second, offsetHours, offsetMinutes, used = 0;
    char sign = 0;
    if (std::sscanf(when.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c%2d:%2d%n", &year, &month, &day, &hour,
                    &minute, &second, &sign, &offsetHours, &offsetMinutes, &used) != 9 ||
        used != static_cast<int>(when.size()) || when.size() != 25 || (sign != '+' && sign != '-'))
        return std::nullopt;
    // A time no clock shows is not turned into another one.
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
        second > 60 || offsetHours > 14 || offsetMinutes > 59 || hour < 0 || minute < 0 ||
        second < 0 || offsetHours < 0 || offsetMinutes < 0)
        return std::nullopt;
    std::tm utc{};
    utc.tm_year = year - 1900;
    utc.tm_mon = month - 1;
    utc.tm_mday = day;
    utc.tm_hour = hour;
    utc.tm_min = minute;
    utc.tm_sec = second;
    const long offset = (sign == '-' ? -1 : 1) * (offsetHours * 3600L + offsetMinutes * 60L);
    return ::timegm(&utc) - offset;
}

}  // namespace

std::string StepTimeOf(const platform::LocalTime& time) {
    std::tm local{};
    local.tm_year = time.Year - 1900;
    local.tm_mon = time.Month - 1;
    local.tm_mday = time.Day;
    local.tm_hour = time.Hour;
    local.tm_min = time.Minute;
    local.tm_sec = time.Second;
    local.tm_isdst = -1;  // the zone knows whether summer time held then
    std::tm zone = local;
    const std::time_t moment = std::mktime(&zone);
    std::tm measured{};
    if (moment == static_cast<std::time_t>(-1) || !::localtime_r(&moment, &measured))
        return Stamp(local, 0).substr(0, 19);  // no offset rather than a wrong one
    return Stamp(local, measured.tm_gmtoff);
}

std::string LocalStepTime(const std::string& when) {
    const std::optional<std::time_t> moment = MomentOf(when);
    ::tzset();  // the zone as it is set now, also when it was changed since the last look
    std::tm local{};
    if (!moment || !::localtime_r(&*moment, &local)) return when;
    return Stamp(local, local.tm_gmtoff);
}

}  // namespace movrand::history
