#pragma once
// A print job of one page over QPrinter: the page is drawn through the engine's Canvas, in
// whatever mapping mode the drawing selects, at the printer's own resolution.

#include "Canvas.h"

#include <QPageLayout>
#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace vorn::ui {

using PageDrawer = std::function<void(Canvas& canvas)>;

struct PrintRequest {
    QWidget* parent = nullptr; // owns the print dialog
    QString documentName;      // the job's name in the printer's queue
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    // Set: the page goes into this PDF file without a dialog. Empty: the print dialog asks
    // for the printer first.
    QString pdfPath;
};

// Runs the job; false when the dialog was cancelled or the job could not be started or
// finished.
bool PrintPage(const PrintRequest& request, const PageDrawer& drawPage);

// Draws the page on a printer that is set up already (a preview's printer, for example).
bool PaintPage(QPrinter& printer, const PageDrawer& drawPage);

} // namespace vorn::ui
