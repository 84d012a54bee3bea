// File > Export table: the working tables into the summary table (one step
// of the history), then the summary table into a tabulated text file, the
// rows it holds on the status bar, and a notice of the cells that would not
// come back as they are when the file is imported.
#pragma once

#include "ui/common/command_host.h"

class QLabel;

namespace dravik::ui {

void ExportTableFile(const CommandHost& host, QLabel* statusPanel);

}  // namespace dravik::ui
