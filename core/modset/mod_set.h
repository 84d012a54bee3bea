// Many mods over one game: the base game's files and every mod's, read
// once, and for every value of every file who wins it.
//
// The files of the merged view are every file of the base game and every
// file only mods have ("new"), one each, in path order. A value's winner is
// the base's where no mod changes it, else the last mod in the order that
// changes it, unless a choice says otherwise (mod_set_setup.h). Only values
// count: a mod's copy of a file that holds the base's values changes
// nothing, whatever its blanks, line breaks or line order; mods that change
// a value alike agree; a file a mod lacks, or a key line it lacks, is the
// base's there. A file only mods have is compared value by value among them,
// as if the base had it without any value; every value of a file only one
// mod has is that mod's, and the base is never chosen for a file it lacks.
//
// The engine keeps what differs from the base, and no more: for each value
// some mod changes (or a typed choice sets) the base's value and each
// changing mod's; of a file only one mod has, nothing. Reordering the mods or making a choice therefore decides
// the winners again at once, without reading a file. The values no mod
// changes are the base's; they are in the tables the load can fill (what
// the window shows), and `detail` reads them from the base file when asked.
//
// For the window: the load fills the merged view's tables as Open desc lays
// them out (ModSetOptions::tables, takeTables), one row per file, a cell's
// value and slot found by MergeSchema::slotOfCell (row = file + 1); `mark`
// tells each cell's origin for the marks and the filter words (`conflict`:
// Origin::Conflict; `lost`: ValueMark::lost; `mod:NAME`: changes(mod, ...));
// `detail` is the Mods pane and the tool tip; a typed value becomes a choice
// (Winner::Value); choose, unchoose and setOrder return a MergeChange whose
// values (cellEdits) the window applies to its tables as one Edit > Undo
// step, and undo / redo take it back and do it again. These tables show a
// merged view: they must never be written back into the files they were
// read from (Save all); BuildMergedMod (merged_build.h) writes the result.
#pragma once

#include "core/document/desc_document.h"
#include "core/mod/mod_paths.h"
#include "core/mod/patch_plan.h"
#include "core/message.h"
#include "core/modset/merge_schema.h"
#include "core/modset/mod_set_setup.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace dravik {

// Where the winning value of a cell comes from.
enum class Origin : std::uint8_t {
    Base,      // no mod changes it
    OneMod,    // one mod changes it
    Same,      // several mods change it, all to the same value: no conflict
    Conflict,  // mods change it to different values
};

// What decided the winner.
enum class DecidedBy : std::uint8_t {
    Order,           // the last mod in the order that changes it; the base when none does
    ValueChoice,     // a choice about this value of this file
    FileKeyChoice,   // a choice about every value of the key in this file
    KeyValueChoice,  // a choice about this value of the key in every file
    KeyChoice,       // a choice about the key in every file
};

// The winner of a value: a mod (its id), or one of these.
inline constexpr int kBaseWins = -1;   // the base's value
inline constexpr int kTypedWins = -2;  // a value typed as a choice

// A cell's marks, cheap enough to ask of every cell of the tables.
struct ValueMark {
    Origin origin = Origin::Base;
    DecidedBy decidedBy = DecidedBy::Order;
    int winner = kBaseWins;
    // A value some mod sets is not the winning one: a conflict's losers, or
    // a mod's change a choice overrides.
    bool lost = false;
    bool operator==(const ValueMark&) const = default;
};

// One mod's side of a value.
struct ModValue {
    enum class State {
        NoFile,   // the mod has no such file (a patch: no line for this value)
        NoLine,   // the mod's file has no line for the key: the base's value stands
        AsBase,   // the mod holds the base's value
        Changed,  // the mod changes it
    };
    int mod = 0;
    State state = State::NoFile;
    std::optional<std::string> value;  // for Changed; absent: the mod's line has fewer values
};

// Everything about one value: the Mods pane, the tool tip, the review.
struct ValueDetail {
    int file = 0;
    int slot = 0;
    // The base's value; absent where the base has no such file, no line for
    // the key, or fewer values on it.
    std::optional<std::string> base;
    std::vector<ModValue> mods;  // every mod, in the order
    ValueMark mark;
    std::optional<std::string> merged;  // the winning value
    std::optional<Choice> choice;       // the choice that decided it
};

