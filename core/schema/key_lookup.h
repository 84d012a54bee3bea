// Finding a key's line in a desc text.
//
// A key line is a line whose first L characters equal the key ignoring case
// (L being the key's length); when several lines start with a key, the last
// one is the key's line, for reading and for writing alike. The lookup runs
// over every line of the text, whatever section it is in.
#pragma once

#include "core/text/code_page.h"
#include "core/text/text_lines.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravik {

inline constexpr long kNoLine = -1;

// The value text of a key whose line is `keyLine`: the rest of the line
// after the key's length, with characters 0 to 32 removed at both ends; one
// blank for a key the text lacks (kNoLine).
std::string ValueOfKeyLine(const std::vector<std::string>& lines, long keyLine, size_t keyLength);

// The literal lookup, a scan of the whole text per call; an empty key
// matches no line.
long FindKeyLine(const std::vector<std::string>& lines, std::string_view key, const CodePage& codePage);

// The folded first bytes of a set of keys: lines that start with none of
// them cannot be the line of any of those keys.
using FirstBytes = std::array<bool, 256>;

// The same answers as FindKeyLine for many keys over one text: the lines'
// folded starts, sorted, so each key is a binary search for the run of starts
// it begins, and the last line of that run is read from a tree of maxima, so
// that a key that begins thousands of lines (keys that are prefixes of each
// other) costs no more than any other. Keys longer than `longestKey`, and keys
// outside `firstBytes` when it is given, are answered by a scan.
class KeyLineIndex {
public:
    KeyLineIndex(const std::vector<std::string>& lines, size_t longestKey, const CodePage& codePage,
                 const FirstBytes* firstBytes = nullptr);
    ~KeyLineIndex();
    KeyLineIndex(const KeyLineIndex&) = delete;
    KeyLineIndex& operator=(const KeyLineIndex&) = delete;

    long find(std::string_view key) const;
    // The same for a key already folded under the code page.
    long findFolded(std::string_view foldedKey) const;
    // Line `index` of the text now reads `line`.
    void lineChanged(size_t index, const std::string& line);

private:
    class RewrittenStarts;
    enum class Held : unsigned char { nowhere, sorted, rewritten };

    bool indexed(const std::string& line) const;
    std::string startOf(const std::string& line) const;
    long lastInSorted(std::string_view wanted) const;
    void setSortedLine(size_t position, long line);

    const std::vector<std::string>& lines_;
    size_t longestKey_;
    const CodePage& codePage_;
    const FirstBytes* firstBytes_;
    // The starts of the lines as the index was built; never changed, since
    // sorted_ views them.
    std::vector<std::string> startOfLine_;
    std::vector<std::pair<std::string_view, size_t>> sorted_;
    // Over sorted_'s positions: leaves from sorted_.size() on, each the line
    // of its entry or kNoLine once that line was rewritten; each inner node
    // the greater of its two children.
    std::vector<long> maxima_;
    std::vector<Held> held_;
    // Lines rewritten since the index was built, by their new starts.
    std::unique_ptr<RewrittenStarts> rewritten_;
};

}  // namespace dravik
