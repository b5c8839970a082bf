#include "ui/monitor/CvornctrlView.h"

#include "ui/framework/MdiMainFrame.h"
#include "ui/monitor/CWizardDlg.h"
#include "ui/monitor/ListLines.h"
#include "ui/monitor/MonitorResources.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace vorn::ui {

namespace {

using monitor::HardwareMonitor;
using namespace monitor::control;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A command of the menu or the form that goes straight to the engine.
struct EngineCommand {
    int id;
    void (HardwareMonitor::*handler)();
};

constexpr EngineCommand kMenuCommands[] = {
    {ID_MONITOR_REFERENCE_WINDOW, &HardwareMonitor::OnOpenReferenceWindow},
    {ID_MONITOR_STEP, &HardwareMonitor::OnStep},
    {ID_MONITOR_RUN_STEPS, &HardwareMonitor::OnRunSteps},
    {ID_MONITOR_RUN_UNTIL_PC, &HardwareMonitor::OnRunUntilPc},
    {ID_MONITOR_RUN_UNTIL_REG, &HardwareMonitor::OnRunUntilReg},
    {ID_MONITOR_RUN_UNTIL_MEMORY, &HardwareMonitor::OnRunUntilMem},
    {ID_MONITOR_RUN_UNTIL_HALT, &HardwareMonitor::OnRunUntilHalt},
    {ID_MONITOR_ACTIVE_WINDOW, &HardwareMonitor::OnOpenActiveWindow},
    {ID_MONITOR_TEST_IO, &HardwareMonitor::OnTestIo},
    {ID_MONITOR_TEST_FPGA, &HardwareMonitor::OnTestFpga},
    {ID_MONITOR_TEST_BOARD, &HardwareMonitor::OnTestBoard},
    {ID_MONITOR_LABEL_REPORT, &HardwareMonitor::OnSaveLabelReport},
    {ID_MONITOR_DATA_SNAPSHOT, &HardwareMonitor::OnSaveDataSnapshot},
};

constexpr EngineCommand kFormButtons[] = {
    {Step, &HardwareMonitor::OnStep},
    {Reset, &HardwareMonitor::OnResetToggle},
    {RefreshData, &HardwareMonitor::OnRefreshData},
    {ContinuousMode, &HardwareMonitor::OnContinuousMode},
    {SignalWaveforms, &HardwareMonitor::OnSignalWaveforms},
};

struct WizardCommand {
    int id;
    WizardSheet sheet;
};
constexpr WizardCommand kWizardCommands[] = {
    {ID_MONITOR_WIZARD, WizardSheet::Full},
    {ID_MONITOR_LABELS_CONFIG, WizardSheet::LabelsConfig},
    {ID_MONITOR_FPGA_CONFIG, WizardSheet::FpgaConfig},
    {ID_MONITOR_MEMORY_CONFIG, WizardSheet::MemoryConfig},
};

void SetControlText(QWidget* widget, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(text);
}

// The arrow beside the PC row (bitmap 1008), filling its control.
QPixmap ArrowPixmap(QSize size) {
    QPixmap arrow(size);
    arrow.fill(Qt::transparent);
    QPainter painter(&arrow);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const qreal w = size.width(), h = size.height();
    painter.drawRect(QRectF(0, h * 0.35, w * 0.5, h * 0.3));
    painter.drawPolygon(QPolygonF({QPointF(w * 0.45, 0), QPointF(w, h / 2), QPointF(w * 0.45, h)}));
    return arrow;
}

} // namespace

CvornctrlView::CvornctrlView(const isa::Settings& settings, const isa::InstructionSet& instructionSet,
                             std::unique_ptr<board::BoardLink> link, QWidget* parent)
    : QScrollArea(parent), page_(new QWidget), prompter_(this), self_(this) {
    setObjectName(QStringLiteral("CvornctrlView"));
    controls_ = BuildControls(page_, MonitorFormTemplate());
    setWidget(page_);
    SetPanelFonts();
    QLabel* arrow = control<QLabel>(PcArrow);
    arrow->setPixmap(ArrowPixmap(arrow->size()));
    monitor_ = std::make_unique<HardwareMonitor>(
        monitor::MonitorEnvironment{settings, instructionSet, kApplicationTitle.toStdString()},
        std::move(link), monitor::MonitorPorts{prompter_, clock_, processes_, *this, &ownerlessPrompter_});
    ConnectControls();
    ShowForm();
}