// A value whose winner changed.
struct ValueChange {
    int file = 0;
    int slot = 0;
    std::optional<std::string> before;
    std::optional<std::string> after;
    bool operator==(const ValueChange&) const = default;
};

// One step of choices or order, as data: taken back by ModSet::undo and
// done again by ModSet::redo.
struct MergeChange {
    std::vector<Choice> removed;  // choices the step took away
    std::vector<Choice> added;
    std::vector<int> orderBefore;  // empty when the order stayed
    std::vector<int> orderAfter;
    std::vector<ValueChange> values;  // the winners that changed, in file and slot order
    bool empty() const { return removed.empty() && added.empty() && orderBefore == orderAfter; }
};

// A file of the merged view.
struct MergedFile {
    // Its path below the folders, "/" between folders: as the base spells
    // it, else as the first mod that has it (in the order of loading).
    std::string modPath;
    std::string basePath;  // the base's file; empty for a file only mods have
    struct Copy {
        int mod = 0;
        std::string path;
        std::uint64_t fingerprint = 0;  // of its bytes as read
        std::uint64_t otherLines = 0;   // DescValuesReader::otherLines
    };
    std::vector<Copy> copies;  // the folder mods' copies, by mod id
    std::uint64_t baseFingerprint = 0;
    std::uint64_t baseOtherLines = 0;
    bool isNew() const { return basePath.empty(); }
};

// What a load or a build could not take, or found worth telling: one each,
// as structured data, with a sentence for the user.
struct MergeNote {
    enum class Kind {
        PatchLine,       // a patch line not applied; `patchOutcome` says why
        PatchOtherBase,  // a patch line whose base value is not the base game's: applied all the same
        SameFileTwice,   // a mod holds two files that name one (letter case aside): the later is left out
        UnusedChoice,    // a choice naming a file, key, value or mod the set does not have
        NoKeyLine,       // the copy written has no line for a key whose merged values it would need
        CannotWrite,     // the merged values of a key leave a gap on its line: the copy's line is kept
        SharedLine,      // the line of the key is another key's too: it is kept as the copy holds it
        OtherLines,      // a mod's copy holds lines outside the variables file that the copy written lacks
        KeyLineInSome,   // a key line only some copies of a file only mods have hold
    };
    Kind kind = Kind::PatchLine;
    PatchOutcome patchOutcome = PatchOutcome::NoFile;
    int mod = -1;       // the mod it is about, when one
    int file = -1;      // the merged file, when one
    std::string path;   // the file as the note names it ("/" between folders)
    std::string key;    // as the variables file writes it, when one
    int value = 0;      // the value's number, when one
    Message message;
    // A value of some mod does not reach the merged mod.
    bool losesValues() const;
};

// The word a script can look for: "no-file", "named-twice", "other-base" ...
const char* NoteWord(const MergeNote& note);

struct ModSetOptions {
    Progress progress;  // files done, files in all
    // Fill the merged view's tables as the files are read (takeTables).
    bool tables = false;
};

class ModSet {
public:
    // Reads the variables file, the base folder and every mod. Throws
    // DravikError when one cannot be read: a folder, a subfolder, a file,
    // the variables file, or a patch file that is no patch or is in UTF-8
    // while the desc files are not (patch_plan.h); and for a set whose mod
    // names are not unique. The code page must outlive the set.
    explicit ModSet(ModSetSetup setup, const CodePage& codePage = CodePage::Default(), const ModSetOptions& options = {});
    explicit ModSet(ModSetSetup, CodePage&&, const ModSetOptions& = {}) = delete;
    ~ModSet();
    ModSet(const ModSet&) = delete;
    ModSet& operator=(const ModSet&) = delete;

    // The set as it now stands, mods in the order and every choice: what
    // Save mod set keeps.
    ModSetSetup setup() const;
    const CodePage& codePage() const { return codePage_; }
    const MergeSchema& schema() const { return *schema_; }
    const TextLines& variablesText() const { return variablesText_; }

