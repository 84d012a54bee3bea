#include "core/modset/mod_set.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/folder_listing.h"
#include "core/files/native_path.h"
#include "core/mod/mod_paths.h"
#include "core/mod/patch_file.h"
#include "core/text/dravik2_auxillary.h"
#include "core/text/utf8_text.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <tuple>

namespace dravik {

namespace {

std::optional<std::string> Owned(std::optional<std::string_view> value)
{
    return value ? std::optional<std::string>(std::string(*value)) : std::nullopt;
}

// A value as a message shows it.
std::string Shown(std::optional<std::string_view> value) { return value ? "\"" + std::string(*value) + "\"" : "none"; }

}  // namespace

bool MergeNote::losesValues() const
{
    switch (kind) {
    case Kind::PatchLine:
        return patchOutcome != PatchOutcome::Repeated && patchOutcome != PatchOutcome::AlreadyThere;
    case Kind::SameFileTwice:
    case Kind::NoKeyLine:
    case Kind::CannotWrite:
    case Kind::SharedLine:
    case Kind::OtherLines: return true;
    case Kind::PatchOtherBase:
    case Kind::UnusedChoice:
    case Kind::KeyLineInSome: return false;
    }
    return false;
}

const char* NoteWord(const MergeNote& note)
{
    switch (note.kind) {
    case MergeNote::Kind::PatchLine: return PatchOutcomeWord(note.patchOutcome);
    case MergeNote::Kind::PatchOtherBase: return "other-base";
    case MergeNote::Kind::SameFileTwice: return "same-file-twice";
    case MergeNote::Kind::UnusedChoice: return "unused-choice";
    case MergeNote::Kind::NoKeyLine: return "copy-lacks-line";
    case MergeNote::Kind::CannotWrite: return "cannot-write";
    case MergeNote::Kind::SharedLine: return "shared-line";
    case MergeNote::Kind::OtherLines: return "other-lines";
    case MergeNote::Kind::KeyLineInSome: return "key-line-in-some";
    }
    return "note";
}

// ---- The load: every folder listed, every patch read, then the files read
// one after another, each with all its copies, keeping what differs.
struct ModSet::Load {
    Load(ModSet& set, const ModSetOptions& options) : set(set), options(options), reader(*set.schema_) {}

    // A patch line that may apply, once its file's base values are read.
    struct PendingLine {
        int file;
        int slot;
        int mod;
        size_t line;
    };
    struct PatchRead {
        int mod;
        PatchFile patch;
        bool looksUtf8 = false;
    };
    // A note of a patch, placed by its line so that each patch's notes come
    // in its order.
    struct PatchNote {
        int mod;
        size_t line;
        MergeNote note;
    };

    void listFolders();
    void readPatches();
    void readFiles();
    void readFile(int f);
    void compareCopy(int f, int mod, const SlotValues* base, const SlotValues& copy);
    void takePatchLines(int f, const SlotValues& base);
    void fillRows(int f, const SlotValues* base, size_t firstTouched);
    MergeNote patchNote(int mod, const PatchLine& line, PatchOutcome outcome, const Message& why) const;

