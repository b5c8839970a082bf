#include "ui/framework/MdiMainFrame.h"

#include "text/WholeFile.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/NewDocumentChooser.h"
#include "ui/framework/SavableDocument.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>

namespace vorn::ui {

namespace {
// The resource id of the kind of document a child window shows, the document it shows (a
// number of the frame's own) and that document's title.
constexpr const char* kKindProperty = "vornDocumentKind";
constexpr const char* kDocumentProperty = "vornDocument";
constexpr const char* kTitleProperty = "vornDocumentTitle";
// The entries that the Window menu lists the windows with.
constexpr const char* kWindowEntryProperty = "vornWindowEntry";

bool IsWindowCommand(int command) {
    return command == ID_WINDOW_NEW || command == ID_WINDOW_CASCADE || command == ID_WINDOW_TILE_HORZ ||
           command == ID_WINDOW_ARRANGE;
}

QString ChildTitle(const QMdiSubWindow* child) {
    return child->widget() ? child->widget()->windowTitle() : child->windowTitle();
}

SavableDocument* SavableOf(const QMdiSubWindow* child) {
    return dynamic_cast<SavableDocument*>(child->widget());
}

// The items of a menu and of its submenus.
void CollectItems(const QMenu* menu, QList<const QAction*>& items) {
    for (const QAction* action : menu->actions()) {
        if (action->menu())
            CollectItems(action->menu(), items);
        else
            items << action;
    }
}
} // namespace

MdiMainFrame::MdiMainFrame(QString title, MenuBarSpec menu, const std::vector<Accelerator>& accelerators,
                           CommandTarget* application)
    : title_(std::move(title)), frameMenu_(std::move(menu)), application_(application),
      area_(new QMdiArea(this)) {
    setCentralWidget(area_);
    buildStatusBar();
    InstallAccelerators(this, accelerators, [this](int command) { routeCommand(command); });
    for (const Accelerator& accelerator : accelerators)
        acceleratorKeys_.push_back(accelerator.keys);
    // The keys of the MDI client itself: the next window.
    for (const char* keys : {"Ctrl+F6", "Ctrl+Tab"}) {
        auto* next = new QShortcut(QKeySequence(QString::fromLatin1(keys)), this);
        connect(next, &QShortcut::activated, area_, &QMdiArea::activateNextSubWindow);
    }
    // F10 enters the menu bar at its first menu, as Alt alone does.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this, [this] {
        if (!menuBar()->actions().isEmpty()) menuBar()->setActiveAction(menuBar()->actions().front());
    });
    connect(area_, &QMdiArea::subWindowActivated, this, [this] { updateMenuAndTitle(); });
    updateMenuAndTitle();
    resize(1024, 720);
    // The keys that a form's buttons take before the menu bar does reach the focus widget first.
    qApp->installEventFilter(this);
}

