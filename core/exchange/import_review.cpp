#include "core/exchange/import_review.h"

#include "core/exchange/table_checks.h"
#include "core/text/code_page.h"
#include "core/text/message_format.h"

#include <algorithm>
#include <optional>

namespace dravik {

namespace {

std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

// A cell as a CSV reader takes it: a cell that begins with a quote is read
// to its closing quote, doubled quotes as one, and the rest kept as it is.
std::string ReadAsQuoted(std::string_view text)
{
    if (text.empty() || text[0] != '"')
        return std::string(text);
    std::string read;
    size_t i = 1;
    for (; i < text.size(); ++i) {
        if (text[i] != '"') {
            read += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
            read += '"';
            ++i;
        } else {
            ++i;
            break;
        }
    }
    return read + std::string(text.substr(std::min(i, text.size())));
}

TextId ConversionName(Conversion kind)
{
    switch (kind) {
    case Conversion::Separators: return DRAVIK_TR("Import", "thousands separator or decimal comma");
    case Conversion::Percent: return DRAVIK_TR("Import", "percent");
    case Conversion::Time: return DRAVIK_TR("Import", "time");
    case Conversion::Date: return DRAVIK_TR("Import", "date");
    case Conversion::Currency: return DRAVIK_TR("Import", "currency");
    case Conversion::Truth: return DRAVIK_TR("Import", "truth value");
    case Conversion::Overflow: return DRAVIK_TR("Import", "number beyond a spreadsheet's range");
    case Conversion::None: break;
    }
    return {};
}

void Note(ReviewedCells& cells, const DescDocument& document, size_t position, const ImportEdit& edit,
          std::string_view before, TextId kind = {})
{
    if (cells.first.size() < kNamedCells) {
        const std::vector<Message> args = {SummaryLabel(edit.grid), document.fileList().cell(kFilePathColumn, edit.row),
                                           document.grid(edit.grid).cell(edit.col, 0), before, edit.text};
        cells.first.push_back(
            kind.source ? Message(DRAVIK_TR("Import", "%1, %2, \"%3\": \"%4\" -> \"%5\" (%6)"),
                                  {args[0], args[1], args[2], args[3], args[4], Message(kind)})
                        : Message(DRAVIK_TR("Import", "%1, %2, \"%3\": \"%4\" -> \"%5\""), args));
        cells.examples.emplace_back(before, std::string(edit.text));
    }
    cells.edits.push_back(position);
    ++cells.count;
}

Message Listed(const ReviewedCells& cells)
{
    Message text;
    for (const Message& line : cells.first)
        text += Message(std::string("  ")) + line + Message(std::string("\n"));
    if (cells.count > cells.first.size())
        text += Message(std::string("  ")) +
                Message(DRAVIK_TR("Lists", "and %1 more"), {std::to_string(cells.count - cells.first.size())}) +
                Message(std::string("\n"));
    return text;
}

// What the Standard column type does, and how to open and edit the table
// so that it keeps every cell as written.
constexpr TextId kTextColumnsRedo =
    DRAVIK_TR("Import", "Open the exported table again with every column's type set to Text (Text Import: Column "
                        "type: Text), make every cell Text before editing (select the whole sheet, then Format > "
                        "Cells > Numbers > Category: Text), and redo the edits.\n");

}  // namespace

bool LettersBecameQuestionMarks(std::string_view before, std::string_view after)
{
    if (before.size() != after.size())
        return false;
    bool replaced = false;
    for (size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i])
            continue;
        if (static_cast<unsigned char>(before[i]) < 0x80 || after[i] != '?')
            return false;
        replaced = true;
    }
    return replaced;
}

bool LettersLikelyLost(std::string_view before, std::string_view after)
{
    return before.find('?') == std::string_view::npos && after.find('?') != std::string_view::npos;
}

bool QuotingChanged(std::string_view before, std::string_view after)
{
    if (before == after || (before.find('"') == std::string_view::npos && after.find('"') == std::string_view::npos))
        return false;
    const std::string read = ReadAsQuoted(before);
    return after == Quoted(before) || after == read || after == Quoted(read);
}

const std::vector<ImportCheck>& ImportChecks()
{
    static const std::vector<ImportCheck> checks = {ImportCheck::CharacterSet, ImportCheck::QuestionMarks,
                                                    ImportCheck::Quotes,       ImportCheck::WideRows,
                                                    ImportCheck::Converted,    ImportCheck::Respelled};
    return checks;
}

const char* ImportCheckName(ImportCheck check)
{
    switch (check) {
    case ImportCheck::CharacterSet: return "character-set";
    case ImportCheck::QuestionMarks: return "question-marks";
    case ImportCheck::Quotes: return "quotes";
    case ImportCheck::WideRows: return "wide-rows";
    case ImportCheck::Converted: return "converted";
    case ImportCheck::Respelled: return "respelled";
    }
    return "";
}

std::optional<ImportCheck> ImportCheckNamed(std::string_view name)
{
    for (ImportCheck check : ImportChecks())
        if (name == ImportCheckName(check))
            return check;
    return std::nullopt;
}

