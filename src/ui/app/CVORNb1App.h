#pragma once
// The application object: its start-up and the commands it handles in every window.

#include "ui/framework/CommandIds.h"

#include <QStringList>
#include <memory>
#include <optional>

namespace vorn::ui {

class CMainFrame;

class CVORNb1App : public CommandTarget {
  public:
    CVORNb1App();
    ~CVORNb1App() override;

    // Runs the start-up in its order. Nothing when the application is to run; otherwise the
    // exit code the process ends with.
    std::optional<int> InitInstance(const QStringList& arguments);

    CMainFrame* mainFrame() const { return mainFrame_.get(); }
    bool onCommand(int command) override;
    std::optional<CommandUi> commandUi(int command) const override;

    void OnAppAbout();
    void OnCommandsXmlVersion();

  private:
    std::unique_ptr<CMainFrame> mainFrame_;
};

} // namespace vorn::ui
