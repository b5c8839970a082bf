#include "TempDir.h"
#include "isa/CommandsFileDate.h"

#include <gtest/gtest.h>

using namespace std::chrono;
using vorn::isa::CommandsFileDate;
using vorn::isa::FormatCommandsDate;

TEST(CommandsDate, ShownAtUtcPlusTwoWhateverTheZone) {
    EXPECT_EQ(FormatCommandsDate(sys_days(2014y / March / 5) + 8h + 7min + 9s),
              "XML file date: Wed 5/3/2014 10:7:09\n");
    EXPECT_EQ(FormatCommandsDate(sys_days(2013y / December / 31) + 23h + 30min + 5s),
              "XML file date: Wed 1/1/2014 1:30:05\n");
}

TEST(CommandsDate, TakenFromTheFileOrEmpty) {
    vorn::testing::TempDir dir;
    const std::string path = dir.write("commands.xml", "<x/>");
    std::filesystem::last_write_time(path,
                                     file_clock::from_sys(sys_days(2014y / March / 5) + 8h + 7min + 9s));
    EXPECT_EQ(CommandsFileDate(path), "XML file date: Wed 5/3/2014 10:7:09\n");
    EXPECT_EQ(CommandsFileDate(dir.file("absent.xml")), "");
}
