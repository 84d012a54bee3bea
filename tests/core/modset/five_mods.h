// A base game and five mods of it, loaded in the order A, B, C, D, E, and
// the merged mod written out by hand: the expectation the engine's and the
// batch's merge tests hold the merged folder to, byte for byte.
//
// - A front armour of 50 on the T-34, which B sets too: the same change, no
//   conflict. A copies the ZiS-3 unchanged; C copies it respelled (other
//   blanks, LF line breaks, a trailing blank): neither changes anything, and
//   the file is not written.
// - Hit points of the T-34: B 120, C 110 and E 110 (E copies C's file under
//   capitals, T34.DESC): a conflict, which the last, E, wins. C's copy holds
//   a comment line of its own, which the merged file keeps (it is written
//   from E's copy, the same bytes). B's lines stand in another order.
// - The Tiger: B gives it more side armour (90) and a new name; the patch D
//   gives it 95, later, so 95 wins. Written from B's copy, the only one.
// - The PaK 40: only the patch D changes it, so it is written from the
//   base's own file with its one changed line rebuilt.
// - New files: the SU-76 only A and E have, alike (carried byte for byte);
//   the KV-1 B and C have, with other hit points (C wins), while C's armour
//   line lacks the third value B's has (taken from B) and only C's has a
//   speed line (listed).
// - The jeep no mod touches: not written.
#pragma once

#include "tests/core/test_files.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dravik::test {

namespace five {

inline constexpr std::string_view kVariables =
    "[section1]\r\narmor =3\r\nhp =1\r\n[section2]\r\nspeed =1\r\n[section_text]\r\nname =1\r\n";

struct File {
    const char* folder;  // "base", "A" ... "E", or "expected"
    const char* path;
    std::string_view bytes;
};

inline const std::vector<File> kFiles = {
    {"base", "units/t34.desc", "; T-34\r\narmor 45 45 40\r\nhp 100\r\n[section2]\r\nspeed 30\r\n[section_text]\r\nname T-34\r\n"},
    {"base", "units/tiger.desc",
     "; Tiger\r\narmor 100 80 80\r\nhp 200\r\n[section2]\r\nspeed 20\r\n[section_text]\r\nname Tiger\r\n"},
    {"base", "guns/zis3.desc", "; ZiS-3\r\nhp 50\r\n[section2]\r\nspeed 5\r\n[section_text]\r\nname ZiS-3\r\n"},
    {"base", "guns/pak40.desc", "; PaK 40\r\nhp 60\r\n[section2]\r\nspeed 4\r\n[section_text]\r\nname PaK 40\r\n"},
    {"base", "units/jeep.desc", "; Jeep\r\nhp 20\r\n[section2]\r\nspeed 60\r\n[section_text]\r\nname Jeep\r\n"},

    {"A", "units/t34.desc", "; T-34\narmor  50   45 40\nhp 100\n[section2]\nspeed 30\n[section_text]\nname T-34\n"},
    {"A", "guns/zis3.desc", "; ZiS-3\r\nhp 50\r\n[section2]\r\nspeed 5\r\n[section_text]\r\nname ZiS-3\r\n"},
    {"A", "units/su76.desc", "; SU-76\nhp 90\narmor 25 15 15\n"},

    {"B", "units/t34.desc",
     "; T-34\r\nhp 120\r\nArmor 50 45 40\r\n[section2]\r\nspeed 30\r\n[section_text]\r\nname T-34\r\n"},
    {"B", "units/tiger.desc",
     "; Tiger\r\narmor 100 90 80\r\nhp 200\r\n[section2]\r\nspeed 20\r\n[section_text]\r\nname Tiger I\r\n"},
    {"B", "units/kv1.desc", "; KV-1\r\narmor 75 75 60\r\nhp 300\r\n[section_text]\r\nname KV-1\r\n"},

    {"C", "units/t34.desc",
     "; T-34\r\n; tuned by C\r\narmor 45 45 40\r\nhp 110\r\n[section2]\r\nspeed 32\r\n[section_text]\r\nname T-34\r\n"},
    {"C", "units/kv1.desc", "; KV-1\r\narmor 75 75\r\nhp 320\r\n[section2]\r\nspeed 15\r\n[section_text]\r\nname KV-1\r\n"},
    {"C", "guns/zis3.desc", "; ZiS-3  \nhp  50 \n[section2]\nspeed   5\n[section_text]\nname   ZiS-3\n"},

    {"E", "UNITS/T34.DESC",
     "; T-34\r\n; tuned by C\r\narmor 45 45 40\r\nhp 110\r\n[section2]\r\nspeed 32\r\n[section_text]\r\nname T-34\r\n"},
    {"E", "units/su76.desc", "; SU-76\nhp 90\narmor 25 15 15\n"},

    // The merged mod.
    {"expected", "guns/pak40.desc", "; PaK 40\r\nhp  65 \r\n[section2]\r\nspeed 4\r\n[section_text]\r\nname PaK 40\r\n"},
    {"expected", "units/kv1.desc",
     "; KV-1\r\narmor  75 75 60 \r\nhp 320\r\n[section2]\r\nspeed 15\r\n[section_text]\r\nname KV-1\r\n"},
    {"expected", "units/su76.desc", "; SU-76\nhp 90\narmor 25 15 15\n"},
    {"expected", "units/t34.desc",
     "; T-34\r\n; tuned by C\r\narmor  50 45 40 \r\nhp 110\r\n[section2]\r\nspeed 32\r\n[section_text]\r\nname T-34\r\n"},
    {"expected", "units/tiger.desc",
     "; Tiger\r\narmor  100 95 80 \r\nhp 200\r\n[section2]\r\nspeed 20\r\n[section_text]\r\nname Tiger I\r\n"},
};

// The patch D.
inline constexpr std::string_view kPatchD =
    "Dravik 2 patch\tversion 1\r\n"
    "guns/pak40.desc\thp \t1\t60\t65\r\n"
    "units/tiger.desc\tarmor \t2\t80\t95\r\n";

// The conflicts, as the report and the batch give them (the fields after
// the word "conflict"), in path order.
inline const std::vector<std::string> kConflicts = {
    "units/kv1.desc\thp \t1\t\t320\tC\torder\tB\t300\tC\t320",
    "units/t34.desc\thp \t1\t100\t110\tE\torder\tB\t120\tC\t110\tE\t110",
    "units/tiger.desc\tarmor \t2\t80\t95\tD\torder\tB\t90\tD\t95",
};

}  // namespace five

