#pragma once
// The "Labels Configuration" page of the configuration wizard: the label editor over the page's
// own label model, the CPU RAM and LA RAM start fields, and the .lbl files.
//
// The page's three list boxes show exactly the page's model, one line per label in display
// order ("%s@0x%s": the name, then the typed value in lower-case hexadecimal: the offset of a
// slave label, the bit number of a graphic label, the address of a memory label), so a list
// line is found by its index. The ui keeps the radio group, the four edit fields and the list
// selections here (write them before a call, show them after it) and shows Lines() in the
// lists; every box goes through the Prompter.

#include "Prompter.h"
#include "isa/Settings.h"
#include "monitor/EditText.h"
#include "monitor/LabelMaps.h"
#include "monitor/WizardState.h"

#include <array>
#include <string>
#include <vector>

namespace vorn::monitor {

class LabelsPage {
  public:
    LabelsPage(const isa::Settings& settings, Prompter& prompter, std::string caption, WizardState& wizard);

    // Widgets
    int kind = 0;                             // the "Label Type" radio group: 0 slave, 1 graphic, 2 memory
    EditText nameEdit;                        // "Label name"
    EditText addressEdit;                     // "Address", hexadecimal
    EditText cpuRamEdit;                      // "CPU RAM start address:", an offset from SLAVEbase
    EditText laRamEdit;                       // "LA    RAM start address:"
    std::array<int, 3> selection{-1, -1, -1}; // the selected line of each list, by LabelKind

    std::vector<std::string> Lines(LabelKind kind) const;
    LabelMaps& model() { return model_; }
    const LabelMaps& model() const { return model_; }

    // Enabling, by the lab flags: the graphic list, its delete button, the "Graphic" radio
    // button and the LA RAM field; the memory list, its delete button and the "Memory" radio
    // button; the CPU RAM field.
    bool GraphicControlsEnabled() const { return wizard_.flags.graphicLabels; }
    bool MemoryControlsEnabled() const { return wizard_.flags.memoryLabels; }
    bool CpuRamEditEnabled() const { return wizard_.flags.registers; }

    // A showing of the wizard makes the page's widgets anew, nothing selected. The label fields
    // start empty; the start fields show the start addresses that are set, as offsets, since the
    // labels kept from the last showing need them (so only the first showing starts empty).
    void OnShow();
    // The page becomes active, in the full wizard or alone (Labels Config). A new lab choice
    // keeps the labels, drops the selections and checks "Slave".
    void OnSetActive();

    // Inserts a label, or edits the selected one when the name is the selected line's. False,
    // after its box, for a name that does not start with a letter, a value out of the kind's
    // range, or a new label whose name the kind already holds. A kind other than 0, 1 and 2
    // changes nothing.
    bool InsertLabel(int kind, const std::string& name, const std::string& address);
    // "Insert/Edit Label": the kind and at most 11 characters of each field.
    void OnInsertLabel();
    // "Delete Selected Label" of one list: nothing without a selection.
    void OnDeleteLabel(LabelKind kind);
    // "Clear All Labels": the labels go and the selected part of each field is deleted; the
    // start addresses are not touched.
    void OnClearAllLabels();
    // A list's selection changed to this line: the other lists lose theirs, and the name, the
    // value and the kind are put into the fields.
    void OnSelect(LabelKind kind, int index);
    // "Save Labels to file..." and "Load Labels from file...".
    void OnSaveLabels();
    void OnLoadLabels();
    // Next (full wizard) and Finish (alone) check the start fields that the lab flags offer and
    // store the start addresses; the wizard goes on in every case.
    void CheckStartAddresses();

  private:
    struct StartField;
    void CheckStartField(const StartField& field);
    bool InRange(LabelKind kind, uint32_t value) const;
    uint32_t Base(LabelKind kind) const;
    void Message(const std::string& text);

    const isa::Settings& settings_;
    Prompter& prompter_;
    std::string caption_;
    WizardState& wizard_;
    LabelMaps model_;
};

} // namespace vorn::monitor
