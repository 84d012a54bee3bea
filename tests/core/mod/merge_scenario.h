// A base game B and two mods of it, X and Y, each with a gun in "guns" and
// a tank in "units", and what X becomes with Y's patch applied: the values only
// Y changed are taken, those only X changed stay, and the hit points both
// changed are a conflict. Shared by the engine's, the batch's and the
// window's merge tests, which check the merged files byte for byte.
#pragma once

#include <string_view>
#include <utility>

namespace dravik::merge {

inline constexpr std::string_view kVariables =
    "[section1]\r\narmor =3\r\nhp =1\r\n[section2]\r\nspeed =1\r\n[section_text]\r\nname =1\r\n";

// The base game.
inline constexpr std::string_view kBaseTank =
    "; T-34\r\narmor 45 45 40\r\nhp 100\r\n[section2]\r\nspeed 30\r\n[section_text]\r\nname T-34\r\n";
inline constexpr std::string_view kBaseGun = "; ZiS-3\r\nhp 50\r\n[section2]\r\nspeed 5\r\n[section_text]\r\nname ZiS-3\r\n";

// Mod X: thicker front armour and more hit points on the tank.
inline constexpr std::string_view kXTank =
    "; T-34\r\narmor 50 45 40\r\nhp 110\r\n[section2]\r\nspeed 30\r\n[section_text]\r\nname T-34\r\n";
inline constexpr std::string_view kXGun = kBaseGun;

// Mod Y: other hit points and a faster tank, a sturdier gun with a new name.
inline constexpr std::string_view kYTank =
    "; T-34\r\narmor 45 45 40\r\nhp 120\r\n[section2]\r\nspeed 35\r\n[section_text]\r\nname T-34\r\n";
inline constexpr std::string_view kYGun =
    "; ZiS-3\r\nhp 60\r\n[section2]\r\nspeed 5\r\n[section_text]\r\nname ZiS-3 (1942)\r\n";

// Y's patch against B.
inline constexpr std::string_view kYPatch =
    "Dravik 2 patch\tversion 1\r\n"
    "guns/gun.desc\thp \t1\t50\t60\r\n"
    "guns/gun.desc\tname \t1\tZiS-3\tZiS-3 (1942)\r\n"
    "units/tank.desc\thp \t1\t100\t120\r\n"
    "units/tank.desc\tspeed \t1\t30\t35\r\n";

// X with Y's patch, the conflict left as X has it. Save all rebuilds every
// key line of a file it writes: the name (its blank included), a blank, and
// each value followed by a blank.
inline constexpr std::string_view kMergedTank =
    "; T-34\r\narmor  50 45 40 \r\nhp  110 \r\n[section2]\r\nspeed  35 \r\n[section_text]\r\nname  T-34 \r\n";
inline constexpr std::string_view kMergedGun =
    "; ZiS-3\r\nhp  60 \r\n[section2]\r\nspeed  5 \r\n[section_text]\r\nname  ZiS-3 (1942) \r\n";
// The conflict given the patch's value.
inline constexpr std::string_view kTheirsTank =
    "; T-34\r\narmor  50 45 40 \r\nhp  120 \r\n[section2]\r\nspeed  35 \r\n[section_text]\r\nname  T-34 \r\n";

// Each file of B, X and Y below the folder they are written into.
inline constexpr std::pair<const char*, std::string_view> kFolderFiles[6] = {
    {"B/units/tank.desc", kBaseTank}, {"B/guns/gun.desc", kBaseGun}, {"X/units/tank.desc", kXTank},
    {"X/guns/gun.desc", kXGun},       {"Y/units/tank.desc", kYTank}, {"Y/guns/gun.desc", kYGun},
};

}  // namespace dravik::merge
