#include "ui/monitor/CWizardDlg.h"

#include "monitor/HardwareMonitor.h"
#include "ui/framework/MessageBox.h"
#include "ui/monitor/CPage1.h"
#include "ui/monitor/CPage2.h"
#include "ui/monitor/CPathPage.h"

#include <QBoxLayout>
#include <QDialog>
#include <QFrame>
#include <QPushButton>
#include <QStackedWidget>
#include <vector>

namespace vorn::ui {

namespace {

using monitor::ConfigurationWizard;

WizardHook& Hook() {
    static WizardHook hook;
    return hook;
}

std::vector<CWizardPage*> PagesOf(ConfigurationWizard& wizard, WizardSheet sheet) {
    switch (sheet) {
    case WizardSheet::Full:
        return {new CPage1(wizard), new CPage2(wizard.labels), CPathPage::FpgaPage(wizard),
                CPathPage::MemoryPage(wizard)};
    case WizardSheet::LabelsConfig:
        return {new CPage2(wizard.labels)};
    case WizardSheet::FpgaConfig:
        return {CPathPage::FpgaPage(wizard)};
    case WizardSheet::MemoryConfig:
        return {CPathPage::MemoryPage(wizard)};
    }
    return {};
}

// "Configuration Wizard": a property sheet in wizard mode. The sheet is as large as its
// largest page; Back, Next (or Finish in its place) and Cancel sit below a rule.
class CWizardDlg : public QDialog {
  public:
    CWizardDlg(ConfigurationWizard& wizard, WizardSheet sheet, QWidget* parent)
        : QDialog(parent), pages_(PagesOf(wizard, sheet)), full_(pages_.size() == 4),
          stack_(new QStackedWidget(this)) {
        setWindowTitle(QString::fromLatin1(ConfigurationWizard::kCaption));
        setFont(pages_.front()->font());
        QSize largest;
        for (CWizardPage* page : pages_) {
            stack_->addWidget(page);
            largest = largest.expandedTo(page->minimumSize());
        }
        stack_->setFixedSize(largest);

        back_ = Button(ID_WIZBACK, QStringLiteral("< &Back"), [this] { OnBack(); });
        next_ = Button(ID_WIZNEXT, QStringLiteral("&Next >"), [this] { OnNext(); });
        finish_ = Button(ID_WIZFINISH, QStringLiteral("Finish"), [this] { OnFinish(); });
        QPushButton* cancel = Button(IDCANCEL, QStringLiteral("Cancel"), [this] { reject(); });

        auto* rule = new QFrame(this);
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Sunken);
        const DialogUnits units(font());
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(back_);
        buttons->addWidget(next_);
        buttons->addWidget(finish_);
        buttons->addSpacing(units.x(6));
        buttons->addWidget(cancel);
        auto* layout = new QVBoxLayout(this);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        layout->addWidget(stack_);
        layout->addWidget(rule);
        layout->addLayout(buttons);

        Activate(0);
    }

  private:
    template <class Handler> QPushButton* Button(int id, const QString& text, Handler handler) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::number(id));
        const DialogUnits units(font());
        button->setMinimumSize(units.x(50), units.y(14));
        connect(button, &QPushButton::clicked, this, handler);
        return button;
    }

    int Index() const { return stack_->currentIndex(); }
    CWizardPage* Current() const { return pages_[static_cast<size_t>(Index())]; }

    void Activate(int index) {
        stack_->setCurrentIndex(index);
        Current()->OnSetActive(full_);
        SetButtons(ConfigurationWizard::Buttons(Current()->page(), full_));
    }

    // Finish takes the place of Next, as in a property sheet.
    void SetButtons(const monitor::WizardButtons& buttons) {
        back_->setEnabled(buttons.back);
        next_->setEnabled(buttons.next);
        next_->setVisible(!buttons.finish);
        finish_->setVisible(buttons.finish);
        (buttons.finish ? finish_ : next_)->setDefault(true);
    }

    void OnBack() {
        if (Index() == 0) return;
        Current()->OnKillActive();
        Activate(Index() - 1);
    }
    void OnNext() {
        if (Index() + 1 >= stack_->count()) return;
        Current()->OnKillActive();
        Current()->OnWizardNext();
        Activate(Index() + 1);
    }
    void OnFinish() {
        Current()->OnKillActive();
        Current()->OnWizardFinish();
        accept();
    }

    std::vector<CWizardPage*> pages_;
    // A page knows the full wizard by the sheet's four pages.
    bool full_;
    QStackedWidget* stack_;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* finish_ = nullptr;
};

void EndSheet(monitor::HardwareMonitor& monitor, WizardSheet sheet, bool finished) {
    switch (sheet) {
    case WizardSheet::Full:
        return monitor.OnWizardEnded(finished);
    case WizardSheet::LabelsConfig:
        return monitor.OnLabelsConfigEnded(finished);
    case WizardSheet::FpgaConfig:
        return monitor.OnFpgaConfigEnded(finished);
    case WizardSheet::MemoryConfig:
        return monitor.OnMemoryConfigEnded(finished);
    }
}

} // namespace

void SetWizardHook(WizardHook hook) {
    Hook() = std::move(hook);
}

void RunWizardSheet(QWidget* parent, monitor::HardwareMonitor& monitor, WizardSheet sheet) {
    monitor.wizard().OnShow();
    if (Hook()) return Hook()(monitor, sheet);
    bool finished = false;
    if (!BoxesArePrinted()) {
        CWizardDlg dialog(monitor.wizard(), sheet, parent);
        finished = dialog.exec() == QDialog::Accepted;
    }
    EndSheet(monitor, sheet, finished);
}

} // namespace vorn::ui
