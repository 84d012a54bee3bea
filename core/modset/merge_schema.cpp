#include "core/modset/merge_schema.h"

#include "core/errors.h"
#include "core/text/dravik2_auxillary.h"
#include "core/text/text_lines.h"

#include <functional>
#include <unordered_map>

namespace dravik {

namespace {

// Stands for an absent value in a row of values: no value holds a line break.
constexpr std::string_view kAbsent = "\n";

}  // namespace

MergeSchema::MergeSchema(const TextLines& variables, const CodePage& codePage)
    : codePage_(codePage), loaded_(variables, codePage), scan_(loaded_.numberedNames)
{
    if (Message error = loaded_.firstError(); !error.empty())
        throw DravikError(error);
    keys_ = SchemaKeys(loaded_);
    byName_ = std::make_unique<PatchKeyIndex>(keys_);
    std::unordered_map<std::string, size_t> entryByName;
    for (SectionNumber i : AllSections()) {
        const auto& entries = loaded_.section(i).entries;
        for (size_t k = 0; k < entries.size(); ++k)
            entryByName.emplace(entries[k].name, loaded_.number(i, k));
        slotOfColumn_[i.index()].assign(static_cast<size_t>(tableColumns(TableOf(i))), -1);
    }
    for (int key = 0; key < keyCount(); ++key) {
        const TableKey& tableKey = keys_[static_cast<size_t>(key)];
        firstSlot_.push_back(slotCount());
        keyOfSlot_.insert(keyOfSlot_.end(), static_cast<size_t>(tableKey.values), key);
        entryOfKey_.push_back(entryByName.at(tableKey.name));
        for (const KeyPlace& place : tableKey.places) {
            if ((place.grid == kTextSectionTable) != textKey(key))
                continue;
            auto& columns = slotOfColumn_[place.grid.index()];
            for (int j = 0; j < place.columns; ++j) {
                const int value = textKey(key) ? 1 : j + 1;
                if (value <= tableKey.values)
                    columns[static_cast<size_t>(place.firstCol + j)] = firstSlot(key) + value - 1;
            }
        }
    }
}

int MergeSchema::findKey(const std::string& name) const
{
    const TableKey* key = byName_->find(name);
    return key ? static_cast<int>(key - keys_.data()) : -1;
}

int MergeSchema::slotOfCell(GridNumber grid, int col) const
{
    if (!IsSectionTable(grid))
        return -1;
    const auto& columns = slotOfColumn_[grid.index()];
    return col >= 0 && static_cast<size_t>(col) < columns.size() ? columns[static_cast<size_t>(col)] : -1;
}

std::vector<std::pair<GridNumber, int>> MergeSchema::cellsOfSlot(int slot) const
{
    std::vector<std::pair<GridNumber, int>> cells;
    const TableKey& key = keys_[static_cast<size_t>(keyOfSlot(slot))];
    for (const KeyPlace& place : key.places)
        for (int c = place.firstCol; c < place.firstCol + place.columns; ++c)
            if (slotOfCell(place.grid, c) == slot)
                cells.emplace_back(place.grid, c);
    return cells;
}

int MergeSchema::tableColumns(GridNumber grid) const
{
    int columns = 2;
    for (const SectionEntry& entry : loaded_.section(SectionOf(grid)).entries)
        columns += ColumnsOf(entry);
    return columns;
}

void SlotValues::add(std::optional<std::string_view> value) { row_.add(value ? *value : kAbsent); }

std::optional<std::string_view> SlotValues::value(int slot) const
{
    const Grid::Cells cells(row_);
    if (slot < 0 || static_cast<size_t>(slot) >= cells.size())
        return std::nullopt;
    const std::string_view value = cells[static_cast<size_t>(slot)];
    if (value == kAbsent)
        return std::nullopt;
    return value;
}

void SplitValueWords(std::string_view value, std::vector<std::string_view>& words)
{
    words.clear();
    const std::string_view text = Trim(value);
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        const size_t start = i;
        while (i < text.size() && text[i] != ' ')
            ++i;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
}

std::uint64_t BytesFingerprint(std::string_view bytes) { return std::hash<std::string_view>{}(bytes); }

namespace {

std::string_view WithoutTrailingBlanks(std::string_view line)
{
    while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32)
        line.remove_suffix(1);
    return line;
}

}  // namespace

void DescValuesReader::read(std::string_view bytes, SlotValues& values)
{
    SplitLineViewsInto(bytes, lines_);
    schema_.scan().find(lines_, schema_.codePage(), keyLines_);
    isKeyLine_.assign(lines_.size(), false);
    std::vector<bool> hasLine(static_cast<size_t>(schema_.keyCount()), false);
    values.clear();
    for (int key = 0; key < schema_.keyCount(); ++key) {
        const long line = lineOfKey(key);
        const int count = schema_.keys()[static_cast<size_t>(key)].values;
        if (line == kNoLine) {
            for (int v = 0; v < count; ++v)
                values.add(std::nullopt);
            continue;
        }
        hasLine[static_cast<size_t>(key)] = true;
        isKeyLine_[static_cast<size_t>(line)] = true;
        const std::string_view value = KeyValueView(lines_, line, schema_.keyName(key).size());
        if (schema_.textKey(key)) {
            values.add(value);
            continue;
        }
        SplitValueWords(value, words_);
        for (int v = 0; v < count; ++v)
            values.add(static_cast<size_t>(v) < words_.size() ? std::optional(words_[static_cast<size_t>(v)])
                                                              : std::nullopt);
    }
    values.setLines(std::move(hasLine));
    // A sum of the lines' own fingerprints: the same lines in another order
    // give the same sum.
    otherLines_ = 0;
    const std::hash<std::string_view> hash;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (isKeyLine_[i])
            continue;
        const std::string_view line = WithoutTrailingBlanks(lines_[i]);
        if (!line.empty())
            otherLines_ += hash(line) * 0x9E3779B97F4A7C15ull + 1;
    }
}

std::vector<std::string_view> DescValuesReader::otherLineTexts() const
{
    std::vector<std::string_view> texts;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = WithoutTrailingBlanks(lines_[i]);
        if (!isKeyLine_[i] && !line.empty())
            texts.push_back(line);
    }
    return texts;
}

std::vector<std::string_view> DescValuesReader::lineValues(int key) const
{
    const long line = lineOfKey(key);
    if (line == kNoLine)
        return {};
    const std::string_view value = KeyValueView(lines_, line, schema_.keyName(key).size());
    if (schema_.textKey(key))
        return {value};
    std::vector<std::string_view> words;
    SplitValueWords(value, words);
    return words;
}

}  // namespace dravik
