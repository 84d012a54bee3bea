#include "tests/core/schema/literal_reference.h"

#include "core/errors.h"
#include "core/text/whole_number.h"

namespace dravik::literal {

namespace {

bool Control(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && Control(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && Control(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

long KeyLine(const std::vector<std::string>& lines, std::string_view key, const CodePage& codePage)
{
    long found = -1;
    if (key.empty())
        return found;
    const std::string wanted = codePage.lowered(key);
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].size() >= key.size() && codePage.lowered(std::string_view(lines[i]).substr(0, key.size())) == wanted)
            found = static_cast<long>(i);
    return found;
}

std::string GetKeyValue(const std::vector<std::string>& lines, std::string_view key, const CodePage& codePage)
{
    const long line = KeyLine(lines, key, codePage);
    if (line < 0)
        return " ";
    return std::string(Trimmed(std::string_view(lines[static_cast<size_t>(line)]).substr(key.size())));
}

std::string EntryName(const std::vector<std::string>& entries, size_t k)
{
    const std::string& entry = entries.at(k);
    const size_t eq = entry.find('=');
    return eq == std::string::npos ? std::string() : entry.substr(0, eq);
}

int EntryCount(const std::vector<std::string>& entries, const std::string& name, const CodePage& codePage)
{
    std::string text;
    for (const auto& entry : entries) {
        const size_t eq = entry.find('=');
        if (eq == std::string::npos)
            continue;  // its name is empty, but it has no count text either
        if (codePage.lowered(std::string_view(entry).substr(0, eq)) == codePage.lowered(name)) {
            text = entry.substr(eq + 1);
            break;
        }
    }
    const auto count = ParseWholeNumber(text);
    if (!count)
        throw DravikError(NotAValidIntegerMessage(text));
    return *count;
}

std::vector<std::string> BlankWords(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : std::string(Trimmed(text)) + ' ') {
        if (c == ' ') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

}  // namespace dravik::literal
