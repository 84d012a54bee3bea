#include "bench/game_corpus.h"

#include "core/schema/schema.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <stdexcept>

namespace dravik::bench {

namespace {

// A number key: its median for each kind that has it (kinds without one
// have no line for it).
struct NumberKey {
    const char* name;
    int section;
    int count;
    int places;      // decimal places; 0 for whole numbers
    double least;    // the smallest value a unit may have
};

const std::vector<NumberKey> kNumberKeys = {
    {"health", 1, 1, 0, 1}, {"armor", 1, 4, 0, 0},   {"weight", 1, 1, 2, 0.01}, {"size", 1, 2, 1, 0.1},
    {"crew", 1, 1, 0, 1},   {"cost", 1, 1, 0, 1},    {"sight", 1, 1, 0, 1},     {"speed", 2, 1, 1, 0.1},
    {"rotate", 2, 1, 0, 1}, {"fuel", 2, 1, 0, 1},    {"range", 3, 1, 0, 1},     {"reload", 3, 1, 2, 0.01},
    {"ammo", 3, 2, 0, 0},   {"damage", 3, 1, 0, 1},
};

struct Kind {
    const char* folder;
    double share;
    std::vector<const char*> types;  // lightest first
    std::map<std::string, double> medians;  // per number key (its first value)
    std::vector<const char*> engines;       // empty: no engine line
    std::vector<double> calibers;           // empty: no weapon lines
    double lengthRatio;  // size: the length against the width
};

const std::vector<Kind> kKinds = {
    {"infantry", 0.30, {"rifleman", "mgunner", "officer", "sniper", "engineer", "medic", "at_soldier"},
     {{"health", 100}, {"weight", 0.09}, {"size", 0.5}, {"cost", 60}, {"sight", 40}, {"speed", 5},
      {"rotate", 30}, {"range", 400}, {"reload", 1.5}, {"ammo", 120}, {"damage", 10}},
     {}, {6.5, 7.62, 7.7, 7.92, 9, 14.5}, 1},
    {"tanks", 0.22, {"light_tank", "medium_tank", "heavy_tank", "spg", "tank_destroyer"},
     {{"health", 400}, {"armor", 50}, {"weight", 25}, {"size", 3}, {"crew", 4}, {"cost", 300}, {"sight", 60},
      {"speed", 38}, {"rotate", 20}, {"fuel", 450}, {"range", 900}, {"reload", 6}, {"ammo", 60}, {"damage", 120}},
     {"diesel", "petrol"}, {20, 37, 45, 50, 75, 76.2, 85, 88, 105, 122}, 2.2},
    {"artillery", 0.14, {"mortar", "at_gun", "aa_gun", "field_gun", "howitzer", "rocket"},
     {{"health", 150}, {"armor", 8}, {"weight", 2.5}, {"size", 2}, {"crew", 5}, {"cost", 150}, {"sight", 45},
      {"speed", 6}, {"rotate", 10}, {"range", 1500}, {"reload", 5}, {"ammo", 30}, {"damage", 90}},
     {"none"}, {20, 25, 37, 40, 45, 57, 75, 76.2, 88, 105, 122, 150, 152.4}, 2},
    {"vehicles", 0.12, {"motorcycle", "car", "truck", "halftrack", "armored_car"},
     {{"health", 150}, {"armor", 4}, {"weight", 4}, {"size", 2.2}, {"crew", 2}, {"cost", 80}, {"sight", 40},
      {"speed", 55}, {"rotate", 30}, {"fuel", 200}, {"range", 500}, {"reload", 1}, {"ammo", 200}, {"damage", 12}},
     {"petrol", "diesel"}, {7.62, 7.92, 12.7, 20}, 2.5},
    {"aircraft", 0.08, {"recon", "fighter", "transport", "bomber"},
     {{"health", 250}, {"armor", 5}, {"weight", 5}, {"size", 10}, {"crew", 2}, {"cost", 400}, {"sight", 120},
      {"speed", 450}, {"rotate", 60}, {"fuel", 800}, {"range", 600}, {"reload", 0.8}, {"ammo", 400}, {"damage", 40}},
     {"petrol"}, {7.62, 7.92, 12.7, 20, 30}, 0.9},
    {"ships", 0.04, {"boat", "submarine", "destroyer", "cruiser"},
     {{"health", 2000}, {"armor", 30}, {"weight", 800}, {"size", 10}, {"crew", 150}, {"cost", 1200}, {"sight", 150},
      {"speed", 30}, {"rotate", 5}, {"fuel", 5000}, {"range", 3000}, {"reload", 8}, {"ammo", 200}, {"damage", 300}},
     {"diesel", "steam", "turbine", "none"}, {20, 40, 76.2, 102, 127, 152.4}, 9},
    {"buildings", 0.10, {"barn", "house", "depot", "church", "bridge", "bunker"},
     {{"health", 1500}, {"armor", 20}, {"size", 8}, {"sight", 30}},
     {}, {}, 1.3},
};

const std::vector<const char*> kNations = {"german",   "soviet",  "american", "british", "french",
                                           "italian",  "japanese", "polish",  "finnish", "hungarian"};

class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}
    double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(engine_); }
    double normal() { return std::normal_distribution<double>(0, 1)(engine_); }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    bool chance(double p) { return uniform(0, 1) < p; }
    // Index i of n drawn with weight 1 / (i + 1), as Zipf's law draws words.
    int zipf(int n)
    {
        double total = 0;
        for (int i = 0; i < n; ++i)
            total += 1.0 / (i + 1);
        double at = uniform(0, total);
        for (int i = 0; i < n; ++i) {
            at -= 1.0 / (i + 1);
            if (at <= 0)
                return i;
        }
        return n - 1;
    }

