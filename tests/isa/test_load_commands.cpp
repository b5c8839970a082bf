// The loads of commands.xml and settings.xml: their boxes, text for text, and the tables they
// fill; the number readers.

#include "TempDir.h"
#include "isa/CommandsFileDate.h"
#include "isa/LoadCommands.h"
#include "isa/ParseNumber.h"
#include "isa/Settings.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sys/stat.h>

using namespace vorn::isa;
using namespace std::chrono;
using vorn::testing::TempDir;

namespace {

// The fields of a command by their element names; a field left out is missing from the file.
using Row = std::map<std::string, std::string>;

Row Add() {
    // clang-format off
    return {{"type", "R"}, {"name", "add"}, {"opcode", "000000"}, {"function", "100000"},
            {"action", "MR[RD]:=MR[RS1]+MR[RS2]"}, {"args", "RD,RS1,RS2"}, {"isbranch", "false"}};
    // clang-format on
}

// The date text of a commands.xml last written at whole seconds since 1970, in a folder of its
// own on tmpfs, which keeps any time (ext4 keeps none before 1901).
std::string DateOfFileWrittenAt(int64_t seconds) {
    const TempDir folder("/dev/shm");
    const std::string path = folder.write("commands.xml", "<x/>");
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0 ? CommandsFileDate(path) : "not set";
}

std::string CommandXml(const Row& row) {
    std::string xml = "<command>";
    for (const auto& [name, value] : row)
        xml += "<" + name + ">" + value + "</" + name + ">";
    return xml + "</command>\n";
}

// The add row with fields changed, or left out.
std::string With(const std::map<std::string, std::optional<std::string>>& changes) {
    Row row = Add();
    for (const auto& [field, value] : changes)
        value ? void(row[field] = *value) : void(row.erase(field));
    return CommandXml(row);
}

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

const std::string kSteps = "<stepsUntilMsg>10</stepsUntilMsg>";

class LoadCommandsTest : public ::testing::Test {
  protected:
    vorn::Result<InstructionSet> load(const std::string& body, const std::string& tail = kSteps) {
        return LoadCommands(dir.write("commands.xml", "<root>\n" + body + tail + "</root>\n"));
    }
    std::string faultOf(const std::string& body, const std::string& tail = kSteps) {
        auto result = load(body, tail);
        if (result.ok()) return "loaded";
        EXPECT_EQ(result.fault().exitCode, 1);
        return result.fault().text;
    }
    TempDir dir;
};

} // namespace

// The box of each fault, or "loaded". In actions blanks do not count; nocheck keeps the action
// as read but does not lift the limits that keep the evaluators' stack bounded.
TEST_F(LoadCommandsTest, FaultsAndTheirBoxes) {
    const std::string sub = With({{"name", "sub"}, {"function", "100010"}});
    const std::string longest = "MR[RD]:=" + std::string(4088, '1');
    const std::string deepest =
        std::string(128, '(') + std::string(128, '[') + std::string(128, ']') + std::string(128, ')');
    const auto action = [](const std::string& text) { return With({{"action", text}}); };
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        // A missing field is reported before any other fault.
        {With({{"type", "X"}}) + sub + sub + sub + With({{"args", std::nullopt}}), "Missing field in command number 5"},
        {With({{"type", "r"}}), "Bad type of command in add"},
        {With({{"opcode", "00001"}}), "Bad indentifier length at command add"},
        {With({{"opcode", "00002x"}}), "Not a binary value indentifier length at command add"},
        {With({{"function", "1000000"}}), "Bad indentifier length at command add"},
        {With({{"args", "rd,RS1"}}), "Bad args field of command in add"},
        {With({{"args", "NONE"}}), "Bad args field of command in add"},
        {With({{"isbranch", "yes"}}), "Illegal isbranch value at command add\n[yes]"},
        {With({{"opcode", ""}}), "Empty field opcode in command number 1"},
        {With({}) + With({}), "Duplicated Command: add"},
        // The first row is named first; an I row may have those function bits with its own opcode.
        {With({}) + With({{"name", "sub"}}),
         "Duplicated Identifier in Commands\n\"add\" and \"sub\"\n Opcode:  000000\n Function: 100000"},
        {With({}) + With({{"name", "sub"}, {"type", "I"}, {"opcode", "001000"}}), "loaded"},
        {"<memory></memory>", "Empty memory element number 1"},
        {"<var><name/><length>8</length><default>1</default></var>", "Empty field name in var number 1"},
        {"<var><name>V</name><length/><default>1</default></var>", "Empty field length in var V"},
        {"<var><name>V</name><length>8</length></var>", "Missing field default in var V"},
        {"<var><name>V</name><length>8</length><default>0x10</default></var>", "Bad default value in var V\n[0x10]"},
        {action("MR[RD]:=(MR[RS1]"), "unbalanced parenthesis"}, {action("MR[RD]:=)MR[RS1]("), "loaded"},
        {action("MR[RD]:=MR[RS1]_1"), "illegal char in action field: char(' _ ')"},
        {action("X:=1"), "X:=1 has assignment to bad destination"},
        {action("X:=1") + "<var><name>X</name><length>8</length><default>0</default></var>", "loaded"},
        {action("Q[1]:=2"), "Q[1]:=2 has assignment to bad destination"},
        {action("Q[1]:=2") + "<memory>Q</memory>", "loaded"}, {action("MR[1]:=1;;MR[2]:=2"), "loaded"},
        {action("MR[1]:=1;Y:=2"), "Y:=2 has assignment to bad destination"},
        {action("M[MR[rs1] + imm] := MR[rd]"), "loaded"}, {action("PC:=PC+imm"), "loaded"}, {action("halt"), "loaded"},
        {action(longest + " \t"), "loaded"}, {action(longest + "1"), "action field too long at command add"},
        {action(deepest), "loaded"},
        {action("[" + deepest + "]") + "<nocheck/>", "parenthesis nested too deep at command add"}};
    // clang-format on
    for (const auto& [body, text] : cases)
        EXPECT_EQ(faultOf(body), text) << body.substr(0, 200);
    auto set = load(action("MR[RD] := MR[RS1]_1") + "<nocheck/>");
    ASSERT_TRUE(set.ok());
    EXPECT_EQ(set->commands[0].action, "MR[RD] := MR[RS1]_1");
}

