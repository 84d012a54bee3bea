// The program's string resources: the words of the About box's labels.
#pragma once

#include <QString>

namespace dravik::ui {

enum class StringId {
    Name,
    Version,
    Comment,
};

QString LoadResourceString(StringId id);

}  // namespace dravik::ui
