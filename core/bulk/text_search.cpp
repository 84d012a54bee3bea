#include "core/bulk/text_search.h"

#include <re2/re2.h>
#include <re2/stringpiece.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace dravik {

namespace {

// RE2 compiles a pattern into two thirds of this at most and keeps the rest
// for the automata it builds while matching. Patterns anyone types take a
// few kilobytes; one that needs more (100,000 nested groups, \pL{300}) is
// refused instead of taking the memory.
constexpr int64_t kRegexMemory = int64_t{2} << 20;

// Where the automata give up (a count after a class that overlaps it, as in
// [a-q][^u-z]{999}x, calls for more states than any memory holds), RE2 steps
// through the compiled program for every character of the cell: about 1.4 ns
// a step a character here, 13 s a megabyte for that pattern's 9,000 steps.
// Patterns anyone types compile to a few hundred steps, \pL alone to 1,200;
// beyond this many a pattern is refused, which holds that worst case to
// about 7 us a character.
constexpr int kMostProgramSteps = 5000;

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The length of the UTF-8 sequence a byte starts.
size_t SequenceLength(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

void AppendUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Positions in the decoded pattern, counted in the bytes of the pattern as
// typed (one character each), from 1.
size_t PositionAt(std::string_view pattern, size_t at)
{
    return 1 + static_cast<size_t>(std::count_if(pattern.begin(), pattern.begin() + static_cast<std::ptrdiff_t>(at),
                                                 [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Where a piece of the pattern starts; the pattern's start when RE2 names no
// piece or one not found in it.
size_t PositionOf(std::string_view pattern, const std::string& piece)
{
    const size_t at = piece.empty() ? std::string_view::npos : pattern.find(piece);
    return at == std::string_view::npos ? 1 : PositionAt(pattern, at);
}

// The largest count ({n} or {n,m}) of a pattern, and where it starts: the
// likeliest reason for a long program.
std::pair<std::string_view, size_t> LargestCount(std::string_view pattern)
{
    std::string_view largest;
    size_t at = 0;
    long most = -1;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '\\') {
            ++i;
            continue;
        }
        if (pattern[i] != '{')
            continue;
        size_t end = i + 1;
        long n = 0;
        while (end < pattern.size() && pattern[end] >= '0' && pattern[end] <= '9' && n < 100000)
            n = n * 10 + (pattern[end++] - '0');
        if (end == i + 1)
            continue;
        const size_t close = pattern.find('}', end);
        if (close != std::string_view::npos && n > most) {
            most = n;
            largest = pattern.substr(i, close + 1 - i);
            at = i;
        }
    }
    return {largest, at};
}

SyntaxError TooSlowPattern(std::string_view pattern, int steps)
{
    const auto [count, at] = LargestCount(pattern);
    if (count.empty())
        return SyntaxError(1, Message(DRAVIK_TR("Search", "The regular expression would search too slowly (it is %1 "
                                                          "steps long; at most %2 are allowed)"),
                                      {std::to_string(steps), std::to_string(kMostProgramSteps)}));
    return SyntaxError(PositionAt(pattern, at),
                       Message(DRAVIK_TR("Search", "The regular expression would search too slowly (%1 makes it %2 "
                                                   "steps long; at most %3 are allowed)"),
                               {count, std::to_string(steps), std::to_string(kMostProgramSteps)}));
}

// RE2's own words for what is wrong, which it writes in English.
std::optional<TextId> Re2Fault(RE2::ErrorCode code)
{
    switch (code) {
    case RE2::ErrorInternal: return DRAVIK_TR("Search", "unexpected error");
    case RE2::ErrorBadEscape: return DRAVIK_TR("Search", "invalid escape sequence");
    case RE2::ErrorBadCharClass: return DRAVIK_TR("Search", "invalid character class");
    case RE2::ErrorBadCharRange: return DRAVIK_TR("Search", "invalid character class range");
    case RE2::ErrorMissingBracket: return DRAVIK_TR("Search", "missing ]");
    case RE2::ErrorMissingParen: return DRAVIK_TR("Search", "missing )");
    case RE2::ErrorUnexpectedParen: return DRAVIK_TR("Search", "unexpected )");
    case RE2::ErrorTrailingBackslash: return DRAVIK_TR("Search", "trailing \\");
    case RE2::ErrorRepeatArgument: return DRAVIK_TR("Search", "no argument for repetition operator");
    case RE2::ErrorRepeatSize: return DRAVIK_TR("Search", "invalid repetition size");
    case RE2::ErrorRepeatOp: return DRAVIK_TR("Search", "bad repetition operator");
    case RE2::ErrorBadPerlOp: return DRAVIK_TR("Search", "invalid perl operator");
    case RE2::ErrorBadUTF8: return DRAVIK_TR("Search", "invalid UTF-8");
    case RE2::ErrorBadNamedCapture: return DRAVIK_TR("Search", "invalid named capture group");
    default: return std::nullopt;
    }
}

// RE2's message, "what: where" or "what", with its words translatable; as
// RE2 wrote it where it says something this program does not know.
Message Re2Message(const RE2& re)
{
    if (const std::optional<TextId> fault = Re2Fault(re.error_code())) {
        Message message = re.error_arg().empty() ? Message(*fault)
                                                 : Message(DRAVIK_TR("Search", "%1: %2"), {Message(*fault), re.error_arg()});
        if (message.english() == re.error())
            return message;
    }
    return Message(re.error());
}

SyntaxError RefusedPattern(const RE2& re, std::string_view pattern)
{
    const std::string& piece = re.error_arg();
    const size_t position = PositionOf(pattern, piece);
    switch (re.error_code()) {
    case RE2::ErrorPatternTooLarge:
        return SyntaxError(position, Message(DRAVIK_TR("Search", "The regular expression is too large")));
    case RE2::ErrorBadEscape:
        if (piece.size() == 2 && piece[1] >= '1' && piece[1] <= '9')
            return SyntaxError(position, Message(DRAVIK_TR("Search", "Back references (%1) are not supported in "
                                                                     "regular expressions"),
                                                 {piece}));
        break;
    case RE2::ErrorBadPerlOp:
        if (piece == "(?=" || piece == "(?!" || piece == "(?<")
            return SyntaxError(position, Message(DRAVIK_TR("Search", "Lookahead and lookbehind (%1) are not supported "
                                                                     "in regular expressions"),
                                                 {piece}));
        break;
    default:
        break;
    }
    return SyntaxError(position, Message(DRAVIK_TR("Search", "Not a regular expression (%1)"), {Re2Message(re)}));
}

}  // namespace

// The pattern compiled over the characters the code page decodes bytes to.
// Every byte decodes to a character of its own, so a text made of decoded
// cells and replacements encodes back to the very bytes it came from; text
// in ASCII is its own decoding and is matched as it stands.
struct TextSearch::Regex {
    CodePage codePage;
    std::array<std::string, 256> utf8;
    std::unique_ptr<RE2> re;

    explicit Regex(const CodePage& page) : codePage(page)
    {
        for (int b = 0; b < 256; ++b)
            AppendUtf8(codePage.toUnicode(static_cast<unsigned char>(b)), utf8[static_cast<size_t>(b)]);
    }

    void decode(std::string_view bytes, std::string& out) const
    {
        out.clear();
        out.reserve(bytes.size());
        for (char c : bytes)
            out += utf8[static_cast<unsigned char>(c)];
    }

    std::string encode(std::string_view text) const
    {
        std::string bytes;
        bytes.reserve(text.size());
        for (size_t i = 0; i < text.size();) {
            const auto lead = static_cast<unsigned char>(text[i]);
            const size_t n = std::min(SequenceLength(lead), text.size() - i);
            if (n == 1) {
                bytes += static_cast<char>(lead);
            } else {
                char32_t c = lead & (0xFF >> (n + 1));
                for (size_t k = 1; k < n; ++k)
                    c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
                bytes += codePage.fromUnicode(c);
            }
            i += n;
        }
        return bytes;
    }
};

TextSearch::TextSearch(std::string_view pattern, const CodePage& codePage, SearchOptions options)
    : options_(options), pattern_(pattern)
{
    if (pattern.empty())
        throw SyntaxError(1, Message(DRAVIK_TR("Search", "Expected the text to find")));
    for (int b = 0; b < 256; ++b)
        lower_[b] = codePage.lower(static_cast<unsigned char>(b));
    if (options.regex) {
        auto regex = std::make_shared<Regex>(codePage);
        std::string decoded;
        regex->decode(pattern, decoded);
        RE2::Options settings;
        settings.set_encoding(RE2::Options::EncodingUTF8);
        settings.set_case_sensitive(options.matchCase);
        settings.set_max_mem(kRegexMemory);
        settings.set_log_errors(false);
        regex->re = std::make_unique<RE2>(re2::StringPiece(decoded.data(), decoded.size()), settings);
        if (!regex->re->ok())
            throw RefusedPattern(*regex->re, decoded);
        // The reverse program finds where a match starts, for replacing: one
        // that did not compile would leave matches unreplaced, unsaid.
        const int forward = regex->re->ProgramSize();
        const int reverse = forward > kMostProgramSteps ? forward : regex->re->ReverseProgramSize();
        if (reverse < 0)
            throw SyntaxError(1, Message(DRAVIK_TR("Search", "The regular expression is too large")));
        if (std::max(forward, reverse) > kMostProgramSteps)
            throw TooSlowPattern(decoded, std::max(forward, reverse));
        regex_ = std::move(regex);
    } else if (!options.matchCase) {
        for (char& c : pattern_)
            c = static_cast<char>(lower_[static_cast<unsigned char>(c)]);
    }
}

size_t TextSearch::findPlain(std::string_view text, size_t from) const
{
    if (options_.matchCase)
        return text.find(pattern_, from);
    const size_t n = pattern_.size();
    if (text.size() < n)
        return std::string_view::npos;
    const unsigned char first = static_cast<unsigned char>(pattern_[0]);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const auto* needle = reinterpret_cast<const unsigned char*>(pattern_.data());
    for (size_t i = from, last = text.size() - n; i <= last; ++i) {
        if (lower_[bytes[i]] != first)
            continue;
        size_t k = 1;
        while (k < n && lower_[bytes[i + k]] == needle[k])
            ++k;
        if (k == n)
            return i;
    }
    return std::string_view::npos;
}

bool TextSearch::equalPlain(std::string_view text) const
{
    return text.size() == pattern_.size() && findPlain(text, 0) == 0;
}

bool TextSearch::found(std::string_view text) const
{
    if (regex_) {
        thread_local std::string decoded;
        std::string_view subject = text;
        if (!IsAscii(text)) {
            regex_->decode(text, decoded);
            subject = decoded;
        }
        return regex_->re->Match(re2::StringPiece(subject.data(), subject.size()), 0, subject.size(),
                                 options_.wholeCell ? RE2::ANCHOR_BOTH : RE2::UNANCHORED, nullptr, 0);
    }
    return options_.wholeCell ? equalPlain(text) : findPlain(text, 0) != std::string_view::npos;
}

namespace {

// The groups a replacement names: $0 to $99, one or two digits.
int HighestGroup(std::string_view format)
{
    int highest = 0;
    for (size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '$')
            continue;
        const char next = format[i + 1];
        if (next == '$') {
            ++i;
        } else if (next >= '0' && next <= '9') {
            int number = next - '0';
            if (i + 2 < format.size() && format[i + 2] >= '0' && format[i + 2] <= '9')
                number = number * 10 + (format[i + 2] - '0');
            highest = std::max(highest, number);
        }
    }
    return highest;
}

// The replacement for one match. `groups` holds the match and the groups
// asked for; a group beyond them or one that took no part adds nothing, a
// "$" that starts nothing stays itself.
void AppendReplacement(std::string_view format, std::string_view text, const std::vector<re2::StringPiece>& groups,
                       std::string& out)
{
    const size_t start = static_cast<size_t>(groups[0].data() - text.data());
    const size_t end = start + groups[0].size();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '$' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        const char next = format[i + 1];
        if (next == '$') {
            out += '$';
            ++i;
        } else if (next == '&') {
            out.append(text.substr(start, end - start));
            ++i;
        } else if (next == '`') {
            out.append(text.substr(0, start));
            ++i;
        } else if (next == '\'') {
            out.append(text.substr(end));
            ++i;
        } else if (next >= '0' && next <= '9') {
            size_t number = static_cast<size_t>(next - '0');
            ++i;
            if (i + 1 < format.size() && format[i + 1] >= '0' && format[i + 1] <= '9')
                number = number * 10 + static_cast<size_t>(format[++i] - '0');
            if (number < groups.size() && groups[number].data())
                out.append(groups[number].data(), groups[number].size());
        } else {
            out += '$';
        }
    }
}

}  // namespace

bool TextSearch::replaceAll(std::string_view text, std::string_view replacement, std::string& out) const
{
    if (regex_) {
        const bool ascii = IsAscii(text) && IsAscii(replacement);
        std::string decodedText;
        std::string decodedReplacement;
        if (!ascii) {
            regex_->decode(text, decodedText);
            regex_->decode(replacement, decodedReplacement);
        }
        const std::string_view subject = ascii ? text : std::string_view(decodedText);
        const std::string_view format = ascii ? replacement : std::string_view(decodedReplacement);
        const RE2& re = *regex_->re;
        // Only the groups the replacement names: finding a group's bounds
        // costs more than finding the match's.
        std::vector<re2::StringPiece> groups(
            static_cast<size_t>(std::min(HighestGroup(format), re.NumberOfCapturingGroups())) + 1);
        const re2::StringPiece whole(subject.data(), subject.size());
        const RE2::Anchor anchor = options_.wholeCell ? RE2::ANCHOR_BOTH : RE2::UNANCHORED;
        std::string result;
        bool any = false;
        size_t done = 0;
        for (size_t from = 0; from <= subject.size();) {
            if (!re.Match(whole, from, subject.size(), anchor, groups.data(), static_cast<int>(groups.size())))
                break;
            any = true;
            const size_t start = static_cast<size_t>(groups[0].data() - subject.data());
            const size_t end = start + groups[0].size();
            result.append(subject.substr(done, start - done));
            AppendReplacement(format, subject, groups, result);
            done = end;
            if (options_.wholeCell)
                break;
            // After an empty match the next one starts a character later.
            if (end > start)
                from = end;
            else if (end == subject.size())
                break;
            else
                from = end + SequenceLength(static_cast<unsigned char>(subject[end]));
        }
        if (!any)
            return false;
        result.append(subject.substr(done));
        out = ascii ? std::move(result) : regex_->encode(result);
        return true;
    }
    if (options_.wholeCell) {
        if (!equalPlain(text))
            return false;
        out.assign(replacement);
        return true;
    }
    size_t at = findPlain(text, 0);
    if (at == std::string_view::npos)
        return false;
    out.clear();
    size_t done = 0;
    for (; at != std::string_view::npos; at = findPlain(text, done)) {
        out.append(text.substr(done, at - done));
        out.append(replacement);
        done = at + pattern_.size();
    }
    out.append(text.substr(done));
    return true;
}

}  // namespace dravik