TEST_F(LoadCommandsTest, StepCountAndAnEmptyFileOfCommands) {
    EXPECT_EQ(faultOf("", ""), "Number of steps is missing from xml!");
    EXPECT_EQ(load("", "").fault().caption, "No num of steps");
    for (const char* bad : {"0", "-3", "abc", ""})
        EXPECT_EQ(faultOf("", "<stepsUntilMsg>" + std::string(bad) + "</stepsUntilMsg>"),
                  "No steps is not enough, give me something")
            << bad;
    auto set = load("", "<stepsUntilMsg>25abc</stepsUntilMsg>");
    ASSERT_TRUE(set.ok());
    EXPECT_EQ(std::tuple(set->stepsUntilMsg, set->count(), set->FindCommandByName("")), std::tuple(25, 1, 0))
        << "only the spare row";
}

// Args separated by blanks alone keep every operand; a fourth is counted but not kept. Register
// files and variables come in their order, the general registers first.
TEST_F(LoadCommandsTest, TablesOfRowsRegisterFilesAndVariables) {
    EXPECT_EQ(ArgCountText("none") + ArgCountText(""), "00");
    auto set = load(With({{"args", "RD,RS1,RS2,imm"}}) +
                    With({{"name", "sub"}, {"function", "100010"}, {"args", "RD RS1"}}) +
                    "<memory>MF</memory><memory>MR</memory>"
                    "<var><name>V</name><length>abc</length><default></default></var>"
                    "<var><name>W</name><length>8</length><default>-12</default></var>");
    ASSERT_TRUE(set.ok());
    EXPECT_EQ(set->commands[0].numArgs + set->commands[1].numArgs, "42");
    EXPECT_EQ(set->commands[0].operandKinds, (std::array<int32_t, 3>{RD, RS1, RS2}));
    EXPECT_EQ(set->commands[1].operandKinds, (std::array<int32_t, 3>{RD, RS1, None}));
    EXPECT_EQ(std::tuple(set->registerFiles.size(), set->FindRegisterFile("MR"), set->FindRegisterFile("MF")),
              std::tuple(3u, 0, 1));
    ASSERT_EQ(set->vars.size(), 2u);
    EXPECT_EQ(std::tuple(set->vars[0].length, set->vars[0].value, set->vars[1].value), std::tuple(0, 0, -12));
    EXPECT_EQ(std::pair(set->FindVar("W"), set->FindVar("w")), std::pair(1, -1));
}

TEST_F(LoadCommandsTest, UnreadableFileGivesTheXmlBox) {
    const vorn::Fault missing = LoadCommands(dir.file("nothing.xml")).fault();
    EXPECT_EQ(missing.caption + "|" + std::to_string(missing.exitCode), "XML File Error|1");
    EXPECT_TRUE(missing.text.ends_with("\nExiting.\nBye Bye!!!  :(")) << missing.text;
    const vorn::Fault broken =
        LoadCommands(dir.write("broken.xml", "<root>\r\n<command>\r\n</root>\r\n")).fault();
    EXPECT_NE(broken.text.find("\nIn line: 3\n"), std::string::npos) << broken.text;
    // A file that ends inside a UTF-8 sequence must not send the parser past its buffer.
    EXPECT_EQ(LoadCommands(dir.write("cut.xml", "<?xml><d>\xdd")).fault().caption, "XML File Error");
}

// The date of commands.xml is shown at UTC+2 whatever the zone, also for a file written before
// the library's file clock (nanoseconds around 2174) can count; a time beyond the years that the
// calendar holds (-32767 to 32767) and a missing file give nothing.
TEST(CommandsDate, ShownAtUtcPlusTwoFromTheFileOrEmpty) {
    EXPECT_EQ(DateOfFileWrittenAt(1394006829), "XML file date: Wed 5/3/2014 10:7:09\n");  // 8:07:09 UTC
    EXPECT_EQ(DateOfFileWrittenAt(-30610224000), "XML file date: Wed 1/1/1000 2:0:00\n"); // 0:00:00 UTC
    EXPECT_EQ(CommandsFileDate(VORN_BINARY_DIR "/absent/commands.xml"), "");
    EXPECT_EQ(FormatCommandsDate(sys_days(2013y / December / 31) + 23h + 30min + 5s),
              "XML file date: Wed 1/1/2014 1:30:05\n");
    EXPECT_EQ(FormatCommandsDate(sys_seconds::min()) + FormatCommandsDate(sys_seconds::max()), "");
}

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
    EXPECT_EQ(std::tuple(settings->RAMstart, settings->RAMend, settings->stepsUntilMsgHardware,
                         settings->configureBit, settings->XSdirectory),
              std::tuple(0xC000u, 0x10u, 10u, false, "dir/"));
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
