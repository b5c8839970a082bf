#include "ui/app/CAboutDlg.h"

namespace vorn::ui {

DialogSpec CAboutDlg::Template() {
    return {
        100,
        QStringLiteral("About VORN"),
        265,
        62,
        {{ControlKind::Icon, -1, {}, 11, 17, 20, 20},
         {ControlKind::Static, -1, QStringLiteral("VORN FPGA monitor program Version 4.0"), 40, 10, 160, 8},
         {ControlKind::Static, -1,
          QStringLiteral("Computer architecture laboratory.\nWritten by the VORN developers."), 40, 25, 160,
          24},
         {ControlKind::DefaultButton, IDOK, QStringLiteral("OK"), 208, 7, 50, 14}}};
}

CAboutDlg::CAboutDlg(QWidget* parent) : TemplateDialog(Template(), parent) {}

} // namespace vorn::ui
