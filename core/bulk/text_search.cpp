#include "core/bulk/text_search.h"

#include <iterator>
#include <locale>
#include <regex>

namespace dravik {

namespace {

using Mask = std::ctype_base::mask;

struct CaseTables {
    std::array<Mask, 256> classTable{};
    std::array<char, 256> lowerOf{};
    std::array<char, 256> upperOf{};

    explicit CaseTables(const CodePage& codePage)
    {
        const Mask* classic = std::ctype<char>::classic_table();
        for (int b = 0; b < 256; ++b) {
            classTable[b] = classic[b];
            lowerOf[b] = static_cast<char>(codePage.lower(static_cast<unsigned char>(b)));
            upperOf[b] = static_cast<char>(b);
        }
        for (int b = 0; b < 256; ++b) {
            const unsigned char l = codePage.lower(static_cast<unsigned char>(b));
            if (l != b)
                upperOf[l] = static_cast<char>(b);
        }
        // Letters beyond ASCII, so that \w and [[:alpha:]] know them.
        for (int b = 128; b < 256; ++b) {
            const bool isUpper = static_cast<unsigned char>(lowerOf[b]) != b;
            const bool isLower = static_cast<unsigned char>(upperOf[b]) != b;
            if (isUpper || isLower)
                classTable[b] = static_cast<Mask>(std::ctype_base::alpha | std::ctype_base::print | std::ctype_base::graph |
                                               (isUpper ? std::ctype_base::upper : std::ctype_base::lower));
        }
    }
};

// The tables come first so that std::ctype<char> can be handed its own.
class CodePageCtype : private CaseTables, public std::ctype<char> {
public:
    explicit CodePageCtype(const CodePage& codePage) : CaseTables(codePage), std::ctype<char>(classTable.data()) {}

    const char* lowerTable() const { return lowerOf.data(); }

protected:
    char do_tolower(char c) const override { return lowerOf[static_cast<unsigned char>(c)]; }
    char do_toupper(char c) const override { return upperOf[static_cast<unsigned char>(c)]; }
    const char* do_tolower(char* begin, const char* end) const override
    {
        for (; begin != end; ++begin)
            *begin = do_tolower(*begin);
        return end;
    }
    const char* do_toupper(char* begin, const char* end) const override
    {
        for (; begin != end; ++begin)
            *begin = do_toupper(*begin);
        return end;
    }
};

// The standard traits, but folding by table: the standard ones ask the
// locale for its character type on every character compared.
class CodePageRegexTraits : public std::regex_traits<char> {
public:
    locale_type imbue(locale_type locale)
    {
        locale_type old = std::regex_traits<char>::imbue(locale);
        const auto* ctype = dynamic_cast<const CodePageCtype*>(&std::use_facet<std::ctype<char>>(locale));
        lower_ = ctype ? ctype->lowerTable() : nullptr;
        return old;
    }
    char translate_nocase(char c) const
    {
        return lower_ ? lower_[static_cast<unsigned char>(c)] : std::regex_traits<char>::translate_nocase(c);
    }

private:
    const char* lower_ = nullptr;  // owned by the imbued locale's facet
};

}  // namespace

// The pattern's regular expression over a locale that folds and classifies
// bytes as the code page does (\w and [[:alpha:]] know its letters).
struct TextSearch::Regex {
    std::basic_regex<char, CodePageRegexTraits> expression;
};

TextSearch::TextSearch(std::string_view pattern, const CodePage& codePage, SearchOptions options)
    : options_(options), pattern_(pattern)
{
    if (pattern.empty())
        throw SyntaxError(1, "Expected the text to find");
    for (int b = 0; b < 256; ++b)
        lower_[b] = codePage.lower(static_cast<unsigned char>(b));
    if (options.regex) {
        auto regex = std::make_shared<Regex>();
        regex->expression.imbue(std::locale(std::locale::classic(), new CodePageCtype(codePage)));
        auto flags = std::regex_constants::ECMAScript;
        if (!options.matchCase)
            flags |= std::regex_constants::icase;
        try {
            regex->expression.assign(pattern_, flags);
        } catch (const std::regex_error& error) {
            throw SyntaxError(1, std::string("Not a regular expression (") + error.what() + ")");
        }
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
        const char* begin = text.data();
        return options_.wholeCell ? std::regex_match(begin, begin + text.size(), regex_->expression)
                                  : std::regex_search(begin, begin + text.size(), regex_->expression);
    }
    return options_.wholeCell ? equalPlain(text) : findPlain(text, 0) != std::string_view::npos;
}

std::vector<TextMatch> TextSearch::findAll(std::string_view text) const
{
    std::vector<TextMatch> matches;
    if (options_.wholeCell) {
        if (found(text))
            matches.push_back({0, text.size()});
        return matches;
    }
    if (regex_) {
        const char* begin = text.data();
        for (std::regex_iterator<const char*, char, CodePageRegexTraits> it(begin, begin + text.size(), regex_->expression), end; it != end; ++it)
            if (it->length(0) > 0)
                matches.push_back({static_cast<size_t>(it->position(0)), static_cast<size_t>(it->length(0))});
        return matches;
    }
    for (size_t at = findPlain(text, 0); at != std::string_view::npos; at = findPlain(text, at + pattern_.size()))
        matches.push_back({at, pattern_.size()});
    return matches;
}

bool TextSearch::replaceAll(std::string_view text, std::string_view replacement, std::string& out) const
{
    if (regex_) {
        const char* begin = text.data();
        const char* end = begin + text.size();
        const std::string format(replacement);
        if (options_.wholeCell) {
            std::cmatch match;
            if (!std::regex_match(begin, end, match, regex_->expression))
                return false;
            out = match.format(format);
            return true;
        }
        if (!std::regex_search(begin, end, regex_->expression))
            return false;
        out.clear();
        std::regex_replace(std::back_inserter(out), begin, end, regex_->expression, format);
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