    // ---- The mods: an id is a mod's place in the order of loading, and
    // stays its id whatever the order becomes.
    int modCount() const { return static_cast<int>(mods_.size()); }
    const ModSource& mod(int id) const { return mods_[static_cast<size_t>(id)]; }
    // The mod of that name (letter case aside); -1 for none.
    int findMod(const std::string& name) const;
    // The ids in the order, first to last: the last wins.
    const std::vector<int>& order() const { return order_; }

    // ---- The files, by index from 0 (the tables' row less one).
    int fileCount() const { return static_cast<int>(files_.size()); }
    const MergedFile& file(int f) const { return files_[static_cast<size_t>(f)]; }
    // The file of that path below the folders (letter case aside); -1 for none.
    int findFile(std::string_view modPath) const;
    // The file's path to show: the base's file, else the first copy's.
    const std::string& shownPath(int f) const;

    // What the load could not take or found worth telling, and the choices
    // the set does not use (UnusedChoice) as they stand now.
    std::vector<MergeNote> notes() const;

    // The tables the load filled, each once: the file list and the ten
    // section tables (grid numbers of grid_numbers.h), laid out as Open desc
    // lays them out, one row per file, every cell its winning value (an
    // absent value empty). Empty unless asked for at the load.
    std::vector<std::pair<GridNumber, Grid>> takeTables();

    // ---- The merged view, value by value (`slot`: MergeSchema).
    ValueMark mark(int file, int slot) const;
    // Whether the mod changes the value (the filter word mod:NAME).
    bool changes(int mod, int file, int slot) const;
    // Reads the base file when no mod changes the value. Throws DravikError
    // when it cannot be read.
    ValueDetail detail(int file, int slot) const;
    // Every conflict and every value whose change a choice overrides, in
    // file and slot order.
    std::vector<ValueDetail> conflicts() const;
    int conflictCount() const;
    // The conflicts no choice decided: the last mod won them.
    int conflictsByOrder() const;

    // The values of a file that some mod changes or a choice sets, in slot
    // order, with the base's value and the winner's.
    struct ChangedValue {
        int slot = 0;
        std::optional<std::string_view> base;
        std::optional<std::string_view> merged;
    };
    std::vector<ChangedValue> changedValues(int file) const;
    // Whether the mod's copy of the file lacks the line of a key the base
    // file has.
    bool copyLacksLine(int file, int mod, int key) const;

    // ---- Choices and order: each a step.
    // Why a choice cannot be made (an unknown key, file or mod, a value a
    // key line cannot hold, a typed value for more than one value); empty
    // when it can.
    std::string choiceProblem(const Choice& choice) const;
    // Makes the choice, in place of any choice about the same values. Throws
    // DravikError for a choice choiceProblem refuses. A typed value of a
    // value no mod changes reads the base file (DravikError when it cannot).
    MergeChange choose(const Choice& choice);
    // Takes away the choice about the same values as `place`, if any.
    MergeChange unchoose(const Choice& place);
    // `order` holds every mod id once, first to last.
    MergeChange setOrder(std::vector<int> order);
    // Moves the mod at place `from` of the order to place `to`.
    MergeChange moveMod(int from, int to);
    // Take a step back and do it again; each returns the values that changed.
    std::vector<ValueChange> undo(const MergeChange& change);
    std::vector<ValueChange> redo(const MergeChange& change);

    // The cells of the tables the values change, with their texts after the
    // change (`after`) or before it: row = file + 1.
    std::vector<CellEdit> cellEdits(const std::vector<ValueChange>& values, bool after = true) const;

    // The base file's values (none for a file only mods have).
    SlotValues readBaseValues(int file) const;

    // Bytes held, as far as the set knows them.
    size_t memoryUsed() const;

private:
    struct ValueRef {
        std::uint32_t begin = 0;  // its block, then its place in the block
        std::uint32_t length = kAbsent;
        static constexpr std::uint32_t kAbsent = UINT32_MAX;
        bool absent() const { return length == kAbsent; }
    };
    // The texts of the values kept, in blocks that are never moved: growing
    // never holds the old and the new copy at once, and a view of a value
    // stays valid.
    class ValueArena {
    public:
        ValueRef keep(std::string_view value);
        std::string_view view(ValueRef ref) const
        {
            if (ref.length == 0)
                return {};
            return {blocks_[ref.begin >> 16].get() + (ref.begin & 0xFFFF), ref.length};
        }
        size_t memoryUsed() const { return bytes_; }

