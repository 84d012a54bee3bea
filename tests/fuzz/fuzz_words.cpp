// The word, path, number and key routines against plain references: the
// key index must answer as the literal scan does (also after lines change),
// and GetWord must follow its position-by-position definition.
#include "core/text/code_page.h"
#include "core/text/dravik2_auxillary.h"
#include "core/schema/key_lookup.h"
#include "core/text/text_lines.h"
#include "core/text/whole_number.h"
#include "tests/core/schema/literal_reference.h"
#include "tests/fuzz/fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <optional>

using namespace dravik;

namespace {

bool Control(char c) { return static_cast<unsigned char>(c) <= 32; }

// GetWord by its definition: S is the trimmed text plus one delimiter,
// positions from 1; word starts follow a delimiter.
std::string ReferenceWord(char delimiter, std::string_view text, int n)
{
    std::size_t b = 0, e = text.size();
    while (b < e && Control(text[b])) ++b;
    while (e > b && Control(text[e - 1])) --e;
    const std::string s = std::string(text.substr(b, e - b)) + delimiter;
    auto at = [&](std::size_t p) { return s[p - 1]; };
    std::size_t start = 1;
    if (n > 0) {
        int starts = 0;
        for (std::size_t p = 2; p <= s.size(); ++p)
            if (at(p) != delimiter && at(p - 1) == delimiter) {
                start = p;
                if (++starts == n)
                    break;
            }
    }
    for (std::size_t q = start; q < s.size(); ++q)
        if (at(q) != delimiter && at(q + 1) == delimiter)
            return s.substr(start - 1, q - start + 1);
    return s.substr(start - 1);
}

std::optional<std::int32_t> ReferenceNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::string_view rest = text.substr(i);
    std::string_view hex;
    if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X'))
        hex = rest.substr(1);
    else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
        hex = rest.substr(2);
    else {
        if (rest.empty()) return std::nullopt;
        for (char c : rest)
            if (c < '0' || c > '9') return std::nullopt;
        std::size_t z = 0;
        while (z + 1 < rest.size() && rest[z] == '0') ++z;
        const std::string digits(rest.substr(z));
        const std::string limit = negative ? "2147483648" : "2147483647";
        if (digits.size() > 10 || (digits.size() == 10 && digits > limit)) return std::nullopt;
        const long long value = std::stoll(digits);
        return static_cast<std::int32_t>(negative ? -value : value);
    }
    if (hex.empty() || hex.size() > 8) return std::nullopt;
    std::uint32_t pattern = 0;
    for (char c : hex) {
        int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
        if (d < 0) return std::nullopt;
        pattern = pattern * 16 + static_cast<std::uint32_t>(d);
    }
    return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CodePage cyrillic = CodePage::Named("windows-1251");
    if (size < 2)
        return 0;
    const char delimiter = static_cast<char>(data[0]);
    const int n = data[1] % 24;
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);

    // Trim.
    const std::string_view trimmed = Trim(text);
    FUZZ_CHECK(trimmed.empty() || (!Control(trimmed.front()) && !Control(trimmed.back())), fuzz::Shown(text));
    const std::size_t at = static_cast<std::size_t>(trimmed.data() - text.data());
    FUZZ_CHECK(at + trimmed.size() <= text.size(), fuzz::Shown(text));
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i < at || i >= at + trimmed.size())
            FUZZ_CHECK(Control(text[i]), fuzz::Shown(text));

    // GetWord and WordCount.
    for (int k : {0, 1, n, n + 7}) {
        FUZZ_CHECK(GetWord(delimiter, text, k) == ReferenceWord(delimiter, text, k), fuzz::Shown(text));
    }
    const std::vector<std::string> words = literal::BlankWords(text);
    FUZZ_CHECK(WordCount(text) == static_cast<int>(words.size()), fuzz::Shown(text));
    const std::string word = GetWord(' ', text, n);
    if (words.empty())
        FUZZ_CHECK(word == " ", fuzz::Shown(text));
    else
        FUZZ_CHECK(word == words[std::min<std::size_t>(static_cast<std::size_t>(n), words.size() - 1)], fuzz::Shown(text));

    // Paths: the two parts make the whole, split at the last separator.
    const std::string folder = PathOfFile(text);
    const std::string name = NameOfFile(text);
    FUZZ_CHECK(folder + name == text, fuzz::Shown(text));
    FUZZ_CHECK(name.find(kPathSeparator) == std::string::npos, fuzz::Shown(text));
    FUZZ_CHECK(folder.empty() || folder.back() == kPathSeparator, fuzz::Shown(text));

    // Whole numbers, on the text and on each of its words.
    FUZZ_CHECK(ParseWholeNumber(text) == ReferenceNumber(text), fuzz::Shown(text));
    for (const auto& w : words)
        FUZZ_CHECK(ParseWholeNumber(w) == ReferenceNumber(w), fuzz::Shown(w));

    // Keys: the text's lines, with keys cut from the starts of its lines so
    // that matches are common.
    TextLines desc = SplitLines(text);
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < desc.lines.size() && keys.size() < 12; ++i) {
        const std::string& line = desc.lines[i];
        const std::size_t length = (static_cast<std::size_t>(data[1]) + i * 3) % (line.size() + 2);
        keys.push_back(line.substr(0, std::min(length, line.size())) + (length > line.size() ? "x" : ""));
    }
    keys.push_back(std::string(1, delimiter));
    std::size_t longest = 0;
    FirstBytes firstBytes{};
    for (const auto& key : keys) {
        longest = std::max(longest, key.size());
        if (!key.empty())
            firstBytes[cyrillic.lower(static_cast<unsigned char>(key[0]))] = true;
    }
    for (const auto& key : keys) {
        const long scanned = FindKeyLine(desc.lines, key, cyrillic);
        FUZZ_CHECK(scanned == literal::KeyLine(desc.lines, key, cyrillic), fuzz::Shown(key));
        const std::string value = literal::GetKeyValue(desc.lines, key, cyrillic);
        FUZZ_CHECK(value == (scanned == kNoLine ? std::string(" ") : std::string(Trim(std::string_view(desc.lines[static_cast<std::size_t>(scanned)]).substr(key.size())))),
                   fuzz::Shown(key));
    }
    for (std::size_t limit : {longest, longest / 2, std::size_t{1}}) {
        for (const FirstBytes* filter : {static_cast<const FirstBytes*>(nullptr), static_cast<const FirstBytes*>(&firstBytes)}) {
            std::vector<std::string> lines = desc.lines;
            KeyLineIndex index(lines, limit, cyrillic, filter);
            for (std::size_t round = 0; round < 3; ++round) {
                for (const auto& key : keys) {
                    FUZZ_CHECK(index.find(key) == FindKeyLine(lines, key, cyrillic), fuzz::Shown(key));
                    FUZZ_CHECK(ValueOfKeyLine(lines, index.find(key), key.size()) ==
                                   literal::GetKeyValue(lines, key, cyrillic),
                               fuzz::Shown(key));
                }
                // Rewrite a found line as Save all does, and an arbitrary one.
                if (lines.empty())
                    break;
                const std::string& key = keys[round % keys.size()];
                long line = index.find(key);
                if (line == kNoLine)
                    line = static_cast<long>((round * 7 + static_cast<std::size_t>(n)) % lines.size());
                lines[static_cast<std::size_t>(line)] = round == 1 ? std::string() : key + " " + std::to_string(round) + " ";
                index.lineChanged(static_cast<std::size_t>(line), lines[static_cast<std::size_t>(line)]);
            }
        }
    }
    return 0;
}
