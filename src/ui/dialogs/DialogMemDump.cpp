#include "ui/dialogs/DialogMemDump.h"

#include "isa/MemoryDump.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/MessageBox.h"

#include <QListWidget>
#include <QPushButton>

namespace vorn::ui {

namespace {

constexpr int kList = 1003;
constexpr int kSave = 1008;
constexpr int kColumnWidth = 150;

} // namespace

DialogSpec DialogMemDump::Template() {
    return {138,
            QStringLiteral("Dialog"),
            469,
            251,
            {{ControlKind::ListBox, kList, {}, 7, 7, 455, 212, VerticalScroll | NoIntegralHeight},
             {ControlKind::Button, kSave, QStringLiteral("Save To Dump File..."), 13, 226, 85, 18}}};
}

DialogMemDump::DialogMemDump(isa::MachineState& machine, QWidget* parent)
    : TemplateDialog(Template(), parent), machine_(machine) {
    connect(control<QPushButton>(kSave), &QPushButton::clicked, this, [this] { OnSaveToDumpFile(); });
}

int DialogMemDump::exec() {
    FillList();
    return QDialog::exec();
}

// The lines flow down into columns of a fixed width, scrolled sideways.
void DialogMemDump::FillList() {
    auto* list = control<QListWidget>(kList);
    list->clear();
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setGridSize(QSize(kColumnWidth, list->fontMetrics().height() + 2));
    for (const std::string& line : isa::DumpLines(machine_, first, last))
        list->addItem(QString::fromStdString(line));
}

void DialogMemDump::OnSaveToDumpFile() {
    const std::optional<QString> path = ChooseFile(
        nullptr, FileDialogMode::Save, QStringLiteral("Text (*.txt);;All (*.*)"), QStringLiteral("txt"));
    if (!path) return;
    if (const std::optional<Fault> fault = isa::WriteDumpFile(path->toStdString(), machine_, first, last))
        ShowMessageBox({this, QString::fromStdString(fault->text), QString::fromStdString(fault->caption),
                        BoxButtons::Ok, BoxIcon::Error});
}

} // namespace vorn::ui
