#include "TempDir.h"
#include "isa/ParseNumber.h"
#include "isa/Settings.h"

#include <gtest/gtest.h>

using namespace vorn::isa;
using vorn::testing::TempDir;

namespace {

// clang-format off
const char* const kKeys[] = {"RAMstart", "RAMend", "SLAVEbase", "SLAVEstart", "SLAVEend", "configureBit",
    "stepsUntilMsgHardware", "hardwareWaitCycles", "checkAddressStart", "checkAddressEnd", "USB", "directory",
    "XSdirectory"};
// clang-format on

std::string SettingsXml(const std::string& replacedKey = "", const std::string& replacement = "") {
    std::string xml = "<settings>\n";
    for (const std::string key : kKeys) {
        const std::string value = key == "configureBit" ? "true" : key.ends_with("directory") ? "dir/" : "10";
        xml += key == replacedKey ? replacement : "<" + key + ">" + value + "</" + key + ">\n";
    }
    return xml + "</settings>\n";
}

} // namespace

TEST(SettingsNumbers, FollowTheConversionRules) {
    // clang-format off
    const std::tuple<const char*, int, uint32_t> cases[] = {
        {"0x1000", 16, 4096u}, {"1000", 16, 4096u}, {"0X1000", 16, 4096u}, {"FFFFFFFF", 16, 0xFFFFFFFFu},
        {"12G4", 16, 0x12u}, {"0100", 10, 100u}, {"  +7", 10, 7u}, {"-1", 10, 0xFFFFFFFFu},
        {"100000000", 16, 0xFFFFFFFFu}, {"99999999999999999999999", 10, 0xFFFFFFFFu}, {"-100000000", 16, 1u},
        {"xyz", 16, 0u}, {"0x", 16, 0u}, {"", 10, 0u}};
    // clang-format on
    for (const auto& [text, base, value] : cases)
        EXPECT_EQ(ParseSettingsNumber(text, base), value) << '"' << text << '"';
}

// Every key is read; what cannot be read gives the settings box.
TEST(LoadSettings, ReadsEveryKeyOrShowsTheSettingsBox) {
    TempDir dir;
    std::string xml = SettingsXml("RAMstart", "<RAMstart>0xC000</RAMstart>");
    xml.replace(xml.find("<configureBit>true"), 18, "<configureBit>True");
    auto settings = LoadSettings(dir.write("settings.xml", xml));
    ASSERT_TRUE(settings.ok());
    EXPECT_EQ(settings->RAMstart, 0xC000u);
    EXPECT_EQ(settings->RAMend, 0x10u);
    EXPECT_EQ(settings->stepsUntilMsgHardware, 10u);
    EXPECT_FALSE(settings->configureBit);
    EXPECT_EQ(settings->XSdirectory, "dir/");
    const vorn::Fault box{"settings.xml file not found. Exiting...", "Fatal error - settings load", 0};
    EXPECT_EQ(LoadSettings(dir.file("missing.xml")).fault(), box);
    // The last ends inside a UTF-8 sequence, which must not send the parser past its buffer.
    for (const std::string& bad : {std::string("<settings><RAMstart>"), std::string("<other/>"),
                                   SettingsXml("USB"), SettingsXml("USB", "<USB></USB>"),
                                   SettingsXml("directory", "<directory/>"), std::string("<?xml><d>\xdd")})
        EXPECT_EQ(LoadSettings(dir.write("s.xml", bad)).fault(), box) << bad;
    EXPECT_EQ(LoadSettings(dir.path().string()).fault(), box);
}

// Hexadecimal after a prefix of either case that stands first, keeping the low 32 bits; decimal
// after leading space and a sign; zero when nothing can be read.
TEST(ParseNumber, HexadecimalDecimalOrZero) {
    // clang-format off
    const std::pair<const char*, int32_t> cases[] = {
        {"0x1f", 31}, {"0X1F", 31}, {"0X1f", 31}, {"0xffffffff", -1}, {"0x1fq", 31}, {"0x123456789", 0x23456789},
        {"-12", -12}, {"12abc", 12}, {"  7", 7}, {"+7", 7}, {"-2147483648", INT32_MIN}, {" 0x10", 0},
        {"", 0}, {"abc", 0}, {"0x", 0}, {"0xg", 0}, {"-", 0}};
    // clang-format on
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseNumber(text), value) << '"' << text << '"';
}
