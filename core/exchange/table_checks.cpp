#include "core/exchange/table_checks.h"

#include "core/exchange/table_exchange.h"
#include "core/files/native_path.h"
#include "core/text/message_format.h"
#include "core/text/utf8_text.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace dravik {

namespace {

// A line of a list under a sentence: indented, ending in a line break.
Message ListLine(Message line) { return Message(std::string("  ")) + line + Message(std::string("\n")); }

Message AndMore(size_t count, size_t shown)
{
    return Message(DRAVIK_TR("Lists", "and %1 more"), {std::to_string(count - shown)});
}

// What a table text file cannot carry in a cell: byte 26, CR, LF, TAB and
// "~". Asked of every byte of every cell an export writes, so a byte at a
// time through memchr, which reads many at once.
bool HasByteTheTableCannotCarry(std::string_view text)
{
    for (const char c : {'\x1A', '\r', '\n', '\t', '~'})
        if (std::memchr(text.data(), c, text.size()))
            return true;
    return false;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

size_t CountReplacements(std::string_view text)
{
    size_t count = 0;
    for (size_t at = text.find(kReplacement); at != std::string_view::npos; at = text.find(kReplacement, at + 3))
        ++count;
    return count;
}

}  // namespace

// ---- Export.

namespace {

// Which of its key's values a column holds, from 1, when the key has
// several; 0 when it has one, or for a column that is no key's.
std::vector<int> ValueNumbers(const Grid& grid, int firstValueColumn)
{
    std::vector<int> numbers(static_cast<size_t>(std::max(grid.colCount(), 0)), 0);
    for (int c = firstValueColumn; c < grid.colCount(); ++c) {
        const bool sameAsLeft = c > firstValueColumn && grid.cell(c, 0) == grid.cell(c - 1, 0);
        const bool sameAsRight = c + 1 < grid.colCount() && grid.cell(c, 0) == grid.cell(c + 1, 0);
        if (sameAsLeft)
            numbers[static_cast<size_t>(c)] = numbers[static_cast<size_t>(c) - 1] + 1;
        else if (sameAsRight)
            numbers[static_cast<size_t>(c)] = 1;
    }
    return numbers;
}

}  // namespace

UnreadableCells FindUnreadableCells(const DescDocument& document)
{
    UnreadableCells found;
    for (GridNumber n : FileRowTables()) {
        const Grid& grid = document.grid(n);
        const int fileCol = n == kFileListGrid ? 2 : 1;
        const std::vector<int> values = ValueNumbers(grid, n == kFileListGrid ? grid.colCount() : 2);
        for (int r = 0; r < grid.rowCount(); ++r) {
            // Nearly every row holds none: its cells are looked at only when
            // its text does.
            if (!HasByteTheTableCannotCarry(grid.storedRow(r).text()))
                continue;
            const int stored = std::min(grid.storedCells(r), grid.colCount());
            for (int c = 1; c < stored; ++c) {
                // A text key's later columns hold copies of its one text.
                if (n == kTextSectionTable && values[static_cast<size_t>(c)] > 1)
                    continue;
                const std::string_view text = grid.cell(c, r);
                if (!HasByteTheTableCannotCarry(text))
                    continue;
                Message what;
                auto note = [&](bool has, int& count, TextId name) {
                    if (!has)
                        return;
                    ++count;
                    if (!what.empty())
                        what += Message(std::string(", "));
                    what += Message(name);
                };
                note(text.find('\x1A') != std::string_view::npos, found.endOfFile, DRAVIK_TR("Export", "byte 26"));
                note(text.find_first_of("\r\n") != std::string_view::npos, found.lineBreak,
                     DRAVIK_TR("Export", "line break"));
                note(text.find('\t') != std::string_view::npos, found.tab, DRAVIK_TR("Export", "TAB"));
                note(text.find('~') != std::string_view::npos, found.tilde, DRAVIK_TR("Export", "\"~\""));
                ++found.cells;
                if (found.first.size() < kNamedCells)
                    found.first.push_back({n, c, r, r == 0 ? std::string() : std::string(grid.cell(fileCol, r)), std::string(grid.cell(c, 0)),
                                           n == kTextSectionTable ? 0 : values[static_cast<size_t>(c)], what});
            }
        }
    }
    return found;
}

Message UnreadableCells::message() const
{
    Message text(DRAVIK_TR_N("Export", "%n cell of the table cannot be read back by Import table as written:\n",
                             "%n cells of the table cannot be read back by Import table as written:\n"),
                 cells);
    auto line = [&](int count, TextId holds) {
        if (count > 0)
            text += ListLine(Message(holds, count));
    };
    line(endOfFile, DRAVIK_TR_N("Export",
                                "%n cell holds byte 26 (Ctrl+Z): reading the table stops there and loses every row after it",
                                "%n cells hold byte 26 (Ctrl+Z): reading the table stops there and loses every row after it"));
    line(lineBreak, DRAVIK_TR_N("Export", "%n cell holds a line break: the import splits its row",
                                "%n cells hold a line break: the import splits its row"));
    line(tab, DRAVIK_TR_N("Export", "%n cell holds a TAB: the import splits it into two cells",
                          "%n cells hold a TAB: the import splits it into two cells"));
    line(tilde, DRAVIK_TR_N("Export", "%n cell holds \"~\": the import drops it", "%n cells hold \"~\": the import drops it"));
    for (const UnreadableCell& cell : first) {
        const std::string label = SummaryLabel(cell.grid);
        if (cell.row == 0)
            text += ListLine(cell.value > 0
                                 ? Message(DRAVIK_TR("Export", "%1, header row, \"%2\" value %3: %4"),
                                           {label, cell.key, std::to_string(cell.value), cell.what})
                                 : Message(DRAVIK_TR("Export", "%1, header row, \"%2\": %3"), {label, cell.key, cell.what}));
        else
            text += ListLine(cell.value > 0 ? Message(DRAVIK_TR("Export", "%1, %2, \"%3\" value %4: %5"),
                                                      {label, cell.file, cell.key, std::to_string(cell.value), cell.what})
                                            : Message(DRAVIK_TR("Export", "%1, %2, \"%3\": %4"),
                                                      {label, cell.file, cell.key, cell.what}));
    }
    if (static_cast<size_t>(cells) > first.size())
        text += ListLine(AndMore(static_cast<size_t>(cells), first.size()));
    return text;
}

// ---- Paths the tables can show only with "?".

UnwritablePaths FindUnwritablePaths(const DescDocument& document)
{
    UnwritablePaths found;
    for (int r = 1; r <= document.descFileCount(); ++r) {
        const std::string path = document.filePath(FileRow(r));
        if (PathFitsText(path))
            continue;
        ++found.count;
        if (found.first.size() < kNamedCells)
            found.first.push_back(PathText(path));
    }
    return found;
}

namespace {

Message UnwritableList(const UnwritablePaths& paths)
{
    Message text;
    for (const std::string& path : paths.first)
        text += Message("\n  " + path);
    if (paths.count > paths.first.size())
        text += Message(std::string("\n  ")) + AndMore(paths.count, paths.first.size());
    return text;
}

}  // namespace

Message UnwritablePaths::exportMessage() const
{
    return Message(DRAVIK_TR_N("Export",
                               "%n desc file has a path that the system's code page (%1) cannot write. The table shows "
                               "\"?\" for those letters, so it cannot name these files, and Import table refuses a "
                               "table while they are open:",
                               "%n desc files have paths that the system's code page (%1) cannot write. The table "
                               "shows \"?\" for those letters, so it cannot name these files, and Import table refuses "
                               "a table while they are open:"),
                   static_cast<long long>(count), {CodePage::Default().name()}) +
           UnwritableList(*this) + Message(std::string("\n"));
}

Message UnwritablePaths::importMessage() const
{
    return Message(DRAVIK_TR_N("Import",
                               "%n desc file has a path that the system's code page (%1) cannot write. A table shows "
                               "\"?\" for those letters and cannot name these files, so Import table cannot place "
                               "their rows; nothing was imported. Give them names the code page can write, or open them "
                               "without the others:",
                               "%n desc files have paths that the system's code page (%1) cannot write. A table shows "
                               "\"?\" for those letters and cannot name these files, so Import table cannot place "
                               "their rows; nothing was imported. Give them names the code page can write, or open them "
                               "without the others:"),
                   static_cast<long long>(count), {CodePage::Default().name()}) +
           UnwritableList(*this);
}

// ---- Import.

namespace {

// Why a table has no "File list" block, as far as its rows tell.
Message NoFileListMessage(const SummaryRows& summary)
{
    bool anyText = false, sections = false, wide = false;
    for (int r = 0; r < summary.rowCount(); ++r) {
        const std::string_view first = summary.cell(0, r);
        if (r < 2 && (first.find('\0') != std::string_view::npos || first.rfind("\xFF\xFE", 0) == 0 ||
                      first.rfind("\xFE\xFF", 0) == 0))
            wide = true;
        sections = sections || (!first.empty() && SectionLabelTarget(std::string(first)).has_value());
        anyText = anyText || !first.empty() || !summary.cell(1, r).empty();
    }
    if (wide)
        return Message(DRAVIK_TR("Import", "The table is in UTF-16 (Unicode), which the import does not read, so it "
                                           "finds no \"File list\" block naming the desc files. Save it again as Text "
                                           "CSV in the desc files' character set (Export Text File: Character set)"));
    if (sections)
        return Message(DRAVIK_TR("Import", "The table has section blocks but no \"File list\" block, which names the "
                                           "desc files it was exported from: its rows were deleted in the spreadsheet. "
                                           "Take back the deletion (Edit > Undo), or export the table again and redo "
                                           "the edits, keeping the \"File list\" block"));
    if (!anyText)
        return Message(DRAVIK_TR("Import", "The table is empty: it has no \"File list\" block naming the desc files. "
                                           "Import a table that Export table wrote"));
    return Message(DRAVIK_TR("Import", "The table has no \"File list\" block, so it does not name the desc files: it "
                                       "is cut short (byte 26, Ctrl+Z, ends it) or not an exported table. Import a "
                                       "table that Export table wrote"));
}

// A spreadsheet told to quote every text cell writes the label as
// "\"File list\"": the table is whole, its cells are only wrapped.
bool HasQuotedFileListLabel(const SummaryRows& summary)
{
    for (int i = 0; i < summary.rowCount(); ++i) {
        const std::string_view cell = summary.cell(0, i);
        if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"' &&
            IsFileListLabel(std::string(cell.substr(1, cell.size() - 2))))
            return true;
    }
    return false;
}

}  // namespace

