// The host-port protocol of the board link, byte by byte, against scripted status samples.

#include "EmulatorPort.h"
#include "ScriptedHostPort.h"
#include "TempDir.h"
#include "board/BoardLink.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vorn::board {
namespace {

using ::testing::ElementsAre;
using testing::PortSample;
using testing::ScriptedHostPort;
using Transfer = ScriptedHostPort::Transfer;

class BoardLinkProtocol : public ::testing::Test {
  protected:
    BoardLink& MakeLink(uint32_t waitCycles = 3, bool openable = true) {
        settings.hardwareWaitCycles = waitCycles;
        auto scripted = std::make_unique<ScriptedHostPort>();
        scripted->openable = openable;
        port = scripted.get();
        link = std::make_unique<BoardLink>(settings, std::move(scripted), trace);
        link->Connect();
        return *link;
    }
    BoardLink& RunningLink() {
        MakeLink();
        port->samples = {PortSample(0x00), PortSample(0x04)};
        EXPECT_EQ(link->RunStart(), NoError);
        port->writes.clear();
        return *link;
    }
    // The control byte of the next read: 0x00 when the link is idle, 0x20 while it runs.
    uint32_t NextReadControl() {
        const size_t before = port->writes.size();
        uint32_t word = 0;
        link->ReadWord(0, word);
        return port->writes.at(before).control;
    }
    std::string TraceText() const { return testing::ReadFile(traceFile); }