    ModSet& set;
    const ModSetOptions& options;
    DescValuesReader reader;
    std::vector<PatchRead> patches;
    std::vector<PendingLine> pending;  // by file
    std::vector<PatchNote> patchNotes;
    bool scanBase = false;
    Utf8Scan baseScan;
    struct Found {
        int slot;
        ValueRef value;
        int mod;
    };
    std::vector<Found> found;  // the opinions of the file being read
    std::vector<std::pair<int, int>> typed;  // the places of typed values: file, slot
    std::string bytes;
    std::vector<std::optional<std::string_view>> row;
    GridRow rowCells;
};

ModSet::ModSet(ModSetSetup setup, const CodePage& codePage, const ModSetOptions& options)
    : codePage_(codePage), setup_(std::move(setup))
{
    if (std::string problem = ModSetSetupProblem(setup_); !problem.empty())
        throw DravikError(problem);
    // A mod's id is kept in two bytes beside each value it changes.
    if (setup_.mods.size() > 30000)
        throw DravikError(Message(DRAVIK_TR("Mod set", "A mod set holds at most 30,000 mods")));
    mods_ = setup_.mods;
    order_.resize(mods_.size());
    std::iota(order_.begin(), order_.end(), 0);
    rank_ = order_;
    variablesText_ = SplitLines(ReadFileOrThrow(setup_.variables));
    schema_ = std::make_unique<MergeSchema>(variablesText_, codePage_);
    Load load(*this, options);
    load.listFolders();
    load.readPatches();
    indexChoices();
    load.readFiles();
}

ModSet::~ModSet() = default;

void ModSet::Load::listFolders()
{
    const NamePattern pattern(set.setup_.names, set.codePage_);
    auto list = [&](const std::string& folder) {
        FolderListing listing = ListFolder(folder, pattern, set.codePage_);
        // A folder left unread would make its files look new, or missing.
        if (!listing.unreadableFolders.empty())
            throw DravikError(listing.unreadableMessage());
        return listing;
    };
    const FolderListing base = list(set.setup_.base);
    std::vector<MergedFile> files;
    ModPathIndex baseIndex(set.codePage_);
    for (const std::string& path : base.files) {
        MergedFile file;
        file.modPath = ModPath(set.setup_.base, path);
        file.basePath = path;
        baseIndex.add(file.modPath, static_cast<int>(files.size()));
        files.push_back(std::move(file));
    }
    ModPathIndex newIndex(set.codePage_);
    for (int m = 0; m < set.modCount(); ++m) {
        const ModSource& mod = set.mod(m);
        if (mod.kind != ModSource::Kind::Folder)
            continue;
        for (const std::string& path : list(mod.path).files) {
            const std::string modPath = ModPath(mod.path, path);
            int f = baseIndex.find(modPath);
            if (f < 0)
                f = newIndex.find(modPath);
            if (f < 0) {
                f = static_cast<int>(files.size());
                newIndex.add(modPath, f);
                files.push_back({modPath, {}, {}, 0, 0});
            }
            auto& copies = files[static_cast<size_t>(f)].copies;
            if (!copies.empty() && copies.back().mod == m) {
                MergeNote note;
                note.kind = MergeNote::Kind::SameFileTwice;
                note.mod = m;
                note.path = PathText(modPath);
                note.message =
                    Message(DRAVIK_TR("Mod set", "The mod %1 holds %2 and %3, which name one file; %3 is left out"),
                            {mod.name, PathText(ModPath(mod.path, copies.back().path)), note.path});
                set.loadNotes_.push_back(std::move(note));
                continue;
            }
            copies.push_back({m, path, 0, 0});
        }
    }
    // Files only mods have take their place among the base's, in path order.
    std::vector<std::string> paths;
    for (const MergedFile& file : files)
        paths.push_back(file.modPath);
    set.files_.reserve(files.size());
    for (size_t i : InPathOrder(paths, set.codePage_))
        set.files_.push_back(std::move(files[i]));
    set.fileIndex_ = std::make_unique<ModPathIndex>(set.codePage_);
    for (int f = 0; f < set.fileCount(); ++f)
        set.fileIndex_->add(set.file(f).modPath, f);
    for (MergeNote& note : set.loadNotes_)
        note.file = set.findFile(note.path);
}

MergeNote ModSet::Load::patchNote(int mod, const PatchLine& line, PatchOutcome outcome, const Message& why) const
{
    MergeNote note;
    note.kind = MergeNote::Kind::PatchLine;
    note.patchOutcome = outcome;
    note.mod = mod;
    note.file = set.findFile(line.path);
    note.path = line.path;
    note.key = line.key;
    note.value = line.value;
    note.message =
        Message(DRAVIK_TR("Mod set", "The patch %1 sets value %2 of %3 in %4 to %5, which is not applied: %6"),
                {set.mod(mod).name, std::to_string(line.value), line.key, line.path, Shown(line.mod), why});
    return note;
}

void ModSet::Load::readPatches()
{
    for (int m = 0; m < set.modCount(); ++m) {
        if (set.mod(m).kind != ModSource::Kind::Patch)
            continue;
        PatchRead read{m, ReadPatchFile(set.mod(m).path)};
        // Whether its text looks like UTF-8 is known now; whether the desc
        // files' values are too, once the base has been read.
        RefusePatchInOtherCharacterSet(
            read.patch,
            [&] {
                read.looksUtf8 = true;
                return Utf8Scan{true, true};
            },
            set.codePage_);
        scanBase = scanBase || read.looksUtf8;
        const std::vector<PatchLine>& lines = read.patch.lines;
        std::map<std::pair<int, int>, std::vector<size_t>> byValue;
        for (size_t i = 0; i < lines.size(); ++i) {
            const PatchLine& line = lines[i];
            const int f = set.findFile(line.path);
            const int key = set.schema_->findKey(line.key);
            PatchOutcome outcome = PatchOutcome::Applies;
            Message why;
            if (f < 0 || set.file(f).isNew())
                outcome = PatchOutcome::NoFile;
            else if (key < 0)
                outcome = PatchOutcome::NoKey;
            else if (line.value > set.schema_->keys()[static_cast<size_t>(key)].values)
                outcome = PatchOutcome::NoValue;
            else if (!(why = PatchValueProblem(line.mod, !set.schema_->textKey(key))).empty())
                outcome = PatchOutcome::CannotHold;
            if (outcome != PatchOutcome::Applies) {
                patchNotes.push_back({m, i, patchNote(m, line, outcome, why.empty() ? MissingReason(outcome) : why)});
                continue;
            }
            byValue[{f, set.schema_->slot(key, line.value)}].push_back(i);
        }
        // The same line again is taken once; lines that disagree about a
        // value are none of them applied: which was meant is not the
        // program's to guess.
        for (const auto& [place, named] : byValue) {
            const PatchLine& first = lines[named.front()];
            const bool same = std::all_of(named.begin(), named.end(), [&](size_t i) {
                return lines[i].base == first.base && lines[i].mod == first.mod;
            });
            if (same) {
                pending.push_back({place.first, place.second, m, named.front()});
                continue;
            }
            for (size_t i : named)
                patchNotes.push_back({m, i,
                                      patchNote(m, lines[i], PatchOutcome::NamedTwice,
                                                MissingReason(PatchOutcome::NamedTwice))});
        }
        patches.push_back(std::move(read));
    }
    std::stable_sort(pending.begin(), pending.end(),
                     [](const PendingLine& a, const PendingLine& b) { return a.file < b.file; });
}

void ModSet::Load::readFiles()
{
    set.firstTouched_.assign(static_cast<size_t>(set.fileCount()) + 1, 0);
    for (const Choice& choice : set.setup_.choices) {
        const ChoicePlace place = set.placeOf(choice);
        if (choice.winner.kind == Winner::Kind::Value && place.key >= 0 && place.file >= 0 && place.value > 0)
            typed.emplace_back(place.file, set.schema_->slot(place.key, place.value));
    }
    std::sort(typed.begin(), typed.end());
    if (options.tables) {
        Grid list(3, set.fileCount() + 1);
        list.setRow(0, GridRow{"File number", "File name", "Path"});
        set.tables_.emplace_back(kFileListGrid, std::move(list));
        for (GridNumber g : SectionTables()) {
            Grid table(set.schema_->tableColumns(g), set.fileCount() + 1);
            GridRow header{"", "File name"};
            for (const SectionEntry& entry : set.schema_->loaded().section(SectionOf(g)).entries)
                for (int j = 0; j < ColumnsOf(entry); ++j)
                    header.add(entry.name);
            table.setRow(0, std::move(header));
            set.tables_.emplace_back(g, std::move(table));
        }
    }
    for (int f = 0; f < set.fileCount(); ++f) {
        readFile(f);
        if (options.progress)
            options.progress(f + 1, set.fileCount());
    }
    set.firstTouched_.back() = static_cast<std::uint32_t>(set.touched_.size());
    for (const PatchRead& read : patches)
        if (read.looksUtf8)
            RefusePatchInOtherCharacterSet(read.patch, [&] { return baseScan; }, set.codePage_);
    std::stable_sort(patchNotes.begin(), patchNotes.end(), [](const PatchNote& a, const PatchNote& b) {
        return std::tie(a.mod, a.line) < std::tie(b.mod, b.line);
    });
    for (PatchNote& note : patchNotes)
        set.loadNotes_.push_back(std::move(note.note));
}

void ModSet::Load::readFile(int f)
{
    MergedFile& file = set.files_[static_cast<size_t>(f)];
    set.firstTouched_[static_cast<size_t>(f)] = static_cast<std::uint32_t>(set.touched_.size());
    found.clear();
    SlotValues base;
    std::string baseBytes;
    if (!file.isNew()) {
        baseBytes = ReadFileOrThrow(file.basePath);
        reader.read(baseBytes, base);
        file.baseFingerprint = BytesFingerprint(baseBytes);
        file.baseOtherLines = reader.otherLines();
        if (scanBase)
            for (int s = 0; s < set.schema_->slotCount(); ++s)
                if (const auto value = base.value(s))
                    baseScan += ScanUtf8(*value);
    }
    const SlotValues* baseValues = file.isNew() ? nullptr : &base;
    const bool carried = set.carried(f);
    SlotValues copy;
    for (MergedFile::Copy& c : file.copies) {
        bytes = ReadFileOrThrow(c.path);
        reader.read(bytes, copy);
        c.fingerprint = BytesFingerprint(bytes);
        c.otherLines = reader.otherLines();
        if (!carried)
            compareCopy(f, c.mod, baseValues, copy);
    }
    if (baseValues)
        takePatchLines(f, base);
    // Values typed as choices where no mod changes them; in a file only one
    // mod has, with that mod's value.
    const auto firstTyped =
        std::lower_bound(typed.begin(), typed.end(), std::pair<int, int>(f, -1));
    for (auto it = firstTyped; it != typed.end() && it->first == f; ++it) {
        found.push_back({it->second, {}, -1});
        if (carried && copy.value(it->second))
            found.push_back({it->second, set.keep(copy.value(it->second)), file.copies.front().mod});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return std::tie(a.slot, a.mod) < std::tie(b.slot, b.mod);
    });
    const size_t firstTouched = set.touched_.size();
    for (size_t i = 0; i < found.size();) {
        Touched t;
        t.slot = static_cast<std::uint32_t>(found[i].slot);
        t.first = static_cast<std::uint32_t>(set.opinions_.size());
        t.base = set.keep(baseValues ? base.value(found[i].slot) : std::nullopt);
        for (; i < found.size() && found[i].slot == static_cast<int>(t.slot); ++i) {
            if (found[i].mod < 0)
                continue;  // a typed choice's place
            set.opinions_.push_back({found[i].value, static_cast<std::uint16_t>(found[i].mod)});
            ++t.count;
        }
        set.resolve(t, f);
        set.touched_.push_back(t);
    }
    if (options.tables)
        fillRows(f, carried ? &copy : baseValues, firstTouched);
}