// Closing the children while the frame goes away changes the active child; the frame must not
// answer that half destroyed.
MdiMainFrame::~MdiMainFrame() {
    qApp->removeEventFilter(this);
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

bool MdiMainFrame::fileOpen() {
    QStringList filters;
    for (const DocumentTemplate& kind : templates_)
        if (!kind.field(DocumentTemplate::FilterName).isEmpty())
            filters << kind.field(DocumentTemplate::FilterName);
    filters << QStringLiteral("All Files (*.*)");
    const std::optional<QString> path =
        ChooseFile(this, FileDialogMode::Open, filters.join(QLatin1String(";;")));
    return path && openFile(*path);
}

bool MdiMainFrame::openFile(const QString& path) {
    if (templates_.empty() || !text::IsRegularFile(QFile::encodeName(path).toStdString())) return false;
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
    const QString title = path.isEmpty() ? docName + QString::number(number) : QFileInfo(path).fileName();
    return addChild(view, kind.id, ++documentSerial_, title);
}

QMdiSubWindow* MdiMainFrame::newWindow(QWidget* view) {
    const QMdiSubWindow* active = area_->currentSubWindow();
    if (!active || !active->property(kDocumentProperty).isValid()) {
        delete view;
        return nullptr;
    }
    return addChild(view, active->property(kKindProperty).toInt(),
                    active->property(kDocumentProperty).toInt(), active->property(kTitleProperty).toString());
}

QMdiSubWindow* MdiMainFrame::addChild(QWidget* view, int kind, int document, const QString& title) {
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->setWindowTitle(title);
    QMdiSubWindow* child = area_->addSubWindow(view);
    child->setProperty(kKindProperty, kind);
    child->setProperty(kDocumentProperty, document);
    child->setProperty(kTitleProperty, title);
    child->installEventFilter(this);
    updateFrameCounts(document);
    // Every document window opens maximised.
    child->showMaximized();
    updateMenuAndTitle();
    return child;
}

// The windows of a document are numbered in the order they were made while there is more
// than one; a lone window carries the document's title alone.
void MdiMainFrame::updateFrameCounts(int document, const QMdiSubWindow* closing) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* child : area_->subWindowList(QMdiArea::CreationOrder))
        if (child != closing && child->widget() && child->property(kDocumentProperty) == document)
            windows << child;
    for (qsizetype index = 0; index < windows.size(); ++index) {
        const QString title = windows[index]->property(kTitleProperty).toString();
        windows[index]->widget()->setWindowTitle(
            windows.size() == 1 ? title : QStringLiteral("%1:%2").arg(title).arg(index + 1));
    }
    updateTitle();
}

// As in a dialog, the access keys of the active form come before those of the menu bar: Alt and
// a letter presses the visible, enabled button whose caption marks that letter. The menus keep
// every letter that no such button has, and Alt alone still enters the menu bar.
QAbstractButton* MdiMainFrame::formButtonFor(QObject* receiver, const QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return nullptr;
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    const QMdiSubWindow* active = area_->currentSubWindow();
    if (!widget || widget->window() != this || !active || !active->widget()) return nullptr;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier || key->key() > Qt::Key_Z) return nullptr;
    const QKeySequence pressed(QKeyCombination(Qt::AltModifier, Qt::Key(key->key())));
    for (QAbstractButton* button : active->widget()->findChildren<QAbstractButton*>())
        if (button->isVisible() && button->isEnabled() && QKeySequence::mnemonic(button->text()) == pressed)
            return button;
    return nullptr;
}

bool MdiMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // Accepting the override keeps the menu bar's shortcut from taking the key, which then
    // comes as a key press.
    if (QAbstractButton* button = formButtonFor(watched, event)) {
        event->accept();
        if (event->type() == QEvent::KeyPress) button->click();
        return true;
    }
    auto* child = qobject_cast<QMdiSubWindow*>(watched);
    if (child && event->type() == QEvent::Close && !closing_) {
        const QVariant document = child->property(kDocumentProperty);
        bool last = true;
        for (const QMdiSubWindow* other : area_->subWindowList())
            last = last && (other == child || other->property(kDocumentProperty) != document);
        // A document asks before its last window takes its changes away.
        if (SavableDocument* savable = SavableOf(child); savable && last && !savable->SaveModified(child)) {
            event->ignore();
            return true;
        }
        updateFrameCounts(document.toInt(), child);
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MdiMainFrame::saveAllModified() {
    for (QMdiSubWindow* child : area_->subWindowList(QMdiArea::CreationOrder))
        if (SavableDocument* savable = SavableOf(child); savable && !savable->SaveModified(child))
            return false;
    return true;
}

void MdiMainFrame::closeEvent(QCloseEvent* event) {
    if (!saveAllModified()) {
        event->ignore();
        return;
    }
    // The documents have been asked; their windows go without asking again.
    closing_ = true;
    QMainWindow::closeEvent(event);
}

// A maximised child puts its own title into the frame's; the frame names the active window alone.
bool MdiMainFrame::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowTitleChange && windowTitle() != frameTitle()) updateTitle();
    return handled;
}

