// The three folders of the merge scenario (base B, mods X and Y) below one
// temporary folder, with the variables file beside them.
#pragma once

#include "tests/core/mod/merge_scenario.h"
#include "tests/core/test_files.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dravik::test {

class ModFolders {
public:
    ModFolders()
    {
        vars = root.write("v.var", merge::kVariables);
        write("B", "units/tank.desc", merge::kBaseTank);
        write("B", "guns/gun.desc", merge::kBaseGun);
        write("X", "units/tank.desc", merge::kXTank);
        write("X", "guns/gun.desc", merge::kXGun);
        write("Y", "units/tank.desc", merge::kYTank);
        write("Y", "guns/gun.desc", merge::kYGun);
    }
    // The folder, as the system writes its paths.
    std::string folder(const std::string& name) const { return (root.path() / name).make_preferred().string(); }
    // A file below the folder, made with its folders.
    std::string write(const std::string& name, const std::string& file, std::string_view bytes) const
    {
        const std::string written = path(name, file);
        std::filesystem::create_directories(std::filesystem::path(written).parent_path());
        WriteBytes(written, bytes);
        return written;
    }
    std::string path(const std::string& name, const std::string& file) const
    {
        return (root.path() / name / file).make_preferred().string();
    }
    // A mod's desc files, as Open desc is given them: their common folder is the mod's.
    std::vector<std::string> files(const std::string& name) const
    {
        return {path(name, "guns/gun.desc"), path(name, "units/tank.desc")};
    }

    TempFolder root;
    std::string vars;
};

}  // namespace dravik::test