void ModSet::Load::compareCopy(int f, int mod, const SlotValues* base, const SlotValues& copy)
{
    const MergeSchema& schema = *set.schema_;
    for (int key = 0; key < schema.keyCount(); ++key) {
        const bool baseLine = base && base->hasLine(key);
        // A key line the mod's file lacks is the base's: a mod deletes no value.
        if (!copy.hasLine(key)) {
            if (baseLine)
                set.missingLines_.push_back(
                    {static_cast<std::uint32_t>(f), static_cast<std::uint16_t>(mod), static_cast<std::uint32_t>(key)});
            continue;
        }
        const int first = schema.firstSlot(key);
        const int values = schema.keys()[static_cast<size_t>(key)].values;
        for (int s = first; s < first + values; ++s) {
            const std::optional<std::string_view> value = copy.value(s);
            if (value != (base ? base->value(s) : std::nullopt))
                found.push_back({s, set.keep(value), mod});
        }
    }
}

void ModSet::Load::takePatchLines(int f, const SlotValues& base)
{
    const auto begin = std::lower_bound(pending.begin(), pending.end(), f,
                                        [](const PendingLine& line, int file) { return line.file < file; });
    for (auto it = begin; it != pending.end() && it->file == f; ++it) {
        const PatchRead& read =
            *std::find_if(patches.begin(), patches.end(), [&](const PatchRead& p) { return p.mod == it->mod; });
        const PatchLine& line = read.patch.lines[it->line];
        const int key = set.schema_->keyOfSlot(it->slot);
        const std::optional<std::string_view> value = base.value(it->slot);
        if (!base.hasLine(key)) {
            patchNotes.push_back({it->mod, it->line,
                                  patchNote(it->mod, line, PatchOutcome::NoKeyLine, MissingReason(PatchOutcome::NoKeyLine))});
            continue;
        }
        if (!value) {
            patchNotes.push_back(
                {it->mod, it->line,
                 patchNote(it->mod, line, PatchOutcome::NoValue,
                           Message(DRAVIK_TR("Mod set", "the file's line of the key has fewer values")))});
            continue;
        }
        if (*value == line.mod)
            continue;
        if (*value != line.base) {
            MergeNote note;
            note.kind = MergeNote::Kind::PatchOtherBase;
            note.mod = it->mod;
            note.file = f;
            note.path = line.path;
            note.key = line.key;
            note.value = line.value;
            note.message =
                Message(DRAVIK_TR("Mod set",
                                  "The patch %1 expects %2 as value %3 of %4 in %5, where the base game holds %6; its "
                                  "value %7 is taken all the same"),
                        {set.mod(it->mod).name, Shown(line.base), std::to_string(line.value), line.key, line.path,
                         Shown(value), Shown(line.mod)});
            patchNotes.push_back({it->mod, it->line, std::move(note)});
        }
        found.push_back({it->slot, set.keep(line.mod), it->mod});
    }
}

