#include "core/schema/key_lookup.h"

#include "core/text/dravik2_auxillary.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace dravik {

namespace {

template <typename Line>
std::string_view ValueOfLine(const std::vector<Line>& lines, long keyLine, size_t keyLength)
{
    if (keyLine == kNoLine)
        return " ";
    return Trim(std::string_view(lines[static_cast<size_t>(keyLine)]).substr(keyLength));
}

}  // namespace

std::string ValueOfKeyLine(const std::vector<std::string>& lines, long keyLine, size_t keyLength)
{
    return std::string(ValueOfLine(lines, keyLine, keyLength));
}

std::string_view KeyValueView(const std::vector<std::string_view>& lines, long keyLine, size_t keyLength)
{
    return ValueOfLine(lines, keyLine, keyLength);
}

long FindKeyLine(const std::vector<std::string>& lines, std::string_view key, const CodePage& codePage)
{
    if (key.empty())
        return kNoLine;
    long found = kNoLine;
    for (size_t i = 0; i < lines.size(); ++i)
        if (codePage.startsWithIgnoringCase(lines[i], key))
            found = static_cast<long>(i);
    return found;
}

// The starts of rewritten lines in a tree of their bytes, each node holding
// the last line below it: a key's answer is the node its bytes lead to.
// Nodes live in one vector, their children in a list through their
// siblings, so that a start costs no allocation per byte.
class KeyLineIndex::RewrittenStarts {
public:
    RewrittenStarts() : nodes_(1) {}

    long last(std::string_view start) const
    {
        size_t node = 0;
        for (char c : start) {
            node = child(node, static_cast<unsigned char>(c));
            if (node == 0)
                return kNoLine;
        }
        return nodes_[node].last;
    }

    void add(size_t line, std::string start)
    {
        size_t node = 0;
        for (char c : start) {
            nodes_[node].last = std::max(nodes_[node].last, static_cast<long>(line));
            node = childOrNew(node, static_cast<unsigned char>(c));
        }
        Node& end = nodes_[node];
        end.last = std::max(end.last, static_cast<long>(line));
        end.lines.insert(std::lower_bound(end.lines.begin(), end.lines.end(), line), line);
        starts_[line] = std::move(start);
    }

    void remove(size_t line)
    {
        auto found = starts_.find(line);
        std::vector<size_t> path{0};
        for (char c : found->second)
            path.push_back(child(path.back(), static_cast<unsigned char>(c)));
        starts_.erase(found);
        auto& lines = nodes_[path.back()].lines;
        lines.erase(std::lower_bound(lines.begin(), lines.end(), line));
        // Only the nodes whose last line this was need their last again;
        // above the first that keeps a later line, none do.
        for (auto node = path.rbegin(); node != path.rend() && nodes_[*node].last == static_cast<long>(line); ++node) {
            Node& n = nodes_[*node];
            n.last = n.lines.empty() ? kNoLine : static_cast<long>(n.lines.back());
            for (size_t c = n.firstChild; c != 0; c = nodes_[c].nextSibling)
                n.last = std::max(n.last, nodes_[c].last);
        }
    }

private:
    struct Node {
        size_t firstChild = 0;  // 0 for none: the root is no node's child
        size_t nextSibling = 0;
        unsigned char byte = 0;
        long last = kNoLine;
        std::vector<size_t> lines;  // whose start ends here, in order
    };

    size_t child(size_t node, unsigned char byte) const
    {
        size_t c = nodes_[node].firstChild;
        while (c != 0 && nodes_[c].byte != byte)
            c = nodes_[c].nextSibling;
        return c;
    }
    size_t childOrNew(size_t node, unsigned char byte)
    {
        if (const size_t existing = child(node, byte))
            return existing;
        Node added;
        added.byte = byte;
        added.nextSibling = nodes_[node].firstChild;
        nodes_.push_back(std::move(added));
        nodes_[node].firstChild = nodes_.size() - 1;
        return nodes_.size() - 1;
    }

    std::vector<Node> nodes_;
    std::unordered_map<size_t, std::string> starts_;  // each rewritten line's start
};

