#include "core/workspace.h"

#include "core/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/key_lookup.h"
#include "core/schema.h"

#include <algorithm>
#include <exception>
#include <unordered_map>

namespace dravik {

namespace {

constexpr int kSectionColumns = 11;
constexpr int kTextSectionColumns = 3;
constexpr int kDesignedRows = 50;
constexpr int kFileListColumnWidth = 100;

std::array<Grid, kGridCount> DesignedGrids()
{
    std::array<Grid, kGridCount> grids;
    for (int n = 1; n <= 9; ++n)
        grids[n - 1] = Grid(kSectionColumns, kDesignedRows);
    grids[10 - 1] = Grid(kTextSectionColumns, kDesignedRows);
    grids[kFileListGrid - 1] = Grid(3, kDesignedRows, kFileListColumnWidth);
    grids[kSummaryGrid - 1] = Grid(5, 5);
    return grids;
}

// Word j of a value text for the blank delimiter, as GetWord gives it: words
// are split once per value instead of once per column.
class ValueWords {
public:
    explicit ValueWords(std::string_view value)
    {
        std::string_view text = Trim(value);
        size_t i = 0;
        while (i < text.size()) {
            while (i < text.size() && text[i] == ' ')
                ++i;
            size_t start = i;
            while (i < text.size() && text[i] != ' ')
                ++i;
            if (i > start)
                words_.push_back(text.substr(start, i - start));
        }
    }
    std::string word(int j) const
    {
        if (words_.empty())
            return " ";
        return std::string(words_[std::min(static_cast<size_t>(j), words_.size() - 1)]);
    }

private:
    std::vector<std::string_view> words_;
};

std::array<SectionSchema, kSectionCount> ReadSchema(const TextLines& variables, const CodePage& codePage)
{
    std::array<SectionSchema, kSectionCount> schema;
    for (int i = 1; i <= kSectionCount; ++i)
        schema[i - 1] = ReadSectionSchema(variables, i, codePage);
    return schema;
}

size_t LongestName(const std::array<SectionSchema, kSectionCount>& schema)
{
    size_t longest = 0;
    for (const auto& section : schema)
        for (const auto& entry : section.entries)
            longest = std::max(longest, entry.name.size());
    return longest;
}

// The folded names of every entry, section by section, for the index.
std::array<std::vector<std::string>, kSectionCount> FoldedNames(const std::array<SectionSchema, kSectionCount>& schema,
                                                                 const CodePage& codePage)
{
    std::array<std::vector<std::string>, kSectionCount> folded;
    for (int i = 0; i < kSectionCount; ++i)
        for (const auto& entry : schema[static_cast<size_t>(i)].entries)
            folded[static_cast<size_t>(i)].push_back(codePage.lowered(entry.name));
    return folded;
}

FirstBytes FirstBytesOf(const std::array<std::vector<std::string>, kSectionCount>& folded)
{
    FirstBytes bytes{};
    for (const auto& section : folded)
        for (const auto& name : section)
            if (!name.empty())
                bytes[static_cast<unsigned char>(name[0])] = true;
    return bytes;
}

// Whether some other name is longer and starts with this one. Only then can
// rewriting this name's line change which line another name finds: a
// rewritten line keeps its first characters, which are the name itself.
std::array<std::vector<bool>, kSectionCount> HasLongerName(const std::array<std::vector<std::string>, kSectionCount>& folded)
{
    std::vector<std::string> all;
    for (const auto& section : folded)
        all.insert(all.end(), section.begin(), section.end());
    std::sort(all.begin(), all.end());
    std::array<std::vector<bool>, kSectionCount> result;
    for (int i = 0; i < kSectionCount; ++i) {
        for (const auto& name : folded[static_cast<size_t>(i)]) {
            auto after = std::upper_bound(all.begin(), all.end(), name);
            result[static_cast<size_t>(i)].push_back(after != all.end() && after->compare(0, name.size(), name) == 0);
        }
    }
    return result;
}

// Columns an entry takes: a negative count gets none, like a zero.
int ColumnsOf(const SectionEntry& entry) { return std::max(entry.count, 0); }

}  // namespace

Workspace::Workspace(const CodePage& codePage) : codePage_(&codePage), grids_(DesignedGrids()) {}

void Workspace::startUp()
{
    fitColumnWidths();
    initSectionHeaders();
    writeFileListHeaders();
}

void Workspace::initSectionHeaders()
{
    for (int n = 1; n <= kSectionCount; ++n) {
        Grid& table = grid(n);
        table.setColWidth(1, 18 * fontSize);
        table.setCell(1, 0, "File name");
        for (int r = 1; r < table.rowCount(); ++r)
            table.setCell(0, r, std::to_string(r));
    }
}

void Workspace::writeFileListHeaders()
{
    fileList().setCell(0, 0, "File number");
    fileList().setCell(1, 0, "File name");
    fileList().setCell(2, 0, "Path");
}

void Workspace::fitColumnWidths()
{
    for (int n = 1; n <= kFileListGrid; ++n) {
        Grid& g = grid(n);
        g.setDefaultRowHeight(2 * fontSize);
        for (int c = 1; c < g.colCount(); ++c)
            g.setColWidth(c, (static_cast<int>(g.cell(c, 0).size()) + 1) * fontSize);
    }
}

void Workspace::clearSectionTables()
{
    for (int n = 1; n <= kSectionCount; ++n)
        grid(n).clearCells(1, 1);
}

void Workspace::openDesc(const std::vector<std::string>& paths, const Progress& progress)
{
    if (paths.empty())
        return;
    const int count = static_cast<int>(paths.size());
    const auto schema = ReadSchema(variablesText, codePage());
    const size_t longestKey = LongestName(schema);
    const auto folded = FoldedNames(schema, codePage());
    const FirstBytes firstBytes = FirstBytesOf(folded);

    descFileCount = count;
    clearSectionTables();
    fileList().setRowCount(count + 1);

    // Column widths follow the headers; they are fitted once at the end, and
    // before an error leaves a section half filled, so they come out as if
    // fitted after every finished section.
    bool sectionFinished = false;
    auto fitIfSectionFinished = [&] {
        if (sectionFinished)
            fitColumnWidths();
    };

    for (int r = 1; r <= count; ++r) {
        const std::string& path = paths[static_cast<size_t>(r - 1)];
        fileList().setCell(2, r, path);
        fileList().setCell(0, r, std::to_string(r));
        fileList().setCell(1, r, NameOfFile(path));

        std::string bytes;
        try {
            bytes = ReadFileOrThrow(path);
        } catch (const DravikError&) {
            fitIfSectionFinished();
            throw;
        }
        SplitLinesInto(bytes, descText);
        currentDescFile = path;
        const KeyLineIndex keys(descText.lines, longestKey, codePage(), &firstBytes);

        for (int i = 1; i <= kSectionCount; ++i) {
            Grid& table = grid(i);
            const SectionSchema& section = schema[static_cast<size_t>(i - 1)];
            table.setCell(0, r, std::to_string(r));
            table.setCell(1, r, path);

            const bool failsHere = !section.error.empty();
            if (r == 1) {
                table.setRowCount(count + 1);
                if (failsHere)
                    fitIfSectionFinished();
                if (!section.entries.empty()) {
                    int total = 2;
                    for (const auto& entry : section.entries)
                        total += ColumnsOf(entry);
                    table.setColCount(total);
                    int col = 2;
                    for (const auto& entry : section.entries)
                        for (int j = 0; j < ColumnsOf(entry); ++j)
                            table.setCell(col++, 0, entry.name);
                }
            }

            int col = 2;
            for (size_t k = 0; k < section.entries.size(); ++k) {
                const SectionEntry& entry = section.entries[k];
                const int columns = ColumnsOf(entry);
                if (columns == 0)
                    continue;
                const long keyLine = keys.findFolded(folded[static_cast<size_t>(i - 1)][k]);
                const std::string value = keyLine == kNoLine
                                              ? std::string(" ")
                                              : ValueAfterKey(descText.lines[static_cast<size_t>(keyLine)], entry.name.size());
                if (i == kSectionCount) {
                    for (int j = 0; j < columns; ++j)
                        table.setCell(col++, r, value);
                } else {
                    const ValueWords words(value);
                    for (int j = 0; j < columns; ++j)
                        table.setCell(col++, r, words.word(j));
                }
            }
            if (failsHere)
                throw DravikError(section.error);
            sectionFinished = true;
        }
        if (progress)
            progress(r, count);
    }
    fitColumnWidths();
}

void Workspace::saveAll(const Progress& progress)
{
    if (descFileCount <= 0)
        return;
    const auto schema = ReadSchema(variablesText, codePage());
    const size_t longestKey = LongestName(schema);
    const auto folded = FoldedNames(schema, codePage());
    const auto hasLongerName = HasLongerName(folded);
    const FirstBytes firstBytes = FirstBytesOf(folded);

    // An entry's values start at the first column whose trimmed header equals
    // its trimmed name, wherever that column now stands in the header row.
    // A header equal to the name as written is taken first: names that differ
    // only in blanks or control characters at their ends ("hp" and "hp ")
    // would otherwise all take the first one's columns and overwrite the
    // others' values on a save without any edit.
    std::array<std::unordered_map<std::string, int>, kSectionCount> firstColumn;
    std::array<std::unordered_map<std::string, int>, kSectionCount> exactColumn;
    for (int i = 1; i <= kSectionCount; ++i) {
        const Grid& table = grid(i);
        for (int c = table.colCount() - 1; c >= 2; --c) {
            firstColumn[static_cast<size_t>(i - 1)][std::string(Trim(table.cell(c, 0)))] = c;
            exactColumn[static_cast<size_t>(i - 1)][table.cell(c, 0)] = c;
        }
    }

    auto reloadCurrent = [this] {
        if (!currentDescFile.empty())
            descText = SplitLines(ReadFileOrThrow(currentDescFile));
    };

    // The files are put in place together at the end, durably at the cost of
    // one flush for all of them.
    DurableWriteBatch written;
    try {
        for (int r = 1; r <= descFileCount; ++r) {
            const std::string path = fileList().cell(2, r);
            SplitLinesInto(written.readOrThrow(path), descText);
            if (r == 1)
                for (const auto& section : schema)
                    if (!section.error.empty())
                        throw DravikError(section.error);

            KeyLineIndex keys(descText.lines, longestKey, codePage(), &firstBytes);
            for (int i = 1; i <= kSectionCount; ++i) {
                const Grid& table = grid(i);
                const auto& columns = firstColumn[static_cast<size_t>(i - 1)];
                const auto& exactColumns = exactColumn[static_cast<size_t>(i - 1)];
                const auto& entries = schema[static_cast<size_t>(i - 1)].entries;
                for (size_t k = 0; k < entries.size(); ++k) {
                    const SectionEntry& entry = entries[k];
                    // An empty name would match every line; a negative count
                    // has no columns to take values from.
                    if (entry.name.empty() || entry.count < 0)
                        continue;
                    std::string line = entry.name + " ";
                    if (entry.count > 0) {
                        auto found = exactColumns.find(entry.name);
                        if (found == exactColumns.end()) {
                            found = columns.find(std::string(Trim(entry.name)));
                            if (found == columns.end())
                                continue;  // no column carries it: keep the file's values
                        }
                        const int first = found->second;
                        const int values = i == kSectionCount ? 1 : entry.count;
                        for (int j = 0; j < values; ++j) {
                            line += table.cell(first + j, r);
                            line += ' ';
                        }
                    }
                    const long keyLine = keys.findFolded(folded[static_cast<size_t>(i - 1)][k]);
                    if (keyLine == kNoLine)
                        continue;  // a key is never added to a file
                    descText.lines[static_cast<size_t>(keyLine)] = std::move(line);
                    if (hasLongerName[static_cast<size_t>(i - 1)][k])
                        keys.lineChanged(static_cast<size_t>(keyLine), descText.lines[static_cast<size_t>(keyLine)]);
                }
            }
            written.addOrThrow(path, JoinLines(descText));
            if (progress)
                progress(r, descFileCount);
        }
        written.commitOrThrow();
    } catch (const DravikError&) {
        std::exception_ptr error = std::current_exception();
        try {
            written.commitOrThrow();  // the rows before the failed one are written all the same
        } catch (const DravikError&) {
            error = std::current_exception();  // names the first file left unwritten
        }
        try {
            reloadCurrent();
        } catch (const DravikError&) {
            // The save's own error is the one to report.
        }
        std::rethrow_exception(error);
    }
    reloadCurrent();
}

void Workspace::saveCurrent()
{
    WriteFileOrThrow(currentDescFile, JoinLines(descText));
}

void Workspace::selectFileListRow(int row)
{
    const std::string& name = fileList().cell(1, row);
    const std::string path = fileList().cell(2, row);
    if (!name.empty() && !path.empty())
        descText = SplitLines(ReadFileOrThrow(path));
    currentDescFile = path;
}

void Workspace::loadVariables(const std::string& path)
{
    variablesText = SplitLines(ReadFileOrThrow(path));
}

void Workspace::saveVariables(const std::string& path) const
{
    WriteFileOrThrow(path, JoinLines(variablesText));
}

std::string Workspace::getKeyValue(const std::string& key) const
{
    return GetKeyValue(descText.lines, key, codePage());
}

}  // namespace dravik
