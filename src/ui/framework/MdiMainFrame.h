#pragma once
// The multiple-document main frame: document windows are maximised children of its MDI
// area; its menu follows the kind of the active document; commands go to the active view,
// then to the frame, then to the application.

#include "ui/framework/CommandIds.h"
#include "ui/framework/DocumentTemplate.h"
#include "ui/framework/MenuTable.h"

#include <QMainWindow>
#include <QMap>
#include <vector>

class QAbstractButton;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QShortcut;

namespace vorn::ui {

class MdiMainFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT
  public:
    MdiMainFrame(QString title, MenuBarSpec menu, const std::vector<Accelerator>& accelerators,
                 CommandTarget* application);
    ~MdiMainFrame() override;

    void registerTemplate(DocumentTemplate kind);
    const std::vector<DocumentTemplate>& templates() const { return templates_; }

    // The framework's New: asks for the kind when there is more than one. False when the
    // user cancelled or the document could not be made.
    bool fileNew();
    // The framework's Open: a file chosen with the filters of the kinds and all files.
    bool fileOpen();
    // Opens a file in the kind whose extension it carries (the first kind otherwise).
    bool openFile(const QString& path);
    // A new document of one kind, in a maximised child window.
    QMdiSubWindow* newDocument(const DocumentTemplate& kind, const QString& path = {});
    // New Window: one more window on the document of the active window, showing view. While a
    // document has several windows, each title carries its number ("DLX Simulator1:2").
    QMdiSubWindow* newWindow(QWidget* view);

    // The menu that lists the open windows (the one holding the window commands), if any.
    QMenu* windowMenu() const;

    QMdiArea* mdiArea() const { return area_; }
    // Sends a command along the route: active view, frame, application.
    void routeCommand(int command);
    // The state of a command along the same route; disabled when nobody handles it.
    CommandUi routeCommandUi(int command) const;
    bool onCommand(int command) override;
    std::optional<CommandUi> commandUi(int command) const override;

    // Asks the active view for the text of the spare status-bar pane; empty when it has none.
    void refreshIndicator();
    QString indicatorText() const;

    // The text of the status bar's message pane.
    QString message() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QMdiSubWindow* addChild(QWidget* view, int kind, int document, const QString& title);
    void updateFrameCounts(int document, const QMdiSubWindow* closing = nullptr);
    void updateMenuAndTitle();
    void updateTitle();
    QString frameTitle() const;
    void updateMenuStates(QMenu* menu) const;
    void fillWindowList(QMenu* menu);
    void cascade();
    void installMenuKeys();
    QAbstractButton* formButtonFor(QObject* receiver, const QEvent* event) const;
    void buildStatusBar();
    bool saveAllModified();

    QString title_;
    MenuBarSpec frameMenu_;
    CommandTarget* application_;
    QMdiArea* area_;
    QLabel* messagePane_ = nullptr;
    QLabel* indicatorPane_ = nullptr;
    std::vector<DocumentTemplate> templates_;
    QMap<int, int> documentCounts_;
    int documentSerial_ = 0;
    std::vector<QKeySequence> acceleratorKeys_;
    std::vector<QShortcut*> menuKeys_;
    bool closing_ = false;
};

} // namespace vorn::ui
