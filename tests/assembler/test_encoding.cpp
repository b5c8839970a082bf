#include "AssemblerFixture.h"
#include "text/BitField.h"
#include "text/Text.h"

using namespace vorn::assembler;
using namespace vorn::assembler::testing;
using vorn::text::GetBitField;
using Texts = std::vector<std::string>;

namespace {

class Encoding : public AssemblerTest {
  protected:
    // The record of the line that the compile put on an address.
    const vorn::isa::MemoryRecord& At(int32_t address) {
        for (const auto& record : compiler_->MemoryImage())
            if (record.address == address) return record;
        throw std::runtime_error("no record at " + std::to_string(address));
    }
    int32_t Immediate(int32_t address) {
        return vorn::text::SignExtend16(static_cast<uint16_t>(GetBitField(0, 15, At(address).word)));
    }
    void CompileOk(std::vector<std::string> lines) {
        const Compiler& compiler = Compile(std::move(lines));
        ASSERT_TRUE(compiler.Succeeded()) << compiler.ErrorList().front();
    }
};

} // namespace

TEST_F(Encoding, BranchesCountFromTheNextInstruction) {
    CompileOk({"pc=0x4", "back: nop", "pc=0xA", "beqz r1 back", "bnez r2 ahead", "pc=0xC", "ahead: halt"});
    EXPECT_EQ(Immediate(10), -7);
    EXPECT_EQ(Immediate(11), 0) << "a branch to the next instruction";
    EXPECT_EQ(GetBitField(26, 31, At(10).word), 0b000100u);
    EXPECT_EQ(GetBitField(21, 25, At(10).word), 1u) << "beqz keeps its register in RS1";

    CompileOk({"pc=0xA", "j there", "jal there", "pc=0xC", "there: halt"});
    EXPECT_EQ(Immediate(10), 1);
    EXPECT_EQ(Immediate(11), 0);
    auto jump = std::dynamic_pointer_cast<vorn::isa::Itype>(At(10).instruction);
    ASSERT_NE(jump, nullptr);
    EXPECT_EQ(jump->imm, 1);
}

TEST_F(Encoding, ThreeOperandRowsAndDcTakeTheLabelsOwnAddress) {
    CompileOk({"lw r1 r0 table", "sw r1 r0 TABLE", "addi r2 r0 table", "pc=0x20", "table: dc table"});
    EXPECT_EQ(Immediate(0), 0x20);
    EXPECT_EQ(Immediate(1), 0x20);
    EXPECT_EQ(Immediate(2), 0x20);
    EXPECT_EQ(At(0x20).word, 0x20u);
    EXPECT_EQ(GetBitField(16, 20, At(0).word), 1u) << "lw's RD";
    EXPECT_EQ(GetBitField(21, 25, At(0).word), 0u);
}

TEST_F(Encoding, RegistersAndNumbers) {
    EXPECT_EQ(Words({"add r3 r1 r2", "jr r31", "addi r1 r0 0xFF", "addi r1 r0 -1", "subi R005 r1 32767"}),
              (std::vector<uint32_t>{
                  (1u << 21) | (2u << 16) | (3u << 11) | 0x20u, (0b010010u << 26) | (31u << 21) | (31u << 16),
                  (0b001000u << 26) | (1u << 16) | 0xFFu, (0b001000u << 26) | (1u << 16) | 0xFFFFu,
                  (0b001010u << 26) | (1u << 21) | (5u << 16) | 0x7FFFu}));
    // Fields that a row does not name are never set and encode as 31.
    EXPECT_EQ(Words({"nop", "halt"}), (std::vector<uint32_t>{0x03FFF800u, 0xFFFF0000u}));
}

TEST_F(Encoding, DcWords) {
    EXPECT_EQ(Words({"dc 0x10000", "dc 010", "dc 10", "dc", "dc -5", "dc 4294967295", "dc 0XfF", "dc 7 8",
                     "dc 0000000012345678"}),
              (std::vector<uint32_t>{65536u, 16u, 10u, 0u, 0xFFFFFFFBu, 0xFFFFFFFFu, 255u, 7u, 0x12345678u}));
}

TEST_F(Encoding, RecordsKeepTheLabelAsWrittenAndTheirKind) {
    CompileOk({"Start: add r1 r2 r3", "sub r1 r2 r3", "val: dc 3"});
    const auto& image = compiler_->MemoryImage();
    ASSERT_EQ(image.size(), 3u);
    EXPECT_EQ(image[0].text, "Start");
    EXPECT_EQ(image[1].text, "");
    EXPECT_NE(image[0].instruction, nullptr);
    EXPECT_EQ(image[2].instruction, nullptr);
    EXPECT_FALSE(image[0].flag);
}

TEST_F(Encoding, LabelsThatDoNotFitTheImmediateAreRefused) {
    CompileOk({"beqz r1 far", "pc=0x8000", "far: halt"});
    EXPECT_EQ(Immediate(0), 32767);
    CompileOk({"pc=0x7FFF", "j near", "pc=0x0", "near: halt"});
    EXPECT_EQ(Immediate(0x7FFF), -32768);

    EXPECT_EQ(Errors({"beqz r1 far", "pc=0x8001", "far: halt"}),
              Texts{"ERROR ON LINE: 1. beqz - second parameter illegal"});
    EXPECT_EQ(Errors({"nop", "j far", "pc=0x10000", "far: halt"}),
              Texts{"ERROR ON LINE: 2. j - first parameter illegal"});
    EXPECT_EQ(Errors({"lw r1 r0 far", "pc=0x10000", "far: dc 1"}),
              Texts{"ERROR ON LINE: 1. lw - third parameter illegal"});
    EXPECT_TRUE(compiler_->MemoryImage().empty());

    CompileOk({"lw r1 r0 edge", "pc=0xFFFF", "edge: dc 1", "dc edge"});
    EXPECT_EQ(Immediate(0), -1) << "0xFFFF is the last address the field holds";
}
