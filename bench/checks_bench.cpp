// Measures the checks learned from the base game on a generated base of
// several kinds of units (game_corpus.h), each figure beside its bound:
//   false alarms: rules learned from 80 % of the base game's files, the
//       other 20 % checked: at most 1 % of their values with a rule flagged
//       (none is a typo); the share of all their values is shown too
//   catches: typos put into the held-out files, one at a time, each kind
//       caught at least 90 % of the time: a digit added, a digit dropped, a
//       sign flipped, a decimal point moved, two values of a file swapped, a
//       path misspelt, a word of another column
//   learning from the whole base game  <= 0.5 x its Open desc
//   checking the held-out files        <= 0.3 x their Open desc
//   re-checking after one edit         <= 50 ms, the worst of all the typos
//       put in and taken out; an edit of a whole column is shown too
// The held-out files are checked as a copy in a folder of their own, as a
// mod of them would be. Open desc, learning and checking are the best of
// --runs runs (3), as the machine may be shared. --sweep also prints the figures for each grouping
// and for other thresholds, how they were chosen. Exit code 1 when a bound
// is missed.
//
// Usage: dravik2-checks-bench [--files N] [--typos N] [--runs N] [--dir D] [--split SEED] [--sweep] [--reuse]
//                             [--no-bounds]
// (--split picks another fifth of the files to hold out.)
// (--reuse keeps the corpus for the next run with --reuse and the same --files.)
#include "bench/bench_clock.h"
#include "bench/game_corpus.h"

#include "core/checks/check_list.h"
#include "core/checks/rule_learning.h"
#include "core/document/desc_document.h"
#include "core/files/file_io.h"
#include "core/text/cell_value.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace dravik;
using dravik::bench::GameValue;
using dravik::bench::Time;

namespace {

constexpr double kFalseAlarmBound = 0.01;
constexpr double kCatchBound = 0.90;
constexpr double kLearnFactor = 0.5;
constexpr double kCheckFactor = 0.3;
constexpr double kRecheckBound = 0.050;  // s

struct Options {
    int files = 5000;
    int typos = 1000;  // of each kind
    int runs = 3;
    std::string folder = (std::filesystem::temp_directory_path() / "dravik2-checks-bench").string();
    bool sweep = false;
    bool checkBounds = true;
    bool reuse = false;  // the corpus of an earlier run with --reuse, kept
    unsigned split = 11;  // which files are held out
};

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&] { return i + 1 < argc ? std::stoi(argv[++i]) : 0; };
        if (arg == "--files") options.files = next();
        else if (arg == "--typos") options.typos = next();
        else if (arg == "--runs") options.runs = std::max(next(), 1);
        else if (arg == "--dir" && i + 1 < argc) options.folder = argv[++i];
        else if (arg == "--sweep") options.sweep = true;
        else if (arg == "--no-bounds") options.checkBounds = false;
        else if (arg == "--reuse") options.reuse = true;
        else if (arg == "--split") options.split = static_cast<unsigned>(next());
    }
    return options;
}

enum Typo { ExtraDigit, MissingDigit, SignFlipped, PointMoved, Swapped, PathMisspelt, OtherWord, kTypoKinds };
const std::array<const char*, kTypoKinds> kTypoNames = {
    "a digit added", "a digit dropped", "a sign flipped", "a decimal point moved",
    "two values swapped", "a path misspelt", "a word of another column"};

// One typo: the cells it changes and what they then hold.
struct Injection {
    Typo kind;
    std::vector<CellEdit> edits;
    bool namesAnotherFile = false;  // a misspelt path that happens to name another file
    bool small = false;             // a number changed by less than half or double
};

std::unique_ptr<DescDocument> Open(const TextLines& variables, const std::vector<std::string>& files)
{
    auto document = std::make_unique<DescDocument>();
    document->startUp();
    document->setVariablesText(variables);
    document->openDesc(files);
    return document;
}

