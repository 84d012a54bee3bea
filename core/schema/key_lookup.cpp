#include "core/schema/key_lookup.h"

#include "core/text/dravik2_auxillary.h"

#include <algorithm>

namespace dravik {

std::string ValueOfKeyLine(const std::vector<std::string>& lines, long keyLine, size_t keyLength)
{
    if (keyLine == kNoLine)
        return " ";
    return std::string(Trim(std::string_view(lines[static_cast<size_t>(keyLine)]).substr(keyLength)));
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

}  // namespace dravik
