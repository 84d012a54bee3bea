// Everything the main window shows and the desc commands work on: the twelve
// grids, the desc text, the variables text, the current desc file and the
// number of opened files, together with the commands that load desc files
// into the section tables and write them back.
#pragma once

#include "core/code_page.h"
#include "core/grid.h"
#include "core/text_lines.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace dravik {

// Grid numbers: 1 to 9 for sections 1 to 9, 10 for the text section.
inline constexpr int kFileListGrid = 11;
inline constexpr int kSummaryGrid = 12;
inline constexpr int kGridCount = 12;
inline constexpr int kDefaultFontSize = 12;

// Called after each file of a long command: files done, files in all.
using Progress = std::function<void(int done, int total)>;

class Workspace {
public:
    explicit Workspace(const CodePage& codePage = CodePage::Default());
    // The workspace keeps a reference: a temporary code page would dangle.
    explicit Workspace(CodePage&&) = delete;

    const CodePage& codePage() const { return *codePage_; }

    Grid& grid(int number) { return grids_.at(static_cast<size_t>(number - 1)); }
    const Grid& grid(int number) const { return grids_.at(static_cast<size_t>(number - 1)); }
    Grid& fileList() { return grid(kFileListGrid); }
    Grid& summary() { return grid(kSummaryGrid); }

    TextLines descText;        // the desc preview: the current file's lines
    TextLines variablesText;   // the schema
    std::string currentDescFile;
    int descFileCount = 0;
    // Size in points of the chosen font; column widths follow it.
    int fontSize = kDefaultFontSize;

    // The start-up state of the window: column widths for the font, then the
    // headers and row numbers (widths first, so empty headers start one font
    // size wide).
    void startUp();
    void initSectionHeaders();
    void writeFileListHeaders();
    void fitColumnWidths();
    void clearSectionTables();

    // Open desc of the chosen paths, in the order given. Throws DravikError;
    // what was loaded before the error stays loaded.
    void openDesc(const std::vector<std::string>& paths, const Progress& progress = {});
    // Writes the table values back into every opened file. Afterwards the desc
    // text is the current desc file's again.
    void saveAll(const Progress& progress = {});
    // Writes the desc text to the current desc file.
    void saveCurrent();
    // The file list's cell selection: loads the row's file into the desc text
    // when its name and path are set, and makes its path current. On a read
    // error nothing changes.
    void selectFileListRow(int row);

    void loadVariables(const std::string& path);
    void saveVariables(const std::string& path) const;

    // The value text of a key in the desc text (one blank when absent).
    std::string getKeyValue(const std::string& key) const;

private:
    const CodePage* codePage_;
    std::array<Grid, kGridCount> grids_;
};

}  // namespace dravik