void ModSet::Load::fillRows(int f, const SlotValues* base, size_t firstTouched)
{
    const MergeSchema& schema = *set.schema_;
    row.assign(static_cast<size_t>(schema.slotCount()), std::nullopt);
    if (base)
        for (int s = 0; s < schema.slotCount(); ++s)
            row[static_cast<size_t>(s)] = base->value(s);
    for (size_t i = firstTouched; i < set.touched_.size(); ++i)
        row[set.touched_[i].slot] = set.merged(set.touched_[i], f);
    const std::string path = PathText(set.shownPath(f));
    const std::string number = std::to_string(f + 1);
    for (auto& [grid, table] : set.tables_) {
        GridRow& cells = rowCells;
        cells.clear();
        cells.add(number);
        if (grid == kFileListGrid) {
            cells.add(NameOfFile(path));
            cells.add(path);
        } else {
            cells.add(path);
            for (int c = kFirstValueColumn; c < table.colCount(); ++c) {
                const int slot = schema.slotOfCell(grid, c);
                const auto value = slot < 0 ? std::nullopt : row[static_cast<size_t>(slot)];
                cells.add(value ? *value : std::string_view());
            }
        }
        table.setRow(f + 1, cells);  // copied at its size; the buffer is kept for the next row
    }
}

// ---- Values kept.

ModSet::ValueRef ModSet::ValueArena::keep(std::string_view value)
{
    if (value.empty())
        return {0, 0};
    // A long value gets a block of its own; the next value starts a new one.
    if (value.size() > kBlock - used_) {
        if (blocks_.size() >= 0x10000)
            throw DravikError(Message(DRAVIK_TR("Mod set", "The mod set holds more changed values than can be kept")));
        blocks_.push_back(std::make_unique<char[]>(std::max(kBlock, value.size())));
        bytes_ += std::max(kBlock, value.size());
        used_ = value.size() > kBlock ? kBlock : 0;
    }
    const size_t offset = value.size() > kBlock ? 0 : used_;
    std::copy(value.begin(), value.end(), blocks_.back().get() + offset);
    if (value.size() <= kBlock)
        used_ += value.size();
    return {static_cast<std::uint32_t>((blocks_.size() - 1) << 16 | offset), static_cast<std::uint32_t>(value.size())};
}

std::optional<std::string_view> ModSet::text(ValueRef ref) const
{
    if (ref.absent())
        return std::nullopt;
    return values_.view(ref);
}

ModSet::ValueRef ModSet::keep(std::optional<std::string_view> value)
{
    return value ? values_.keep(*value) : ValueRef{};
}

std::optional<std::string_view> ModSet::opinionValue(const Touched& t, int mod) const
{
    for (std::uint32_t i = t.first; i < t.first + t.count; ++i)
        if (opinions_[i].mod == mod)
            return text(opinions_[i].value);
    return std::nullopt;
}

std::optional<std::string_view> ModSet::merged(const Touched& t, int file) const
{
    switch (t.winner) {
    case kBaseWins: return text(t.base);
    case kTypedWins: {
        DecidedBy level;
        return std::string_view(setup_.choices[static_cast<size_t>(findChoice(t, file, level))].winner.text);
    }
    default: return opinionValue(t, t.winner);
    }
}

const ModSet::Touched* ModSet::findTouched(int file, int slot) const
{
    if (file < 0 || file >= fileCount())
        return nullptr;
    const auto begin = touched_.begin() + firstTouched_[static_cast<size_t>(file)];
    const auto end = touched_.begin() + firstTouched_[static_cast<size_t>(file) + 1];
    const auto found =
        std::lower_bound(begin, end, slot, [](const Touched& t, int s) { return static_cast<int>(t.slot) < s; });
    return found != end && static_cast<int>(found->slot) == slot ? &*found : nullptr;
}

