#include "ui/simulator/CSimGraphView.h"

#include "ui/dialogs/DialogMemDump.h"
#include "ui/dialogs/QtPrompter.h"
#include "ui/framework/MdiMainFrame.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/PrintJob.h"
#include "ui/simulator/SimulatorResources.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

namespace vorn::ui {

namespace {

using simulator::FormTexts;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

bool IsRegister(int id) {
    return id >= IDC_REGISTER && id < IDC_REGISTER + FormTexts::kRegisters;
}
bool IsWatchValue(int id) {
    return id >= IDC_WATCH_VALUE && id < IDC_WATCH_VALUE + FormTexts::kWatches;
}

// Field sizes in pixels, whatever the template says.
struct FieldSize {
    int first, count, width, height;
};
constexpr FieldSize kFieldSizes[] = {
    {IDC_ADDRESS, FormTexts::kRows, 75, 15},          {IDC_VALUE, FormTexts::kRows, 75, 15},
    {IDC_COMMAND, FormTexts::kRows, 110, 15},         {IDC_REGISTER, FormTexts::kRegisters, 95, 15},
    {IDC_WATCH_ADDRESS, FormTexts::kWatches, 75, 15}, {IDC_WATCH_VALUE, FormTexts::kWatches, 95, 15},
};

// The arrow beside row 4, the PC: 13 by 14 pixels.
QPixmap PcMarker() {
    QPixmap marker(13, 14);
    marker.fill(Qt::transparent);
    QPainter painter(&marker);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(1, 5, 6, 4);
    painter.drawPolygon(QPolygon({QPoint(6, 1), QPoint(12, 7), QPoint(6, 13)}));
    return marker;
}

// The commands that the view handles itself; the rest of its menu goes to the document.
bool IsViewCommand(int command) {
    switch (command) {
    case ID_ADD_WATCH:
    case ID_REMOVE_WATCHES:
    case ID_MEMORY_DUMP:
    case ID_REPLACE_REGISTER_SET:
    case ID_SAVE_STATE:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_WINDOW_NEW:
        return true;
    default:
        return false;
    }
}

} // namespace

// The view's boxes are owned by the view; its save dialog gives a name typed without an
// extension the extension of state files.
CSimGraphView::CSimGraphView(std::shared_ptr<CSimGraphDoc> document, std::string& registerSetPrefix,
                             QWidget* parent)
    : QScrollArea(parent), document_(std::move(document)), registerSetPrefix_(registerSetPrefix),
      prompter_(std::make_unique<QtPrompter>(this)),
      form_(std::make_unique<simulator::SimulatorForm>(document_->core(), *prompter_, registerSetPrefix)),
      page_(new QWidget) {
    setObjectName(QStringLiteral("CSimGraphView"));
    controls_ = BuildControls(page_, SimulatorFormTemplate());
    setWidget(page_);
    AddPcMarker();
    BindEdits();
    ConnectEdits();
    form_->setShow([this] { ShowTexts(); });
    form_->setRead([this](FormTexts& texts) { ReadTexts(texts); });
    form_->OnInitialUpdate();
}

// The model leaves the document before the fields it shows go.
CSimGraphView::~CSimGraphView() {
    form_.reset();
}

void CSimGraphView::AddPcMarker() {
    auto* marker = new QLabel(page_);
    marker->setPixmap(PcMarker());
    const QRect row = DialogUnits(page_->font()).rect(15, 95, 0, 0);
    marker->setGeometry(row.x(), row.y(), 13, 14);
}

void CSimGraphView::BindEdits() {
    for (const FieldSize& fields : kFieldSizes)
        for (int id = fields.first; id < fields.first + fields.count; ++id) {
            QLineEdit* edit = control<QLineEdit>(id);
            edit->resize(fields.width, fields.height);
            if (id < IDC_REGISTER) edit->setReadOnly(true);
        }
}

void CSimGraphView::ConnectEdits() {
    connect(control<QPushButton>(IDC_STEP), &QPushButton::clicked, this, [this] { onCommand(IDC_STEP); });
    auto watchEdits = [this](int first, int count) {
        for (int id = first; id < first + count; ++id) {
            QLineEdit* edit = control<QLineEdit>(id);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textChanged, this, [this] { form_->OnEditChange(); });
        }
    };
    watchEdits(IDC_REGISTER, FormTexts::kRegisters);
    watchEdits(IDC_WATCH_VALUE, FormTexts::kWatches);
}

