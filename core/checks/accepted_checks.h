// What the modder accepted: a value of one file that is meant as it is, a
// group's rule relaxed to let a value pass (a range widened to it, a word
// added), or a column not checked at all. Kept in a small text file beside
// the variables file, read again next time, and read by the batch too:
//
//     Dravik 2 accepted checks<TAB>version 1
//     value<TAB>units/t34.desc<TAB><TAB>section1<TAB>armor <TAB>2<TAB>4500
//     group<TAB><TAB>folder=units/tanks<TAB>section1<TAB>armor <TAB>2<TAB>4500
//     column<TAB><TAB><TAB>section1<TAB>armor <TAB>2<TAB>
//
// Each line: what, the file (its path below the mod's folder, "/" between
// folders), the group ("folder=" and its folders, or "key=" and the sorting
// value; empty for a column's rule over all its files), the section as the
// variables file heads it, the key as the variables file writes it, the value number, the value.
// Text in the desc files' code page, CR LF line ends, lines sorted, so that
// the same choices always make the same file.
#pragma once

#include "core/checks/table_columns.h"

#include <compare>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

struct AcceptedEntry {
    enum class What : std::uint8_t {
        Value,   // this value of this file's cell
        Group,   // the group's rule lets this value pass
        Column,  // the column is not checked
    };
    What what = What::Value;
    std::string file;
    std::string group;
    CheckColumn column;
    std::string value;
    auto operator<=>(const AcceptedEntry&) const = default;
};

class AcceptedChecks {
public:
    // False when the entry was there already, or was not.
    bool add(const AcceptedEntry& entry) { return entries_.insert(entry).second; }
    bool remove(const AcceptedEntry& entry) { return entries_.erase(entry) > 0; }
    bool contains(const AcceptedEntry& entry) const { return entries_.count(entry) > 0; }
    const std::set<AcceptedEntry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    bool operator==(const AcceptedChecks&) const = default;

private:
    std::set<AcceptedEntry> entries_;
};

inline constexpr const char* kAcceptedFormat = "Dravik 2 accepted checks";
inline constexpr int kAcceptedVersion = 1;

// The accepted file of a variables file: "<variables file>.accepted".
std::string AcceptedFilePath(const std::string& variablesFile);

// The file's bytes; entries with a field that does not fit are left out.
std::string AcceptedText(const AcceptedChecks& accepted);
// Throws DravikError naming the file (`name`) and the first line that is
// not an entry, or a header of another kind or a later version.
AcceptedChecks ReadAcceptedText(std::string_view bytes, const std::string& name);
// An accepted file that does not exist accepts nothing.
AcceptedChecks ReadAcceptedFile(const std::string& path);
// Written durably, as every file the program writes.
void WriteAcceptedFile(const std::string& path, const AcceptedChecks& accepted);

}  // namespace dravik
