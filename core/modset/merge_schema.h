// The variables text as merging reads desc files: every key of the tables
// once, and each of its values a "slot", numbered across all keys, so that a
// file's values are one row of slots whatever section shows them.
//
// A value is a text, or absent: the file's line of the key has fewer values
// than the variables file counts, or the file has no line for the key.
// Merging compares values only: the blanks between them, the letter case of
// the key and where the line stands in the file never make a difference.
#pragma once

#include "core/document/grid.h"
#include "core/mod/patch_plan.h"
#include "core/mod/table_keys.h"
#include "core/schema/key_lookup.h"
#include "core/schema/loaded_schema.h"
#include "core/text/code_page.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravik {

class MergeSchema {
public:
    // Throws DravikError for a count that is not a whole number.
    MergeSchema(const TextLines& variables, const CodePage& codePage);
    MergeSchema(const MergeSchema&) = delete;
    MergeSchema& operator=(const MergeSchema&) = delete;

    const CodePage& codePage() const { return codePage_; }
    const LoadedSchema& loaded() const { return loaded_; }
    // The keys with at least one column, in schema order (TableKeys' keys).
    const std::vector<TableKey>& keys() const { return keys_; }
    int keyCount() const { return static_cast<int>(keys_.size()); }
    int slotCount() const { return static_cast<int>(keyOfSlot_.size()); }
    int firstSlot(int key) const { return firstSlot_[static_cast<size_t>(key)]; }
    int keyOfSlot(int slot) const { return keyOfSlot_[static_cast<size_t>(slot)]; }
    // The value's number in its key, from 1.
    int valueOfSlot(int slot) const { return slot - firstSlot(keyOfSlot(slot)) + 1; }
    int slot(int key, int value) const { return firstSlot(key) + value - 1; }
    // A key of the text section: its one value is the whole rest of its line.
    bool textKey(int key) const { return keys_[static_cast<size_t>(key)].written().grid == kTextSectionTable; }
    const std::string& keyName(int key) const { return keys_[static_cast<size_t>(key)].name; }
    // The key a patch line or a choice names: as the variables text writes
    // it, else with the blanks at its ends left out when that names one key;
    // -1 for none.
    int findKey(const std::string& name) const;

    // The slot a cell of a section table shows; -1 for none (a column of no
    // key, or a key shown in a section of the other kind, whose cells are
    // left empty).
    int slotOfCell(GridNumber grid, int col) const;
    // The cells of the section tables that show a slot: (grid, column).
    std::vector<std::pair<GridNumber, int>> cellsOfSlot(int slot) const;
    // The width of each section table as Open desc lays it out: the file's
    // number and path, then the values.
    int tableColumns(GridNumber grid) const;

    // The numbered entry (LoadedSchema's numbering) whose line is the key's.
    size_t entryOfKey(int key) const { return entryOfKey_[static_cast<size_t>(key)]; }
    const KeyLineScan& scan() const { return scan_; }

private:
    const CodePage& codePage_;
    LoadedSchema loaded_;
    std::vector<TableKey> keys_;
    std::vector<int> firstSlot_;
    std::vector<int> keyOfSlot_;
    std::vector<size_t> entryOfKey_;
    std::unique_ptr<PatchKeyIndex> byName_;
    std::array<std::vector<int>, kSectionCount> slotOfColumn_;
    KeyLineScan scan_;
};

// One desc file's values by slot, and which keys it has a line for, held as
// one text: a file's values cost about their bytes.
class SlotValues {
public:
    void clear() { row_.clear(), lines_.clear(); }
    // The next slot's value; nullopt for an absent one.
    void add(std::optional<std::string_view> value);
    void setLines(std::vector<bool> lines) { lines_ = std::move(lines); }
    std::optional<std::string_view> value(int slot) const;
    int size() const { return static_cast<int>(row_.size()); }
    bool hasLine(int key) const { return static_cast<size_t>(key) < lines_.size() && lines_[static_cast<size_t>(key)]; }

private:
    GridRow row_;
    std::vector<bool> lines_;
};

// Reads desc files by a schema: the value of every slot, and what else the
// file holds. One reader reads many files, one after another, reusing its
// storage.
class DescValuesReader {
public:
    explicit DescValuesReader(const MergeSchema& schema) : schema_(schema) {}

    // Reads a file's bytes into `values`. The bytes must stay alive while the
    // answers below are asked for.
    void read(std::string_view bytes, SlotValues& values);

    // A fingerprint of the lines that are no key's line, whatever their
    // order, each without the blanks at its end (and its line break), empty
    // ones left out: two files with the same fingerprint hold the same lines
    // besides their values.
    std::uint64_t otherLines() const { return otherLines_; }
    // Those lines themselves, each without the blanks at its end.
    std::vector<std::string_view> otherLineTexts() const;
    const std::vector<std::string_view>& lines() const { return lines_; }
    // The line (from 0) of the key, kNoLine for none.
    long lineOfKey(int key) const { return keyLines_[schema_.entryOfKey(key)]; }
    // Every value on the key's line, those beyond the variables file's count
    // included; a text key's one value. Empty without a line.
    std::vector<std::string_view> lineValues(int key) const;

private:
    const MergeSchema& schema_;
    std::vector<std::string_view> lines_;
    std::vector<long> keyLines_;
    std::vector<bool> isKeyLine_;
    std::vector<std::string_view> words_;
    std::uint64_t otherLines_ = 0;
};

// The blank-separated words of a value text, none for an empty one.
void SplitValueWords(std::string_view value, std::vector<std::string_view>& words);

// A fingerprint of a file's bytes, to see whether it changed since it was read.
std::uint64_t BytesFingerprint(std::string_view bytes);

}  // namespace dravik
