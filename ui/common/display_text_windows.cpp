// Paths and messages crossing into Qt on Windows: a path is in the form of
// core/files/native_path.h, and a message's paths and texts are both in the
// code page.
#include "ui/common/display_text.h"

#include "core/files/native_path.h"

namespace dravik::ui {

QString NativeText(const std::string& bytes)
{
    const std::u16string units = DecodePathUnits(bytes, CodePage::Default());
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

std::string NativeBytes(const QString& text)
{
    return EncodePathUnits(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                               static_cast<size_t>(text.size())),
                           CodePage::Default());
}

QString MessageText(const std::string& bytes) { return CellText(bytes, CodePage::Default()); }

}  // namespace dravik::ui
