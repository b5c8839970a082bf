#pragma once
// The DLX Simulator's form view (form 106): the Commands window, the registers and the memory
// watches as fields found by id. It only shows what the engine's form model holds and hands
// every event to it: a refresh puts the model's texts into the fields, leaving an edited
// register or watch field commits it, and the commands go to the model or the document.

#include "simulator/SimulatorForm.h"
#include "ui/framework/CommandIds.h"
#include "ui/framework/DialogTemplate.h"
#include "ui/simulator/CSimGraphDoc.h"

#include <QScrollArea>
#include <memory>
#include <string>

namespace vorn::ui {

class CSimGraphView : public QScrollArea, public CommandTarget {
    Q_OBJECT
  public:
    // registerSetPrefix is the process-wide prefix of the register labels.
    CSimGraphView(std::shared_ptr<CSimGraphDoc> document, std::string& registerSetPrefix,
                  QWidget* parent = nullptr);
    ~CSimGraphView() override;

    template <class T> T* control(int id) const { return controls_.control<T>(id); }
    // The form itself, inside the scrolling frame.
    QWidget* page() const { return page_; }
    simulator::SimulatorForm& form() { return *form_; }
    const std::shared_ptr<CSimGraphDoc>& document() const { return document_; }

    bool onCommand(int command) override;
    std::optional<CommandUi> commandUi(int command) const override;

    // Prints the one page: into a PDF file when a path is given, otherwise on the printer that
    // the print dialog chooses.
    bool OnFilePrint(const QString& pdfPath = {});
    void OnFilePrintPreview();
    void OnMemoryDump();
    // Another window on the same document.
    void OnWindowNew();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BindEdits();
    void ConnectEdits();
    void ShowTexts();
    void ReadTexts(simulator::FormTexts& texts) const;
    void AddPcMarker();
    void Commit(int id);
    void CommitPendingEdit();

    std::shared_ptr<CSimGraphDoc> document_;
    std::string& registerSetPrefix_;
    std::unique_ptr<Prompter> prompter_;
    std::unique_ptr<simulator::SimulatorForm> form_;
    QWidget* page_;
    ControlMap controls_;
    // A commit may show a box, which moves the focus; those moves are not the user's.
    bool committing_ = false;
    // The register or watch value field that holds the focus, 0 for none; an open menu takes
    // no focus from it.
    int focusedField_ = 0;
};

} // namespace vorn::ui
