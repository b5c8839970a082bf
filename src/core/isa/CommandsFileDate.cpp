#include "isa/CommandsFileDate.h"

#include <cstdio>
#include <filesystem>

namespace vorn::isa {

std::string FormatCommandsDate(std::chrono::sys_seconds lastWrite) {
    using namespace std::chrono;
    // The lab's clocks run at UTC plus two hours, summer and winter alike.
    const sys_seconds local = lastWrite + hours(2);
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

std::string CommandsFileDate(const std::string& fileName) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(fileName, error);
    if (error) return {};
    const auto system = std::chrono::file_clock::to_sys(written);
    return FormatCommandsDate(std::chrono::floor<std::chrono::seconds>(system));
}

} // namespace vorn::isa
