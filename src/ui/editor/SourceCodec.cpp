#include "ui/editor/SourceCodec.h"

#include <QStringDecoder>

namespace vorn::ui {

QString SourceCodec::decode(const QByteArray& bytes) {
    // A byte order mark stays a character of the text, so that it is written back too.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    utf8_ = !utf8.hasError();
    return utf8_ ? text : QString::fromLatin1(bytes);
}

QByteArray SourceCodec::encode(const QString& text) const {
    return utf8_ ? text.toUtf8() : text.toLatin1();
}

QString SourceCodec::toScreen(const std::string& text) const {
    const QByteArray bytes = QByteArray::fromStdString(text);
    return utf8_ ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

} // namespace vorn::ui
