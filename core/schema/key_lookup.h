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
#include <cstdint>
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
// The same as a view into the lines.
std::string_view KeyValueView(const std::vector<std::string_view>& lines, long keyLine, size_t keyLength);

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

// The lines of many keys in one pass over a text, for a text read once (Open
// desc): the keys form a tree of their bytes, and each line walks down it
// from its first byte, so a line costs a step per byte of the longest key it
// starts, whatever the number of keys, and a line that starts no key stops
// at its first byte. Finds for every key the line FindKeyLine finds.
class KeyLineScan {
public:
    // The keys, folded under the code page, by number; an empty key matches
    // no line. The nodes' edges are laid out as one table, a step a byte,
    // when it takes no more than `tableLimit` entries; beyond that, which
    // only a schema of a great many keys reaches, each node's edges are searched.
    explicit KeyLineScan(const std::vector<std::string>& foldedKeys, size_t tableLimit = kTableLimit);
    static constexpr size_t kTableLimit = size_t{1} << 20;  // 4 MB

    // The line of every key by its number, kNoLine for none.
    void find(const std::vector<std::string_view>& lines, const CodePage& codePage, std::vector<long>& keyLines) const;

private:
    // A node is the bytes read so far: the keys that end there, and the
    // nodes one byte further, their bytes side by side.
    struct Node {
        std::uint32_t firstKey = 0, keyCount = 0;
        std::uint32_t firstEdge = 0, edgeCount = 0;
    };
    // The node one folded byte further, 0 for none (the root is nobody's child).
    std::uint32_t next(std::uint32_t node, unsigned char byte) const;

    size_t keyCount_ = 0;
    std::vector<Node> nodes_;  // the root first
    std::vector<size_t> keys_;
    std::string edgeBytes_;
    std::vector<std::uint32_t> edgeNodes_;
    // The table: the bytes the keys use numbered from 1 (0 for the others),
    // and per node one entry per number.
    std::array<std::uint16_t, 256> byteNumber_{};
    size_t numbers_ = 1;
    std::vector<std::uint32_t> table_;
};

}  // namespace dravik