    testing::TempDir directory;
    std::string traceFile = directory.file("in.log");
    TraceLog trace{traceFile};
    isa::Settings settings;
    ScriptedHostPort* port = nullptr;
    std::unique_ptr<BoardLink> link;
};

// One operation on scripted samples: its result, its error text and the control bytes it wrote.
TEST_F(BoardLinkProtocol, EachOperationWritesItsControlBytesAndJudgesTheLastSample) {
    using Operation = std::function<BoardError(BoardLink&)>;
    uint32_t word = 0x5A5A;
    const Operation read = [&](BoardLink& link) { return link.ReadWord(7, word); };
    const Operation write = [](BoardLink& link) { return link.WriteWord(4, 2); };
    const Operation step = [](BoardLink& link) { return link.Step(); };
    const Operation busTest = [](BoardLink& link) { return link.BusTest(0); };
    struct Case {
        uint32_t waitCycles;
        std::deque<uint64_t> samples;
        const Operation& operation;
        BoardError code;
        std::vector<uint32_t> controls;
    };
    const auto sample = [](uint8_t status, uint32_t data = 0) { return PortSample(status, data); };
    const Case cases[] = {
        // A read runs out on the last sample: nothing toggled, only done, or only data valid.
        {3, {sample(0), sample(1), sample(2), sample(0)}, read, NoAnswer, {0x00, 0x04}},
        {3, {sample(0), sample(1), sample(2), sample(1)}, read, NotDone, {0x00, 0x04}},
        {3, {sample(0), sample(1), sample(2), sample(2)}, read, DataNotValid, {0x00}},
        // A write whose read-back never matches, and one that nothing answers.
        {3, {sample(0), sample(3, 1)}, write, NotDone, {0x01, 0x03, 0x00, 0x00, 0x00, 0x04}},
        {2, {sample(0)}, write, NoAnswer, {0x01, 0x03, 0x04}},
        // A step waits for both step bits.
        {3, {sample(0), sample(0x0C)}, step, NoError, {0x14, 0x04}},
        {3, {sample(0), sample(0x00)}, step, NoAnswer, {0x14, 0x04, 0x04}},
        {3, {sample(0), sample(0x04)}, step, NotDone, {0x14, 0x04, 0x04}},
        {3, {sample(0), sample(0x08)}, step, DataNotValid, {0x14, 0x04, 0x04}},
        // The bus test fails with 7 when the first read-back differs, or with the write's code.
        {1,
         {sample(0), sample(3), sample(3, 1), sample(3)},
         busTest,
         BusTestMismatch,
         {0x01, 0x03, 0x00, 0x00, 0x04}},
        {1, {}, busTest, NoAnswer, {0x01, 0x03, 0x04}},
    };
    for (const Case& c : cases) {
        BoardLink& link = MakeLink(c.waitCycles);
        port->samples = c.samples;
        EXPECT_EQ(c.operation(link), c.code) << &c - cases;
        if (c.code != NoError) {
            EXPECT_EQ(link.ErrorText(), BoardErrorText(c.code)) << &c - cases;
        }
        EXPECT_EQ(port->Controls(), c.controls) << &c - cases;
    }
    EXPECT_EQ(word, 0x5A5Au) << "a failed read gives no word";
    EXPECT_EQ(TraceText(), "write: 0x1\r\n") << "only the bus test's good write is traced";
}

TEST_F(BoardLinkProtocol, TransfersSendAddressAndDataHalvesAndAreTraced) {
    auto& link = MakeLink();
    port->samples = {PortSample(0x10), PortSample(0x13, 0xCAFE)};
    uint32_t word = 0;
    EXPECT_EQ(link.ReadWord(0x12345, word), NoError);
    EXPECT_EQ(word, 0xCAFEu);
    EXPECT_EQ(port->reads, 2) << "answered at the first poll";
    port->samples = {PortSample(0x00), PortSample(0x03), PortSample(0x00, 0xBEEF0001)};
    EXPECT_EQ(link.WriteWord(0x10002, 0xBEEF0001), NoError);
    EXPECT_THAT(port->writes, ElementsAre(Transfer{0x2345, 0x1, 0x00}, Transfer{0x0002, 0x0001, 0x01},
                                          Transfer{0x0001, 0xBEEF, 0x03}, Transfer{0x0002, 0x0001, 0x00}));
    EXPECT_EQ(TraceText(), "read: 0xcafe\r\nwrite: 0xbeef0001\r\n");
}

TEST_F(BoardLinkProtocol, NotDoneBecomesAConfigurationErrorOnlyWhenThePortWidthsAreWrong) {
    auto& link = MakeLink();
    port->widths = {40, 32};
    port->samples = {PortSample(0x00), PortSample(0x01)};
    uint32_t word = 0;
    EXPECT_EQ(link.ReadWord(0, word), ConfigurationError);
    port->samples = {PortSample(0x00), PortSample(0x02)};
    EXPECT_EQ(link.WriteWord(0, 1), ConfigurationError);
    EXPECT_EQ(link.CheckIoWidths(), ConfigurationError);
}

TEST_F(BoardLinkProtocol, APollLimitBelowOneStillPollsOnceAndOneBeyondTheSignedRangeManyTimes) {
    uint32_t word = 0;
    for (uint32_t limit : {0u, 0x80000000u, 0xFFFFFFFFu}) {
        auto& link = MakeLink(limit);
        port->samples = {PortSample(0x00), PortSample(0x00), PortSample(0x00), PortSample(0x03, 7)};
        if (limit == 0) port->samples.erase(port->samples.begin() + 1, port->samples.begin() + 3);
        EXPECT_EQ(link.ReadWord(1, word), NoError) << limit;
        EXPECT_EQ(word, 7u);
    }
}

TEST_F(BoardLinkProtocol, ResetIsALevelThatEndsARunAndRunningAccessesCarryTheRunBit) {
    auto& link = MakeLink();
    EXPECT_EQ(link.SetReset(1), NoError);
    EXPECT_EQ(link.SetReset(0), NoError);
    EXPECT_EQ(link.SetReset(7), NoError);
    EXPECT_THAT(port->Controls(), ElementsAre(0x0C, 0x04, 0x04));
    EXPECT_EQ(RunningLink().SetReset(0), NoError);
    EXPECT_THAT(port->Controls(), ElementsAre(0x24));

    auto& running = RunningLink();
    port->samples = {PortSample(0x04), PortSample(0x07, 5)};
    uint32_t word = 0;
    EXPECT_EQ(running.ReadWord(3, word), NoError);
    port->samples = {PortSample(0x07), PortSample(0x04), PortSample(0x04, 6)};
    EXPECT_EQ(running.WriteWord(3, 6), NoError);
    EXPECT_EQ(running.SetReset(1), NoError);
    EXPECT_EQ(running.SetReset(0), NoError);
    EXPECT_THAT(port->Controls(), ElementsAre(0x20, 0x21, 0x23, 0x20, 0x0C, 0x04)) << "the release is idle";
}

TEST_F(BoardLinkProtocol, AnUnansweredRunStartLeavesTheLinkNotRunning) {
    auto& held = MakeLink();
    held.SetReset(1);
    port->writes.clear();
    EXPECT_EQ(held.RunStart(), NoAnswer) << "the reset is held";
    EXPECT_THAT(port->Controls(), ElementsAre(0x2C, 0x0C, 0x04));
    EXPECT_EQ(NextReadControl(), 0x00u);

    auto& silent = MakeLink();
    port->samples = {PortSample(0x08), PortSample(0x08)};
    EXPECT_EQ(silent.RunStart(), NoAnswer);
    EXPECT_THAT(port->Controls(), ElementsAre(0x24, 0x04));

    auto& running = RunningLink();
    port->samples = {PortSample(0x04), PortSample(0x04)};
    EXPECT_EQ(running.RunStart(), NoAnswer);
    EXPECT_EQ(NextReadControl(), 0x00u) << "the idle byte ended the run on the board";
}

TEST_F(BoardLinkProtocol, PollHaltWantsBothStepBitsChangedAndStopWaitsForTheHalt) {
    auto& link = RunningLink();
    for (const auto& [status, halted] : {std::pair{0x04, false}, {0x08, false}, {0x0C, true}}) {
        port->samples = {PortSample(status)};
        EXPECT_EQ(link.PollHalt(), halted) << status;
    }
    EXPECT_TRUE(port->writes.empty());
    EXPECT_EQ(NextReadControl(), 0x00u) << "a seen halt ends the run";
    auto& halting = RunningLink();
    port->samples = {PortSample(0x0C)};
    EXPECT_EQ(halting.Stop(), NoError);
    EXPECT_THAT(port->Controls(), ElementsAre(0x04, 0x04));

    auto& stuck = RunningLink();
    port->samples = {PortSample(0x04)};
    EXPECT_EQ(stuck.Stop(), NotDone);
    EXPECT_EQ(NextReadControl(), 0x20u) << "still running";
}

TEST_F(BoardLinkProtocol, MemoryTestNamesTheFailingAddress) {
    settings.checkAddressStart = 9;
    settings.checkAddressEnd = 8;
    uint32_t failing = 0x77;
    EXPECT_EQ(MakeLink().MemoryTest(failing), NoError) << "start above end tests nothing";
    EXPECT_TRUE(port->writes.empty());
    EXPECT_EQ(failing, 0x77u);

    settings.checkAddressStart = 5;
    settings.checkAddressEnd = 6;
    EXPECT_EQ(MakeLink().MemoryTest(failing), NoAnswer);
    EXPECT_EQ(failing, 5u) << "also after a failed transfer";

    settings.checkAddressEnd = 5;
    auto& link = MakeLink(1);
    port->samples = {PortSample(0x00), PortSample(0x03), PortSample(0x00, 5), PortSample(0x00),
                     PortSample(0x03, 6)};
    failing = 0;
    EXPECT_EQ(link.MemoryTest(failing), MemoryTestMismatch);
    EXPECT_EQ(failing, 5u);
}

TEST_F(BoardLinkProtocol, MemoryTestEndingAtTheLastAddressEnds) {
    BoardDesign design;
    design.ramStart = settings.checkAddressStart = 0xFFFFFFFE;
    design.ramEnd = settings.checkAddressEnd = 0xFFFFFFFF;
    BoardEmulator board;
    board.Configure(design, {});
    BoardLink link(settings, std::make_unique<testing::EmulatorPort>(board), trace);
    link.Connect();
    uint32_t failing = 0;
    EXPECT_EQ(link.MemoryTest(failing), NoError);
}

TEST_F(BoardLinkProtocol, WithoutADeviceOrWithAFailingPackageCallEveryOperationAnswersNoAnswer) {
    auto& link = MakeLink(3, false);
    link.Disconnect();
    link.Connect();
    uint32_t word = 0;
    EXPECT_EQ(link.ReadWord(0, word), NoAnswer);
    EXPECT_EQ(link.WriteWord(0, 0), NoAnswer);
    EXPECT_EQ(link.Step(), NoAnswer);
    EXPECT_EQ(link.SetReset(1), NoAnswer);
    EXPECT_EQ(link.RunStart(), NoAnswer);
    EXPECT_FALSE(link.PollHalt());
    EXPECT_EQ(link.Stop(), NoAnswer);
    EXPECT_EQ(link.CheckIoWidths(), NoAnswer);
    EXPECT_TRUE(port->writes.empty());

    port->openable = true;
    link.Connect();
    port->failReads = true;
    EXPECT_EQ(link.ReadWord(0, word), NoAnswer);
    port->failReads = false;
    port->failWrites = true;
    EXPECT_EQ(link.Step(), NoAnswer);
    EXPECT_EQ(link.ErrorText(), "No answer");
    link.Disconnect();
    EXPECT_FALSE(port->IsOpen());
    link.Disconnect();
    link.Connect();
    EXPECT_TRUE(port->IsOpen());
}

TEST(DecodeRead, TakesExactlyTenHexDigitsLeastSignificantByteFirst) {
    EXPECT_EQ(BoardLink::DecodeRead("0102030405"), 0x0504030201u);
    EXPECT_EQ(BoardLink::DecodeRead("FFffFFffFF"), 0xFFFFFFFFFFu);
    for (const char* text : {"", "010203040", "01020304050", "0102030g05", "01 2030405", "-102030405"})
        EXPECT_FALSE(BoardLink::DecodeRead(text)) << text;
}

TEST(BoardErrorText, CodesAndTheirTexts) {
    const std::pair<int, const char*> texts[] = {{0, "no error"},       {1, "Operation not done"},
                                                 {2, "No answer"},      {3, "FPGA confuguration error"},
                                                 {4, "IO LOGIC STUCK"}, {5, "unknown error"},
                                                 {6, "Data not valid"}, {7, "unknown error"},
                                                 {8, "unknown error"},  {-1, "unknown error"}};
    for (const auto& [code, text] : texts)
        EXPECT_EQ(BoardErrorText(code), text) << code;
}

TEST(TraceLog, OpenedOnceWithHexWordsAndCrLf) {
    testing::TempDir directory;
    const std::string file = directory.file("in.log");
    directory.write("in.log", "left from an earlier run\n");
    TraceLog trace(file);
    trace.Open();
    trace.Read(0);
    trace.Open(); // a second monitor view
    trace.Write(0xABC);
    EXPECT_EQ(testing::ReadFile(file), "read: 0x0\r\nwrite: 0xabc\r\n");

    TraceLog unopenable(directory.file("missing/in.log"));
    unopenable.Open();
    unopenable.Read(1);
    EXPECT_FALSE(std::filesystem::exists(directory.file("missing/in.log")));
}

} // namespace
} // namespace vorn::board
