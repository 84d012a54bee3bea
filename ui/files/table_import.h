// File > Import table with its questions: the unsaved edits it replaces, the
// numbers a spreadsheet wrote otherwise; then what the table could not carry
// as it was, told once it is imported. One step of the history.
#pragma once

#include "ui/common/command_host.h"

#include <QStringList>

#include <functional>

namespace dravik::ui {

// `files` are the open dialog's answer: none when it was cancelled, which
// still imports the summary table's own blocks.
void ImportTableFile(const CommandHost& host, const QStringList& files, const std::function<void()>& fitColumnWidths);

}  // namespace dravik::ui
