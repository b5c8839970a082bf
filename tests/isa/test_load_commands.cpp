#include "TempDir.h"
#include "isa/LoadCommands.h"

#include <gtest/gtest.h>

using namespace vorn::isa;
using vorn::testing::TempDir;

namespace {

struct Row {
    std::string type = "R", name = "add", opcode = "000000", function = "100000";
    std::string action = "MR[RD]:=MR[RS1]+MR[RS2]", args = "RD,RS1,RS2", isbranch = "false";
};

std::string CommandXml(const Row& row, const std::string& skip = "") {
    std::string xml = "<command>";
    auto field = [&](const char* name, const std::string& value) {
        if (skip != name) xml += "<" + std::string(name) + ">" + value + "</" + name + ">";
    };
    field("type", row.type);
    field("name", row.name);
    field("opcode", row.opcode);
    field("function", row.function);
    field("action", row.action);
    field("args", row.args);
    field("isbranch", row.isbranch);
    return xml + "</command>\n";
}

class LoadCommandsTest : public ::testing::Test {
  protected:
    vorn::Result<InstructionSet> load(const std::string& body,
                                      const std::string& tail = "<stepsUntilMsg>10</stepsUntilMsg>") {
        return LoadCommands(dir.write("commands.xml", "<root>\n" + body + tail + "</root>\n"));
    }
    std::string faultOf(const std::string& body,
                        const std::string& tail = "<stepsUntilMsg>10</stepsUntilMsg>") {
        auto result = load(body, tail);
        if (result.ok()) return "loaded";
        EXPECT_EQ(result.fault().exitCode, 1);
        return result.fault().text;
    }
    TempDir dir;
};

Row Sub() {
    return Row{"R", "sub", "000000", "100010", "MR[RD]:=MR[RS1]-MR[RS2]"};
}

} // namespace

TEST_F(LoadCommandsTest, EmptyFileOfCommandsHoldsOnlyTheSpareRow) {
    auto set = load("");
    ASSERT_TRUE(set.ok());
    EXPECT_EQ(set->count(), 1);
    EXPECT_EQ(set->FindCommandByName(""), 0);
    EXPECT_EQ(set->stepsUntilMsg, 10);
}

TEST_F(LoadCommandsTest, MissingFieldIsReportedBeforeAnyOtherFault) {
    Row bad;
    bad.type = "X";
    std::string body = CommandXml(bad);
    for (int i = 0; i < 3; ++i)
        body += CommandXml(Sub());
    body += CommandXml(Row{}, "args");
    EXPECT_EQ(faultOf(body), "Missing field in command number 5");
}

TEST_F(LoadCommandsTest, EachFieldFaultHasItsText) {
    const std::tuple<std::string Row::*, const char*, const char*> cases[] = {
        {&Row::type, "r", "Bad type of command in add"},
        {&Row::opcode, "00001", "Bad indentifier length at command add"},
        {&Row::opcode, "00002x", "Not a binary value indentifier length at command add"},
        {&Row::function, "1000000", "Bad indentifier length at command add"},
        {&Row::args, "rd,RS1", "Bad args field of command in add"},
        {&Row::args, "NONE", "Bad args field of command in add"},
        {&Row::isbranch, "yes", "Illegal isbranch value at command add\n[yes]"},
        {&Row::opcode, "", "Empty field opcode in command number 1"}};
    for (const auto& [field, value, text] : cases) {
        Row row;
        row.*field = value;
        EXPECT_EQ(faultOf(CommandXml(row)), text) << value;
    }
    EXPECT_EQ(faultOf(CommandXml(Row{}) + CommandXml(Row{})), "Duplicated Command: add");
}

TEST_F(LoadCommandsTest, DuplicatedBitsNameTheFirstRowFirst) {
    Row other = Sub();
    other.function = "100000";
    EXPECT_EQ(faultOf(CommandXml(Row{}) + CommandXml(other)),
              "Duplicated Identifier in Commands\n\"add\" and \"sub\"\n Opcode:  000000\n Function: 100000");
    Row shared = Sub();
    shared.type = "I";
    shared.opcode = "001000";
    shared.function = "100000";
    EXPECT_EQ(faultOf(CommandXml(Row{}) + CommandXml(shared)), "loaded");
}

TEST_F(LoadCommandsTest, ActionChecks) {
    auto withAction = [&](const std::string& action, const std::string& extra = "") {
        Row row;
        row.action = action;
        return faultOf(CommandXml(row) + extra);
    };
    EXPECT_EQ(withAction("MR[RD]:=(MR[RS1]"), "unbalanced parenthesis");
    EXPECT_EQ(withAction("MR[RD]:=)MR[RS1]("), "loaded");
    EXPECT_EQ(withAction("MR[RD]:=MR[RS1]_1"), "illegal char in action field: char(' _ ')");
    EXPECT_EQ(withAction("X:=1"), "X:=1 has assignment to bad destination");
    EXPECT_EQ(withAction("X:=1", "<var><name>X</name><length>8</length><default>0</default></var>"),
              "loaded");
    EXPECT_EQ(withAction("Q[1]:=2"), "Q[1]:=2 has assignment to bad destination");
    EXPECT_EQ(withAction("Q[1]:=2", "<memory>Q</memory>"), "loaded");
    EXPECT_EQ(withAction("MR[1]:=1;;MR[2]:=2"), "loaded");
    EXPECT_EQ(withAction("MR[1]:=1;Y:=2"), "Y:=2 has assignment to bad destination");
    EXPECT_EQ(withAction("M[MR[rs1] + imm] := MR[rd]"), "loaded");
    EXPECT_EQ(withAction("PC:=PC+imm"), "loaded");
    EXPECT_EQ(withAction("halt"), "loaded");
    // Blanks do not count; nocheck does not lift the limits that keep the evaluators' stack bounded.
    const std::string longest = "MR[RD]:=" + std::string(4088, '1');
    EXPECT_EQ(withAction(longest + " \t"), "loaded");
    EXPECT_EQ(withAction(longest + "1"), "action field too long at command add");
    const std::string deepest =
        std::string(128, '(') + std::string(128, '[') + std::string(128, ']') + std::string(128, ')');
    EXPECT_EQ(withAction(deepest), "loaded");
    EXPECT_EQ(withAction("[" + deepest + "]", "<nocheck/>"), "parenthesis nested too deep at command add");
}

