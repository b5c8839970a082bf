#pragma once
// What the simulator's form view shows and does, without the screen: ten memory words around
// the PC with their disassembly, the 32 registers of the current register file, up to 15
// memory watches, the commit of an edited register or watched word when its field loses the
// focus, and the view's commands (watches, memory dump range, register set, state file, print).
//
// The view keeps no machine state: every refresh rebuilds every text from the machine and
// hands the texts to the ui, which puts them into its fields. Watches live in the view, so a
// second view of the same document starts without any.

#include "Canvas.h"
#include "Prompter.h"
#include "simulator/FormTexts.h"
#include "simulator/SimulatorDocument.h"
#include "simulator/SimulatorView.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace vorn::simulator {

// A range of word addresses, first to last inclusive.
struct AddressRange {
    int32_t first = 0;
    int32_t last = 0;

    bool operator==(const AddressRange&) const = default;
};

class SimulatorForm : public SimulatorView {
  public:
    // registerSetPrefix is the process-wide prefix of the register labels ("R" at start),
    // which every view's "Replace Register set" and initial update rewrite.
    SimulatorForm(SimulatorDocument& document, Prompter& prompter, std::string& registerSetPrefix);
    ~SimulatorForm() override;
    SimulatorForm(const SimulatorForm&) = delete;
    SimulatorForm& operator=(const SimulatorForm&) = delete;

    // The ui's half of the exchange with the fields: show puts the texts and the labels into
    // them after every refresh; read takes the fields' texts back before a commit.
    void setShow(std::function<void()> show) { show_ = std::move(show); }
    void setRead(std::function<void(FormTexts&)> read) { read_ = std::move(read); }

    const FormTexts& texts() const { return texts_; }
    const std::array<std::string, FormTexts::kRegisters>& labels() const { return labels_; }
    int watchCount() const { return watchCount_; }

    // Labels R0 to R31 and the first picture.
    void OnInitialUpdate();
    void OnUpdate() override;

    // Register fields 0..31 and watch value fields 0..14.
    void OnEditSetFocus();
    void OnEditChange();
    void OnRegisterKillFocus(int i);
    void OnWatchValueKillFocus(int i);

    void OnAddWatch();
    void OnRemoveWatches();
    // The checked range for the memory dump dialog, or nothing when the command ends here.
    std::optional<AddressRange> OnMemoryDump();
    void OnReplaceRegisterSet();
    void OnSaveState();
    void OnPrint(Canvas& canvas) const;

  private:
    void ReadFields();
    void SetLabels();
    void Message(const std::string& text);

    SimulatorDocument& document_;
    Prompter& prompter_;
    std::string& registerSetPrefix_;
    std::function<void()> show_;
    std::function<void(FormTexts&)> read_;
    FormTexts texts_;
    std::array<std::string, FormTexts::kRegisters> labels_;
    int watchCount_ = 0;
    bool edited_ = false;
};

} // namespace vorn::simulator
