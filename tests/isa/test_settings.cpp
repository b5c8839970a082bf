#include "TempDir.h"
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

TEST(LoadSettings, ReadsEveryKey) {
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
}

TEST(LoadSettings, RefusesWhatItCannotReadWithTheSettingsBox) {
    TempDir dir;
    const vorn::Fault box{"settings.xml file not found. Exiting...", "Fatal error - settings load", 0};
    EXPECT_EQ(LoadSettings(dir.file("missing.xml")).fault(), box);
    // A file that ends inside a UTF-8 sequence must not send the parser past its buffer.
    for (const std::string& xml : {std::string("<settings><RAMstart>"), std::string("<other/>"),
                                   SettingsXml("USB"), SettingsXml("USB", "<USB></USB>"),
                                   SettingsXml("directory", "<directory/>"), std::string("<?xml><d>\xdd")})
        EXPECT_EQ(LoadSettings(dir.write("s.xml", xml)).fault(), box) << xml;
    EXPECT_EQ(LoadSettings(dir.path().string()).fault(), box);
}
