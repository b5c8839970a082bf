#include "ui/framework/MdiMainFrame.h"

#include "ui/framework/NewDocumentChooser.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace vorn::ui {

namespace {
// The resource id of the kind of document a child window shows.
constexpr const char* kKindProperty = "vornDocumentKind";
} // namespace

MdiMainFrame::MdiMainFrame(QString title, MenuBarSpec menu, const std::vector<Accelerator>& accelerators,
                           CommandTarget* application)
    : title_(std::move(title)), frameMenu_(std::move(menu)), application_(application),
      area_(new QMdiArea(this)) {
    setCentralWidget(area_);
    buildStatusBar();
    InstallAccelerators(this, accelerators, [this](int command) { routeCommand(command); });
    connect(area_, &QMdiArea::subWindowActivated, this, [this] { updateMenuAndTitle(); });
    updateMenuAndTitle();
    resize(1024, 720);
}

// Closing the children while the frame goes away changes the active child; the frame must not
// answer that half destroyed.
MdiMainFrame::~MdiMainFrame() {
    disconnect(area_, nullptr, this, nullptr);
}

void MdiMainFrame::buildStatusBar() {
    messagePane_ = new QLabel(QStringLiteral("Ready"));
    statusBar()->addWidget(messagePane_, 1);
    // The spare pane is sized by eighteen blanks; a view may fill it.
    indicatorPane_ = new QLabel;
    indicatorPane_->setMinimumWidth(
        indicatorPane_->fontMetrics().horizontalAdvance(QString(18, QLatin1Char(' '))));
    statusBar()->addPermanentWidget(indicatorPane_);
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(QString::fromLatin1(indicator));
        pane->setEnabled(false);
        statusBar()->addPermanentWidget(pane);
    }
}

void MdiMainFrame::refreshIndicator() {
    QString text;
    if (QMdiSubWindow* active = area_->currentSubWindow())
        if (auto* view = dynamic_cast<const CommandTarget*>(active->widget()))
            if (const std::optional<CommandUi> state = view->commandUi(ID_INDICATOR_SPARE);
                state && state->enabled)
                text = QString::fromStdString(state->text);
    indicatorPane_->setText(text);
}

QString MdiMainFrame::indicatorText() const {
    return indicatorPane_->text();
}

QString MdiMainFrame::message() const {
    return messagePane_->text();
}

void MdiMainFrame::registerTemplate(DocumentTemplate kind) {
    templates_.push_back(std::move(kind));
}

bool MdiMainFrame::fileNew() {
    if (templates_.empty()) return false;
    int chosen = 0;
    if (templates_.size() > 1) {
        QStringList names;
        for (const DocumentTemplate& kind : templates_)
            names << kind.field(DocumentTemplate::FileNewName);
        const std::optional<int> choice = ChooseNewDocumentKind(this, names);
        if (!choice) return false;
        chosen = *choice;
    }
    return newDocument(templates_[static_cast<size_t>(chosen)]) != nullptr;
}

bool MdiMainFrame::openFile(const QString& path) {
    if (templates_.empty() || !QFileInfo(path).isFile()) return false;
    const QString extension = QFileInfo(path).suffix();
    const DocumentTemplate* chosen = &templates_.front();
    for (const DocumentTemplate& kind : templates_)
        if (!extension.isEmpty() &&
            kind.field(DocumentTemplate::FilterExt).compare(extension, Qt::CaseInsensitive) == 0)
            chosen = &kind;
    return newDocument(*chosen, path) != nullptr;
}

QMdiSubWindow* MdiMainFrame::newDocument(const DocumentTemplate& kind, const QString& path) {
    QWidget* view = kind.createView ? kind.createView(path) : new QWidget;
    if (!view) return nullptr;
    const int number = ++documentCounts_[kind.id];
    const QString docName = kind.field(DocumentTemplate::DocName);
    view->setWindowTitle(path.isEmpty() ? docName + QString::number(number) : QFileInfo(path).fileName());
    view->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* child = area_->addSubWindow(view);
    child->setProperty(kKindProperty, kind.id);
    // Every document window opens maximised.
    child->showMaximized();
    updateMenuAndTitle();
    return child;
}