private:
    std::mt19937 engine_;
};

bool writing = true;

// Plain writes: the corpus is made once per run and read back at once.
void WriteFile(const std::string& path, const std::string& bytes)
{
    if (!writing)
        return;
    static std::set<std::string> folders;
    const std::string folder = std::filesystem::path(path).parent_path().string();
    if (folders.insert(folder).second)
        std::filesystem::create_directories(folder);
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    if (!file.flush())
        throw std::runtime_error("cannot write " + path);
}

std::string Number(double value, int places)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    std::string text = buffer;
    if (text == "-0" || text == "-0.0" || text == "-0.00")
        text.erase(0, 1);
    return text;
}

double Rounded(double value, int places, double least)
{
    const double scale = std::pow(10.0, places);
    return std::max(least, std::round(value * scale) / scale);
}

std::string Padded(int n, int width)
{
    std::string text = std::to_string(n);
    return std::string(static_cast<size_t>(std::max(0, width - static_cast<int>(text.size()))), '0') + text;
}

// A type's median of a key: the kind's, moved by the type's weight class
// and by chance.
struct Medians {
    std::map<std::pair<std::string, std::string>, double> typeMedian;  // (type, key)
    std::map<std::string, double> unitSpread;                          // key: sigma within a type
};

Medians DrawMedians(const Kind& kind, Random& random)
{
    Medians medians;
    for (const auto& [key, median] : kind.medians) {
        const double between = random.uniform(0.3, 0.6);
        medians.unitSpread[key] = random.uniform(0.25, 0.5);
        const size_t types = kind.types.size();
        for (size_t t = 0; t < types; ++t) {
            // Lightest type -1, heaviest +1: heavier types weigh, cost and
            // carry more, the more so for some keys than others.
            const double heaviness = types > 1 ? 2.0 * static_cast<double>(t) / static_cast<double>(types - 1) - 1 : 0;
            const double z = 0.7 * heaviness + 0.7 * random.normal();
            medians.typeMedian[{kind.types[t], key}] = median * std::exp(between * z);
        }
    }
    return medians;
}

struct Unit {
    const Kind* kind;
    size_t type;
    std::string nation;
    std::string name;  // its files' names
    std::string path;  // below the base folder
};

class Writer {
public:
    Writer(const std::string& base, Random& random) : base_(base), random_(random) {}

    // A file the paths name; a few paths name none, as shipped games have.
    std::string named(const std::string& path)
    {
        if (random_.chance(1.0 / 500))
            return path.substr(0, path.size() - 4) + "_old" + path.substr(path.size() - 4);
        std::string file = path;
        std::replace(file.begin(), file.end(), '\\', '/');
        pictures_.insert(file);
        // Values name files in capitals now and then: the game does not mind.
        return random_.chance(0.1) ? Upper(path) : path;
    }
    void writeNamedFiles()
    {
        for (const std::string& file : pictures_)
            WriteFile(base_ + "/" + file, "not a desc file");
    }

private:
    static std::string Upper(std::string text)
    {
        for (char& c : text)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return text;
    }