TEST_F(LoadCommandsTest, NocheckKeepsTheActionAsRead) {
    Row row;
    row.action = "MR[RD] := MR[RS1]_1";
    auto set = load(CommandXml(row) + "<nocheck/>");
    ASSERT_TRUE(set.ok());
    EXPECT_EQ(set->commands[0].action, "MR[RD] := MR[RS1]_1");
}

TEST_F(LoadCommandsTest, StepCount) {
    EXPECT_EQ(faultOf("", ""), "Number of steps is missing from xml!");
    EXPECT_EQ(load("", "").fault().caption, "No num of steps");
    for (const char* bad : {"<stepsUntilMsg>0</stepsUntilMsg>", "<stepsUntilMsg>-3</stepsUntilMsg>",
                            "<stepsUntilMsg>abc</stepsUntilMsg>", "<stepsUntilMsg></stepsUntilMsg>"})
        EXPECT_EQ(faultOf("", bad), "No steps is not enough, give me something") << bad;
    EXPECT_EQ(load("", "<stepsUntilMsg>25abc</stepsUntilMsg>")->stepsUntilMsg, 25);
}

TEST_F(LoadCommandsTest, ArgsGiveCountAndKinds) {
    EXPECT_EQ(ArgCountText("none"), "0");
    EXPECT_EQ(ArgCountText(""), "0");
    EXPECT_EQ(ArgCountText("RD, RS1, imm"), "3");
    EXPECT_EQ(ParseArgKinds("RS2,imm"), (std::array<int32_t, 3>{RS2, Imm, None}));
    EXPECT_EQ(ParseArgKinds("RD,RS1,RS2,imm"), (std::array<int32_t, 3>{RD, RS1, RS2}));

    Row four;
    four.args = "RD,RS1,RS2,imm";
    auto set = load(CommandXml(four));
    ASSERT_TRUE(set.ok());
    EXPECT_EQ(set->commands[0].numArgs, "4");

    // Words separated by blanks alone keep every operand.
    Row blanks;
    blanks.args = "RD RS1";
    set = load(CommandXml(blanks));
    ASSERT_TRUE(set.ok());
    EXPECT_EQ(set->commands[0].numArgs, "2");
    EXPECT_EQ(set->commands[0].operandKinds, (std::array<int32_t, 3>{RD, RS1, None}));
}

TEST_F(LoadCommandsTest, TablesOfRegisterFilesAndVariables) {
    auto set = load("<memory>MF</memory><memory>MR</memory>"
                    "<var><name>V</name><length>abc</length><default></default></var>"
                    "<var><name>W</name><length>8</length><default>-12</default></var>");
    ASSERT_TRUE(set.ok());
    ASSERT_EQ(set->registerFiles.size(), 3u);
    EXPECT_EQ(set->FindRegisterFile("MR"), 0);
    EXPECT_EQ(set->FindRegisterFile("MF"), 1);
    ASSERT_EQ(set->vars.size(), 2u);
    EXPECT_EQ(set->vars[0].length, 0);
    EXPECT_EQ(set->vars[0].value, 0);
    EXPECT_EQ(set->vars[1].value, -12);
    EXPECT_EQ(set->FindVar("W"), 1);
    EXPECT_EQ(set->FindVar("w"), -1);
}

TEST_F(LoadCommandsTest, EmptyOrMissingElementsAreRefused) {
    EXPECT_EQ(faultOf("<memory></memory>"), "Empty memory element number 1");
    EXPECT_EQ(faultOf("<var><name/><length>8</length><default>1</default></var>"),
              "Empty field name in var number 1");
    EXPECT_EQ(faultOf("<var><name>V</name><length/><default>1</default></var>"),
              "Empty field length in var V");
    EXPECT_EQ(faultOf("<var><name>V</name><length>8</length></var>"), "Missing field default in var V");
    EXPECT_EQ(faultOf("<var><name>V</name><length>8</length><default>0x10</default></var>"),
              "Bad default value in var V\n[0x10]");
}

TEST_F(LoadCommandsTest, UnreadableFileGivesTheXmlBox) {
    auto missing = LoadCommands(dir.file("nothing.xml"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.fault().caption, "XML File Error");
    EXPECT_EQ(missing.fault().exitCode, 1);
    EXPECT_NE(missing.fault().text.find("\nExiting.\nBye Bye!!!  :("), std::string::npos);

    auto broken = LoadCommands(dir.write("broken.xml", "<root>\r\n<command>\r\n</root>\r\n"));
    ASSERT_FALSE(broken.ok());
    EXPECT_NE(broken.fault().text.find("\nIn line: 3\n"), std::string::npos) << broken.fault().text;
    // A file that ends inside a UTF-8 sequence must not send the parser past its buffer.
    EXPECT_EQ(LoadCommands(dir.write("cut.xml", "<?xml><d>\xdd")).fault().caption, "XML File Error");
}
