#include "AssemblerFixture.h"

using namespace vorn::assembler;
using namespace vorn::assembler::testing;
using vorn::isa::MemoryRecord;

namespace {

const std::string kTrailerDate = "XML file date: XML file date: Wed 5/3/2014 10:7:09\r\n";
const std::string kListingEnd = "\r\nLabel Report:\r\n";

class Files : public AssemblerTest {
  protected:
    // The bytes of prog.cod or prog.lst after a compile that must succeed.
    std::string Compiled(std::vector<std::string> lines, const std::string& file = "prog.cod") {
        const Compiler& compiler = Compile(std::move(lines));
        EXPECT_TRUE(compiler.Succeeded()) << (compiler.Succeeded() ? "" : compiler.ErrorList().front());
        return vorn::testing::ReadFile(folder.file(file));
    }
    // .cod text read into a fresh image; nothing when the read fails.
    std::optional<std::vector<MemoryRecord>> Read(const std::string& bytes) {
        std::istringstream in(bytes);
        Compiler reader(LabInstructionSet(), folder.file("reader"));
        if (!reader.LoadCod(in)) return std::nullopt;
        return reader.MemoryImage();
    }
};

} // namespace

TEST_F(Files, CodBlocksFollowTheImageOrder) {
    EXPECT_EQ(Compiled({"* nothing but a comment"}), ".DS\r\n0X0 " + kTrailerDate);
    EXPECT_EQ(Compiled({"nop", "nop", "halt", "dc 1", "dc 0x2", "pc=0x10", "halt", "pc=0x5", "dc 5", "pc=0x7",
                        "dc 7"}),
              ".CODE\r\n0x00000000\r\n0x00000003\r\n0x03FFF800\r\n0x03FFF800\r\n0xFFFF0000\r\n"
              ".DATA\r\n0x00000003\r\n0x00000002\r\n0x00000001\r\n0x00000002\r\n"
              ".CODE\r\n0x00000010\r\n0x00000001\r\n0xFFFF0000\r\n"
              ".DATA\r\n0x00000005\r\n0x00000001\r\n0x00000005\r\n"
              ".DATA\r\n0x00000007\r\n0x00000001\r\n0x00000007\r\n"
              ".DS\r\n0X16 " +
                  kTrailerDate);
}

// The reader is lenient where the format allows and refuses what is not a block.
TEST_F(Files, CodReader) {
    const std::string good = Compiled({"start: lw r1 r0 data", "bnez r1 start", "data: dc -1", "halt"});
    std::string unix = good;
    std::erase(unix, '\r');
    for (const std::string& lenient : {unix, std::string(".DATA\n0x0\n0x0\n.DS\n"), std::string(),
                                       std::string(".DATA\n0x0\n0x1\n0x7\n")}) // the last without its trailer
        EXPECT_TRUE(Read(lenient)) << lenient;
    const auto read = Read("\r\n\n.DATA\n0x10\n2\n0xff\n0XaBc  \n.DS\nignored");
    ASSERT_TRUE(read && read->size() == 2u);
    EXPECT_EQ(std::pair((*read)[1].address, (*read)[1].word), std::pair(0x11, 0xABCu));
    // Cut anywhere before the last word of the last block.
    const size_t lastWord = good.find("0xFFFF0000");
    for (size_t cut : {good.find("0x00000001"), good.find(".DATA") + 7, lastWord, lastWord + 5})
        EXPECT_FALSE(Read(good.substr(0, cut))) << "cut at " << cut;
    for (const std::string& bad : std::vector<std::string>{
             ".TEXT\n0x0\n0x1\n0x0\n", ".DATA\n0x0\n0x1\nhello\n", ".DATA\nzero\n0x1\n0x1\n",
             ".DATA\n0x0\n0x1\n0x123456789\n", ".DATA\n0x0\n0x1\n0x12 34\n",
             ".DATA\n0x0\n0x1\n" + std::string(5000, '7') + "\n",
             ".CODE\n0x0\n0x1\n0x04000000\n",      // an opcode that no row has
             ".DATA\n0x80000000\n0x1\n0x0\n",      // an address that would read as the end marker
             ".DATA\n0x7FFFFFFF\n0x2\n0x0\n0x0\n", // the second word would
             // A count is never trusted beyond the words that follow it.
             ".DATA\n0x0\n0xFFFFFFFF\n0x1\n", ".DATA\n0x0\n0x7FFFFFFF\n0x1\n0x2\n"})
        EXPECT_FALSE(Read(bad)) << bad;
}

TEST_F(Files, ListingLines) {
    EXPECT_EQ(Compiled({"loop: dc 5", "add r1 r2 r3", "* note", "", "pc = 0x100", "add r1 r2 r3 * note: x",
                        "pc=0x200", "halt"},
                       "prog.lst"),
              "0x00000000: 0x00000005\tloop:       \t dc 5\r\n"
              "0x00000001: 0x00430820\t            \t add r1 r2 r3\r\n"
              "\t\t\t\t\t            \t * note\r\n"
              "\t\t\t\t\t            \t \r\n"
              "0x00000100: 0x00430820\tadd r1 r2 r3 * note:\t x\r\n"
              "0x00000200: 0xFFFF0000\t            \t halt\r\n" +
                  kListingEnd + "loop: 1 D: \r\n*XML file date: Wed 5/3/2014 10:7:09\r\n");
    EXPECT_EQ(Compiled({"buf: ds 2"}, "prog.lst"),
              "0x00000000: 0x00000000\tbuf:        \t dc 0x0\r\n"
              "0x00000001: 0x00000000\t            \t dc 0x0\r\n" +
                  kListingEnd + "buf: 1 D: \r\n*XML file date: Wed 5/3/2014 10:7:09\r\n");
}

TEST_F(Files, CompileStreamReadsCrLfLinesAndLongLinesWhole) {
    std::istringstream source("start: addi r1 r0 2\r\n* " + std::string(300, 'c') +
                              "\r\nloop: subi r1 r1 1\r\nbnez r1 loop\r\nhalt\r\n");
    Compiler compiler(LabInstructionSet(), folder.file("prog"), kVersion);
    ASSERT_TRUE(compiler.CompileStream(source));
    EXPECT_EQ(compiler.MemoryImage().size(), 4u) << "every line after the long one is read";
    EXPECT_EQ(compiler.LineAddresses().size(), 7u)
        << "the read that meets the end gives one more, empty, line";
    EXPECT_EQ(vorn::testing::ReadFile(folder.file("prog.lst")).find("\r\r"), std::string::npos);
}
