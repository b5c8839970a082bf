#pragma once
// Shared by the assembler tests: a scratch folder for output files, a compile of inline source
// lines with the lab's instruction set.

#include "LabProgram.h"
#include "TempDir.h"
#include "assembler/Compiler.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace vorn::assembler::testing {

using vorn::testing::LabInstructionSet;

inline const std::string kVersion = "XML file date: Wed 5/3/2014 10:7:09\n";

class AssemblerTest : public ::testing::Test {
  protected:
    // Compiles the lines with the lab's set, writing prog.lst and prog.cod into the scratch folder.
    Compiler& Compile(std::vector<std::string> lines) {
        compiler_ = std::make_unique<Compiler>(LabInstructionSet(), folder.file("prog"), kVersion);
        compiler_->Compile(std::move(lines));
        return *compiler_;
    }
    std::vector<std::string> Errors(std::vector<std::string> s) { return Compile(std::move(s)).ErrorList(); }

    vorn::testing::TempDir folder;
    std::unique_ptr<Compiler> compiler_;
};

} // namespace vorn::assembler::testing
