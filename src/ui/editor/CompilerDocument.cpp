#include "ui/app/DocumentViews.h"
#include "ui/app/Resources.h"

namespace vorn::ui {

DocumentTemplate CompilerTemplate() { return {IDR_COMPILER, kCompilerDocString, {}, EmptyView("CTextEditor")}; }

} // namespace vorn::ui
