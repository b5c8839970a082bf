// The three loading commands of the simulator document: an assembled image (.cod), a source
// file assembled on the spot, and a memory dump file.

#include "assembler/Compiler.h"
#include "isa/ParseNumber.h"
#include "simulator/SimulatorDocument.h"
#include "text/TextFile.h"

#include <fstream>

namespace vorn::simulator {

namespace {

// A chosen path that is no readable file (a folder, a file without read access) does not open.
bool OpenForReading(const std::string& path, std::ifstream& in) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    in.open(path, std::ios::binary);
    return in.is_open();
}

} // namespace

bool SimulatorDocument::OpenChosenFile(const char* filter, std::ifstream& in) {
    const auto path = prompter_.chooseOpenFile(filter);
    if (!path) return false;
    if (OpenForReading(*path, in)) return true;
    Message("Cannot open file");
    return false;
}

void SimulatorDocument::OnOpenCod() {
    std::ifstream in;
    if (!OpenChosenFile("Code (*.cod);;All (*.*)", in)) return;
    assembler::Compiler compiler(instructionSet(), WorkFile("temp").string(),
                                 environment_.commandsXmlVersion);
    if (!compiler.LoadCod(in)) return Message("Invalid code file");
    machine_.LoadProgram(compiler.MemoryImage());
    UpdateAllViews();
}

void SimulatorDocument::OnOpenSource() {
    std::ifstream in;
    if (!OpenChosenFile("Source (*.s);;All (*.*)", in)) return;
    assembler::Compiler compiler(instructionSet(), WorkFile("temp").string(),
                                 environment_.commandsXmlVersion);
    const bool assembled = compiler.CompileStream(in);
    // err.txt is rewritten after every assembly, so a good one leaves it empty.
    std::ofstream errors(WorkFile("err.txt"), std::ios::binary | std::ios::trunc);
    for (const std::string& error : compiler.ErrorList())
        errors << error << text::kLineEnd;
    errors.close();
    if (!assembled) return Message("Errors in program");
    machine_.LoadProgram(compiler.MemoryImage());
    UpdateAllViews();
}

void SimulatorDocument::OnLoadDumpFile() {
    // Windows matches the filter's pattern in either case; here both cases are listed.
    const auto path = prompter_.chooseOpenFile("Text (*.TXT *.txt);;All (*.*)");
    if (!path) return;
    std::ifstream in;
    std::string first;
    if (!OpenForReading(*path, in) || !(in >> first) || first != "Dump") return Message("Wrong file type");
    std::string address;
    std::string value;
    while (in >> address >> value)
        machine_.WriteMemory(isa::ParseNumber(address), isa::ParseNumber(value));
    UpdateAllViews();
}

} // namespace vorn::simulator
