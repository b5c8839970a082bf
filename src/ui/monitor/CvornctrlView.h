#pragma once
// The Hardware Monitor's form view (form 101): the label lists, the register, disassembly and
// memory dump panels and the run buttons, over the monitor engine that owns the board link.
// The view shows the engine's form after every call and turns the events of its controls and
// of menu 129 into the engine's commands; it is also the engine's window host: the signal
// windows in the main frame's MDI area, the keyboard focus, and the road from continuous
// mode's worker thread back to the ui thread.

#include "Clock.h"
#include "monitor/HardwareMonitor.h"
#include "ui/dialogs/QtPrompter.h"
#include "ui/framework/CommandIds.h"
#include "ui/framework/DialogTemplate.h"
#include "ui/framework/QtProcessRunner.h"
#include "ui/waveform/CGraphWnd.h"

#include <QPointer>
#include <QScrollArea>
#include <map>
#include <memory>
#include <string>

namespace vorn::ui {

class CvornctrlView : public QScrollArea, public CommandTarget, private monitor::MonitorHost {
    Q_OBJECT
  public:
    // The settings and the instruction set outlive the view.
    CvornctrlView(const isa::Settings& settings, const isa::InstructionSet& instructionSet,
                  std::unique_ptr<board::BoardLink> link, QWidget* parent = nullptr);
    ~CvornctrlView() override;

    template <class T> T* control(int id) const { return controls_.control<T>(id); }
    monitor::HardwareMonitor& monitor() { return *monitor_; }

    bool onCommand(int command) override;
    std::optional<CommandUi> commandUi(int command) const override;

  protected:
    // The first showing runs the initial update (and with it the configuration wizard) once the
    // window stands in its frame.
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnInitialUpdate();
    void RunWizard(int command);
    void ConnectControls();
    void SetPanelFonts();
    // Runs a command of the engine, then shows its form. Nothing once the engine is gone: the
    // controls may still send their events while the view is taken down.
    template <class Command> void Do(Command command) {
        if (!monitor_) return;
        command(*monitor_);
        ShowForm();
    }
    void ShowForm();
    void ShowDefaultButton(int id);
    void PressDefaultButton();

    // monitor::MonitorHost
    void FormChanged() override;
    monitor::SignalWindowId CreateSignalWindow(const monitor::SignalWindowRequest& request) override;
    bool SignalWindowOpen(monitor::SignalWindowId window) override;
    void DestroySignalWindow(monitor::SignalWindowId window) override;
    void SetSignals(monitor::SignalWindowId window, const monitor::Capture& capture) override;
    void TakeFocus() override;
    void PostToUi(std::function<void()> task) override;

    QWidget* page_;
    ControlMap controls_;
    QtPrompter prompter_;
    QtPrompter ownerlessPrompter_;
    SteadyClock clock_;
    QtProcessRunner processes_;
    std::unique_ptr<monitor::HardwareMonitor> monitor_;
    // The signal windows the engine made, by its id; a window the user closed is gone here.
    std::map<monitor::SignalWindowId, GraphWndRef> signalWindows_;
    // The texts last put into the controls, by id.
    std::map<int, std::string> shownTexts_;
    monitor::SignalWindowId nextSignalWindow_ = 0;
    // Tasks posted from the worker thread check it on the ui thread.
    QPointer<CvornctrlView> self_;
    bool initialUpdateDone_ = false;
    int defaultButton_ = 0;
};

} // namespace vorn::ui