// A short piece of work timed as it is: nothing waits to be written.
template <typename F>
double Time0(F&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return bench::Seconds(start);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The typos of one kind a text can take; empty when it can take none.
class Typist {
public:
    explicit Typist(std::uint32_t seed) : random_(seed) {}
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::string extraDigit(const std::string& text)
    {
        std::vector<size_t> places;
        for (size_t i = 0; i <= text.size(); ++i)
            if ((i < text.size() && IsDigit(text[i])) || (i > 0 && IsDigit(text[i - 1])))
                places.push_back(i);
        if (places.empty())
            return {};
        const size_t at = places[static_cast<size_t>(below(static_cast<int>(places.size())))];
        std::string typed = text;
        typed.insert(at, 1, static_cast<char>('0' + below(10)));
        return differs(text, typed) ? typed : std::string();
    }
    std::string missingDigit(const std::string& text)
    {
        std::vector<size_t> digits;
        for (size_t i = 0; i < text.size(); ++i)
            if (IsDigit(text[i]))
                digits.push_back(i);
        if (digits.size() < 2)
            return {};
        std::string typed = text;
        typed.erase(digits[static_cast<size_t>(below(static_cast<int>(digits.size())))], 1);
        return differs(text, typed) ? typed : std::string();
    }
    std::string signFlipped(const std::string& text)
    {
        const auto number = ReadCellNumber(text);
        if (!number || number->value == 0)
            return {};
        return text[0] == '-' ? text.substr(1) : "-" + text;
    }
    std::string pointMoved(const std::string& text)
    {
        const size_t point = text.find('.');
        std::string digits = text;
        if (point == std::string::npos) {
            if (text.size() < 2 || !IsDigit(text[text.size() - 2]))
                return {};
            digits.insert(text.size() - 1, 1, '.');
            return digits;
        }
        digits.erase(point, 1);
        const bool left = below(2) == 0;
        const size_t at = left ? point - 1 : point + 1;
        if ((left && (point == 0 || !IsDigit(text[point - 1]))) || at > digits.size())
            return {};
        if (at < digits.size())
            digits.insert(at, 1, '.');
        return differs(text, digits) ? digits : std::string();
    }
    std::string misspelt(const std::string& path)
    {
        const size_t slash = path.find_last_of("\\/");
        const size_t begin = slash == std::string::npos ? 0 : slash + 1;
        const size_t dot = path.rfind('.');
        const size_t end = dot == std::string::npos || dot < begin ? path.size() : dot;
        std::vector<size_t> letters;
        for (size_t i = begin; i < end; ++i)
            if (std::isalpha(static_cast<unsigned char>(path[i])))
                letters.push_back(i);
        if (letters.empty())
            return {};
        const size_t at = letters[static_cast<size_t>(below(static_cast<int>(letters.size())))];
        std::string typed = path;
        switch (below(3)) {
        case 0: {  // another letter, in the same case
            const bool upper = std::isupper(static_cast<unsigned char>(path[at]));
            char c;
            do
                c = static_cast<char>((upper ? 'A' : 'a') + below(26));
            while (c == path[at]);
            typed[at] = c;
            break;
        }
        case 1: typed.erase(at, 1); break;
        default:
            if (at + 1 >= end || path[at + 1] == path[at])
                return {};
            std::swap(typed[at], typed[at + 1]);
        }
        return typed;
    }

private:
    static bool differs(const std::string& text, const std::string& typed)
    {
        const auto before = ReadCellNumber(text);
        const auto after = ReadCellNumber(typed);
        return before && after && before->value != after->value;
    }

    std::mt19937 random_;
};

// Where each true kind of value stands in the held-out files' tables.
struct TrueColumns {
    std::map<GameValue, std::vector<RowCell>> byKind;
    std::map<std::string, std::set<std::string>> vocabulary;  // word keys: the base game's words
    std::map<int, std::string> keyOf;                          // by grid * 100000 + col
};

TrueColumns FindTrueColumns(const DescDocument& document, const DescDocument& base,
                            const std::vector<bench::GameKey>& keys)
{
    TrueColumns found;
    const TableColumns columns(document);
    for (int i = 0; i < static_cast<int>(columns.columns().size()); ++i) {
        const CheckColumn& column = columns.columns()[static_cast<size_t>(i)];
        for (const bench::GameKey& key : keys) {
            if (key.section != column.section.number() || key.name != column.key)
                continue;
            const RowCell place = columns.place(i);
            found.byKind[key.kind].push_back(place);
            found.keyOf[place.grid.number() * 100000 + place.col] = key.name;
            if (key.kind == GameValue::Word && column.value == 1)
                for (int r = 1; r <= base.descFileCount(); ++r)
                    if (HoldsValue(base, place.grid, place.col, r))
                        found.vocabulary[key.name].insert(std::string(base.grid(place.grid).cell(place.col, r)));
        }
    }
    return found;
}

// `count` typos of each kind in the held-out files, the same for every rule
// set measured.
std::vector<Injection> PlanTypos(const DescDocument& document, const TrueColumns& columns, const FileNames& files,
                                 int count)
{
    Typist typist(7);
    std::vector<Injection> plan;
    const int rows = document.descFileCount();
    auto cellOf = [&](GameValue kind, RowCell& place, int& row, std::string& text) {
        const auto& places = columns.byKind.at(kind);
        for (int tries = 0; tries < 1000; ++tries) {
            place = places[static_cast<size_t>(typist.below(static_cast<int>(places.size())))];
            row = 1 + typist.below(rows);
            if (HoldsValue(document, place.grid, place.col, row)) {
                text = std::string(document.grid(place.grid).cell(place.col, row));
                return true;
            }
        }
        return false;
    };
    for (int kind = 0; kind < kTypoKinds; ++kind) {
        int made = 0;
        for (int tries = 0; made < count && tries < count * 50; ++tries) {
            RowCell place{GridNumber(0), 0};
            int row = 0;
            std::string text, typed;
            Injection injection{static_cast<Typo>(kind), {}};
            const bool decimal = typist.below(2) == 0;
            const GameValue number = decimal ? GameValue::Decimal : GameValue::Whole;
            switch (static_cast<Typo>(kind)) {
            case ExtraDigit:
                if (cellOf(number, place, row, text))
                    typed = typist.extraDigit(text);
                break;
            case MissingDigit:
                if (cellOf(number, place, row, text))
                    typed = typist.missingDigit(text);
                break;
            case SignFlipped:
                if (cellOf(number, place, row, text))
                    typed = typist.signFlipped(text);
                break;
            case PointMoved:
                if (cellOf(number, place, row, text))
                    typed = typist.pointMoved(text);
                break;
            case Swapped: {
                RowCell other{GridNumber(0), 0};
                int otherRow = 0;
                std::string otherText;
                if (!cellOf(number, place, row, text) ||
                    !cellOf(typist.below(2) ? GameValue::Decimal : GameValue::Whole, other, otherRow, otherText))
                    break;
                // Two values of one file, of two keys.
                if (!HoldsValue(document, other.grid, other.col, row) ||
                    columns.keyOf.at(place.grid.number() * 100000 + place.col) == columns.keyOf.at(other.grid.number() * 100000 + other.col))
                    break;
                otherText = std::string(document.grid(other.grid).cell(other.col, row));
                if (otherText == text)
                    break;
                injection.edits.push_back({other.grid, other.col, row, text});
                typed = otherText;
                break;
            }
            case PathMisspelt:
                if (cellOf(GameValue::Path, place, row, text) && FileNames::LooksLikePath(text)) {
                    typed = typist.misspelt(text);
                    injection.namesAnotherFile = !typed.empty() && files.names(typed);
                }
                break;
            case OtherWord: {
                if (!cellOf(GameValue::Word, place, row, text))
                    break;
                const std::string& key = columns.keyOf.at(place.grid.number() * 100000 + place.col);
                std::vector<std::string> others;
                for (const auto& [otherKey, words] : columns.vocabulary)
                    if (otherKey != key)
                        for (const std::string& word : words)
                            if (!columns.vocabulary.at(key).count(word))
                                others.push_back(word);
                if (!others.empty())
                    typed = others[static_cast<size_t>(typist.below(static_cast<int>(others.size())))];
                break;
            }
            case kTypoKinds: break;
            }
            if (typed.empty())
                continue;
            if (const auto before = ReadCellNumber(text), after = ReadCellNumber(typed); before && after &&
                before->value != 0 && after->value / before->value > 0.5 && after->value / before->value < 2)
                injection.small = true;
            injection.edits.insert(injection.edits.begin(), CellEdit{place.grid, place.col, row, typed});
            plan.push_back(std::move(injection));
            ++made;
        }
    }
    return plan;
}

struct Figures {
    size_t valueCells = 0, ruledCells = 0, flagged = 0;
    std::map<CheckKind, size_t> flaggedByKind;
    std::array<int, kTypoKinds> injected{}, caught{}, alreadyFlagged{}, namingAnother{}, small{}, smallCaught{};
    double worstRecheck = 0, totalRecheck = 0;
    int edits = 0;
    double falseAlarms() const { return ruledCells ? static_cast<double>(flagged) / static_cast<double>(ruledCells) : 0; }
    double caughtShare(int kind) const
    {
        return injected[static_cast<size_t>(kind)] ? static_cast<double>(caught[static_cast<size_t>(kind)]) /
                                                         injected[static_cast<size_t>(kind)]
                                                   : 0;
    }
};

Figures Measure(DescDocument& document, std::shared_ptr<const LearnedRules> rules, const std::vector<Injection>& plan)
{
    Figures figures;
    CheckList list(document, rules);
    const TableColumns columns(document);
    for (int i = 0; i < static_cast<int>(columns.columns().size()); ++i) {
        const RowCell place = columns.place(i);
        const ColumnRules* column = rules->find(columns.columns()[static_cast<size_t>(i)]);
        for (int r = 1; r <= document.descFileCount(); ++r) {
            if (!HoldsValue(document, place.grid, place.col, r))
                continue;
            ++figures.valueCells;
            if (column && column->rule.kind != ValueKind::Text)
                ++figures.ruledCells;
        }
    }
    figures.flagged = list.size();
    list.eachCheck([&](const Check& check) { ++figures.flaggedByKind[check.reason.kind]; });

    for (const Injection& injection : plan) {
        const size_t kind = static_cast<size_t>(injection.kind);
        const bool flaggedBefore = std::any_of(injection.edits.begin(), injection.edits.end(), [&](const CellEdit& e) {
            return list.find(e.grid, e.col, e.row) != nullptr;
        });
        if (flaggedBefore) {
            ++figures.alreadyFlagged[kind];
            continue;
        }
        TableChange change;
        const double seconds = Time0([&] { change = document.setCells(injection.edits); });
        figures.worstRecheck = std::max(figures.worstRecheck, seconds);
        figures.totalRecheck += seconds;
        ++figures.edits;
        ++figures.injected[kind];
        figures.namingAnother[kind] += injection.namesAnotherFile ? 1 : 0;
        const bool caught = std::any_of(injection.edits.begin(), injection.edits.end(),
                                        [&](const CellEdit& e) { return list.find(e.grid, e.col, e.row) != nullptr; });
        figures.caught[kind] += caught ? 1 : 0;
        figures.small[kind] += injection.small ? 1 : 0;
        figures.smallCaught[kind] += injection.small && caught ? 1 : 0;
        const double undo = Time0([&] { document.undo(change); });
        figures.worstRecheck = std::max(figures.worstRecheck, undo);
    }
    return figures;
}

}  // namespace

