#include "ui/monitor/CPage2.h"

#include "ui/monitor/ListLines.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace vorn::ui {

using monitor::LabelKind;

namespace {

constexpr int kNameEdit = 2000;
constexpr int kAddressEdit = 2001;
constexpr int kCpuRamEdit = 1014;
constexpr int kLaRamEdit = 1015;
constexpr int kFirstKind = 1010; // "Slave", "Graphic", "Memory"
constexpr int kKindCount = 3;
constexpr int kInsert = 1009;
constexpr int kSave = 1025;
constexpr int kLoad = 1026;
constexpr int kClearAll = 1018;

// Each kind's list box and "Delete Selected Label" button, by LabelKind.
constexpr std::array<int, 3> kLists{1003, 1004, 1005};
constexpr std::array<int, 3> kDeleteButtons{1008, 1016, 1024};

size_t Index(LabelKind kind) {
    return static_cast<size_t>(kind);
}

int SelectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.front());
}

} // namespace

// An edit field that keeps its selection while it has not the focus, as the lab's edit
// controls do: "Clear All Labels" deletes the selected part of each field, which a Qt field
// forgets as soon as the button takes the focus. It lives as long as its field.
class HeldSelection : public QObject {
  public:
    explicit HeldSelection(QLineEdit* edit) : QObject(edit), edit_(edit) {
        connect(edit, &QLineEdit::selectionChanged, this, [this] { Record(); });
        connect(edit, &QLineEdit::cursorPositionChanged, this, [this] { Record(); });
    }

    monitor::EditText Read() const {
        const QString text = edit_->text();
        const auto bytes = [&text](int chars) {
            return static_cast<size_t>(text.left(chars).toUtf8().size());
        };
        return {text.toStdString(), bytes(start_), bytes(end_)};
    }

    void Show(const monitor::EditText& field) {
        const QString text = QString::fromStdString(field.text);
        if (edit_->text() != text) edit_->setText(text);
        const auto chars = [&field](size_t bytes) {
            return static_cast<int>(
                QString::fromStdString(field.text.substr(0, std::min(bytes, field.text.size()))).size());
        };
        start_ = chars(field.selectionStart);
        end_ = chars(field.selectionEnd);
        if (!edit_->hasFocus()) return;
        if (start_ == end_)
            edit_->setCursorPosition(start_);
        else
            edit_->setSelection(start_, end_ - start_);
    }

  private:
    // A field that is losing the focus deselects its text; that is not the user's selection.
    void Record() {
        if (!edit_->hasFocus()) return;
        start_ = edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
        end_ = edit_->hasSelectedText() ? edit_->selectionEnd() : start_;
    }

    QLineEdit* edit_;
    int start_ = 0;
    int end_ = 0;
};

DialogSpec CPage2::Template() {
    return {
        131,
        QStringLiteral("Labels Configuration"),
        434,
        188,
        {{ControlKind::Static, -1, QStringLiteral("Label name"), 7, 7, 80, 8},
         {ControlKind::Edit, kNameEdit, {}, 7, 17, 80, 12, AutoHorizontalScroll | TabStop},
         {ControlKind::Static, -1, QStringLiteral("Address"), 7, 33, 80, 8},
         {ControlKind::Edit, kAddressEdit, {}, 7, 43, 80, 12, AutoHorizontalScroll | TabStop},
         {ControlKind::GroupBox, -1, QStringLiteral("Label Type"), 93, 7, 60, 52},
         {ControlKind::Radio, 1010, QStringLiteral("Slave"), 99, 19, 50, 10},
         {ControlKind::Radio, 1011, QStringLiteral("Graphic"), 99, 31, 50, 10},
         {ControlKind::Radio, 1012, QStringLiteral("Memory"), 99, 43, 50, 10},
         {ControlKind::Button, kInsert, QStringLiteral("Insert/Edit Label"), 7, 64, 146, 14, TabStop},
         {ControlKind::Static, -1, QStringLiteral("CPU RAM start address:"), 7, 90, 90, 8},
         {ControlKind::Edit, kCpuRamEdit, {}, 100, 88, 53, 12, AutoHorizontalScroll | TabStop},
         {ControlKind::Static, -1, QStringLiteral("LA    RAM start address:"), 7, 106, 90, 8},
         {ControlKind::Edit, kLaRamEdit, {}, 100, 104, 53, 12, AutoHorizontalScroll | TabStop},
         {ControlKind::Button, kSave, QStringLiteral("Save Labels to file..."), 7, 130, 146, 14, TabStop},
         {ControlKind::Button, kLoad, QStringLiteral("Load Labels from file..."), 7, 148, 146, 14, TabStop},
         {ControlKind::Button, kClearAll, QStringLiteral("Clear All Labels"), 7, 166, 146, 14, TabStop},
         {ControlKind::Static, -1, QStringLiteral("Slave Labels"), 162, 7, 85, 18},
         {ControlKind::ListBox, kLists[0], {}, 162, 27, 85, 134, VerticalScroll},
         {ControlKind::Button, kDeleteButtons[0], QStringLiteral("Delete Selected Label"), 162, 166, 85, 14},
         {ControlKind::Static, -1, QStringLiteral("Graphic labels (From Monitor RAM)"), 252, 7, 85, 18},
         {ControlKind::ListBox, kLists[1], {}, 252, 27, 85, 134, VerticalScroll},
         {ControlKind::Button, kDeleteButtons[1], QStringLiteral("Delete Selected Label"), 252, 166, 85, 14},
         {ControlKind::Static, -1, QStringLiteral("Memory Labels"), 342, 7, 85, 18},
         {ControlKind::ListBox, kLists[2], {}, 342, 27, 85, 134, VerticalScroll},
         {ControlKind::Button, kDeleteButtons[2], QStringLiteral("Delete Selected Label"), 342, 166, 85,
          14}}};
}