namespace {

bool IsLabel(std::string_view cell)
{
    if (cell.empty())
        return false;
    const std::string text(cell);
    return SectionLabelTarget(text).has_value() || IsFileListLabel(text);
}

// The header row of a block: its path column reads as the tables' header.
bool IsHeaderRow(const SummaryRows& summary, int row) { return summary.cell(1, row) == "File name"; }

// A table saved with another field delimiter has one cell a line: the
// delimiter the lines hold most, or 0.
char OtherDelimiter(const SummaryRows& summary)
{
    if (summary.colCount() > 1)
        return 0;
    size_t commas = 0, semicolons = 0;
    for (int r = 0; r < summary.rowCount(); ++r) {
        const std::string_view line = summary.cell(0, r);
        commas += static_cast<size_t>(std::count(line.begin(), line.end(), ','));
        semicolons += static_cast<size_t>(std::count(line.begin(), line.end(), ';'));
    }
    if (commas == 0 && semicolons == 0)
        return 0;
    return commas >= semicolons ? ',' : ';';
}

// The labels' column when it is not column A: a column inserted in front.
int LabelColumn(const SummaryRows& summary)
{
    for (int c = 0; c < summary.colCount() && c < 8; ++c)
        for (int r = 0; r < summary.rowCount(); ++r)
            if (IsLabel(summary.cell(c, r)))
                return c;
    return -1;
}

// Labels away from their blocks, as a sort of the whole sheet leaves them:
// a block that holds the header rows of others, or labels that stand
// together while rows of values lie under no label at all.
bool SortedAsOneSheet(const SummaryRows& summary)
{
    bool labelsTogether = false, rowsUnderNoLabel = false, inBlock = false;
    for (int r = 0; r < summary.rowCount(); ++r) {
        if (IsLabel(summary.cell(0, r))) {
            labelsTogether = labelsTogether || (r + 1 < summary.rowCount() && IsLabel(summary.cell(0, r + 1)));
            int headers = 0;
            for (int b = r + 1; b < summary.rowCount() && !summary.cell(1, b).empty(); ++b)
                headers += IsHeaderRow(summary, b) ? 1 : 0;
            if (headers > 1)
                return true;
            inBlock = true;
        } else if (summary.cell(1, r).empty()) {
            inBlock = false;
        } else if (!inBlock) {
            rowsUnderNoLabel = true;
        }
    }
    return labelsTogether && rowsUnderNoLabel;
}

}  // namespace

