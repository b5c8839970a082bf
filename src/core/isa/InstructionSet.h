#pragma once
// The instruction set that commands.xml describes: the command rows, the register files,
// the declared variables and the step count of the simulator's long runs. Filled once by
// LoadCommands and only read afterwards; a machine copies the register files and variables
// it executes on.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vorn::isa {

enum OperandKind : int32_t { None = 0, RD = 1, RS1 = 2, RS2 = 3, Imm = 4 };

struct CommandRecord {
    std::string type;     // "R" or "I"
    std::string name;     // the mnemonic
    std::string opcode;   // six '0'/'1' characters, most significant first
    std::string function; // six '0'/'1' characters
    std::string action;   // register-transfer text
    std::string numArgs;  // operand count as decimal text
    bool isbranch = false;
    std::array<int32_t, 3> operandKinds{None, None, None};
};

struct RegisterFile {
    std::string name; // the full name, "MR" for the general registers
    std::array<int32_t, 32> cells{};
};

struct VarRecord {
    std::string name;
    int32_t length = 0; // width in bits
    int32_t value = 0;
};

struct InstructionSet {
    // Rows 0..N-1 are the commands in file order; row N is the spare empty row.
    std::vector<CommandRecord> commands{CommandRecord{}};
    // Entry 0 is always "MR".
    std::vector<RegisterFile> registerFiles{RegisterFile{"MR", {}}};
    std::vector<VarRecord> vars;
    int32_t stepsUntilMsg = 0;

    // Builds the lookup of rows by their bits; LoadCommands calls it once the rows are final.
    // A set whose rows change afterwards must index again (or never, to search linearly).
    void IndexRows();

    int32_t count() const { return static_cast<int32_t>(commands.size()); }

    // The row of a mnemonic; count() when there is none.
    int32_t FindCommandByName(const std::string& name) const;
    // isI non-zero: an I row by its opcode bits; zero: an R row by its function bits. -1 when none.
    int32_t FindCommandByBits(int isI, const std::string& bits) const;
    int32_t FindCommandByCode(int isI, uint32_t code) const;
    int32_t FindVar(const std::string& name) const;
    int32_t FindRegisterFile(const std::string& name) const;
    // Whether an operand of assembly source names a register ("R5", "r5", "F3" with a file "MF").
    bool IsRegisterOperand(const std::string& text) const;

  private:
    // The first I row of each opcode code and the first R row of each function code, -1 for
    // none; empty until IndexRows.
    std::vector<int32_t> iRows_;
    std::vector<int32_t> rRows_;
};

// The six-character bit text of the low six bits of code ("001000" for 8).
std::string BitsText(uint32_t code);
// A text of '0'/'1' characters read as a binary number.
uint32_t BitsValue(const std::string& bits);

} // namespace vorn::isa