CPage2::CPage2(monitor::LabelsPage& page, QWidget* parent)
    : CWizardPage(Template(), monitor::WizardPage::Labels, parent), page_(page) {
    const std::array<int, 4> edits{kNameEdit, kAddressEdit, kCpuRamEdit, kLaRamEdit};
    for (size_t i = 0; i < edits.size(); ++i)
        fields_[i] = new HeldSelection(control<QLineEdit>(edits[i]));

    const auto onClick = [this](int id, std::function<void()> command) {
        connect(control<QPushButton>(id), &QPushButton::clicked, this,
                [this, command = std::move(command)] { Act(command); });
    };
    onClick(kInsert, [this] { page_.OnInsertLabel(); });
    onClick(kClearAll, [this] { page_.OnClearAllLabels(); });
    onClick(kSave, [this] { page_.OnSaveLabels(); });
    onClick(kLoad, [this] { page_.OnLoadLabels(); });
    for (LabelKind kind : monitor::kLabelKinds) {
        onClick(kDeleteButtons[Index(kind)], [this, kind] { page_.OnDeleteLabel(kind); });
        QListWidget* list = List(kind);
        connect(list, &QListWidget::itemSelectionChanged, this, [this, kind, list] {
            if (const int row = SelectedRow(list); row >= 0)
                Act([this, kind, row] { page_.OnSelect(kind, row); });
        });
    }
}

void CPage2::OnSetActive(bool) {
    page_.OnSetActive();
    ShowFields();
}

void CPage2::OnKillActive() {
    StoreFields();
}

void CPage2::OnWizardNext() {
    page_.CheckStartAddresses();
    ShowFields();
}

void CPage2::OnWizardFinish() {
    OnWizardNext();
}

void CPage2::Act(const std::function<void()>& command) {
    StoreFields();
    command();
    ShowFields();
}

void CPage2::StoreFields() {
    page_.kind = CheckedRadio(*this, kFirstKind, kKindCount);
    page_.nameEdit = fields_[0]->Read();
    page_.addressEdit = fields_[1]->Read();
    page_.cpuRamEdit = fields_[2]->Read();
    page_.laRamEdit = fields_[3]->Read();
    for (LabelKind kind : monitor::kLabelKinds)
        page_.selection[Index(kind)] = SelectedRow(List(kind));
}

void CPage2::ShowFields() {
    CheckRadio(*this, kFirstKind, page_.kind);
    fields_[0]->Show(page_.nameEdit);
    fields_[1]->Show(page_.addressEdit);
    fields_[2]->Show(page_.cpuRamEdit);
    fields_[3]->Show(page_.laRamEdit);
    for (LabelKind kind : monitor::kLabelKinds)
        ShowListLines(List(kind), page_.Lines(kind), page_.selection[Index(kind)]);
    const bool graphic = page_.GraphicControlsEnabled();
    const bool memory = page_.MemoryControlsEnabled();
    for (int id : {kLists[1], kDeleteButtons[1], kFirstKind + 1, kLaRamEdit})
        controlWidget(id)->setEnabled(graphic);
    for (int id : {kLists[2], kDeleteButtons[2], kFirstKind + 2})
        controlWidget(id)->setEnabled(memory);
    controlWidget(kCpuRamEdit)->setEnabled(page_.CpuRamEditEnabled());
}

QListWidget* CPage2::List(LabelKind kind) const {
    return control<QListWidget>(kLists[Index(kind)]);
}

} // namespace vorn::ui
