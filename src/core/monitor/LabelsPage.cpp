#include "monitor/LabelsPage.h"

#include "monitor/LabelFile.h"
#include "monitor/MonitorTexts.h"
#include "text/ChosenFile.h"
#include "text/Text.h"
#include "text/WholeFile.h"

namespace vorn::monitor {

namespace {

// Windows matches the pattern in either case; here both cases are listed.
constexpr const char* kLabelFilter = "LBL Files (*.lbl *.LBL);;All Files (*.*)";
constexpr size_t kFieldChars = 11;

} // namespace

struct LabelsPage::StartField {
    EditText& edit;
    uint32_t& address;
    bool& set;
    const char* notSet;
    const char* outOfRange;
    const char* aligned;
};

LabelsPage::LabelsPage(const isa::Settings& settings, Prompter& prompter, std::string caption,
                       WizardState& wizard)
    : settings_(settings), prompter_(prompter), caption_(std::move(caption)), wizard_(wizard) {}

std::vector<std::string> LabelsPage::Lines(LabelKind kind) const {
    std::vector<std::string> lines;
    for (const Label& label : model_.Of(kind))
        lines.push_back(label.name + Format("@0x%x", static_cast<unsigned>(label.value - Base(kind))));
    return lines;
}

void LabelsPage::OnShow() {
    for (EditText* edit : {&nameEdit, &addressEdit})
        edit->Set({});
    // The labels stay from one showing to the next, and their start addresses with them.
    const StartAddresses& addresses = wizard_.addresses;
    cpuRamEdit.Set(addresses.cpuRamSet ? WordText(addresses.cpuRam - settings_.SLAVEbase) : std::string());
    laRamEdit.Set(addresses.laRamSet ? WordText(addresses.laRam - settings_.SLAVEbase) : std::string());
    selection = {-1, -1, -1};
}

void LabelsPage::OnSetActive() {
    // A new lab choice keeps the labels: the lists show the model, so every label that reaches
    // the monitor is one the page shows.
    if (wizard_.flags.labChosen) {
        selection = {-1, -1, -1};
        wizard_.flags.labChosen = false;
        kind = static_cast<int>(LabelKind::Slave);
    }
}

bool LabelsPage::InsertLabel(int kindValue, const std::string& name, const std::string& address) {
    if (name.empty() || !text::IsLetter(name.front())) {
        Message("Label name must start with a letter!");
        return false;
    }
    if (kindValue < 0 || kindValue > 2) return true;
    const auto labelKind = static_cast<LabelKind>(kindValue);
    const uint32_t value = ReadHexField(address);
    if (!InRange(labelKind, value)) {
        Message("Address out of allowed range.");
        return false;
    }
    int& selected = selection[static_cast<size_t>(kindValue)];
    const auto& labels = model_.Of(labelKind);
    const bool edited = selected >= 0 && static_cast<size_t>(selected) < labels.size() &&
                        labels[static_cast<size_t>(selected)].name == name;
    if (!edited && model_.Find(labelKind, name)) {
        Message("Label exists, delete previous one before trying again.");
        return false;
    }
    // An edited label keeps its place; its old line, and with it the selection, is gone.
    if (edited) selected = -1;
    model_.Set(labelKind, name, Base(labelKind) + value);
    return true;
}

void LabelsPage::OnInsertLabel() {
    InsertLabel(kind, nameEdit.text.substr(0, kFieldChars), addressEdit.text.substr(0, kFieldChars));
}

void LabelsPage::OnDeleteLabel(LabelKind labelKind) {
    int& selected = selection[static_cast<size_t>(labelKind)];
    const auto& labels = model_.Of(labelKind);
    if (selected < 0 || static_cast<size_t>(selected) >= labels.size()) return;
    const std::string name = labels[static_cast<size_t>(selected)].name;
    model_.Remove(labelKind, name);
    selected = -1;
}

void LabelsPage::OnClearAllLabels() {
    model_.Clear();
    selection = {-1, -1, -1};
    for (EditText* edit : {&cpuRamEdit, &laRamEdit, &nameEdit, &addressEdit})
        edit->ClearSelection();
}

void LabelsPage::OnSelect(LabelKind labelKind, int index) {
    const auto& labels = model_.Of(labelKind);
    if (index < 0 || static_cast<size_t>(index) >= labels.size()) return;
    selection = {-1, -1, -1};
    selection[static_cast<size_t>(labelKind)] = index;
    const Label& label = labels[static_cast<size_t>(index)];
    nameEdit.Set(label.name);
    addressEdit.Set(Format("0x%x", static_cast<unsigned>(label.value - Base(labelKind))));
    kind = static_cast<int>(labelKind);
}

void LabelsPage::OnSaveLabels() {
    const auto path = prompter_.chooseSaveFile(kLabelFilter);
    if (!path) return;
    const std::string file = WithDefaultExtension(*path, ".lbl");
    if (!WriteTextFile(file, LabelFileText(cpuRamEdit.text, laRamEdit.text, model_, settings_.SLAVEbase)))
        Message(text::CannotWriteText(file));
}

void LabelsPage::OnLoadLabels() {
    if (!model_.Empty() &&
        !prompter_.askYesNo("This will delete all existing labels. Continue?", "Overwrite?"))
        return;
    const auto path = prompter_.chooseOpenFile(kLabelFilter);
    if (!path) return;
    // A file that does not open leaves the labels as they are.
    std::istringstream in;
    if (!text::OpenChosenFile(*path, in)) return Message(text::CannotOpenText(*path));
    const LabelFileContent content = ReadLabelFile(in);
    OnClearAllLabels();
    cpuRamEdit.Set(content.cpuRamText);
    laRamEdit.Set(content.laRamText);
    for (LabelKind labelKind : kLabelKinds)
        for (const LabelFileEntry& entry : content.labels[static_cast<size_t>(labelKind)])
            InsertLabel(static_cast<int>(labelKind), entry.name, entry.address);
}

void LabelsPage::CheckStartAddresses() {
    StartAddresses& addresses = wizard_.addresses;
    if (wizard_.flags.registers)
        CheckStartField({cpuRamEdit, addresses.cpuRam, addresses.cpuRamSet,
                         "CPU RAM address not set! No register view.",
                         "CPU RAM Address out of allowed range, CPU RAM NOT set.",
                         "CPU RAM address has been aligned to 0x%x."});
    if (wizard_.flags.graphicLabels)
        CheckStartField({laRamEdit, addresses.laRam, addresses.laRamSet,
                         "LA RAM address not set! No Graphic view.",
                         "LA RAM Address out of allowed range, Registers NOT set.",
                         "LA RAM address has been aligned to 0x%x."});
}

void LabelsPage::CheckStartField(const StartField& field) {
    const std::string text = field.edit.text.substr(0, kFieldChars);
    if (text.empty()) {
        Message(field.notSet);
        field.set = false;
        return;
    }
    const uint32_t offset = ReadHexField(text);
    if (offset < settings_.SLAVEstart || offset > settings_.SLAVEend) {
        Message(field.outOfRange);
        field.edit.Set({});
        field.set = false;
        return;
    }
    const uint32_t aligned = offset - offset % 32;
    if (aligned != offset) Message(Format(field.aligned, static_cast<unsigned>(aligned)));
    field.edit.Set(WordText(aligned));
    field.address = settings_.SLAVEbase + aligned;
    field.set = true;
}

bool LabelsPage::InRange(LabelKind labelKind, uint32_t value) const {
    switch (labelKind) {
    case LabelKind::Slave:
        return value >= settings_.SLAVEstart && value <= settings_.SLAVEend;
    case LabelKind::Graphic:
        return value <= 0x1F;
    case LabelKind::Memory:
        return value >= settings_.RAMstart && value <= settings_.RAMend;
    }
    return false;
}

uint32_t LabelsPage::Base(LabelKind labelKind) const {
    return labelKind == LabelKind::Slave ? settings_.SLAVEbase : 0;
}

void LabelsPage::Message(const std::string& text) {
    prompter_.message(text, caption_);
}

} // namespace vorn::monitor