    private:
        static constexpr size_t kBlock = size_t{1} << 16;
        std::vector<std::unique_ptr<char[]>> blocks_;
        size_t used_ = kBlock;  // of the last block
        size_t bytes_ = 0;
    };
    struct Opinion {
        ValueRef value;
        std::uint16_t mod = 0;
    };
    // A value some mod changes, or a typed choice sets, with its winner as
    // last decided; its file is the one whose range holds it (firstTouched_).
    struct Touched {
        std::uint32_t slot = 0;
        std::uint32_t first = 0;  // its opinions, by mod id
        ValueRef base;
        std::uint16_t count = 0;
        std::int16_t winner = kBaseWins;
        Origin origin = Origin::Base;
        DecidedBy decidedBy = DecidedBy::Order;
        bool lost = false;
        ValueMark mark() const { return {origin, decidedBy, winner, lost}; }
    };
    struct MissingLine {
        std::uint32_t file;
        std::uint16_t mod;
        std::uint32_t key;
        auto operator<=>(const MissingLine&) const = default;
    };
    struct ChoicePlace {
        int file = -1;  // -1: every file
        int key = -1;
        int value = 0;
        bool operator==(const ChoicePlace&) const = default;
    };
    struct Load;

    std::optional<std::string_view> text(ValueRef ref) const;
    ValueRef keep(std::optional<std::string_view> value);
    bool hasOpinion(const Touched& t, int mod) const;
    std::optional<std::string_view> opinionValue(const Touched& t, int mod) const;
    std::optional<std::string_view> merged(const Touched& t, int file) const;
    const Touched* findTouched(int file, int slot) const;
    void resolve(Touched& t, int file) const;
    // The choice deciding a value among those about its place, -1 for none.
    int findChoice(const Touched& t, int file, DecidedBy& level) const;
    // A file only one mod has: its copy's values are the file's, and no
    // value of it is kept here but those a typed choice sets.
    bool carried(int file) const;
    SlotValues readCopyValues(int file) const;
    ChoicePlace placeOf(const Choice& choice) const;
    std::uint64_t placeKey(const ChoicePlace& place) const;
    void indexChoices();
    bool affects(const ChoicePlace& place, const Touched& t, int file) const;
    // Which choices held are about the same values as one of these.
    std::vector<bool> choicesAt(const std::vector<Choice>& remove, const std::vector<Choice>& add) const;
    // Adds an entry for a value no mod changes, which a typed choice sets.
    void touch(int file, int slot);
    MergeChange step(std::vector<Choice> remove, std::vector<Choice> add, std::vector<int> order);
    std::vector<ValueChange> apply(const std::vector<Choice>& remove, const std::vector<Choice>& add,
                                   const std::vector<int>& order);
    ValueDetail detailOf(const Touched* t, int file, int slot, const SlotValues* baseValues) const;

    const CodePage& codePage_;
    ModSetSetup setup_;  // its mods in the order of loading
    TextLines variablesText_;
    std::unique_ptr<MergeSchema> schema_;
    std::vector<ModSource> mods_;
    std::vector<int> order_;
    std::vector<int> rank_;  // by id: the place in the order
    std::vector<MergedFile> files_;
    std::unique_ptr<ModPathIndex> fileIndex_;
    std::vector<MergeNote> loadNotes_;
    ValueArena values_;
    // Held in blocks, for the same reason as the values.
    std::deque<Opinion> opinions_;
    std::deque<Touched> touched_;  // by file, then slot
    std::vector<std::uint32_t> firstTouched_;  // by file, and one past the last
    std::vector<MissingLine> missingLines_;    // sorted
    std::unordered_map<std::uint64_t, int> choiceIndex_;
    std::vector<int> choiceMod_;  // by choice: the mod it names, -1 for none
    std::vector<std::pair<GridNumber, Grid>> tables_;
};

}  // namespace dravik
