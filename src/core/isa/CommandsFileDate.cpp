#include "isa/CommandsFileDate.h"

#include "text/FileHandle.h"

#include <cstdio>

namespace vorn::isa {

namespace {

using namespace std::chrono;

// The lab's clocks run at UTC plus two hours, summer and winter alike.
constexpr hours LabZone{2};

// The times whose date in the lab's zone falls in a year that the calendar holds.
constexpr sys_seconds Earliest = sys_days(year::min() / January / 1) - LabZone;
constexpr sys_seconds Latest = sys_days(year::max() / December / 31) + days(1) - seconds(1) - LabZone;

} // namespace

std::string FormatCommandsDate(sys_seconds lastWrite) {
    if (lastWrite < Earliest || lastWrite > Latest) return {};
    const sys_seconds local = lastWrite + LabZone;
    const sys_days day = floor<days>(local);
    const year_month_day date(day);
    const hh_mm_ss<seconds> time(local - day);
    static constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "XML file date: %s %i/%i/%i %i:%i:%.2i\n",
                  kWeekdays[weekday(day).c_encoding()], static_cast<int>(static_cast<unsigned>(date.day())),
                  static_cast<int>(static_cast<unsigned>(date.month())), static_cast<int>(date.year()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return buffer;
}

// The last-write time in whole seconds, as the file system keeps it. The standard library's file
// clock is not used: it counts nanoseconds, so it cannot carry the times of files written long
// ago (before 1677 its conversion overflows).
std::string CommandsFileDate(const std::string& fileName) {
    const auto facts = text::FileFactsOf(fileName);
    return facts ? FormatCommandsDate(sys_seconds(seconds(facts->lastWrite))) : std::string();
}

} // namespace vorn::isa
