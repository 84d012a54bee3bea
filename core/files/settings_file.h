// The program's INI settings file, shared by the main window and the console
// manager.
//
// Each window reads the file when it is created and writes its own keys when
// it closes. Because both write the same file, every write reads the file
// afresh, changes the one line and puts the file back, so keys written by the
// other window in the meantime survive. Lines this program does not own
// (comments, other programs' keys, foreign sections) are kept as they are.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/message.h"
#include "core/text/text_lines.h"

namespace dravik {

class SettingsFile {
public:
    // Reads the file at once; a missing or unreadable file reads as empty.
    explicit SettingsFile(std::string path);

    // The executable's path with the extension of its name replaced by
    // ".INI", or ".INI" appended when the name has none.
    static std::string PathForExecutable(const std::string& exePath);

    const std::string& path() const { return path_; }

    // Reads the file again. A missing file, a folder or a file that cannot be
    // read leaves the settings empty, without a message.
    void load();

    // Section and key names match ignoring the case of A to Z and the blanks
    // around them. The value is the text after the first "=", without the
    // blanks around it; a value in double or single quotes is what is inside
    // them.
    std::optional<std::string> readRaw(std::string_view section, std::string_view key) const;
    // A key present with an empty value reads as the empty text.
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // An empty value or one that is not a whole number reads as the default.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // Any non-zero number is true, zero is false, anything else the default.
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Each write goes to disk at once. False when the file cannot be written
    // (the caller reports UnableToWriteMessage and writes no further keys);
    // the file is then unchanged. A value, key or section that could not be
    // read back as written (a line break in it, a key with "=", a section
    // name with "]", an empty key) is refused the same way.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool writeInteger(std::string_view section, std::string_view key, int value);
    bool writeBool(std::string_view section, std::string_view key, bool value);  // "1" or "0"
    // Several keys of one section in one write, in the order given; nothing
    // is written when one of them is refused. A list of many keys is kept
    // this way without rewriting the file once for each.
    bool writeStrings(std::string_view section, const std::vector<std::pair<std::string, std::string>>& values);

private:
    struct Section {
        std::size_t header = 0;  // line of "[name]"
        std::size_t end = 0;     // one past the section's last line
    };
    // The file's lines with the first occurrence of every section indexed.
    struct Contents {
        TextLines text;
        std::vector<Section> sections;
        std::unordered_map<std::string, std::size_t> firstByName;  // lowered name -> sections index
    };

    static Contents Index(TextLines text);
    // Replaces the key's line in the section, or adds it (and the section).
    static void SetKeyLine(Contents& contents, std::string_view section, std::string keyLine);
    static const Section* FindSection(const Contents& contents, std::string_view section);
    // The line of the key in the section, or npos.
    static std::size_t FindKey(const Contents& contents, const Section& section, std::string_view key);

    std::string path_;
    Contents contents_;
};

// What a window says when its settings cannot be written.
Message UnableToWriteMessage(const std::string& path);

}  // namespace dravik