// Continuous mode's worker ends and the link goes while the view is still whole.
CvornctrlView::~CvornctrlView() {
    monitor_.reset();
}

// MS Sans Serif is a bitmap face whose smallest size is the form's own: asked for a cell of 8
// pixels it gives that size, so the panel fonts are the form's font in bold.
void CvornctrlView::SetPanelFonts() {
    QFont bold = page_->font();
    bold.setBold(true);
    QFont underlined = bold;
    underlined.setUnderline(true);
    for (int row = 0; row < 4; ++row)
        control<QLabel>(FirstDumpRowAddress + row)->setFont(bold);
    control<QLabel>(Status)->setFont(bold);
    control<QLabel>(DumpAddressHeading)->setFont(underlined);
    control<QLabel>(DumpValuesHeading)->setFont(underlined);
}

void CvornctrlView::ConnectControls() {
    for (const EngineCommand& button : kFormButtons)
        connect(control<QPushButton>(button.id), &QPushButton::clicked, this,
                [this, handler = button.handler] { Do([handler](HardwareMonitor& m) { (m.*handler)(); }); });
    connect(control<QPushButton>(Write), &QPushButton::clicked, this, [this] {
        const std::string value = control<QLineEdit>(WriteEdit)->text().toStdString();
        Do([&value](HardwareMonitor& m) { m.OnWriteLabel(value); });
    });
    connect(control<QPushButton>(UpdateDump), &QPushButton::clicked, this, [this] {
        const std::string start = control<QLineEdit>(DumpEdit)->text().toStdString();
        Do([&start](HardwareMonitor& m) { m.OnUpdateDump(start); });
    });
    connect(control<QListWidget>(SlaveList), &QListWidget::currentRowChanged, this,
            [this](int row) { Do([row](HardwareMonitor& m) { m.OnSlaveListSelChange(row); }); });
    connect(control<QListWidget>(MemoryList), &QListWidget::currentRowChanged, this,
            [this](int row) { Do([row](HardwareMonitor& m) { m.OnMemoryListSelChange(row); }); });
    control<QLineEdit>(WriteEdit)->installEventFilter(this);
    control<QLineEdit>(DumpEdit)->installEventFilter(this);
    // Enter in a field or a list travels up to the form, which presses its default button.
    page_->installEventFilter(this);
}

bool CvornctrlView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && watched == control<QLineEdit>(WriteEdit))
        Do([](HardwareMonitor& m) { m.OnWriteEditFocus(); });
    else if (event->type() == QEvent::FocusIn && watched == control<QLineEdit>(DumpEdit))
        Do([](HardwareMonitor& m) { m.OnDumpEditFocus(); });
    else if (event->type() == QEvent::KeyPress && watched == page_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            PressDefaultButton();
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

void CvornctrlView::showEvent(QShowEvent* event) {
    QScrollArea::showEvent(event);
    if (initialUpdateDone_) return;
    initialUpdateDone_ = true;
    QTimer::singleShot(0, this, [this] { OnInitialUpdate(); });
}

void CvornctrlView::OnInitialUpdate() {
    Do([](HardwareMonitor& m) { m.OnInitialUpdate(); });
    RunWizard(ID_MONITOR_WIZARD);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) frame->showMaximized();
}

void CvornctrlView::RunWizard(int command) {
    for (const WizardCommand& wizard : kWizardCommands)
        if (wizard.id == command) RunWizardSheet(this, *monitor_, wizard.sheet);
    ShowForm();
}

// The engine says which commands may run now (continuous mode keeps most of them off); a
// command it refuses that arrives all the same, by its accelerator, does nothing.
bool CvornctrlView::onCommand(int command) {
    for (const WizardCommand& wizard : kWizardCommands)
        if (wizard.id == command) {
            if (monitor_->CommandAllowed(command)) RunWizard(command);
            return true;
        }
    for (const EngineCommand& menu : kMenuCommands)
        if (menu.id == command) {
            if (monitor_->CommandAllowed(command))
                Do([handler = menu.handler](HardwareMonitor& m) { (m.*handler)(); });
            return true;
        }
    return false;
}