Message TableLayoutProblem(const SummaryRows& summary)
{
    if (const char delimiter = OtherDelimiter(summary); delimiter != 0) {
        const std::string shown(1, delimiter);
        return Message(DRAVIK_TR("Import", "The table's cells are separated by \"%1\" instead of TABs: the spreadsheet "
                                           "saved it with \"%1\" as the field delimiter, so the import finds none of "
                                           "its blocks. Save it again as Text CSV with \"Edit filter settings\" ticked "
                                           "and {Tab} as the field delimiter (Export Text File: Field delimiter)"),
                       {shown});
    }
    if (const int column = LabelColumn(summary); column > 0)
        return Message(DRAVIK_TR("Import", "The table's labels (\"Section 1\", \"File list\") are in column %1 instead "
                                           "of column A: a column was inserted in front of them in the spreadsheet, "
                                           "which moves every cell of the table. Delete that column (or take back its "
                                           "insertion with Edit > Undo) and save the table again"),
                       {SpreadsheetColumnName(column)});
    if (SortedAsOneSheet(summary))
        return Message(DRAVIK_TR("Import", "The table's rows are no longer under their labels (\"Section 1\", \"File "
                                           "list\"): the whole sheet was sorted, which mixes the rows of every block. "
                                           "Take back the sort (Edit > Undo) or export the table again, and sort only "
                                           "the rows of one block: select them, below its header row, before Data > "
                                           "Sort"));
    return {};
}

