// The settings file: any bytes read without harm, and a write of one key
// reads back as written while every other line of the file stays, in order.
#include "core/text/code_page.h"
#include "core/files/settings_file.h"
#include "core/text/text_lines.h"
#include "tests/fuzz/fuzz_support.h"

#include <cstddef>
#include <cstdint>

using namespace dravik;

namespace {

// The key of a "key=value" line as the file matches it, or nothing.
std::optional<std::string> KeyOf(const std::string& line)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t b = 0, e = line.size();
    while (b < e && blank(line[b])) ++b;
    while (e > b && blank(line[e - 1])) --e;
    if (b == e || line[b] == ';' || line[b] == '[')
        return std::nullopt;
    const std::size_t eq = line.find('=', b);
    if (eq == std::string::npos || eq >= e)
        return std::nullopt;
    std::size_t ke = eq;
    while (ke > b && blank(line[ke - 1])) --ke;
    if (ke == b)
        return std::nullopt;
    return AsciiLowered(line.substr(b, ke - b));
}

std::string Trimmed(std::string_view text)
{
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
    return std::string(text.substr(b, e - b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    // Section, key and value are short pieces from the front; the rest is
    // the file. Their lengths come from the first three bytes.
    std::size_t at = 3;
    auto piece = [&](std::uint8_t length) {
        const std::size_t n = std::min<std::size_t>(length % 12, size - at);
        std::string text(reinterpret_cast<const char*>(data) + at, n);
        at += n;
        return text;
    };
    const std::string section = piece(data[0]);
    const std::string key = piece(data[1]);
    const std::string value = piece(data[2]);
    const std::string bytes(reinterpret_cast<const char*>(data) + at, size - at);

    fuzz::EmptyScratch();
    const std::string path = (fuzz::Scratch() / "DRAVIK2.INI").string();
    fuzz::WriteBytes(path, bytes);

    SettingsFile file(path);
    (void)file.readString(section, key, "default");
    (void)file.readInteger(section, key, 7);
    (void)file.readBool(section, key, false);
    (void)file.readString("Other", "EditorPath", "c:\\edit.exe");

    if (!file.writeString(section, key, value)) {
        FUZZ_CHECK(fuzz::ReadBytes(path) == bytes, "a refused write changes nothing");
        return 0;
    }
    FUZZ_CHECK(file.readString(section, key, "\x01none") == value, fuzz::Shown(value));
    FUZZ_CHECK(SettingsFile(path).readString(section, key, "\x01none") == value, fuzz::Shown(value));

    const std::string written = fuzz::ReadBytes(path);
    FUZZ_CHECK(written.size() >= 2 && written.compare(written.size() - 2, 2, "\r\n") == 0, "ends with CR LF");
    const std::vector<std::string> before = SplitLines(bytes).lines;
    const std::vector<std::string> after = SplitLines(written).lines;
    const std::string wanted = AsciiLowered(Trimmed(key));
    if (after.size() == before.size()) {
        // The key's own line was replaced, and only it.
        int changed = 0;
        for (std::size_t i = 0; i < before.size(); ++i)
            if (before[i] != after[i]) {
                ++changed;
                FUZZ_CHECK(KeyOf(before[i]) == wanted, fuzz::Shown(before[i]));
            }
        FUZZ_CHECK(changed <= 1, std::to_string(changed));
    } else {
        // Lines were added: the old ones all stay, in order.
        FUZZ_CHECK(after.size() > before.size(), "");
        std::size_t j = 0;
        for (const auto& line : before) {
            while (j < after.size() && after[j] != line)
                ++j;
            FUZZ_CHECK(j < after.size(), "lost line: " + fuzz::Shown(line));
            ++j;
        }
    }
    return 0;
}
