#include "ui/common/string_table.h"

namespace dravik::ui {

QString LoadResourceString(StringId id)
{
    switch (id) {
    case StringId::Name:
        return QStringLiteral("Название");
    case StringId::Version:
        return QStringLiteral("Версия");
    case StringId::Comment:
        return QStringLiteral("Комментарий");
    }
    return {};
}

}  // namespace dravik::ui
