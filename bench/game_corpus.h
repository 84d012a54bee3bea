// A generated base game for the checks' benchmark: desc files of several
// kinds of units in folders of their own, with the spreads real unit tables
// have, and the pictures and sounds their paths name. Deterministic: the
// same shape gives the same files on every run.
//
// How it is made (fixed before the checks were measured on it, and not
// changed to suit them):
// - Kinds of units, each in "units/<kind>", in shares a war game has: many
//   soldiers and tanks, fewer guns, vehicles, buildings, aircraft and ships.
//   Each kind has its types (light, medium and heavy tanks, ...), written in
//   a "type" line, and each unit a nation, drawn as Zipf's law draws words
//   (few nations make most units).
// - Every number is drawn log-normally: a kind has a median per key, each
//   type of it a median spread around that (a factor of e^0.3 to e^0.6 from
//   one type to the next), and each unit a value spread around its type's
//   (e^0.25 to e^0.5). Whole numbers are rounded, decimals kept to one or
//   two places. Armor has four values (front, side, rear, top), each a
//   share of the front; soft vehicles have none or a few millimetres;
//   positions are small numbers either side of zero.
// - Words: the type, the nation, the engine (several kinds share "none"),
//   the gun (forty names); free text in the text section (names and
//   descriptions), and lines the variables file does not name.
// - Paths: each unit's picture and shadow of its own, sounds from pools of
//   a few dozen, a few of them (one in 500) naming a file the base game
//   lacks, as shipped games do; bridges have no shadow ("none").
// - Keys a kind has no use for (a soldier's engine) are missing from its files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dravik::bench {

enum class GameValue : std::uint8_t { Whole, Decimal, Word, Path, Text };

// A key of the generated variables file.
struct GameKey {
    int section;
    std::string name;  // as the variables file writes it
    int count;
    GameValue kind;    // what its values truly are
};

struct GameCorpus {
    std::string folder;     // the base game's folder
    std::string variables;  // the variables file, beside the folder
    std::vector<std::string> descs;  // in path order
    std::vector<GameKey> keys;
};

// Writes at least `files` desc files below `folder` + "/base", and the
// variables file as `folder` + "/game.var"; with `write` false, only tells
// what it would write (a corpus written before with the same count).
GameCorpus WriteGameCorpus(const std::string& folder, int files, bool write = true);

}  // namespace dravik::bench