namespace {

// How the "File list" block at line `label` differs from the desc files
// given; empty when it names exactly them.
Message BlockMismatch(const SummaryRows& summary, int label, const std::vector<std::string>& descFiles)
{
    struct Count {
        int given = 0;
        int listed = 0;
        std::string givenPath;
        std::string listedPath;
    };
    std::unordered_map<std::string, Count> counts;
    std::vector<std::string> order;
    // Reading a table drops every "~", so paths are compared without.
    auto count = [&](std::string_view path) -> Count& {
        std::string text(path);
        text.erase(std::remove(text.begin(), text.end(), '~'), text.end());
        auto [it, added] = counts.try_emplace(ResolvedPathKey(text));
        if (added)
            order.push_back(it->first);
        return it->second;
    };
    for (const std::string& path : descFiles) {
        Count& c = count(path);
        ++c.given;
        if (c.givenPath.empty())
            c.givenPath = PathText(path);
    }
    // Row 0 of the block is its header row.
    for (int r = label + 2; r < summary.rowCount() && !summary.cell(1, r).empty(); ++r) {
        Count& c = count(summary.cell(2, r));
        ++c.listed;
        if (c.listedPath.empty())
            c.listedPath = std::string(summary.cell(2, r));
    }
    std::vector<std::string> missing, extra;
    size_t missingCount = 0, extraCount = 0;
    for (const std::string& key : order) {
        const Count& c = counts[key];
        if (c.given > c.listed) {
            missingCount += static_cast<size_t>(c.given - c.listed);
            if (missing.size() < kNamedCells)
                missing.push_back(c.givenPath);
        } else if (c.listed > c.given) {
            extraCount += static_cast<size_t>(c.listed - c.given);
            if (extra.size() < kNamedCells)
                extra.push_back(c.listedPath);
        }
    }
    if (missingCount == 0 && extraCount == 0)
        return {};
    Message text(DRAVIK_TR("Import", "The \"File list\" block of the table (line %1) does not name exactly the "
                                     "desc files given:"),
                 {std::to_string(label + 1)});
    auto list = [&](size_t total, const std::vector<std::string>& paths, TextId heading) {
        if (total == 0)
            return;
        text += Message(std::string("\n  ")) + Message(heading, static_cast<long long>(total));
        for (const std::string& path : paths)
            text += Message("\n    " + path);
        if (total > paths.size())
            text += Message(std::string("\n    ")) + AndMore(total, paths.size());
    };
    list(missingCount, missing,
         DRAVIK_TR_N("Import", "%n desc file given is not in it:", "%n desc files given are not in it:"));
    list(extraCount, extra, DRAVIK_TR_N("Import", "%n file it names is not given:", "%n files it names are not given:"));
    return text;
}

}  // namespace

