#include "AssemblerFixture.h"

using namespace vorn::assembler;
using namespace vorn::assembler::testing;

namespace {

class Encoding : public AssemblerTest {};

} // namespace

TEST_F(Encoding, SourcesAndTheirWords) {
    const struct {
        std::vector<std::string> source;
        std::vector<uint32_t> words;
    } cases[] = {
        // Branches and jumps count from the next instruction: -7 and 0, then 1 and 0. beqz keeps
        // its register in RS1. Fields that a row does not name are never set and encode as 31.
        {{"pc=0x4", "back: nop", "pc=0xA", "beqz r1 back", "bnez r2 ahead", "pc=0xC", "ahead: halt"},
         {0x03FFF800u, 0x103FFFF9u, 0x145F0000u, 0xFFFF0000u}},
        {{"pc=0xA", "j there", "jal there", "pc=0xC", "there: halt"},
         {0x0BFF0001u, 0x0FFF0000u, 0xFFFF0000u}},
        // Three-operand rows and dc take the label's own address, 0x20.
        {{"lw r1 r0 table", "sw r1 r0 TABLE", "addi r2 r0 table", "pc=0x20", "table: dc table"},
         {0x8C010020u, 0xAC010020u, 0x20020020u, 0x00000020u}},
        {{"add r3 r1 r2", "jr r31", "addi r1 r0 0xFF", "addi r1 r0 -1", "subi R005 r1 32767"},
         {0x00221820u, 0x4BFF0000u, 0x200100FFu, 0x2001FFFFu, 0x28257FFFu}},
        {{"dc 0x10000", "dc 010", "dc 10", "dc", "dc -5", "dc 4294967295", "dc 0XfF", "dc 7 8",
          "dc 0000000012345678"},
         {0x10000u, 16u, 10u, 0u, 0xFFFFFFFBu, 0xFFFFFFFFu, 0xFFu, 7u, 0x12345678u}},
        // The farthest labels the immediate holds: 32767 ahead, 32768 back, address 0xFFFF.
        {{"beqz r1 far", "pc=0x8000", "far: halt"}, {0x103F7FFFu, 0xFFFF0000u}},
        {{"pc=0x7FFF", "j near", "pc=0x0", "near: halt"}, {0x0BFF8000u, 0xFFFF0000u}},
        {{"lw r1 r0 edge", "pc=0xFFFF", "edge: dc 1", "dc edge"}, {0x8C01FFFFu, 1u, 0xFFFFu}},
        {{"pc=0x7FFFFFFE", "dc 1", "last: dc 2"}, {1u, 2u}}, // the last address before the end marker
    };
    for (const auto& [source, words] : cases) {
        std::vector<uint32_t> encoded;
        for (const vorn::isa::MemoryRecord& record : Compile(source).MemoryImage())
            encoded.push_back(record.word);
        EXPECT_EQ(encoded, words) << source.front();
    }
}