KeyLineIndex::KeyLineIndex(const std::vector<std::string>& lines, size_t longestKey, const CodePage& codePage,
                           const FirstBytes* firstBytes)
    : lines_(lines), longestKey_(longestKey), codePage_(codePage), firstBytes_(firstBytes),
      held_(lines.size(), Held::nowhere)
{
    startOfLine_.resize(lines.size());
    sorted_.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!indexed(lines[i]))
            continue;
        startOfLine_[i] = startOf(lines[i]);
        sorted_.emplace_back(startOfLine_[i], i);
        held_[i] = Held::sorted;
    }
    std::sort(sorted_.begin(), sorted_.end());
    const size_t count = sorted_.size();
    maxima_.assign(2 * count, kNoLine);
    for (size_t p = 0; p < count; ++p)
        maxima_[count + p] = static_cast<long>(sorted_[p].second);
    for (size_t p = count; p-- > 1;)
        maxima_[p] = std::max(maxima_[2 * p], maxima_[2 * p + 1]);
}

KeyLineIndex::~KeyLineIndex() = default;

bool KeyLineIndex::indexed(const std::string& line) const
{
    return !line.empty() && (!firstBytes_ || (*firstBytes_)[codePage_.lower(static_cast<unsigned char>(line[0]))]);
}

std::string KeyLineIndex::startOf(const std::string& line) const
{
    return codePage_.lowered(std::string_view(line).substr(0, std::min(line.size(), longestKey_)));
}

long KeyLineIndex::find(std::string_view key) const
{
    if (key.empty())
        return kNoLine;
    if (key.size() > longestKey_)
        return FindKeyLine(lines_, key, codePage_);
    return findFolded(codePage_.lowered(key));
}

long KeyLineIndex::findFolded(std::string_view wanted) const
{
    if (wanted.empty())
        return kNoLine;
    if (wanted.size() > longestKey_ || (firstBytes_ && !(*firstBytes_)[static_cast<unsigned char>(wanted[0])]))
        return FindKeyLine(lines_, wanted, codePage_);
    const long sorted = lastInSorted(wanted);
    return rewritten_ ? std::max(sorted, rewritten_->last(wanted)) : sorted;
}

long KeyLineIndex::lastInSorted(std::string_view wanted) const
{
    auto begins = [&](const std::pair<std::string_view, size_t>& entry) {
        return entry.first.substr(0, wanted.size()) == wanted;
    };
    const auto first = std::lower_bound(sorted_.begin(), sorted_.end(), std::pair<std::string_view, size_t>(wanted, 0));
    // Most keys begin a few lines: those are read one by one.
    const size_t count = sorted_.size();
    long found = kNoLine;
    auto it = first;
    for (int step = 0; step < 8 && it != sorted_.end(); ++step, ++it) {
        if (!begins(*it))
            return found;
        found = std::max(found, maxima_[count + static_cast<size_t>(it - sorted_.begin())]);
    }
    const auto end = std::partition_point(it, sorted_.end(), begins);
    // The greatest leaf of [lo, hi), climbing the tree of maxima.
    for (size_t lo = count + static_cast<size_t>(it - sorted_.begin()), hi = count + static_cast<size_t>(end - sorted_.begin());
         lo < hi; lo /= 2, hi /= 2) {
        if (lo % 2 == 1)
            found = std::max(found, maxima_[lo++]);
        if (hi % 2 == 1)
            found = std::max(found, maxima_[--hi]);
    }
    return found;
}

void KeyLineIndex::setSortedLine(size_t position, long line)
{
    size_t p = sorted_.size() + position;
    maxima_[p] = line;
    for (p /= 2; p >= 1; p /= 2)
        maxima_[p] = std::max(maxima_[2 * p], maxima_[2 * p + 1]);
}

