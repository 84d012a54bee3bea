// The single-byte code page the program's text is in.
//
// Text stays bytes everywhere; this object is the one place that decodes a
// byte for display and folds letter case, so that display and comparisons
// agree on every platform. Every byte decodes to a distinct character and
// encodes back to itself.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

namespace dravik {

class CodePage {
public:
    // Known names: "windows-1251" (also "cp1251", "1251"), "windows-1252",
    // "iso-8859-1" (also "latin1"). On Windows any number the system knows
    // ("cp866", "1250", ...) is built from the system's own tables.
    // Throws DravikError for an unknown name.
    static CodePage Named(const std::string& name);

    // The program's default: the ANSI code page on Windows, windows-1251 elsewhere.
    static const CodePage& Default();

    const std::string& name() const { return name_; }

    unsigned char lower(unsigned char byte) const { return lower_[byte]; }
    std::string lowered(std::string_view text) const;
    // True when the first key.size() bytes of line equal key, ignoring case.
    bool startsWithIgnoringCase(std::string_view line, std::string_view key) const;

    char32_t toUnicode(unsigned char byte) const { return unicode_[byte]; }
    // The byte of a character, or '?' when the code page has none for it.
    char fromUnicode(char32_t ch) const;

private:
    std::string name_;
    std::array<unsigned char, 256> lower_{};
    std::array<char32_t, 256> unicode_{};
    std::unordered_map<char32_t, unsigned char> bytes_;

    void finish();  // builds the reverse table and the lower-case table
    friend CodePage BuildCodePage(const std::string&, const std::array<char32_t, 128>&);
};

// Folds only the letters A to Z (the analyzer's and the import labels' rule).
std::string AsciiLowered(std::string_view text);

}  // namespace dravik
