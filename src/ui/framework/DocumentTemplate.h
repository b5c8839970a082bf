#pragma once
// Document kinds of the multiple-document framework: each has its resource id, its document
// string (title, document name, name in the New list, filter, extension, type id, type name,
// separated by line breaks), its menu and the view that a new window of the kind shows.

#include "ui/framework/MenuTable.h"

#include <QString>
#include <functional>

class QWidget;

namespace vorn::ui {

struct DocumentTemplate {
    enum Field { WindowTitle, DocName, FileNewName, FilterName, FilterExt, RegFileTypeId, RegFileTypeName };

    int id = 0;
    QString docString;
    MenuBarSpec menu;
    // Builds the view of a new document; the path is empty for a new document. Returns
    // nothing when the document cannot be opened.
    std::function<QWidget*(const QString& path)> createView;

    QString field(Field which) const { return docString.section(QLatin1Char('\n'), which, which); }
};

} // namespace vorn::ui