    std::string base_;
    Random& random_;
    std::set<std::string> pictures_;
};

std::string UnitText(const Unit& unit, const Medians& medians, Writer& writer, Random& random)
{
    const Kind& kind = *unit.kind;
    const std::string type = kind.types[unit.type];
    const double heaviness = kind.types.size() > 1
                                 ? static_cast<double>(unit.type) / static_cast<double>(kind.types.size() - 1)
                                 : 0.5;
    std::map<std::string, std::string> lines;
    auto draw = [&](const std::string& key) {
        return medians.typeMedian.at({type, key}) * std::exp(medians.unitSpread.at(key) * random.normal());
    };
    for (const NumberKey& key : kNumberKeys) {
        if (!kind.medians.count(key.name))
            continue;
        const double first = draw(key.name);
        std::vector<double> values{first};
        if (std::string(key.name) == "armor") {
            values.push_back(first * random.uniform(0.5, 0.9));
            values.push_back(first * random.uniform(0.3, 0.7));
            values.push_back(first * random.uniform(0.1, 0.3));
        } else if (std::string(key.name) == "size") {
            values.push_back(first * kind.lengthRatio * std::exp(0.2 * random.normal()));
        } else if (key.count == 2) {
            values.push_back(first * random.uniform(0.3, 1.5));
        }
        std::string line;
        for (const double v : values)
            line += (line.empty() ? "" : " ") + Number(Rounded(v, key.places, key.least), key.places);
        lines[key.name] = line;
    }
    lines["type"] = type;
    lines["nation"] = unit.nation;
    lines["visible"] = random.chance(0.9) ? "1" : "0";
    lines["ai_class"] = std::to_string(std::clamp(1 + static_cast<int>(unit.type) % 5 + (random.chance(0.2) ? 1 : 0), 1, 5));
    lines["priority"] = std::to_string(1 + random.below(10));
    lines["offset"] = Number(std::round(6 * random.normal()), 0) + " " + Number(std::round(6 * random.normal()), 0);
    if (!kind.engines.empty())
        lines["engine"] = kind.engines[static_cast<size_t>(random.zipf(static_cast<int>(kind.engines.size())))];
    if (!kind.calibers.empty()) {
        const int n = static_cast<int>(kind.calibers.size());
        const int at = std::clamp(static_cast<int>(std::lround(heaviness * (n - 1) + 1.5 * random.normal())), 0, n - 1);
        lines["caliber"] = Number(kind.calibers[static_cast<size_t>(at)], 1);
        const int kindIndex = static_cast<int>(&kind - kKinds.data());
        lines["gun"] = "gun_" + Padded(kindIndex * 5 + random.zipf(12), 2);
        lines["sound_fire"] = writer.named("sounds\\fire\\shot" + Padded(random.zipf(30), 2) + ".wav");
    }
    const std::string folder = std::string("sprites\\") + kind.folder + "\\";
    lines["sprite"] = writer.named(folder + unit.name + ".spr");
    lines["shadow"] = type == "bridge" ? "none" : writer.named(folder + "shadows\\" + unit.name + "_s.spr");
    lines["icon"] = writer.named("icons\\" + unit.name + ".bmp");
    if (!kind.engines.empty() || std::string(kind.folder) == "infantry")
        lines["sound_move"] =
            writer.named(std::string("sounds\\move\\") + kind.folder + Padded(random.below(6), 1) + ".wav");
    std::string nation = unit.nation;
    nation[0] = static_cast<char>(nation[0] - 'a' + 'A');
    lines["name"] = nation + " " + type + " " + std::to_string(1 + random.below(60)) + (random.chance(0.3) ? " Ausf. B" : "");
    static const std::vector<const char*> openings = {"A sturdy", "A fast", "An old", "The standard", "A rare",
                                                      "A late-war", "An early"};
    lines["descr"] = std::string(openings[static_cast<size_t>(random.below(7))]) + " " + type + " of the " +
                     unit.nation + " army, " + std::to_string(1938 + random.below(8)) + ".";

    // The file: its sections in order, each key line as a modder writes it,
    // with lines the variables file does not name among them.
    static const std::vector<std::vector<const char*>> sections = {
        {"type", "nation", "health", "armor", "weight", "size", "crew", "cost", "sight", "visible"},
        {"speed", "rotate", "fuel", "engine"},
        {"gun", "caliber", "range", "reload", "ammo", "damage"},
        {"sprite", "shadow", "icon", "sound_move", "sound_fire"},
        {"ai_class", "priority", "offset"},
    };
    std::string text;
    for (size_t s = 0; s < sections.size(); ++s) {
        text += "[" + SectionName(SectionNumber(static_cast<int>(s) + 1)) + "]\r\n";
        for (const char* key : sections[s]) {
            if (const auto found = lines.find(key); found != lines.end())
                text += std::string(key) + " " + found->second + "\r\n";
            if (random.chance(0.5))
                text += "anim" + std::to_string(random.below(40)) + " " + std::to_string(random.below(500)) + " " +
                        std::to_string(random.below(500)) + "\r\n";
        }
    }
    text += "[section_text]\r\nname " + lines["name"] + "\r\ndescr " + lines["descr"] + "\r\n";
    for (int i = 0; i < 20; ++i)
        text += "frame" + std::to_string(i) + " " + std::to_string(random.below(64)) + " " +
                std::to_string(random.below(64)) + "\r\n";
    return text;
}

}  // namespace

