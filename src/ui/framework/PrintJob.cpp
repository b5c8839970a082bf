#include "ui/framework/PrintJob.h"

#include "ui/framework/MessageBox.h"
#include "ui/framework/QtCanvas.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace vorn::ui {

namespace {

// Acceptance scripts run without anyone to answer a dialog: the job is cancelled as a file
// dialog would be.
bool AskForPrinter(QPrinter& printer, QWidget* parent) {
    if (BoxesArePrinted()) return false;
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

bool PrintPage(const PrintRequest& request, const PageDrawer& drawPage) {
    QPrinter printer(QPrinter::HighResolution);
    if (!request.pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(request.pdfPath);
    } else if (!AskForPrinter(printer, request.parent)) {
        return false;
    }
    // The orientation is the document's, whatever the dialog was left at.
    printer.setPageOrientation(request.orientation);
    printer.setDocName(request.documentName);
    return PaintPage(printer, drawPage);
}

bool PaintPage(QPrinter& printer, const PageDrawer& drawPage) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    {
        QtCanvas canvas(painter);
        drawPage(canvas);
    }
    return painter.end();
}

} // namespace vorn::ui
