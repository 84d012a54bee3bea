// Paths and messages crossing into Qt off Windows: a path is the bytes the
// file system takes, UTF-8 by convention.
#include "ui/common/display_text.h"

#include <QFile>
#include <QStringDecoder>

namespace dravik::ui {

QString NativeText(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }

std::string NativeBytes(const QString& text) { return QFile::encodeName(text).toStdString(); }

QString MessageText(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(QByteArray::fromStdString(bytes));
    if (!utf8.hasError())
        return text;
    return CellText(bytes, CodePage::Default());
}

}  // namespace dravik::ui
