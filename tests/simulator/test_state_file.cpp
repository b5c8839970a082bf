// The bytes of the .sim state file.

#include "simulator/StateFile.h"

#include <gtest/gtest.h>

using namespace vorn::simulator;

TEST(StateFileText, HoldsTheRowsRegistersAndWatchesInOrder) {
    FormTexts texts;
    texts.base = 4;
    for (int r = 0; r < 10; ++r)
        texts.values[r] = "0x" + std::to_string(r);
    texts.commands[4] = "halt";
    texts.registers.fill("0x0");
    texts.registers[31] = "0xffffffff";
    texts.watchAddresses[0] = "0x20";
    texts.watchValues[0] = "0x37";

    std::string expected = "address\t\tvalue\t\tcommand\r\n"
                           "  0x0\t\t0x0\t\r\n  0x1\t\t0x1\t\r\n  0x2\t\t0x2\t\r\n  0x3\t\t0x3\t\r\n"
                           "  0x4\t\t0x4\thalt\r\n->0x5\t\t0x5\t\r\n  0x6\t\t0x6\t\r\n  0x7\t\t0x7\t\r\n"
                           "  0x8\t\t0x8\t\r\n  0x9\t\t0x9\t\r\n\r\nregisters:\r\n\r\n";
    for (int i = 0; i < 31; ++i)
        expected += "R" + std::to_string(i) + ":\t0x0\r\n";
    expected += "R31:\t0xffffffff\r\n\r\nmemory:\r\n\r\n0x20\t\t0x37\r\n";
    for (int i = 1; i < 15; ++i)
        expected += "\t\t\r\n";
    EXPECT_EQ(StateFileText(texts), expected);
}
