// A small base game and a mod of it below one temporary folder: twelve
// tanks and twelve soldiers, in folders of their own ("units/tanks",
// "units/infantry") or all in one folder, sorted by their "type" line.
#pragma once

#include "core/checks/rule_learning.h"
#include "tests/core/test_files.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dravik::test {

inline constexpr const char* kGameVariables =
    "[section1]\r\narmor =1\r\nspeed =1\r\nengine =1\r\ntype =1\r\nsprite =1\r\n[section_text]\r\nname =1\r\n";

// A unit's desc file.
inline std::string UnitText(const std::string& armor, const std::string& speed, const std::string& engine,
                            const std::string& type, const std::string& sprite, const std::string& name)
{
    return "[section1]\r\narmor " + armor + "\r\nspeed " + speed + "\r\nengine " + engine + "\r\ntype " + type +
           "\r\nsprite " + sprite + "\r\n[section_text]\r\nname " + name + "\r\nfree line\r\n";
}

// The rules these tests learn: ten files make a rule and a group, as fits
// a base of two dozen files.
inline LearnOptions SmallGameOptions()
{
    LearnOptions options;
    options.leastFiles = 10;
    options.leastGroupFiles = 10;
    return options;
}

class GameFolders {
public:
    explicit GameFolders(bool flat = false)
    {
        vars = root.write("game.var", kGameVariables);
        for (int i = 1; i <= 12; ++i) {
            std::string n = std::to_string(i);
            if (i < 10)
                n.insert(n.begin(), '0');
            write("base", flat ? "tank" + n + ".desc" : "units/tanks/tank" + n + ".desc",
                  UnitText(std::to_string(90 + 10 * i), std::to_string(29 + i) + ".5", i % 2 ? "diesel" : "petrol",
                           "tank", "sprites\\tank" + n + ".spr", "Tank number " + n));
            write("base", flat ? "man" + n + ".desc" : "units/infantry/man" + n + ".desc",
                  UnitText(std::to_string(i), std::to_string(3 + i % 3) + ".5", "none", "man",
                           "sprites/man" + n + ".spr", "Soldier number " + n));
            write("base", "sprites/tank" + n + ".spr", "picture");
            write("base", "sprites/man" + n + ".spr", "picture");
        }
    }
    // The folder, as the system writes its paths.
    std::string folder(const std::string& name) const { return (root.path() / name).make_preferred().string(); }
    std::string path(const std::string& name, const std::string& file) const
    {
        return (root.path() / name / file).make_preferred().string();
    }
    // A file below the folder, made with its folders.
    std::string write(const std::string& name, const std::string& file, std::string_view bytes) const
    {
        const std::string written = path(name, file);
        std::filesystem::create_directories(std::filesystem::path(written).parent_path());
        WriteBytes(written, bytes);
        return written;
    }

    TempFolder root;
    std::string vars;
};

}  // namespace dravik::test