namespace {

const char* KindName(CheckKind kind)
{
    switch (kind) {
    case CheckKind::OutOfRange: return "out of range";
    case CheckKind::NotWhole: return "not whole";
    case CheckKind::OtherPlaces: return "other decimal places";
    case CheckKind::NotANumber: return "not a number";
    case CheckKind::NotInSet: return "not in the set";
    case CheckKind::NoSuchFile: return "no such file";
    }
    return "?";
}

std::string GroupingName(const LearnedRules& rules)
{
    switch (rules.grouping.by) {
    case Grouping::By::Folder: return "by folder, " + std::to_string(rules.grouping.depth) + " deep";
    case Grouping::By::Key: return "by the key \"" + rules.grouping.key.key + "\"";
    case Grouping::By::Nothing: break;
    }
    return "none";
}

bool Report(const char* what, double value, const char* unit, double bound, bool upper, bool check)
{
    const bool ok = !check || (upper ? value <= bound : value >= bound);
    std::printf("%-44s %9.3f %-3s  bound %s %9.3f %-3s %s\n", what, value, unit, upper ? "<=" : ">=", bound, unit,
                check ? (ok ? "ok" : "MISSED") : "-");
    return ok;
}

// One line of the sweep: the false alarms and the catches of each kind.
void SweepLine(const std::string& what, const Figures& f)
{
    std::printf("%-38s %6.2f %%", what.c_str(), 100 * f.falseAlarms());
    for (int kind = 0; kind < kTypoKinds; ++kind)
        std::printf(" %5.1f", 100 * f.caughtShare(kind));
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    const bool written = options.reuse && std::filesystem::exists(options.folder + "/game.var");
    if (!written)
        std::filesystem::remove_all(options.folder);
    std::filesystem::remove_all(options.folder + "/mod");
    const bench::GameCorpus corpus = bench::WriteGameCorpus(options.folder, options.files, !written);
    const TextLines variables = SplitLines(ReadFileOrThrow(corpus.variables));
    const CodePage& codePage = CodePage::Default();

    // Every file of the base game's folder, which paths may name.
    const auto files = std::make_shared<FileNames>(codePage);
    const double listing = Time([&] {
        files->addListing(corpus.folder, ListFolder(corpus.folder, NamePattern(kEveryName, codePage), codePage));
    });

    // The whole base game: Open desc, and learning from it.
    std::unique_ptr<DescDocument> base;
    double openBase = 1e9, learnBase = 1e9;
    for (int run = 0; run < options.runs; ++run) {
        base.reset();
        openBase = std::min(openBase, Time([&] { base = Open(variables, corpus.descs); }));
        learnBase = std::min(learnBase, Time([&] { LearnRules(*base, corpus.folder, files); }));
    }

    // Learned from 80 % of the files, checked on the others.
    std::vector<std::string> training = corpus.descs, heldOut;
    std::shuffle(training.begin(), training.end(), std::mt19937(options.split));
    const size_t held = training.size() / 5;
    heldOut.assign(training.begin(), training.begin() + static_cast<long>(held));
    training.erase(training.begin(), training.begin() + static_cast<long>(held));
    std::sort(training.begin(), training.end());
    std::sort(heldOut.begin(), heldOut.end());
    // The held-out files are checked as a copy, a mod of them would be: in
    // a folder of their own, below which they stand as in the base game's.
    const std::string modFolder = options.folder + "/mod";
    for (std::string& file : heldOut) {
        const std::filesystem::path copy = modFolder + "/" + RelativeToRoot(corpus.folder, file);
        std::filesystem::create_directories(copy.parent_path());
        std::filesystem::copy_file(file, copy);
        file = copy.string();
    }
    const auto learnedFrom = Open(variables, training);
    const std::shared_ptr<const LearnedRules> rules = LearnRules(*learnedFrom, corpus.folder, files);

    std::unique_ptr<DescDocument> mod;
    double openMod = 1e9, checkMod = 1e9;
    for (int run = 0; run < options.runs; ++run) {
        mod.reset();
        openMod = std::min(openMod, Time([&] { mod = Open(variables, heldOut); }));
        mod->setOpenedRoot(modFolder);
        checkMod = std::min(checkMod, Time([&] { CheckList list(*mod, rules); }));
    }

    const TrueColumns columns = FindTrueColumns(*mod, *base, corpus.keys);
    const std::vector<Injection> plan = PlanTypos(*mod, columns, *files, options.typos);
    const Figures figures = Measure(*mod, rules, plan);

    // One edit of a whole column, as a Set selection of it.
    double columnEdit = 0;
    {
        CheckList list(*mod, rules);
        std::vector<CellEdit> edits;
        for (int r = 1; r <= mod->descFileCount(); ++r)
            edits.push_back({GridNumber(1), 2, r, "45"});
        TableChange change;
        columnEdit = Time0([&] { change = mod->setCells(edits); });
        mod->undo(change);
    }

    std::printf("base game: %zu desc files of %zu kinds in %zu files in all (listed in %.3f s); learned from %zu, "
                "%zu held out\n",
                corpus.descs.size(), size_t{7}, files->paths().size(), listing, training.size(), heldOut.size());
    std::printf("grouping chosen: %s, %zu groups\n", GroupingName(*rules).c_str(), rules->groups.size());
    size_t kinds[5] = {};
    for (const ColumnRules& column : rules->columns)
        ++kinds[static_cast<int>(column.rule.kind)];
    std::printf("columns: %zu whole, %zu decimal, %zu word, %zu path, %zu free text\n", kinds[0], kinds[1], kinds[2],
                kinds[3], kinds[4]);
    const bool check = options.checkBounds;
    bool ok = true;
    std::printf("false alarms: %zu of %zu held-out values with a rule flagged (%zu values in all, %.3f %% of them):",
                figures.flagged, figures.ruledCells, figures.valueCells,
                figures.valueCells ? 100.0 * static_cast<double>(figures.flagged) / static_cast<double>(figures.valueCells) : 0);
    for (const auto& [kind, count] : figures.flaggedByKind)
        std::printf(" %s %zu;", KindName(kind), count);
    std::printf("\n");
    ok &= Report("false alarms", 100 * figures.falseAlarms(), "%", 100 * kFalseAlarmBound, true, check);
    for (int kind = 0; kind < kTypoKinds; ++kind) {
        const size_t k = static_cast<size_t>(kind);
        const std::string what = std::string("caught: ") + kTypoNames[k];
        ok &= Report(what.c_str(), 100 * figures.caughtShare(kind), "%", 100 * kCatchBound, false, check);
        std::printf("%-44s %d of %d put in", "", figures.caught[k], figures.injected[k]);
        if (figures.alreadyFlagged[k])
            std::printf("; %d more left out, their cell flagged already", figures.alreadyFlagged[k]);
        if (figures.namingAnother[k])
            std::printf("; %d naming another file of the base game", figures.namingAnother[k]);
        if (figures.small[k])
            std::printf("; %d changed the number by less than half or double (%d of them caught)", figures.small[k],
                        figures.smallCaught[k]);
        std::printf("\n");
    }
    ok &= Report("learning from the whole base game", learnBase, "s", kLearnFactor * openBase, true, check);
    std::printf("%-44s %9.3f s    (Open desc of its %zu files)\n", "", openBase, corpus.descs.size());
    ok &= Report("checking the held-out files", checkMod, "s", kCheckFactor * openMod, true, check);
    std::printf("%-44s %9.3f s    (Open desc of its %zu files)\n", "", openMod, heldOut.size());
    ok &= Report("re-checking after an edit, worst", 1000 * figures.worstRecheck, "ms", 1000 * kRecheckBound, true, check);
    std::printf("%-44s %9.3f ms   mean of %d edits; an edit of a whole column (%d cells) %.3f ms\n", "",
                figures.edits ? 1000 * figures.totalRecheck / figures.edits : 0, figures.edits, mod->descFileCount(),
                1000 * columnEdit);

    if (options.sweep) {
        std::printf("\nsweep: false alarms %%, then caught %% of each kind of typo in the order above\n");
        using GroupBy = LearnOptions::GroupBy;
        const std::vector<std::pair<const char*, GroupBy>> groupings = {
            {"no groups", GroupBy::Nothing}, {"by folder", GroupBy::Folder}, {"by a sorting key", GroupBy::Key},
            {"the narrower (chosen)", GroupBy::Best}};
        for (const auto& [name, by] : groupings) {
            LearnOptions learn;
            learn.groupBy = by;
            const auto swept = LearnRules(*learnedFrom, corpus.folder, files, learn);
            SweepLine(std::string(name) + " (" + GroupingName(*swept) + ")", Measure(*mod, swept, plan));
        }
        for (const double margin : {0.0, 0.05, 0.1, 0.15, 0.25, 0.4})
            for (const double ratio : {1.0, 1.1, 1.25, 1.5}) {
                LearnOptions learn;
                learn.widening = {margin, ratio};
                char name[64];
                std::snprintf(name, sizeof name, "margin %.2f, least ratio %.2f", margin, ratio);
                SweepLine(name, Measure(*mod, LearnRules(*learnedFrom, corpus.folder, files, learn), plan));
            }
        for (const int least : {10, 20, 30, 50, 100, 200}) {
            LearnOptions learn;
            learn.leastGroupFiles = least;
            SweepLine("groups of " + std::to_string(least) + " files at least",
                      Measure(*mod, LearnRules(*learnedFrom, corpus.folder, files, learn), plan));
        }
        for (const int least : {10, 20, 50}) {
            LearnOptions learn;
            learn.leastFiles = least;
            SweepLine("rules from " + std::to_string(least) + " files at least",
                      Measure(*mod, LearnRules(*learnedFrom, corpus.folder, files, learn), plan));
        }
    }
    if (!options.reuse)
        std::filesystem::remove_all(options.folder);
    return ok ? 0 : 1;
}
