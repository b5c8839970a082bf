#include "isa/CommandsFileDate.h"
#include "ui/app/CVORNb1App.h"
#include "ui/framework/MessageBox.h"
#include "ui/shared/Resources.h"
#include "ui/shared/Workbench.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    using namespace vorn::ui;
    // The date of commands.xml is taken once, before anything else runs.
    TheWorkbench().commandsXmlVersion = vorn::isa::CommandsFileDate("commands.xml");

    QApplication application(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);

    CVORNb1App app;
    if (const std::optional<int> exitCode = app.InitInstance(QApplication::arguments())) return *exitCode;
    // Acceptance scripts that print the boxes end the application once it has started.
    if (BoxesArePrinted()) QTimer::singleShot(0, &application, &QApplication::quit);
    return QApplication::exec();
}
