#include "core/text/code_page.h"

#include "core/errors.h"
#include "core/text/system_text.h"

#include <algorithm>

namespace dravik {

namespace {

// Characters of bytes 0x80..0xFF. Bytes a code page leaves undefined decode to
// the C1 control of the same number, so that they still round-trip.
constexpr std::array<char32_t, 128> kWindows1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr std::array<char32_t, 128> kWindows1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7, 0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7, 0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

std::array<char32_t, 128> Latin1()
{
    std::array<char32_t, 128> table{};
    for (int i = 0; i < 128; ++i)
        table[i] = static_cast<char32_t>(0x80 + i);
    return table;
}

// Simple lower-case mapping of the scripts single-byte code pages carry:
// Latin, Latin-1, Latin Extended-A, Greek and Cyrillic.
char32_t UnicodeLower(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    if (c >= 0x0100 && c <= 0x017F) {
        if (c == 0x0130 || c == 0x0131 || c == 0x0138 || c == 0x0149 || c == 0x017F)
            return c;
        if (c == 0x0178)
            return 0x00FF;
        const bool oddUpper = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
        if (oddUpper)
            return (c % 2 == 1) ? c + 1 : c;
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2)
        return c + 32;
    if (c == 0x0386)
        return 0x03AC;
    if (c >= 0x0388 && c <= 0x038A)
        return c + 37;
    if (c == 0x038C)
        return 0x03CC;
    if (c == 0x038E || c == 0x038F)
        return c + 63;
    if (c >= 0x0400 && c <= 0x040F)
        return c + 0x50;
    if (c >= 0x0410 && c <= 0x042F)
        return c + 0x20;
    if (c >= 0x0460 && c <= 0x04FF && c % 2 == 0 && !(c >= 0x0482 && c <= 0x0489))
        return c + 1;
    return c;
}

}  // namespace

CodePage BuildCodePage(const std::string& name, const std::array<char32_t, 128>& high)
{
    CodePage page;
    page.name_ = name;
    for (int i = 0; i < 128; ++i)
        page.unicode_[i] = static_cast<char32_t>(i);
    for (int i = 0; i < 128; ++i)
        page.unicode_[128 + i] = high[i];
    page.finish();
    return page;
}

void CodePage::finish()
{
    bytes_.clear();
    for (int b = 0; b < 256; ++b)
        bytes_.emplace(unicode_[b], static_cast<unsigned char>(b));
    for (int b = 0; b < 256; ++b) {
        lower_[b] = static_cast<unsigned char>(b);
        auto found = bytes_.find(UnicodeLower(unicode_[b]));
        if (found != bytes_.end())
            lower_[b] = found->second;
    }
}

CodePage CodePage::Named(const std::string& requested)
{
    const std::string name = AsciiLowered(requested);
    if (name == "windows-1251" || name == "cp1251" || name == "1251")
        return BuildCodePage("windows-1251", kWindows1251);
    if (name == "windows-1252" || name == "cp1252" || name == "1252")
        return BuildCodePage("windows-1252", kWindows1252);
    if (name == "iso-8859-1" || name == "latin1" || name == "latin-1")
        return BuildCodePage("iso-8859-1", Latin1());
    // Any other number the system knows: take its own tables.
    std::string digits = name;
    for (const char* prefix : {"windows-", "cp"})
        if (digits.rfind(prefix, 0) == 0)
            digits = digits.substr(std::char_traits<char>::length(prefix));
    // Code page numbers have at most five digits; longer ones would overflow.
    std::array<char32_t, 128> high{};
    if (!digits.empty() && digits.size() <= 5 && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
        sys::SystemCodePageTable(static_cast<unsigned>(std::stoul(digits)), high)) {
        // Two bytes that map to one character would break the round trip:
        // keep the later one distinct as its C1 control.
        for (int i = 0; i < 128; ++i)
            for (int j = 0; j < i; ++j)
                if (high[i] == high[j])
                    high[i] = static_cast<char32_t>(0x80 + i);
        return BuildCodePage("windows-" + digits, high);
    }
    throw DravikError(Message(DRAVIK_TR("Errors", "Unknown code page \"%1\""), {requested}));
}

const CodePage& CodePage::Default()
{
    static const CodePage page = [] {
        try {
            return Named(sys::SystemCodePageName());
        } catch (const DravikError&) {
            return Named("windows-1252");
        }
    }();
    return page;
}

std::string CodePage::lowered(std::string_view text) const
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(lower_[static_cast<unsigned char>(c)]);
    return result;
}

bool CodePage::startsWithIgnoringCase(std::string_view line, std::string_view key) const
{
    if (line.size() < key.size())
        return false;
    for (size_t i = 0; i < key.size(); ++i)
        if (lower_[static_cast<unsigned char>(line[i])] != lower_[static_cast<unsigned char>(key[i])])
            return false;
    return true;
}

char CodePage::fromUnicode(char32_t ch) const
{
    auto found = bytes_.find(ch);
    return found == bytes_.end() ? '?' : static_cast<char>(found->second);
}

std::string AsciiLowered(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return result;
}

}  // namespace dravik