bool ModSet::hasOpinion(const Touched& t, int mod) const
{
    for (std::uint32_t i = t.first; i < t.first + t.count; ++i)
        if (opinions_[i].mod == mod)
            return true;
    return false;
}

int ModSet::findChoice(const Touched& t, int file, DecidedBy& level) const
{
    if (choiceIndex_.empty())
        return -1;
    const int key = schema_->keyOfSlot(static_cast<int>(t.slot));
    const int value = schema_->valueOfSlot(static_cast<int>(t.slot));
    const std::pair<ChoicePlace, DecidedBy> places[] = {
        {{file, key, value}, DecidedBy::ValueChoice},
        {{file, key, 0}, DecidedBy::FileKeyChoice},
        {{-1, key, value}, DecidedBy::KeyValueChoice},
        {{-1, key, 0}, DecidedBy::KeyChoice},
    };
    for (const auto& [place, decided] : places) {
        const auto found = choiceIndex_.find(placeKey(place));
        if (found == choiceIndex_.end())
            continue;
        const Winner& winner = setup_.choices[static_cast<size_t>(found->second)].winner;
        // A mod chosen where it changes nothing leaves the value to the next
        // choice, or to the order.
        if (winner.kind == Winner::Kind::Mod && !hasOpinion(t, choiceMod_[static_cast<size_t>(found->second)]))
            continue;
        // Nor is the base chosen where it has no such file: it has no value there.
        if (winner.kind == Winner::Kind::Base && files_[static_cast<size_t>(file)].isNew())
            continue;
        level = decided;
        return found->second;
    }
    return -1;
}

void ModSet::resolve(Touched& t, int file) const
{
    Origin origin = Origin::Base;
    int last = kBaseWins;
    if (t.count > 0) {
        const std::optional<std::string_view> first = text(opinions_[t.first].value);
        bool differ = false;
        for (std::uint32_t i = t.first; i < t.first + t.count; ++i) {
            const Opinion& opinion = opinions_[i];
            differ = differ || text(opinion.value) != first;
            if (last == kBaseWins || rank_[opinion.mod] > rank_[static_cast<size_t>(last)])
                last = opinion.mod;
        }
        origin = differ ? Origin::Conflict : t.count == 1 ? Origin::OneMod : Origin::Same;
    }
    t.origin = origin;
    t.decidedBy = DecidedBy::Order;
    t.winner = static_cast<std::int16_t>(last);
    DecidedBy level = DecidedBy::Order;
    if (const int choice = findChoice(t, file, level); choice >= 0) {
        const Winner& winner = setup_.choices[static_cast<size_t>(choice)].winner;
        t.decidedBy = level;
        t.winner = static_cast<std::int16_t>(winner.kind == Winner::Kind::Base    ? kBaseWins
                                             : winner.kind == Winner::Kind::Value ? kTypedWins
                                                                                  : choiceMod_[static_cast<size_t>(choice)]);
    }
    const std::optional<std::string_view> value = merged(t, file);
    t.lost = false;
    for (std::uint32_t i = t.first; i < t.first + t.count; ++i)
        t.lost = t.lost || text(opinions_[i].value) != value;
}

bool ModSet::carried(int f) const
{
    const MergedFile& merged = file(f);
    return merged.isNew() && merged.copies.size() == 1;
}

SlotValues ModSet::readCopyValues(int f) const
{
    SlotValues values;
    const std::string bytes = ReadFileOrThrow(file(f).copies.front().path);
    DescValuesReader reader(*schema_);
    reader.read(bytes, values);
    return values;
}

// ---- Queries.

ModSetSetup ModSet::setup() const
{
    ModSetSetup setup = setup_;
    setup.mods.clear();
    for (int id : order_)
        setup.mods.push_back(mods_[static_cast<size_t>(id)]);
    return setup;
}

int ModSet::findMod(const std::string& name) const
{
    const std::string folded = CodePage::Default().lowered(name);
    for (int m = 0; m < modCount(); ++m)
        if (CodePage::Default().lowered(mods_[static_cast<size_t>(m)].name) == folded)
            return m;
    return -1;
}

int ModSet::findFile(std::string_view modPath) const { return fileIndex_ ? fileIndex_->find(modPath) : -1; }

const std::string& ModSet::shownPath(int f) const
{
    const MergedFile& merged = file(f);
    return merged.isNew() ? merged.copies.front().path : merged.basePath;
}

std::vector<MergeNote> ModSet::notes() const
{
    std::vector<MergeNote> notes = loadNotes_;
    for (size_t i = 0; i < setup_.choices.size(); ++i) {
        const Choice& choice = setup_.choices[i];
        const std::string problem = choiceProblem(choice);
        if (problem.empty())
            continue;
        MergeNote note;
        note.kind = MergeNote::Kind::UnusedChoice;
        note.file = choice.file.empty() ? -1 : findFile(choice.file);
        note.path = choice.file;
        note.key = choice.key;
        note.value = choice.value;
        const std::string value = std::to_string(choice.value);
        if (choice.value > 0 && !choice.file.empty())
            note.message = Message(DRAVIK_TR("Mod set", "A choice about value %1 of %2 in %3 is not used: %4"),
                                   {value, choice.key, choice.file, problem});
        else if (choice.value > 0)
            note.message = Message(DRAVIK_TR("Mod set", "A choice about value %1 of %2 in every file is not used: %3"),
                                   {value, choice.key, problem});
        else if (!choice.file.empty())
            note.message = Message(DRAVIK_TR("Mod set", "A choice about %1 in %2 is not used: %3"),
                                   {choice.key, choice.file, problem});
        else
            note.message =
                Message(DRAVIK_TR("Mod set", "A choice about %1 in every file is not used: %2"), {choice.key, problem});
        notes.push_back(std::move(note));
    }
    return notes;
}

