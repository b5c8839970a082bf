#include "ui/simulator/CSimGraphDoc.h"

#include "ui/simulator/SimulatorResources.h"

#include <map>
#include <vector>

namespace vorn::ui {

namespace {

using Handler = void (simulator::SimulatorDocument::*)();
using Document = simulator::SimulatorDocument;

const std::map<int, Handler>& MessageMap() {
    static const std::map<int, Handler> map = {
        {ID_SIMULATOR_STEP, &Document::OnStep},
        {IDC_STEP, &Document::OnStep},
        {ID_RUN_STEPS, &Document::OnRunSteps},
        {ID_RUN_STEPS_ALIAS, &Document::OnRunSteps},
        {ID_RUN_UNTIL_HALT, &Document::OnRunUntilHalt},
        {ID_RUN_UNTIL_PC, &Document::OnRunUntilPc},
        {ID_RUN_UNTIL_REG, &Document::OnRunUntilReg},
        {ID_RUN_UNTIL_MEMORY, &Document::OnRunUntilMemory},
        {ID_SIMULATOR_RESET, &Document::OnReset},
        {ID_RESET_REGISTERS, &Document::OnResetRegisters},
        {ID_JUMP_TO, &Document::OnJumpTo},
        {ID_FILL_MEMORY, &Document::OnFillMemory},
        {ID_LOAD_DUMP_FILE, &Document::OnLoadDumpFile},
        {ID_OPEN_SOURCE, &Document::OnOpenSource},
        {ID_OPEN_COD, &Document::OnOpenCod},
    };
    return map;
}

std::vector<CSimGraphDoc*>& OpenDocuments() {
    static std::vector<CSimGraphDoc*> documents;
    return documents;
}

} // namespace

// The document's boxes have no owner window; each carries the application title. Its first view
// passes every refresh on to the other documents, before its own views show the machine.
CSimGraphDoc::CSimGraphDoc(simulator::SimulatorEnvironment environment)
    : prompter_(nullptr), core_(std::move(environment), prompter_) {
    core_.AddView(*this);
    OpenDocuments().push_back(this);
}

CSimGraphDoc::~CSimGraphDoc() {
    std::erase(OpenDocuments(), this);
}

void CSimGraphDoc::OnUpdate() {
    static bool passing = false;
    if (passing) return;
    passing = true;
    for (CSimGraphDoc* other : OpenDocuments())
        if (other != this) other->core_.UpdateAllViews();
    passing = false;
}

bool CSimGraphDoc::OnCommand(int command) {
    const auto handler = MessageMap().find(command);
    if (handler == MessageMap().end()) return false;
    (core_.*handler->second)();
    return true;
}

bool CSimGraphDoc::Handles(int command) {
    return MessageMap().count(command) > 0;
}

} // namespace vorn::ui
