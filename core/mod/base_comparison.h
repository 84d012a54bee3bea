// The base game beside the open mod: for each opened file, the file at the
// same path below the base folder, read with the tables' schema as Open desc
// reads the mod's files, and for each value cell the base file's value. The
// base folder is only ever read.
//
// What differs follows every change of the tables: per file, whether any
// value differs from its base file's, and how many files do.
#pragma once

#include "core/document/desc_document.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

class BaseComparison : private DocumentListener {
public:
    // Reads the counterparts in `folder` of the document's open files.
    // Throws DravikError when a base file cannot be read or when the tables
    // are not laid out as the variables text says.
    BaseComparison(DescDocument& mod, std::string folder, const Progress& progress = {});
    ~BaseComparison() override;
    BaseComparison(const BaseComparison&) = delete;
    BaseComparison& operator=(const BaseComparison&) = delete;

    const std::string& folder() const { return folder_; }
    // The open files the comparison was made for, by row less one.
    const std::vector<std::string>& comparedFiles() const { return comparedFiles_; }
    // The variables text the comparison was made with.
    const TextLines& variablesText() const { return variables_; }
    // Folders below the base folder that could not be read; empty when none.
    const Message& unreadableMessage() const { return unreadable_; }

    bool hasBase(int row) const { return baseRow(row) > 0; }
    // The base file of an open file; empty when there is none.
    std::string basePath(int row) const;

    enum class Cell {
        NotCompared,  // no base file, or no key's column
        Same,
        Differs,      // another value, or the key line or the value is in only one of the two files
    };
    Cell compare(GridNumber grid, int col, int row) const;
    bool differs(GridNumber grid, int col, int row) const { return compare(grid, col, row) == Cell::Differs; }
    // The base file's value of a compared cell (its blanks when the base file
    // lacks the key line); null for a cell not compared.
    std::optional<std::string_view> baseValue(GridNumber grid, int col, int row) const;
    // Whether the base file has the line of the cell's key.
    bool baseHasKeyLine(GridNumber grid, int col, int row) const;
    // Whether the base file's line holds the cell's value (it may hold fewer
    // values than the key's count).
    bool baseHasValue(GridNumber grid, int col, int row) const;

    // A file with a base file and a value that differs from it.
    bool rowDiffers(int row) const;
    int differingFiles() const { return differingFiles_; }
    int newFiles() const { return newFiles_; }

private:
    int baseRow(int row) const;
    bool compared(GridNumber grid, int col) const;
    void recount(GridNumber grid, int firstRow, int lastRow);
    void cellsChanged(GridNumber grid, int firstCol, int firstRow, int lastCol, int lastRow) override;

    DescDocument& mod_;
    std::string folder_;
    std::vector<std::string> comparedFiles_;
    TextLines variables_;
    Message unreadable_;
    // The base files, loaded as Open desc loads files; never saved.
    std::unique_ptr<DescDocument> base_;
    std::vector<int> baseRows_;  // by open row; 0 for none
    // Per section table, which columns belong to a key and hold values.
    std::array<std::vector<bool>, kSectionCount> comparedColumns_;
    // Per section table and open row, its cells that differ.
    std::array<std::vector<int>, kSectionCount> differingCells_;
    std::vector<int> rowTotals_;
    int differingFiles_ = 0;
    int newFiles_ = 0;
    DocumentConnection connection_;
};

}  // namespace dravik