std::vector<std::pair<GridNumber, Grid>> ModSet::takeTables() { return std::move(tables_); }

ValueMark ModSet::mark(int f, int slot) const
{
    if (const Touched* t = findTouched(f, slot))
        return t->mark();
    if (f >= 0 && f < fileCount() && carried(f))
        return {Origin::OneMod, DecidedBy::Order, file(f).copies.front().mod, false};
    return {};
}

bool ModSet::changes(int mod, int f, int slot) const
{
    if (const Touched* t = findTouched(f, slot))
        return hasOpinion(*t, mod);
    return f >= 0 && f < fileCount() && carried(f) && file(f).copies.front().mod == mod;
}

SlotValues ModSet::readBaseValues(int f) const
{
    SlotValues values;
    if (file(f).isNew())
        return values;
    const std::string bytes = ReadFileOrThrow(file(f).basePath);
    DescValuesReader reader(*schema_);
    reader.read(bytes, values);
    // The values are held in `values` itself, not in the bytes.
    return values;
}

ValueDetail ModSet::detailOf(const Touched* t, int f, int slot, const SlotValues* baseValues) const
{
    ValueDetail detail;
    detail.file = f;
    detail.slot = slot;
    detail.base = t ? Owned(text(t->base)) : baseValues ? Owned(baseValues->value(slot)) : std::nullopt;
    detail.mark = t ? t->mark() : ValueMark{};
    detail.merged = t ? Owned(merged(*t, f)) : detail.base;
    DecidedBy level;
    if (const int choice = t ? findChoice(*t, f, level) : -1; choice >= 0)
        detail.choice = setup_.choices[static_cast<size_t>(choice)];
    const MergedFile& merged = file(f);
    const int key = schema_->keyOfSlot(slot);
    for (int id : order_) {
        ModValue value;
        value.mod = id;
        const bool hasCopy = std::any_of(merged.copies.begin(), merged.copies.end(),
                                         [&](const MergedFile::Copy& c) { return c.mod == id; });
        if (t && hasOpinion(*t, id)) {
            value.state = ModValue::State::Changed;
            value.value = Owned(opinionValue(*t, id));
        } else if (!hasCopy) {
            value.state = ModValue::State::NoFile;
        } else if (copyLacksLine(f, id, key)) {
            value.state = ModValue::State::NoLine;
        } else {
            value.state = ModValue::State::AsBase;
        }
        detail.mods.push_back(std::move(value));
    }
    return detail;
}

ValueDetail ModSet::detail(int f, int slot) const
{
    if (const Touched* t = findTouched(f, slot))
        return detailOf(t, f, slot, nullptr);
    if (!carried(f)) {
        const SlotValues base = readBaseValues(f);
        return detailOf(nullptr, f, slot, &base);
    }
    // A file only one mod has: its values are that mod's.
    ValueDetail detail = detailOf(nullptr, f, slot, nullptr);
    const SlotValues copy = readCopyValues(f);
    detail.merged = Owned(copy.value(slot));
    if (detail.merged) {
        detail.mark = mark(f, slot);
        for (ModValue& value : detail.mods)
            if (value.mod == file(f).copies.front().mod) {
                value.state = ModValue::State::Changed;
                value.value = detail.merged;
            }
    }
    return detail;
}

std::vector<ValueDetail> ModSet::conflicts() const
{
    std::vector<ValueDetail> list;
    for (int f = 0; f < fileCount(); ++f)
        for (std::uint32_t i = firstTouched_[static_cast<size_t>(f)]; i < firstTouched_[static_cast<size_t>(f) + 1]; ++i)
            if (touched_[i].origin == Origin::Conflict || touched_[i].lost)
                list.push_back(detailOf(&touched_[i], f, static_cast<int>(touched_[i].slot), nullptr));
    return list;
}

int ModSet::conflictCount() const
{
    return static_cast<int>(
        std::count_if(touched_.begin(), touched_.end(), [](const Touched& t) { return t.origin == Origin::Conflict; }));
}

int ModSet::conflictsByOrder() const
{
    return static_cast<int>(std::count_if(touched_.begin(), touched_.end(), [](const Touched& t) {
        return t.origin == Origin::Conflict && t.decidedBy == DecidedBy::Order;
    }));
}

std::vector<ModSet::ChangedValue> ModSet::changedValues(int f) const
{
    std::vector<ChangedValue> values;
    for (std::uint32_t i = firstTouched_[static_cast<size_t>(f)]; i < firstTouched_[static_cast<size_t>(f) + 1]; ++i)
        values.push_back({static_cast<int>(touched_[i].slot), text(touched_[i].base), merged(touched_[i], f)});
    return values;
}

bool ModSet::copyLacksLine(int f, int mod, int key) const
{
    return std::binary_search(missingLines_.begin(), missingLines_.end(),
                              MissingLine{static_cast<std::uint32_t>(f), static_cast<std::uint16_t>(mod),
                                          static_cast<std::uint32_t>(key)});
}

