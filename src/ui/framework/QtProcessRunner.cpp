#include "ui/framework/QtProcessRunner.h"

#include <QProcess>
#include <QStringList>

namespace vorn::ui {

ProcessOutcome QtProcessRunner::Run(const std::string& program, const std::vector<std::string>& arguments,
                                    int waitMs) {
    QStringList qtArguments;
    for (const std::string& argument : arguments)
        qtArguments << QString::fromStdString(argument);
    // A QProcess kills its tool when it is destroyed, so the object lives as long as the tool.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start(QString::fromStdString(program), qtArguments);
    if (!process->waitForStarted(waitMs)) {
        ProcessOutcome outcome{ProcessOutcome::State::StartFailed};
        outcome.errorCode = static_cast<int>(process->error());
        outcome.errorText = process->errorString().toStdString();
        delete process;
        return outcome;
    }
    if (!process->waitForFinished(waitMs)) return {ProcessOutcome::State::StillRunning};
    ProcessOutcome outcome{process->exitStatus() == QProcess::NormalExit
                               ? ProcessOutcome::State::Exited
                               : ProcessOutcome::State::ExitCodeUnreadable};
    outcome.exitCode = process->exitCode();
    return outcome;
}

} // namespace vorn::ui
