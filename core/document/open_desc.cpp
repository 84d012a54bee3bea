// Open desc: the chosen files laid out side by side, one row per file and one
// column per value, in the ten section tables and the file list.
#include "core/document/desc_document.h"

#include "core/text/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/schema/loaded_schema.h"

#include <algorithm>

namespace dravik {

namespace {

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

}  // namespace

void DescDocument::openDesc(const std::vector<std::string>& paths, const LoadHooks& hooks)
{
    if (paths.empty())
        return;
    const int count = static_cast<int>(paths.size());
    const LoadedSchema schema(variablesText_, codePage());
    if (std::string tooLarge = schema.tooLargeError(count); !tooLarge.empty())
        throw DravikError(tooLarge);

    const bool wasModified = isModified();
    Touched touched;
    for (int n = 1; n <= kFileListGrid; ++n)
        touched.reset(n);
    // Whatever happens below, the tables are what was loaded, and that is
    // what their files hold.
    struct Finish {
        DescDocument& document;
        Touched& touched;
        bool wasModified;
        ~Finish()
        {
            document.diskDescText_ = document.descText_;
            document.takeDiskBaseline(touched);
            document.notify(touched, wasModified);
            for (DocumentListener* listener : document.listeners_) {
                listener->descTextChanged();
                listener->currentDescFileChanged();
            }
        }
    } finish{*this, touched, wasModified};

    descFileCount_ = count;
    for (int n = 1; n <= kSectionCount; ++n)
        mutableGrid(n).clearCells(1, 1);
    Grid& files = mutableGrid(kFileListGrid);
    files.setRowCount(count + 1);

    // Column widths follow the headers; they are fitted once at the end, and
    // before an error leaves a section half filled, so they come out as if
    // fitted after every finished section.
    bool sectionFinished = false;
    auto fitIfSectionFinished = [&] {
        if (sectionFinished && hooks.fitColumnWidths)
            hooks.fitColumnWidths();
    };

    for (int r = 1; r <= count; ++r) {
        const std::string& path = paths[static_cast<size_t>(r - 1)];
        files.setCell(2, r, path);
        files.setCell(0, r, std::to_string(r));
        files.setCell(1, r, NameOfFile(path));

        std::string bytes;
        try {
            bytes = ReadFileOrThrow(path);
        } catch (const DravikError&) {
            fitIfSectionFinished();
            throw;
        }
        fingerprints_[path] = Fingerprint(bytes);
        // The listeners hear of the text and the current file once, at the end.
        SplitLinesInto(bytes, descText_);
        currentDescFile_ = path;
        const KeyLineIndex keys(descText_.lines, schema.longestKey, codePage(), &schema.firstBytes);

        for (int i = 1; i <= kSectionCount; ++i) {
            Grid& table = mutableGrid(i);
            const SectionSchema& section = schema.section(i);
            if (r > 1)
                table.reserveRow(r, section.entries.empty() ? 2 : table.colCount());
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
                const std::string value =
                    ValueOfKeyLine(descText_.lines, keys.findFolded(schema.folded(i, k)), entry.name.size());
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
        if (hooks.progress)
            hooks.progress(r, count);
    }
    if (hooks.fitColumnWidths)
        hooks.fitColumnWidths();
}

}  // namespace dravik