bool CSimGraphView::eventFilter(QObject* watched, QEvent* event) {
    const bool focusIn = event->type() == QEvent::FocusIn;
    if ((focusIn || event->type() == QEvent::FocusOut) && !committing_ && form_) {
        // A menu that opens takes no focus from the field.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            const int id = watched->objectName().toInt();
            focusedField_ = focusIn ? id : 0;
            if (focusIn)
                form_->OnEditSetFocus();
            else
                Commit(id);
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

void CSimGraphView::Commit(int id) {
    committing_ = true;
    if (IsRegister(id))
        form_->OnRegisterKillFocus(id - IDC_REGISTER);
    else if (IsWatchValue(id))
        form_->OnWatchValueKillFocus(id - IDC_WATCH_VALUE);
    committing_ = false;
}

// A command works on the machine, so what is typed into the field that holds the focus goes in
// first, as leaving the field would put it; the field then starts a new edit. The editing
// commands work on the field's text itself.
void CSimGraphView::CommitPendingEdit() {
    if (focusedField_ == 0 || committing_) return;
    Commit(focusedField_);
    form_->OnEditSetFocus();
}

void CSimGraphView::ShowTexts() {
    const FormTexts& texts = form_->texts();
    auto put = [this](int id, const std::string& text) { control<QLineEdit>(id)->setText(Q(text)); };
    for (int i = 0; i < FormTexts::kRegisters; ++i) {
        put(IDC_REGISTER + i, texts.registers[i]);
        put(IDC_REGISTER_LABEL + i, form_->labels()[i]);
    }
    for (int r = 0; r < FormTexts::kRows; ++r) {
        put(IDC_ADDRESS + r, texts.AddressText(r));
        put(IDC_VALUE + r, texts.values[r]);
        put(IDC_COMMAND + r, texts.commands[r]);
    }
    for (int i = 0; i < FormTexts::kWatches; ++i) {
        put(IDC_WATCH_ADDRESS + i, texts.watchAddresses[i]);
        put(IDC_WATCH_VALUE + i, texts.watchValues[i]);
    }
}

// The address column is made from the base address and is not read back.
void CSimGraphView::ReadTexts(FormTexts& texts) const {
    auto take = [this](int id) { return control<QLineEdit>(id)->text().toStdString(); };
    for (int i = 0; i < FormTexts::kRegisters; ++i)
        texts.registers[i] = take(IDC_REGISTER + i);
    for (int r = 0; r < FormTexts::kRows; ++r) {
        texts.values[r] = take(IDC_VALUE + r);
        texts.commands[r] = take(IDC_COMMAND + r);
    }
    for (int i = 0; i < FormTexts::kWatches; ++i) {
        texts.watchAddresses[i] = take(IDC_WATCH_ADDRESS + i);
        texts.watchValues[i] = take(IDC_WATCH_VALUE + i);
    }
}

bool CSimGraphView::onCommand(int command) {
    if (command != ID_EDIT_COPY && command != ID_EDIT_CUT && command != ID_EDIT_PASTE &&
        command != ID_EDIT_UNDO)
        CommitPendingEdit();
    switch (command) {
    case ID_ADD_WATCH:
        form_->OnAddWatch();
        return true;
    case ID_REMOVE_WATCHES:
        form_->OnRemoveWatches();
        return true;
    case ID_MEMORY_DUMP:
        OnMemoryDump();
        return true;
    case ID_REPLACE_REGISTER_SET:
        form_->OnReplaceRegisterSet();
        return true;
    case ID_SAVE_STATE:
        form_->OnSaveState();
        return true;
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
        OnFilePrint();
        return true;
    case ID_FILE_PRINT_PREVIEW:
        OnFilePrintPreview();
        return true;
    case ID_WINDOW_NEW:
        OnWindowNew();
        return true;
    default:
        return document_->OnCommand(command);
    }
}

std::optional<CommandUi> CSimGraphView::commandUi(int command) const {
    if (IsViewCommand(command) || CSimGraphDoc::Handles(command)) return CommandUi{};
    return std::nullopt;
}

void CSimGraphView::OnMemoryDump() {
    const auto range = form_->OnMemoryDump();
    if (!range) return;
    // Listing creates absent words with 0, yet nothing is refreshed afterwards.
    DialogMemDump dialog(document_->core().machine(), this);
    dialog.first = range->first;
    dialog.last = range->last;
    dialog.exec();
}

bool CSimGraphView::OnFilePrint(const QString& pdfPath) {
    const PrintRequest request{this, windowTitle(), QPageLayout::Portrait, pdfPath};
    return PrintPage(request, [this](Canvas& canvas) { form_->OnPrint(canvas); });
}

void CSimGraphView::OnFilePrintPreview() {
    // Acceptance scripts run without anyone to close the preview.
    if (BoxesArePrinted()) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        PaintPage(*target, [this](Canvas& canvas) { form_->OnPrint(canvas); });
    });
    preview.exec();
}

void CSimGraphView::OnWindowNew() {
    if (auto* frame = qobject_cast<MdiMainFrame*>(window()))
        frame->newWindow(new CSimGraphView(document_, registerSetPrefix_));
}

} // namespace vorn::ui