ImportReview ReviewImport(const DescDocument& document, const PreparedImport& import)
{
    ImportReview review;
    const SpreadsheetConversions converted(document.codePage());
    for (size_t i = 0; i < import.edits.size(); ++i) {
        const ImportEdit& edit = import.edits[i];
        if (!IsSectionTable(edit.grid) || edit.row < 1 || edit.col < 2)
            continue;  // paths and headers are no file's values
        const std::string_view before = document.grid(edit.grid).cell(edit.col, edit.row);
        if (LettersBecameQuestionMarks(before, edit.text)) {
            Note(review.questionMarks, document, i, edit, before);
        } else if (QuotingChanged(before, edit.text)) {
            Note(review.quoting, document, i, edit, before);
        } else if (SameNumberRespelled(before, edit.text)) {
            Note(review.respelled, document, i, edit, before);
        } else if (const Conversion kind = converted(before, edit.text);
                   kind != Conversion::None) {
            Note(review.converted, document, i, edit, before, ConversionName(kind));
        } else if (LettersLikelyLost(before, edit.text)) {
            Note(review.lostLetters, document, i, edit, before);
        }
    }
    return review;
}

void KeepFilesText(PreparedImport& import, const std::vector<size_t>& edits)
{
    std::vector<size_t> kept = edits;
    std::sort(kept.begin(), kept.end());
    // In increasing order: one pass keeps the others.
    std::vector<ImportEdit> others;
    others.reserve(import.edits.size() - std::min(kept.size(), import.edits.size()));
    auto next = kept.begin();
    for (size_t i = 0; i < import.edits.size(); ++i) {
        if (next != kept.end() && *next == i)
            ++next;
        else
            others.push_back(import.edits[i]);
    }
    import.edits = std::move(others);
}

Message ImportReview::damageMessage(const std::string& codePageName) const
{
    Message text;
    if (questionMarks.count > 0)
        text += Message(DRAVIK_TR_N("Import",
                                    "%n cell holds \"?\" where the tables hold letters: the spreadsheet read or saved "
                                    "the table in a character set without those letters.\n",
                                    "%n cells hold \"?\" where the tables hold letters: the spreadsheet read or saved "
                                    "the table in a character set without those letters.\n"),
                        static_cast<long long>(questionMarks.count)) +
                Listed(questionMarks);
    if (lostLetters.count > 0)
        text += Message(DRAVIK_TR_N("Import",
                                    "%n cell holds \"?\" in text typed into the table where the tables hold none: "
                                    "likely letters that the table's character set could not hold.\n",
                                    "%n cells hold \"?\" in text typed into the table where the tables hold none: "
                                    "likely letters that the table's character set could not hold.\n"),
                        static_cast<long long>(lostLetters.count)) +
                Listed(lostLetters);
    if (questionMarks.count > 0 || lostLetters.count > 0)
        text += Message(DRAVIK_TR("Import", "Choose the character set %1 both when opening the table (Text Import: "
                                            "Character set) and when saving it (Export Text File: Character set). A "
                                            "\"?\" cannot be turned back into its letter: export the table again and "
                                            "redo the edits.\n"),
                        {SpreadsheetCharacterSet(codePageName)});
    if (quoting.count > 0)
        text += Message(DRAVIK_TR_N("Import",
                                    "%n cell gained or lost the quotes a spreadsheet puts around a text (inner quotes "
                                    "doubled): the table was read or saved with \" as the string delimiter.\n",
                                    "%n cells gained or lost the quotes a spreadsheet puts around a text (inner quotes "
                                    "doubled): the table was read or saved with \" as the string delimiter.\n"),
                        static_cast<long long>(quoting.count)) +
                Listed(quoting) +
                Message(DRAVIK_TR("Import", "Empty the string delimiter both when opening the table (Text Import: "
                                            "String delimiter) and when saving it (Export Text File: String "
                                            "delimiter), then save it again.\n"));
    return text;
}

Message ImportReview::conversionMessage() const
{
    if (converted.count == 0)
        return {};
    return Message(DRAVIK_TR_N("Import",
                               "%n cell holds a value the spreadsheet converted into another value or wrote as its "
                               "language writes numbers; no desc file reads it so:\n",
                               "%n cells hold values the spreadsheet converted into other values or wrote as its "
                               "language writes numbers; no desc file reads them so:\n"),
                   static_cast<long long>(converted.count)) +
           Listed(converted) +
           Message(DRAVIK_TR("Import", "The column type Standard let the spreadsheet read these cells as numbers, "
                                       "percentages, dates, times, money or truth values, in the language chosen in Text "
                                       "Import (German reads 2.250 as 2250).")) +
           Message(std::string(" ")) + Message(kTextColumnsRedo);
}

Message ImportReview::respellingMessage() const
{
    if (respelled.count == 0)
        return {};
    return Message(DRAVIK_TR_N("Import", "%n cell changed only how a number is written:\n",
                               "%n cells changed only how a number is written:\n"),
                   static_cast<long long>(respelled.count)) +
           Listed(respelled) +
           Message(DRAVIK_TR("Import", "The column type Standard let the spreadsheet rewrite these numbers.")) +
           Message(std::string(" ")) + Message(kTextColumnsRedo);
}

}  // namespace dravik