GameCorpus WriteGameCorpus(const std::string& folder, int files, bool write)
{
    writing = write;
    GameCorpus corpus;
    corpus.folder = folder + "/base";
    corpus.variables = folder + "/game.var";
    for (const NumberKey& key : kNumberKeys)
        corpus.keys.push_back({key.section, std::string(key.name) + " ", key.count,
                               key.places ? GameValue::Decimal : GameValue::Whole});
    for (const char* key : {"type", "nation"})
        corpus.keys.push_back({1, std::string(key) + " ", 1, GameValue::Word});
    corpus.keys.push_back({1, "visible ", 1, GameValue::Whole});
    corpus.keys.push_back({2, "engine ", 1, GameValue::Word});
    corpus.keys.push_back({3, "gun ", 1, GameValue::Word});
    corpus.keys.push_back({3, "caliber ", 1, GameValue::Decimal});
    for (const char* key : {"sprite", "shadow", "icon", "sound_move", "sound_fire"})
        corpus.keys.push_back({4, std::string(key) + " ", 1, GameValue::Path});
    corpus.keys.push_back({5, "ai_class ", 1, GameValue::Whole});
    corpus.keys.push_back({5, "priority ", 1, GameValue::Whole});
    corpus.keys.push_back({5, "offset ", 2, GameValue::Whole});
    corpus.keys.push_back({10, "name ", 1, GameValue::Text});
    corpus.keys.push_back({10, "descr ", 1, GameValue::Text});

    std::string variables;
    for (int s = 1; s <= kSectionCount; ++s) {
        variables += "[" + SectionName(SectionNumber(s)) + "]\r\n";
        for (const GameKey& key : corpus.keys)
            if (key.section == s)
                variables += key.name + "=" + std::to_string(key.count) + "\r\n";
    }
    WriteFile(corpus.variables, variables);

    Random random(20260301);
    Writer writer(corpus.folder, random);
    for (const Kind& kind : kKinds) {
        const Medians medians = DrawMedians(kind, random);
        const int count = static_cast<int>(std::ceil(kind.share * files));
        for (int i = 0; i < count; ++i) {
            Unit unit{&kind, static_cast<size_t>(random.below(static_cast<int>(kind.types.size()))),
                      kNations[static_cast<size_t>(random.zipf(static_cast<int>(kNations.size())))], {}, {}};
            unit.name = unit.nation + "_" + kind.types[unit.type] + "_" + Padded(i, 4);
            unit.path = std::string("units/") + kind.folder + "/" + unit.name + ".desc";
            WriteFile(corpus.folder + "/" + unit.path, UnitText(unit, medians, writer, random));
            corpus.descs.push_back(corpus.folder + "/" + unit.path);
        }
    }
    writer.writeNamedFiles();
    std::sort(corpus.descs.begin(), corpus.descs.end());
    return corpus;
}

}  // namespace dravik::bench
