#pragma once
// Forms and dialogs built from dialog-template tables: each control is given by its kind,
// id, text, rectangle in dialog units and style, and is found again by its id.

#include <QDialog>
#include <QFont>
#include <QHash>
#include <QString>
#include <QWidget>
#include <vector>

namespace vorn::ui {

enum class ControlKind { Static, Edit, MultiLineEdit, Button, DefaultButton, Radio, GroupBox, ListBox, Icon };

// Style bits that the templates use beyond the kind itself. Only ReadOnly and NoBorder change
// the control; the others keep the tables true to their templates.
enum ControlStyle : unsigned {
    NoStyle = 0,
    ReadOnly = 1u << 0,
    VerticalScroll = 1u << 1,
    NoIntegralHeight = 1u << 2,
    AutoHorizontalScroll = 1u << 3,
    TabStop = 1u << 4,
    NoBorder = 1u << 5,
};

struct ControlSpec {
    ControlKind kind;
    int id;
    QString text;
    int x, y, width, height; // dialog units
    unsigned style = NoStyle;
};

struct DialogSpec {
    int id;
    QString caption;
    int width, height; // dialog units
    std::vector<ControlSpec> controls;
    QString fontFace = QStringLiteral("Liberation Sans");
    int fontPointSize = 8;
};

// Converts dialog units with the metrics of a dialog font: a horizontal unit is a quarter of
// the average width of the letters A-Z and a-z, a vertical unit an eighth of the font's height.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);
    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;

  private:
    int charWidth_;
    int charHeight_;
};

// The controls of one built template, by id.
class ControlMap {
  public:
    void add(int id, QWidget* widget) { controls_.insert(id, widget); }
    QWidget* find(int id) const { return controls_.value(id, nullptr); }
    template <class T> T* control(int id) const { return qobject_cast<T*>(find(id)); }

  private:
    QHash<int, QWidget*> controls_;
};

// Creates the template's controls as children of host, sized in dialog units, and resizes
// host to the template. Returns the controls by id.
ControlMap BuildControls(QWidget* host, const DialogSpec& spec);

// A modal dialog built from a template. Button id 1 (OK) accepts unless a subclass handles it
// itself; id 2 (Cancel) rejects.
class TemplateDialog : public QDialog {
    Q_OBJECT
  public:
    TemplateDialog(const DialogSpec& spec, QWidget* parent = nullptr);
    template <class T> T* control(int id) const { return controls_.control<T>(id); }

  protected:
    virtual void onOk() { accept(); }

  private:
    ControlMap controls_;
};

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

} // namespace vorn::ui
