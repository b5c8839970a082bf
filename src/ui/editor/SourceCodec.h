#pragma once
// Source files are 8-bit text. A file that is valid UTF-8 is shown as such; any other is read as
// Latin-1, one character per byte. Either is written back in the encoding it was read in, so a
// file that is loaded and saved keeps its bytes.

#include <QByteArray>
#include <QString>
#include <string>

namespace vorn::ui {

class SourceCodec {
  public:
    // The text of a file's bytes; decides the encoding of what is written later.
    QString decode(const QByteArray& bytes);
    QByteArray encode(const QString& text) const;
    // A text of the engine (a source line, an error naming one) for the screen.
    QString toScreen(const std::string& text) const;

  private:
    bool utf8_ = true;
};

} // namespace vorn::ui