QString MdiMainFrame::frameTitle() const {
    const QMdiSubWindow* active = area_->currentSubWindow();
    return active ? QStringLiteral("%1 - [%2]").arg(title_, ChildTitle(active)) : title_;
}

void MdiMainFrame::updateTitle() {
    setWindowTitle(frameTitle());
}

QMenu* MdiMainFrame::windowMenu() const {
    for (QAction* top : menuBar()->actions())
        if (QMenu* menu = top->menu())
            for (const QAction* item : menu->actions())
                if (item->data().isValid() && IsWindowCommand(item->data().toInt())) return menu;
    return nullptr;
}

// As the MDI frame of the class library: the open windows below the window commands, numbered
// from 1, the active one checked; choosing one activates it.
void MdiMainFrame::fillWindowList(QMenu* menu) {
    for (QAction* action : menu->actions())
        if (action->property(kWindowEntryProperty).toBool()) {
            menu->removeAction(action);
            delete action;
        }
    const QList<QMdiSubWindow*> children = area_->subWindowList(QMdiArea::CreationOrder);
    if (children.isEmpty()) return;
    menu->addSeparator()->setProperty(kWindowEntryProperty, true);
    int number = 0;
    for (QMdiSubWindow* child : children) {
        QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(ChildTitle(child)));
        entry->setProperty(kWindowEntryProperty, true);
        entry->setCheckable(child == area_->currentSubWindow());
        entry->setChecked(entry->isCheckable());
        connect(entry, &QAction::triggered, area_, [area = area_, window = QPointer<QMdiSubWindow>(child)] {
            if (window) area->setActiveSubWindow(window);
        });
    }
}

// A key that the menu shows beside an item but no accelerator carries still runs the item
// while it is enabled.
void MdiMainFrame::installMenuKeys() {
    for (QShortcut* key : menuKeys_)
        delete key;
    menuKeys_.clear();
    QList<const QAction*> items;
    for (const QAction* top : menuBar()->actions())
        if (top->menu()) CollectItems(top->menu(), items);
    for (const QAction* action : items) {
        const QKeySequence keys = action->shortcut();
        if (keys.isEmpty() || !action->data().isValid() ||
            std::find(acceleratorKeys_.begin(), acceleratorKeys_.end(), keys) != acceleratorKeys_.end())
            continue;
        auto* key = new QShortcut(keys, this);
        const int command = action->data().toInt();
        connect(key, &QShortcut::activated, this, [this, command] {
            if (routeCommandUi(command).enabled) routeCommand(command);
        });
        menuKeys_.push_back(key);
    }
}

// Every window keeps a size that shows its contents, whatever it would ask for itself: each is
// as large as the area less the steps of the windows in front of it, from the back to the
// front, one title bar further right and down each.
void MdiMainFrame::cascade() {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* child : area_->subWindowList(QMdiArea::StackingOrder))
        if (child->isVisible() && !child->isMinimized()) windows << child;
    if (windows.isEmpty()) return;
    const int step =
        qMax(1, area_->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.front()));
    const QSize size = area_->viewport()->size() - QSize(1, 1) * (step * int(windows.size() - 1));
    int offset = 0;
    for (QMdiSubWindow* child : windows) {
        if (child->isMaximized()) child->showNormal();
        child->setGeometry(QRect(QPoint(offset, offset), size.expandedTo(child->minimumSizeHint())));
        offset += step;
    }
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
    if (QMenu* windows = windowMenu())
        connect(windows, &QMenu::aboutToShow, this, [this, windows] { fillWindowList(windows); });
    installMenuKeys();
    updateTitle();
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
    case ID_FILE_OPEN:
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
    case ID_FILE_OPEN:
        fileOpen();
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
        cascade();
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
