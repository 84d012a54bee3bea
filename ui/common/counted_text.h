// "1 cell", "5 cells": counts in the bulk edits' messages, in plain English
// whatever translations are installed.
#pragma once

#include <QString>

namespace dravik::ui {

inline QString Counted(qsizetype count, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

}  // namespace dravik::ui
