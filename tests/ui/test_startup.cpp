// The application started as a process in a temporary working directory, its boxes printed.

#include "TempDir.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <gtest/gtest.h>

using vorn::testing::ReadFile;
using vorn::testing::TempDir;

namespace {

struct ProcessRun {
    int exitCode;
    QString errors;
};

ProcessRun StartIn(const TempDir& dir) {
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VORN_BOXES", "print");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VORN_EXECUTABLE), {});
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

const std::string kLab = VORN_SOURCE_DIR "/lab/";

std::string CommandsWith(const std::string& body,
                         const std::string& steps = "<stepsUntilMsg>5</stepsUntilMsg>") {
    return "<commands>" + body + steps + "</commands>";
}

const std::string kAdd =
    "<command><type>R</type><name>add</name><opcode>000000</opcode><function>100000</function>"
    "<action>MR[RD]:=MR[RS1]+MR[RS2]</action><args>RD,RS1,RS2</args><isbranch>false</isbranch>"
    "</command>";

} // namespace

// Each fault of the start-up files shows one box and ends the process with its code; good files
// reach the New chooser.
TEST(Startup, EachFaultOfTheStartUpFilesShowsOneBoxAndEndsWithItsCode) {
    struct Case {
        std::string settings, commands;
        int exitCode;
        QString box;
    };
    std::string missingArgs = kAdd;
    missingArgs.replace(missingArgs.find("<args>"), 23, "");
    std::string badType = kAdd;
    badType.replace(badType.find("<type>R"), 7, "<type>Q");
    const std::string settings = ReadFile(kLab + "settings.xml");
    const std::vector<Case> cases = {
        {"", "<broken", 0, "BOX Fatal error - settings load | settings.xml file not found. Exiting..."},
        {settings, "<commands>", 1, "BOX XML File Error | "},
        {settings, CommandsWith(missingArgs), 1, "BOX Error | Missing field in command number 1"},
        {settings, CommandsWith(kAdd + kAdd), 1, "BOX Error | Duplicated Command: add"},
        {settings, CommandsWith(badType), 1, "BOX Error | Bad type of command in add"},
        {settings, CommandsWith(kAdd, ""), 1, "BOX No num of steps | Number of steps is missing from xml!"},
        {settings, CommandsWith(kAdd, "<stepsUntilMsg>0</stepsUntilMsg>"), 1,
         "BOX Error | No steps is not enough, give me something"},
        {settings, ReadFile(kLab + "commands.xml"), 0, "NEW Compiler | DLX Simulator | Hardware Monitor"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        if (!c.settings.empty()) dir.write("settings.xml", c.settings);
        dir.write("commands.xml", c.commands);
        const ProcessRun run = StartIn(dir);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.commands;
        const QStringList boxes = run.errors.split('\n').filter(QRegularExpression("^(BOX|NEW) "));
        ASSERT_EQ(boxes.size(), 1) << c.commands << run.errors.toStdString();
        // The XML reader's own message follows its caption.
        EXPECT_TRUE(c.box.endsWith(' ') ? boxes[0].startsWith(c.box) : boxes[0] == c.box)
            << boxes[0].toStdString();
    }
}