std::vector<CellEdit> ModSet::cellEdits(const std::vector<ValueChange>& values, bool after) const
{
    std::vector<CellEdit> edits;
    for (const ValueChange& change : values) {
        const std::optional<std::string>& value = after ? change.after : change.before;
        for (const auto& [grid, col] : schema_->cellsOfSlot(change.slot))
            edits.push_back({grid, col, change.file + 1, value.value_or(std::string())});
    }
    return edits;
}

size_t ModSet::memoryUsed() const
{
    size_t bytes = files_.capacity() * sizeof(MergedFile);
    for (const MergedFile& f : files_) {
        bytes += f.modPath.capacity() + f.basePath.capacity() + f.copies.capacity() * sizeof(MergedFile::Copy);
        for (const MergedFile::Copy& c : f.copies)
            bytes += c.path.capacity();
    }
    return bytes + values_.memoryUsed() + opinions_.size() * sizeof(Opinion) + touched_.size() * sizeof(Touched) +
           firstTouched_.capacity() * sizeof(std::uint32_t) + missingLines_.capacity() * sizeof(MissingLine);
}

// ---- Choices and order.

ModSet::ChoicePlace ModSet::placeOf(const Choice& choice) const
{
    ChoicePlace place;
    place.key = schema_->findKey(choice.key);
    place.file = choice.file.empty() ? -1 : findFile(choice.file);
    if (!choice.file.empty() && place.file < 0)
        place.key = -1;  // a file the set does not have: the choice is about nothing
    place.value = choice.value;
    if (place.key >= 0 && (choice.value < 0 || choice.value > schema_->keys()[static_cast<size_t>(place.key)].values))
        place.key = -1;
    return place;
}

std::uint64_t ModSet::placeKey(const ChoicePlace& place) const
{
    return static_cast<std::uint64_t>(place.file + 1) << 40 | static_cast<std::uint64_t>(place.key) << 16 |
           static_cast<std::uint64_t>(place.value);
}

void ModSet::indexChoices()
{
    choiceIndex_.clear();
    choiceMod_.assign(setup_.choices.size(), -1);
    for (size_t i = 0; i < setup_.choices.size(); ++i) {
        const Choice& choice = setup_.choices[i];
        if (!choiceProblem(choice).empty())
            continue;
        if (choice.winner.kind == Winner::Kind::Mod)
            choiceMod_[i] = findMod(choice.winner.text);
        choiceIndex_[placeKey(placeOf(choice))] = static_cast<int>(i);
    }
}

std::string ModSet::choiceProblem(const Choice& choice) const
{
    const int key = schema_->findKey(choice.key);
    if (key < 0)
        return "the variables file has no key \"" + choice.key + "\"";
    const int values = schema_->keys()[static_cast<size_t>(key)].values;
    if (choice.value < 0 || choice.value > values)
        return "the key \"" + choice.key + "\" has " + std::to_string(values) + " value(s)";
    if (!choice.file.empty() && findFile(choice.file) < 0)
        return "the mod set has no file \"" + choice.file + "\"";
    switch (choice.winner.kind) {
    case Winner::Kind::Base: break;
    case Winner::Kind::Mod:
        if (findMod(choice.winner.text) < 0)
            return "no mod is named \"" + choice.winner.text + "\"";
        break;
    case Winner::Kind::Value:
        if (choice.file.empty() || choice.value == 0)
            return "a typed value is for one value of one file";
        if (Message why = PatchValueProblem(choice.winner.text, !schema_->textKey(key)); !why.empty())
            return Shown(choice.winner.text) + " cannot stand on a key line: " + why.english();
        break;
    }
    return {};
}

bool ModSet::affects(const ChoicePlace& place, const Touched& t, int file) const
{
    return place.key >= 0 && schema_->keyOfSlot(static_cast<int>(t.slot)) == place.key &&
           (place.file < 0 || place.file == file) &&
           (place.value == 0 || schema_->valueOfSlot(static_cast<int>(t.slot)) == place.value);
}

void ModSet::touch(int f, int slot)
{
    if (findTouched(f, slot))
        return;
    Touched t;
    t.slot = static_cast<std::uint32_t>(slot);
    t.first = static_cast<std::uint32_t>(opinions_.size());
    if (carried(f)) {
        // The one mod's value is its change, the base having no such file.
        const SlotValues copy = readCopyValues(f);
        if (const auto value = copy.value(slot)) {
            opinions_.push_back({keep(value), static_cast<std::uint16_t>(file(f).copies.front().mod)});
            t.count = 1;
        }
    } else {
        t.base = keep(readBaseValues(f).value(slot));
    }
    resolve(t, f);
    const auto begin = touched_.begin() + firstTouched_[static_cast<size_t>(f)];
    const auto end = touched_.begin() + firstTouched_[static_cast<size_t>(f) + 1];
    touched_.insert(std::lower_bound(begin, end, slot, [](const Touched& e, int s) { return static_cast<int>(e.slot) < s; }),
                    t);
    for (size_t g = static_cast<size_t>(f) + 1; g < firstTouched_.size(); ++g)
        ++firstTouched_[g];
}