std::optional<CommandUi> CvornctrlView::commandUi(int command) const {
    for (const WizardCommand& wizard : kWizardCommands)
        if (wizard.id == command) return CommandUi{monitor_->CommandAllowed(command)};
    for (const EngineCommand& menu : kMenuCommands)
        if (menu.id == command) return CommandUi{monitor_->CommandAllowed(command)};
    return std::nullopt;
}

// Only what the engine changed since it was last shown is put into a control, so a field the
// user is typing in keeps its text until a command takes it.
void CvornctrlView::ShowForm() {
    const monitor::MonitorForm& form = monitor_->form();
    for (const auto& [id, state] : form.Controls()) {
        QWidget* widget = controls_.find(id);
        if (!widget) continue;
        if (state.text && shownTexts_[id] != *state.text) {
            SetControlText(widget, Q(*state.text));
            shownTexts_[id] = *state.text;
        }
        widget->setVisible(state.visible);
        widget->setEnabled(state.enabled);
    }
    ShowListLines(control<QListWidget>(SlaveList), form.slaveList.lines, form.slaveList.selection);
    ShowListLines(control<QListWidget>(MemoryList), form.memoryList.lines, form.memoryList.selection);
    ShowDefaultButton(form.defaultButton);
}

void CvornctrlView::ShowDefaultButton(int id) {
    if (id == defaultButton_) return;
    if (auto* previous = control<QPushButton>(defaultButton_)) previous->setDefault(false);
    if (auto* button = control<QPushButton>(id)) button->setDefault(true);
    defaultButton_ = id;
}

void CvornctrlView::PressDefaultButton() {
    auto* button = control<QPushButton>(defaultButton_);
    if (button && button->isVisible() && button->isEnabled()) button->click();
}

// A long run shows its status text before it ends; only the repaints are delivered, so no
// other command can start meanwhile.
void CvornctrlView::FormChanged() {
    ShowForm();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

monitor::SignalWindowId CvornctrlView::CreateSignalWindow(const monitor::SignalWindowRequest& request) {
    std::erase_if(signalWindows_, [](const auto& entry) { return entry.second.isGone(); });
    const monitor::SignalWindowId id = nextSignalWindow_++;
    // A view outside a main frame has no area for the window: it is gone at once.
    auto* frame = qobject_cast<MdiMainFrame*>(window());
    if (!frame) return id;
    // The window is shown normally at its own place, over the maximised document windows, which
    // stay so (the area would otherwise hand their maximised state to the window it activates).
    QMdiArea* area = frame->mdiArea();
    const bool keepNormal = area->testOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    auto* graph = new CGraphWnd(Q(request.title), area);
    if (request.hideOpenButton) graph->HideOpenButton();
    if (request.hideSaveButton) graph->HideSaveButton();
    graph->show();
    area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, keepNormal);
    signalWindows_[id] = GraphWndRef(graph);
    return id;
}

bool CvornctrlView::SignalWindowOpen(monitor::SignalWindowId window) {
    const auto found = signalWindows_.find(window);
    return found != signalWindows_.end() && !found->second.isGone();
}

void CvornctrlView::DestroySignalWindow(monitor::SignalWindowId window) {
    if (!SignalWindowOpen(window)) return;
    signalWindows_[window].window()->close();
}

void CvornctrlView::SetSignals(monitor::SignalWindowId window, const monitor::Capture& capture) {
    if (!SignalWindowOpen(window)) return;
    signalWindows_[window].window()->SetSignals(capture.steps, capture.samples, capture.captured);
}

void CvornctrlView::TakeFocus() {
    setFocus();
}

// Called from continuous mode's worker thread: the task runs on the ui thread, and not at all
// once the view is gone.
void CvornctrlView::PostToUi(std::function<void()> task) {
    QMetaObject::invokeMethod(
        this,
        [view = self_, task = std::move(task)] {
            if (!view) return;
            task();
            view->ShowForm();
        },
        Qt::QueuedConnection);
}

} // namespace vorn::ui
