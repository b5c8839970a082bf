// The three loading commands of the simulator document: an assembled image (.cod), a source
// file assembled on the spot, and a memory dump file.

#include "assembler/Compiler.h"
#include "isa/ParseNumber.h"
#include "simulator/SimulatorDocument.h"
#include "text/ChosenFile.h"
#include "text/TextFile.h"
#include "text/WholeFile.h"

#include <sstream>

namespace vorn::simulator {

bool SimulatorDocument::OpenChosenFile(const char* filter, std::istringstream& in) {
    const auto path = prompter_.chooseOpenFile(filter);
    if (!path) return false;
    if (text::OpenChosenFile(*path, in)) return true;
    Message("Cannot open file");
    return false;
}

void SimulatorDocument::OnOpenCod() {
    std::istringstream in;
    if (!OpenChosenFile("Code (*.cod);;All (*.*)", in)) return;
    assembler::Compiler compiler(instructionSet(), WorkFile("temp").string(),
                                 environment_.commandsXmlVersion);
    if (!compiler.LoadCod(in)) return Message("Invalid code file");
    machine_.LoadProgram(compiler.MemoryImage());
    UpdateAllViews();
}

void SimulatorDocument::OnOpenSource() {
    std::istringstream in;
    if (!OpenChosenFile("Source (*.s);;All (*.*)", in)) return;
    assembler::Compiler compiler(instructionSet(), WorkFile("temp").string(),
                                 environment_.commandsXmlVersion);
    compiler.CompileStream(in);
    // err.txt is rewritten after every assembly, so a good one leaves it empty. It is a
    // by-product, as temp.lst and temp.cod are: a program that assembled loads even where they
    // cannot be written, while the errors of one that did not are shown when err.txt cannot
    // keep them.
    const std::filesystem::path errorFile = WorkFile("err.txt");
    std::string fileText;
    std::string boxText = "Cannot write " + errorFile.string();
    for (const std::string& error : compiler.ErrorList()) {
        fileText += error + text::kLineEnd;
        boxText += "\n" + error;
    }
    if (!text::WriteWholeFile(errorFile, fileText) && !compiler.Assembled()) Message(boxText);
    if (!compiler.Assembled()) return Message("Errors in program");
    machine_.LoadProgram(compiler.MemoryImage());
    UpdateAllViews();
}

void SimulatorDocument::OnLoadDumpFile() {
    // Windows matches the filter's pattern in either case; here both cases are listed.
    const auto path = prompter_.chooseOpenFile("Text (*.TXT *.txt);;All (*.*)");
    if (!path) return;
    std::istringstream in;
    std::string first;
    if (!text::OpenChosenFile(*path, in) || !(in >> first) || first != "Dump")
        return Message("Wrong file type");
    // The pairs are read as a typed number is ("+5", "0x000000010", 12abc as 12). A word that
    // holds no number at all, such as a trailing remark "end of dump", ends the pairs rather than
    // writing 0 to address 0, and a negative address names no word of memory.
    std::string address;
    std::string value;
    while (in >> address >> value) {
        const std::optional<int32_t> word = isa::ReadNumber(address);
        const std::optional<int32_t> number = isa::ReadNumber(value);
        if (!word || !number) break;
        if (*word >= 0) machine_.WriteMemory(*word, *number);
    }
    UpdateAllViews();
}

} // namespace vorn::simulator
