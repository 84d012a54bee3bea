#include "core/schema/key_lookup.h"

#include "core/text/dravik2_auxillary.h"

#include <algorithm>
#include <map>

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

KeyLineIndex::KeyLineIndex(const std::vector<std::string>& lines, size_t longestKey, const CodePage& codePage,
                           const FirstBytes* firstBytes)
    : lines_(lines), longestKey_(longestKey), codePage_(codePage), firstBytes_(firstBytes)
{
    startOfLine_.resize(lines.size());
    sorted_.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || (firstBytes && !(*firstBytes)[codePage.lower(static_cast<unsigned char>(line[0]))]))
            continue;
        startOfLine_[i] = codePage.lowered(std::string_view(line).substr(0, std::min(line.size(), longestKey)));
        sorted_.emplace_back(startOfLine_[i], i);
    }
    std::sort(sorted_.begin(), sorted_.end());
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
    long found = kNoLine;
    auto it = std::lower_bound(sorted_.begin(), sorted_.end(), std::pair<std::string_view, size_t>(wanted, 0));
    for (; it != sorted_.end() && it->first.substr(0, wanted.size()) == wanted; ++it)
        found = std::max(found, static_cast<long>(it->second));
    return found;
}

void KeyLineIndex::lineChanged(size_t index, const std::string& line)
{
    auto old = std::lower_bound(sorted_.begin(), sorted_.end(),
                                std::pair<std::string_view, size_t>(startOfLine_[index], index));
    if (old != sorted_.end() && old->second == index && old->first == startOfLine_[index])
        sorted_.erase(old);
    if (line.empty() || (firstBytes_ && !(*firstBytes_)[codePage_.lower(static_cast<unsigned char>(line[0]))])) {
        startOfLine_[index].clear();
        return;
    }
    startOfLine_[index] = codePage_.lowered(std::string_view(line).substr(0, std::min(line.size(), longestKey_)));
    // The string may have moved (no longer in its small buffer): refresh views.
    std::pair<std::string_view, size_t> entry(startOfLine_[index], index);
    sorted_.insert(std::lower_bound(sorted_.begin(), sorted_.end(), entry), entry);
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
