#pragma once
// The "Compiler" document kind: resource 104, whose view is CTextEditor.

#include "ui/framework/DocumentTemplate.h"

namespace vorn::ui {

inline constexpr int IDR_COMPILER = 104;

inline const QString kCompilerDocString = QStringLiteral(
    "Compiler\nCompiler\nCompiler\nCompiler Files (*.txt)\ntxt\nTextEditor.Document\nTextEditor Document");

DocumentTemplate CompilerTemplate();

} // namespace vorn::ui