std::vector<ValueChange> ModSet::apply(const std::vector<Choice>& remove, const std::vector<Choice>& add,
                                       const std::vector<int>& order)
{
    for (const Choice& choice : add) {
        const ChoicePlace place = placeOf(choice);
        if (choice.winner.kind == Winner::Kind::Value && place.key >= 0 && place.file >= 0 && place.value > 0)
            touch(place.file, schema_->slot(place.key, place.value));
    }
    const bool reordered = !order.empty() && order != order_;
    std::vector<ChoicePlace> places;
    for (const auto* list : {&remove, &add})
        for (const Choice& choice : *list)
            places.push_back(placeOf(choice));
    // The winners before: a value is read again only where its winner
    // changed, and a typed one is kept, as its choice may go.
    struct Affected {
        int file;
        std::uint32_t index;
        std::int16_t winner;
        std::optional<std::string> typed;
    };
    std::vector<Affected> affected;
    for (int f = 0; f < fileCount(); ++f)
        for (std::uint32_t i = firstTouched_[static_cast<size_t>(f)]; i < firstTouched_[static_cast<size_t>(f) + 1]; ++i) {
            const Touched& t = touched_[i];
            if (reordered || std::any_of(places.begin(), places.end(),
                                         [&](const ChoicePlace& place) { return affects(place, t, f); }))
                affected.push_back({f, i, t.winner, t.winner == kTypedWins ? Owned(merged(t, f)) : std::nullopt});
        }

    // A choice about the same values as another replaces it.
    const std::vector<bool> drop = choicesAt(remove, add);
    std::vector<Choice> kept;
    for (size_t i = 0; i < setup_.choices.size(); ++i)
        if (!drop[i])
            kept.push_back(std::move(setup_.choices[i]));
    kept.insert(kept.end(), add.begin(), add.end());
    setup_.choices = std::move(kept);
    if (reordered) {
        order_ = order;
        for (size_t place = 0; place < order_.size(); ++place)
            rank_[static_cast<size_t>(order_[place])] = static_cast<int>(place);
    }
    indexChoices();

    std::vector<ValueChange> changes;
    for (Affected& a : affected) {
        Touched& t = touched_[a.index];
        resolve(t, a.file);
        if (t.winner == a.winner && a.winner != kTypedWins)
            continue;
        const std::optional<std::string_view> before = a.winner == kTypedWins ? std::optional<std::string_view>(*a.typed)
                                                       : a.winner == kBaseWins ? text(t.base)
                                                                               : opinionValue(t, a.winner);
        const std::optional<std::string_view> after = merged(t, a.file);
        if (after != before)
            changes.push_back({a.file, static_cast<int>(t.slot), Owned(before), Owned(after)});
    }
    return changes;
}

std::vector<bool> ModSet::choicesAt(const std::vector<Choice>& remove, const std::vector<Choice>& add) const
{
    // Places as the set resolves them; a choice naming nothing the set has
    // is matched by its words.
    std::vector<ChoicePlace> held;
    for (const Choice& choice : setup_.choices)
        held.push_back(placeOf(choice));
    std::vector<bool> at(setup_.choices.size(), false);
    for (const auto* list : {&remove, &add})
        for (const Choice& choice : *list) {
            const ChoicePlace place = placeOf(choice);
            for (size_t i = 0; i < held.size(); ++i)
                at[i] = at[i] || (held[i].key >= 0 && place.key >= 0 ? held[i] == place
                                                                      : setup_.choices[i].samePlace(choice));
        }
    return at;
}

MergeChange ModSet::step(std::vector<Choice> remove, std::vector<Choice> add, std::vector<int> order)
{
    MergeChange change;
    const std::vector<bool> at = choicesAt(remove, add);
    for (size_t i = 0; i < at.size(); ++i)
        if (at[i])
            change.removed.push_back(setup_.choices[i]);
    change.added = std::move(add);
    if (!order.empty()) {
        change.orderBefore = order_;
        change.orderAfter = order;
    }
    change.values = apply(change.removed, change.added, change.orderAfter);
    return change;
}

MergeChange ModSet::choose(const Choice& given)
{
    if (std::string problem = choiceProblem(given); !problem.empty())
        throw DravikError("This choice cannot be made: " + problem);
    // Kept as the set names them: the key as the variables file writes it,
    // the file as the base (or the first mod having it) spells it.
    Choice choice = given;
    choice.key = schema_->keyName(schema_->findKey(given.key));
    if (!choice.file.empty())
        choice.file = file(findFile(given.file)).modPath;
    return step({}, {choice}, {});
}

MergeChange ModSet::unchoose(const Choice& place) { return step({place}, {}, {}); }

MergeChange ModSet::setOrder(std::vector<int> order)
{
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> ids(mods_.size());
    std::iota(ids.begin(), ids.end(), 0);
    if (sorted != ids)
        throw DravikError(Message(DRAVIK_TR("Mod set", "The order must name every mod of the set once")));
    return step({}, {}, std::move(order));
}

MergeChange ModSet::moveMod(int from, int to)
{
    std::vector<int> order = order_;
    if (from < 0 || to < 0 || static_cast<size_t>(from) >= order.size() || static_cast<size_t>(to) >= order.size())
        throw DravikError(Message(DRAVIK_TR("Mod set", "There is no such place in the order of the mods")));
    const int id = order[static_cast<size_t>(from)];
    order.erase(order.begin() + from);
    order.insert(order.begin() + to, id);
    return setOrder(std::move(order));
}

std::vector<ValueChange> ModSet::undo(const MergeChange& change)
{
    return apply(change.added, change.removed, change.orderBefore);
}

std::vector<ValueChange> ModSet::redo(const MergeChange& change)
{
    return apply(change.removed, change.added, change.orderAfter);
}

}  // namespace dravik
