#pragma once
// Shared by the assembler tests: a scratch folder for output files, a compile of inline source
// lines with the lab's instruction set, and the lab's example programs.

#include "LabProgram.h"
#include "TempDir.h"
#include "assembler/Compiler.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace vorn::assembler::testing {

using vorn::testing::LabInstructionSet;

inline const std::string kVersion = "XML file date: Wed 5/3/2014 10:7:09\n";

// The lab's example programs, in name order, each as its lines.
inline std::vector<std::pair<std::filesystem::path, std::vector<std::string>>> ExamplePrograms() {
    std::vector<std::pair<std::filesystem::path, std::vector<std::string>>> programs;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(VORN_SOURCE_DIR) / "lab" / "examples")) {
        if (entry.path().extension() != ".s") continue;
        std::ifstream in(entry.path());
        programs.push_back({entry.path(), {}});
        for (std::string line; std::getline(in, line);)
            programs.back().second.push_back(line);
    }
    std::sort(programs.begin(), programs.end());
    return programs;
}

class AssemblerTest : public ::testing::Test {
  protected:
    // Compiles the lines with the lab's set, writing prog.lst and prog.cod into the scratch folder.
    Compiler& Compile(std::vector<std::string> lines) {
        compiler_ = std::make_unique<Compiler>(LabInstructionSet(), folder.file("prog"), kVersion);
        compiler_->Compile(std::move(lines));
        return *compiler_;
    }
    std::vector<std::string> Errors(std::vector<std::string> lines) {
        return Compile(std::move(lines)).ErrorList();
    }

    vorn::testing::TempDir folder;
    std::unique_ptr<Compiler> compiler_;
};

} // namespace vorn::assembler::testing
