#include "core/mod/table_keys.h"

#include "core/errors.h"
#include "core/schema/loaded_schema.h"

#include <unordered_map>

namespace dravik {

namespace {

constexpr TextId kLayoutChanged = DRAVIK_TR(
    "Base game", "The section tables are not laid out as the variables text now says; open the files again with it first");

bool HeadersRead(const Grid& table, int firstCol, int columns, const std::string& name)
{
    if (firstCol + columns > table.colCount())
        return false;
    for (int c = firstCol; c < firstCol + columns; ++c)
        if (table.cell(c, 0) != name)
            return false;
    return true;
}

}  // namespace

KeyPlace TableKey::written() const
{
    // Save all rewrites the line once per section, from the first columns
    // the key has there; the last section's values stay.
    KeyPlace last = places.back();
    for (const KeyPlace& place : places)
        if (place.grid == last.grid) {
            last = place;
            break;
        }
    return last;
}

int TableKey::writtenColumn(int value) const { return written().firstCol + value - 1; }

std::vector<std::pair<GridNumber, int>> TableKey::cellsOf(int value) const
{
    std::vector<std::pair<GridNumber, int>> cells;
    for (const KeyPlace& place : places) {
        if (place.grid == kTextSectionTable) {
            for (int c = place.firstCol; c < place.firstCol + place.columns; ++c)
                cells.emplace_back(place.grid, c);
        } else if (value <= place.columns) {
            cells.emplace_back(place.grid, place.firstCol + value - 1);
        }
    }
    return cells;
}

namespace {

// The keys of the schema with their places as Open desc lays the columns
// out; with a table's headers checked against that layout when `document`
// is given.
std::vector<TableKey> KeysOf(const LoadedSchema& schema, const DescDocument* document)
{
    std::vector<TableKey> keys;
    std::unordered_map<std::string, size_t> byName;
    for (SectionNumber i : AllSections()) {
        int col = kFirstValueColumn;
        for (const SectionEntry& entry : schema.section(i).entries) {
            const int columns = ColumnsOf(entry);
            if (columns == 0)
                continue;
            if (document && !HeadersRead(document->grid(TableOf(i)), col, columns, entry.name))
                throw DravikError(Message(kLayoutChanged));
            // A nameless entry matches every line, and Save all writes none.
            if (!entry.name.empty()) {
                auto [found, added] = byName.emplace(entry.name, keys.size());
                if (added)
                    keys.push_back({entry.name, 0, {}});
                keys[found->second].places.push_back({TableOf(i), col, columns});
            }
            col += columns;
        }
    }
    for (TableKey& key : keys) {
        const KeyPlace written = key.written();
        key.values = written.grid == kTextSectionTable ? 1 : written.columns;
    }
    return keys;
}

}  // namespace

std::vector<TableKey> TableKeys(const DescDocument& document)
{
    const LoadedSchema schema(document.variablesText(), document.codePage());
    return KeysOf(schema, &document);
}

std::vector<TableKey> SchemaKeys(const LoadedSchema& schema) { return KeysOf(schema, nullptr); }

}  // namespace dravik