void KeyLineIndex::lineChanged(size_t index, const std::string& line)
{
    if (held_[index] == Held::sorted) {
        const std::pair<std::string_view, size_t> entry(startOfLine_[index], index);
        setSortedLine(static_cast<size_t>(std::lower_bound(sorted_.begin(), sorted_.end(), entry) - sorted_.begin()),
                      kNoLine);
    } else if (held_[index] == Held::rewritten) {
        rewritten_->remove(index);
    }
    held_[index] = Held::nowhere;
    if (!indexed(line))
        return;
    if (!rewritten_)
        rewritten_ = std::make_unique<RewrittenStarts>();
    rewritten_->add(index, startOf(line));
    held_[index] = Held::rewritten;
}

KeyLineScan::KeyLineScan(const std::vector<std::string>& foldedKeys, size_t tableLimit) : keyCount_(foldedKeys.size())
{
    // Built as a tree of maps, then laid out flat, each node's edges and
    // keys side by side.
    struct Building {
        std::map<unsigned char, size_t> next;
        std::vector<size_t> keys;
    };
    std::vector<Building> tree(1);
    for (size_t k = 0; k < foldedKeys.size(); ++k) {
        if (foldedKeys[k].empty())
            continue;
        size_t node = 0;
        for (const char c : foldedKeys[k]) {
            const auto [edge, added] = tree[node].next.try_emplace(static_cast<unsigned char>(c), tree.size());
            node = edge->second;
            if (added)
                tree.emplace_back();  // after reading the edge: the nodes may move
        }
        tree[node].keys.push_back(k);
    }
    nodes_.resize(tree.size());
    for (size_t n = 0; n < tree.size(); ++n) {
        Node& node = nodes_[n];
        node.firstKey = static_cast<std::uint32_t>(keys_.size());
        node.keyCount = static_cast<std::uint32_t>(tree[n].keys.size());
        keys_.insert(keys_.end(), tree[n].keys.begin(), tree[n].keys.end());
        node.firstEdge = static_cast<std::uint32_t>(edgeBytes_.size());
        node.edgeCount = static_cast<std::uint32_t>(tree[n].next.size());
        for (const auto& [byte, next] : tree[n].next) {
            edgeBytes_ += static_cast<char>(byte);
            edgeNodes_.push_back(static_cast<std::uint32_t>(next));
            if (byteNumber_[byte] == 0)
                byteNumber_[byte] = static_cast<std::uint16_t>(numbers_++);
        }
    }
    if (nodes_.size() * numbers_ > tableLimit)
        return;
    table_.resize(nodes_.size() * numbers_);
    for (size_t n = 0; n < nodes_.size(); ++n)
        for (std::uint32_t e = 0; e < nodes_[n].edgeCount; ++e) {
            const auto byte = static_cast<unsigned char>(edgeBytes_[nodes_[n].firstEdge + e]);
            table_[n * numbers_ + byteNumber_[byte]] = edgeNodes_[nodes_[n].firstEdge + e];
        }
}

std::uint32_t KeyLineScan::next(std::uint32_t node, unsigned char byte) const
{
    if (!table_.empty())
        return table_[node * numbers_ + byteNumber_[byte]];
    // A node has few edges: a plain loop beats a call.
    const Node& from = nodes_[node];
    const char* edges = edgeBytes_.data() + from.firstEdge;
    for (std::uint32_t edge = 0; edge < from.edgeCount; ++edge)
        if (edges[edge] == static_cast<char>(byte))
            return edgeNodes_[from.firstEdge + edge];
    return 0;
}

void KeyLineScan::find(const std::vector<std::string_view>& lines, const CodePage& codePage,
                       std::vector<long>& keyLines) const
{
    keyLines.assign(keyCount_, kNoLine);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        std::uint32_t node = 0;
        for (size_t depth = 0;; ++depth) {
            const Node& at = nodes_[node];
            for (std::uint32_t k = 0; k < at.keyCount; ++k)
                keyLines[keys_[at.firstKey + k]] = static_cast<long>(i);  // a later line wins
            if (depth == line.size() || at.edgeCount == 0)
                break;
            node = next(node, codePage.lower(static_cast<unsigned char>(line[depth])));
            if (node == 0)
                break;
        }
    }
}

}  // namespace dravik