Message FileListMismatch(const SummaryRows& summary, const std::vector<std::string>& descFiles)
{
    if (Message layout = TableLayoutProblem(summary); !layout.empty())
        return layout;
    std::vector<int> labels;
    for (int i = 0; i < summary.rowCount(); ++i)
        if (IsFileListLabel(std::string(summary.cell(0, i))))
            labels.push_back(i);
    if (labels.empty() && HasQuotedFileListLabel(summary))
        return Message(DRAVIK_TR("Import", "The table's cells are in double quotes (the spreadsheet saved it with a "
                                           "string delimiter): the import takes quotes as part of a cell, so it finds no "
                                           "\"File list\" block naming the desc files. Save the table with an empty "
                                           "string delimiter"));
    if (labels.empty())
        return NoFileListMessage(summary);
    for (int label : labels)
        if (Message text = BlockMismatch(summary, label, descFiles); !text.empty())
            return text;
    return {};
}

Message SpreadsheetCharacterSet(const std::string& codePageName)
{
    // As the spreadsheet's dialogs name them, in its own language.
    const std::string name = AsciiLowered(codePageName);
    if (name == "windows-1251" || name == "cp1251" || name == "1251")
        return Message(DRAVIK_TR("Spreadsheet", "Cyrillic (Windows-1251)"));
    if (name == "windows-1252" || name == "cp1252" || name == "1252")
        return Message(DRAVIK_TR("Spreadsheet", "Western Europe (Windows-1252/WinLatin 1)"));
    if (name == "iso-8859-1" || name == "latin1")
        return Message(DRAVIK_TR("Spreadsheet", "Western Europe (ISO-8859-1)"));
    if (name == "windows-1250" || name == "cp1250" || name == "1250")
        return Message(DRAVIK_TR("Spreadsheet", "Eastern Europe (Windows-1250/WinLatin 2)"));
    return Message(codePageName);
}

CharacterSetDamage FindCharacterSetDamage(std::string_view tableBytes, const DescDocument& document)
{
    size_t replaced = 0;
    bool valuesValid = true, valuesMultiByte = false;
    for (GridNumber n : FileRowTables()) {
        const Grid& grid = document.grid(n);
        for (int r = 0; r < grid.rowCount(); ++r) {
            const int stored = std::min(grid.storedCells(r), grid.colCount());
            for (int c = 1; c < stored; ++c) {
                const std::string_view text = grid.cell(c, r);
                replaced += CountReplacements(text);
                if (valuesValid) {
                    const Utf8Scan scan = ScanUtf8(text);
                    valuesValid = scan.valid;
                    valuesMultiByte = valuesMultiByte || scan.multiByte;
                }
            }
        }
    }
    CharacterSetDamage damage;
    const size_t inTable = CountReplacements(tableBytes);
    damage.replacements = inTable > replaced ? inTable - replaced : 0;
    const Utf8Scan table = ScanUtf8(tableBytes);
    damage.utf8 = table.valid && table.multiByte && !(valuesValid && valuesMultiByte);
    return damage;
}

Message CharacterSetDamage::message(const std::string& codePageName) const
{
    Message text;
    if (replacements > 0)
        text += Message(
            DRAVIK_TR_N("Import",
                        "The table holds %n replacement character (the bytes EF BF BD) that the values it replaces do "
                        "not: a program that read it in another character set put it in place of a character it could "
                        "not read. Open the exported table again with the character set %1 (Text Import: Character "
                        "set), save it with the same, and redo the edits.\n",
                        "The table holds %n replacement characters (the bytes EF BF BD) that the values it replaces do "
                        "not: a program that read it in another character set put them in place of the characters it "
                        "could not read. Open the exported table again with the character set %1 (Text Import: "
                        "Character set), save it with the same, and redo the edits.\n"),
            static_cast<long long>(replacements), {SpreadsheetCharacterSet(codePageName)});
    if (utf8)
        text += Message(DRAVIK_TR("Import", "The table is in UTF-8 while the values it replaces are not: each of its "
                                            "non-ASCII characters would become two or more bytes in the desc files, "
                                            "whose code page is %1. Save the table again with the character set %2 "
                                            "(Export Text File: Character set).\n"),
                        {codePageName, SpreadsheetCharacterSet(codePageName)});
    return text;
}

}  // namespace dravik