// The folders below one temporary folder, the variables file beside them.
class FiveMods {
public:
    FiveMods()
    {
        vars = root.write("v.var", five::kVariables);
        for (const five::File& file : five::kFiles)
            write(file.folder, file.path, file.bytes);
        patch = root.write("D.txt", five::kPatchD);
    }
    std::string folder(const std::string& name) const { return (root.path() / name).make_preferred().string(); }
    std::string path(const std::string& name, const std::string& file) const
    {
        return (root.path() / name / file).make_preferred().string();
    }
    std::string write(const std::string& name, const std::string& file, std::string_view bytes) const
    {
        const std::string written = path(name, file);
        std::filesystem::create_directories(std::filesystem::path(written).parent_path());
        WriteBytes(written, bytes);
        return written;
    }
    // Every file below a folder by its path there ("/" between folders), and its bytes.
    std::vector<std::pair<std::string, std::string>> contents(const std::string& name) const
    {
        std::vector<std::pair<std::string, std::string>> files;
        const std::filesystem::path top = root.path() / name;
        if (!std::filesystem::exists(top))
            return files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(top))
            if (entry.is_regular_file())
                files.emplace_back(entry.path().lexically_relative(top).generic_string(), ReadBytes(entry.path().string()));
        std::sort(files.begin(), files.end());
        return files;
    }
    // The files of a folder of kFiles.
    static std::vector<std::pair<std::string, std::string>> Listed(const std::string& name)
    {
        std::vector<std::pair<std::string, std::string>> files;
        for (const five::File& file : five::kFiles)
            if (file.folder == name)
                files.emplace_back(file.path, std::string(file.bytes));
        std::sort(files.begin(), files.end());
        return files;
    }

    TempFolder root;
    std::string vars;
    std::string patch;
};

}  // namespace dravik::test
