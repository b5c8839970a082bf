#include "ui/app/CVORNb1App.h"

#include "isa/LoadCommands.h"
#include "ui/app/CAboutDlg.h"
#include "ui/app/CMainFrame.h"
#include "ui/editor/CompilerTemplate.h"
#include "ui/framework/MessageBox.h"
#include "ui/monitor/MonitorTemplate.h"
#include "ui/shared/Resources.h"
#include "ui/shared/Workbench.h"
#include "ui/simulator/SimulatorTemplate.h"

#include <QApplication>

namespace vorn::ui {

namespace {

// A start-up fault: a box with no owner window, an OK button and no icon.
int ShowStartupFault(const Fault& fault) {
    ShowMessageBox({nullptr, QString::fromStdString(fault.text), QString::fromStdString(fault.caption)});
    return fault.exitCode;
}

} // namespace

CVORNb1App::CVORNb1App() = default;
CVORNb1App::~CVORNb1App() = default;

std::optional<int> CVORNb1App::InitInstance(const QStringList& arguments) {
    Workbench& workbench = TheWorkbench();

    auto settings = isa::LoadSettings("settings.xml");
    if (!settings) return ShowStartupFault(settings.fault());
    workbench.settings = settings.value();

    // The framework's profile lives under this key; the program keeps nothing of its own there
    // and no recent-file list.
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));

    mainFrame_ = std::make_unique<CMainFrame>(this);
    mainFrame_->registerTemplate(CompilerTemplate());
    mainFrame_->registerTemplate(SimulatorTemplate());
    mainFrame_->registerTemplate(MonitorTemplate());

    const QString fileToOpen = arguments.size() > 1 ? arguments.at(1) : QString();

    auto commands = isa::LoadCommands("commands.xml");
    if (!commands) return ShowStartupFault(commands.fault());
    workbench.instructionSet = std::move(commands.value());
    workbench.machineStore = std::make_shared<isa::MachineStore>(workbench.instructionSet);

    if (fileToOpen.isEmpty()) {
        mainFrame_->fileNew();
    } else if (!mainFrame_->openFile(fileToOpen)) {
        ShowMessageBox(
            {nullptr, QStringLiteral("Failed to open document."), {}, BoxButtons::Ok, BoxIcon::Warning});
        return 1;
    }
    mainFrame_->show();
    return std::nullopt;
}

bool CVORNb1App::onCommand(int command) {
    switch (command) {
    case ID_APP_ABOUT:
        OnAppAbout();
        return true;
    case ID_COMMANDS_XML_VERSION:
        OnCommandsXmlVersion();
        return true;
    case ID_FILE_NEW:
        mainFrame_->fileNew();
        return true;
    default:
        return false;
    }
}

std::optional<CommandUi> CVORNb1App::commandUi(int command) const {
    switch (command) {
    case ID_APP_ABOUT:
    case ID_COMMANDS_XML_VERSION:
    case ID_FILE_NEW:
        return CommandUi{};
    default:
        return std::nullopt;
    }
}

void CVORNb1App::OnAppAbout() {
    CAboutDlg dialog(mainFrame_.get());
    dialog.exec();
}

void CVORNb1App::OnCommandsXmlVersion() {
    ShowMessageBox({nullptr, QString::fromStdString(TheWorkbench().commandsXmlVersion),
                    QStringLiteral("commands.xml version")});
}

} // namespace vorn::ui
