#pragma once

#include <chrono>
#include <string>

namespace vorn::isa {

// "XML file date: Wed 5/3/2014 10:7:09\n": the last-write time of the file in a fixed zone of
// UTC plus two hours, no daylight saving, in the proleptic Gregorian calendar (a file of the
// year 1000 shows 1000). Empty when the file cannot be read, or when its time lies beyond the
// years -32767 to 32767 that the calendar holds.
std::string CommandsFileDate(const std::string& fileName = "commands.xml");
std::string FormatCommandsDate(std::chrono::sys_seconds lastWrite);

} // namespace vorn::isa
