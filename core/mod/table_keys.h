// Where each key of the variables text stands in the section tables, as Open
// desc laid them out: what a patch names as a key and a value number, and
// which cells that is.
#pragma once

#include "core/document/desc_document.h"

#include <string>
#include <vector>

namespace dravik {

// One run of a key's columns in one section table.
struct KeyPlace {
    GridNumber grid;
    int firstCol;
    int columns;
};

struct TableKey {
    std::string name;  // exactly as the schema writes it
    // Value numbers the key carries, 1 and on: its count, or one in the text
    // section, whose columns all hold the key's whole text.
    int values = 0;
    // Every run of the key's columns, in schema order. A key in two sections,
    // or twice in one, shows the same key line in each place.
    std::vector<KeyPlace> places;
    // The place Save all's rewrite of the key line ends with, which is what
    // reaches the file.
    KeyPlace written() const;
    // The cells of value `value` (1 and on) in every place.
    std::vector<std::pair<GridNumber, int>> cellsOf(int value) const;  // (grid, col)
    // The column of value `value` in the written place.
    int writtenColumn(int value) const;
};

// The keys of the document's variables text with at least one column, in
// schema order, each once. Throws DravikError when the tables' headers are
// not the schema's layout (the variables text changed since the files were
// opened): a patch would then name the wrong values.
std::vector<TableKey> TableKeys(const DescDocument& document);

struct LoadedSchema;

// The same keys as Open desc would lay them out by the schema, without any
// tables: what merging several mods names as a key and a value number.
std::vector<TableKey> SchemaKeys(const LoadedSchema& schema);

}  // namespace dravik
