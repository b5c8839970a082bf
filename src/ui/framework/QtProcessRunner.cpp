#include "ui/framework/QtProcessRunner.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <system_error>

namespace vorn::ui {

namespace {

// QProcess does not hand on the system's error number of a failed start, so it is found again
// from the program: a program that is not there gives "no such file", one that is there but
// cannot be run "permission denied", anything else "exec format error".
int StartErrorNumber(const std::string& program) {
    const QString name = QString::fromStdString(program);
    const QString found = name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
                              ? name
                              : QStandardPaths::findExecutable(name);
    const QFileInfo file(found);
    std::errc error = std::errc::executable_format_error;
    if (found.isEmpty() || !file.exists())
        error = std::errc::no_such_file_or_directory;
    else if (!file.isFile() || !file.isExecutable())
        error = std::errc::permission_denied;
    return std::make_error_code(error).value();
}

} // namespace

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
        outcome.errorCode = StartErrorNumber(program);
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