void MdiMainFrame::updateMenuAndTitle() {
    QMdiSubWindow* active = area_->currentSubWindow();
    const MenuBarSpec* menu = &frameMenu_;
    if (active) {
        for (const DocumentTemplate& kind : templates_)
            if (kind.id == active->property(kKindProperty).toInt() && !kind.menu.empty()) menu = &kind.menu;
    }
    BuildMenuBar(menuBar(), *menu, [this](int command) { routeCommand(command); });
    refreshIndicator();
    for (QMenu* child : menuBar()->findChildren<QMenu*>())
        connect(child, &QMenu::aboutToShow, this, [this, child] { updateMenuStates(child); });
    setWindowTitle(active && active->widget() ? title_ + QStringLiteral(" - [") +
                                                    active->widget()->windowTitle() + QStringLiteral("]")
                                              : title_);
}

void MdiMainFrame::routeCommand(int command) {
    if (QMdiSubWindow* active = area_->currentSubWindow())
        if (auto* view = dynamic_cast<CommandTarget*>(active->widget()); view && view->onCommand(command))
            return;
    if (onCommand(command)) return;
    if (application_) application_->onCommand(command);
}

void MdiMainFrame::updateMenuStates(QMenu* menu) const {
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || action->menu() || !action->data().isValid()) continue;
        const CommandUi state = routeCommandUi(action->data().toInt());
        action->setEnabled(state.enabled);
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
    }
}

CommandUi MdiMainFrame::routeCommandUi(int command) const {
    if (QMdiSubWindow* active = area_->currentSubWindow())
        if (auto* view = dynamic_cast<const CommandTarget*>(active->widget()))
            if (const std::optional<CommandUi> state = view->commandUi(command)) return *state;
    if (const std::optional<CommandUi> state = commandUi(command)) return *state;
    if (application_)
        if (const std::optional<CommandUi> state = application_->commandUi(command)) return *state;
    return {false, false};
}

std::optional<CommandUi> MdiMainFrame::commandUi(int command) const {
    QWidget* focus = QApplication::focusWidget();
    const bool editing = qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus);
    switch (command) {
    case ID_FILE_NEW:
    case ID_APP_EXIT:
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        return CommandUi{};
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE_HORZ:
    case ID_WINDOW_ARRANGE:
        return CommandUi{!area_->subWindowList().isEmpty()};
    case ID_FILE_CLOSE:
        return CommandUi{area_->currentSubWindow() != nullptr};
    case ID_VIEW_STATUS_BAR:
        return CommandUi{true, statusBar()->isVisible()};
    case ID_VIEW_TOOLBAR:
        return CommandUi{false}; // the main frame has no toolbar
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
    case ID_EDIT_PASTE:
    case ID_EDIT_UNDO:
        return editing ? std::optional<CommandUi>(CommandUi{}) : std::nullopt;
    default:
        return std::nullopt;
    }
}

bool MdiMainFrame::onCommand(int command) {
    QWidget* focus = QApplication::focusWidget();
    auto edit = [focus](auto lineAction, auto textAction) {
        if (auto* line = qobject_cast<QLineEdit*>(focus)) {
            (line->*lineAction)();
            return true;
        }
        if (auto* text = qobject_cast<QPlainTextEdit*>(focus)) {
            (text->*textAction)();
            return true;
        }
        return false;
    };
    switch (command) {
    case ID_FILE_NEW:
        fileNew();
        return true;
    case ID_FILE_CLOSE:
        if (QMdiSubWindow* active = area_->currentSubWindow()) active->close();
        return true;
    case ID_APP_EXIT:
        close();
        return true;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(!statusBar()->isVisible());
        return true;
    case ID_VIEW_TOOLBAR:
        return true; // the main frame has no toolbar
    case ID_WINDOW_CASCADE:
        area_->cascadeSubWindows();
        return true;
    case ID_WINDOW_TILE_HORZ:
    case ID_WINDOW_ARRANGE:
        area_->tileSubWindows();
        return true;
    case ID_NEXT_PANE:
        area_->activateNextSubWindow();
        return true;
    case ID_PREV_PANE:
        area_->activatePreviousSubWindow();
        return true;
    case ID_EDIT_COPY:
        return edit(&QLineEdit::copy, &QPlainTextEdit::copy);
    case ID_EDIT_CUT:
        return edit(&QLineEdit::cut, &QPlainTextEdit::cut);
    case ID_EDIT_PASTE:
        return edit(&QLineEdit::paste, &QPlainTextEdit::paste);
    case ID_EDIT_UNDO:
        return edit(&QLineEdit::undo, &QPlainTextEdit::undo);
    default:
        return false;
    }
}

} // namespace vorn::ui
