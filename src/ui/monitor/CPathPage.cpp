#include "ui/monitor/CPathPage.h"

#include <QLineEdit>
#include <QPushButton>

namespace vorn::ui {

namespace {

constexpr int kPath = 2000;
constexpr int kBrowse = 1008;

DialogSpec PathTemplate(int id, const QString& caption, const QString& prompt, const QString& notice) {
    return {id,
            caption,
            434,
            188,
            {{ControlKind::Static, -1, prompt, 7, 10, 420, 8},
             {ControlKind::Edit, kPath, {}, 7, 24, 358, 14, AutoHorizontalScroll | TabStop},
             {ControlKind::Button, kBrowse, QStringLiteral("&Browse..."), 371, 24, 56, 14, TabStop},
             {ControlKind::Static, -1, notice, 7, 50, 420, 16}}};
}

} // namespace

CPathPage::CPathPage(const DialogSpec& spec, monitor::WizardPage page, monitor::PathPage& model,
                     std::function<bool()> pathEnabled, QWidget* parent)
    : CWizardPage(spec, page, parent), model_(model), pathEnabled_(std::move(pathEnabled)) {
    connect(control<QPushButton>(kBrowse), &QPushButton::clicked, this, [this] { OnBrowse(); });
}

DialogSpec CPathPage::FpgaTemplate() {
    return PathTemplate(
        132, QStringLiteral("FPGA Configuration"),
        QStringLiteral("Please select the .BIT configuration file:"),
        QStringLiteral("NOTICE: You can leave this box empty. If you do so, no new file will be "
                       "uploaded to the FPGA."));
}

DialogSpec CPathPage::MemoryTemplate() {
    return PathTemplate(
        133, QStringLiteral("Memory Configuration"),
        QStringLiteral("Please select the .COD configuration file:"),
        QStringLiteral("NOTICE: You can leave this box empty. If you do so, no new file will be "
                       "uploaded to the RAM."));
}

CPathPage* CPathPage::FpgaPage(monitor::ConfigurationWizard& wizard, QWidget* parent) {
    return new CPathPage(
        FpgaTemplate(), monitor::WizardPage::Fpga, wizard.fpga,
        [&wizard] { return wizard.FpgaPathEnabled(); }, parent);
}

CPathPage* CPathPage::MemoryPage(monitor::ConfigurationWizard& wizard, QWidget* parent) {
    return new CPathPage(
        MemoryTemplate(), monitor::WizardPage::Memory, wizard.memory,
        [&wizard] { return wizard.MemoryPathEnabled(); }, parent);
}

void CPathPage::OnSetActive(bool) {
    const bool enabled = pathEnabled_();
    control<QLineEdit>(kPath)->setEnabled(enabled);
    control<QPushButton>(kBrowse)->setEnabled(enabled);
    control<QLineEdit>(kPath)->setText(QString::fromStdString(model_.path));
}

void CPathPage::OnKillActive() {
    model_.path = control<QLineEdit>(kPath)->text().toStdString();
}

void CPathPage::OnBrowse() {
    model_.OnBrowse(control<QLineEdit>(kPath)->text().toStdString());
    control<QLineEdit>(kPath)->setText(QString::fromStdString(model_.path));
}

} // namespace vorn::ui
