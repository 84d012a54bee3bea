// Build merged mod: one folder holding what the mod set makes of the game,
// and a report of every conflict and how it was resolved.
//
// The folder gets only the files whose merged values differ from the base
// game's (or whose copy differs from the base's file in lines outside the
// variables file, which no value carries), and every file only mods have.
// Each file is written from the copy of the last mod in the order that has
// it (the base's own file where only patches change it), with only the key
// lines whose merged values differ from that copy rebuilt as Save all
// rebuilds them; every other byte stays as the copy holds it, and a line
// keeps the values it holds beyond the variables file's count. A file only
// one mod has is therefore its copy byte for byte. What cannot be written
// so is named in the report (MergeNote): a key line the copy lacks, values
// that would leave a gap on a line, a line two keys share, lines outside the
// variables file that another mod's copy holds and the written copy lacks.
//
// Nothing is ever written into the base's or the mods' folders: a folder
// inside one of them, or holding one, is refused. Building again writes only
// the files whose bytes change, durably (core/files), and removes the files
// an earlier build wrote that are no longer part of the merged mod (those
// its report names, and no other).
//
// The report, ".merge-report.txt" in the folder (a hidden name, so that
// opening the folder as a mod or with Open folder leaves it out), holds
// TAB-separated lines in CR LF, in the desc files' code page:
//
//     Dravik 2 merge report<TAB>version 1
//     mod<TAB>1<TAB>Tanks<TAB>/home/me/mods/tanks
//     file<TAB>units/t34.desc<TAB>Tanks
//     conflict<TAB>units/t34.desc<TAB>armor <TAB>2<TAB>45<TAB>55<TAB>Guns<TAB>order<TAB>Tanks<TAB>50<TAB>Guns<TAB>55
//     overridden<TAB>...
//     note<TAB>copy-lacks-line<TAB>units/t34.desc<TAB>armor <TAB><TAB>sentence
//
// `mod` lines give the order; `file` lines each file of the merged mod and
// the mod whose copy it was written from ("(base)" for the base's file);
// `conflict` lines each value mods set differently, `overridden` lines each
// value a mod sets that a choice overrides: the file, the key, the value's
// number, the base's value, the winning value, the winner (a mod's name,
// "(base)" or "(typed)"), what decided it (ConflictWhy), then each mod that
// sets it, in the order, with its value. An absent value is an empty field.
#pragma once

#include "core/modset/mod_set.h"

#include <string>
#include <vector>

namespace dravik {

inline constexpr const char* kMergeReportName = ".merge-report.txt";
inline constexpr const char* kMergeReportFormat = "Dravik 2 merge report";
inline constexpr int kMergeReportVersion = 1;

struct BuildOptions {
    std::string out;      // the folder the merged mod is written into (made when missing)
    bool dryRun = false;  // work out what would be written, and write nothing
    Progress progress;    // files done, files in all
};

struct BuiltFile {
    enum class What {
        New,        // not in the folder yet
        Changed,    // in the folder with other bytes
        Unchanged,  // in the folder as it would be written: not written again
        Removed,    // an earlier build wrote it, and it is no longer part of the merged mod
    };
    What what = What::New;
    int file = -1;  // the merged file; -1 for a removed one
    std::string modPath;
    std::string path;      // in the folder
    int from = kBaseWins;  // the mod whose copy it is; kBaseWins: the base's file
};

struct BuildResult {
    std::vector<BuiltFile> files;        // in path order, the removed ones last
    std::vector<MergeNote> notes;        // the load's, then the build's
    std::vector<ValueDetail> conflicts;  // ModSet::conflicts
    std::string reportPath;
    bool reportWritten = false;  // its bytes changed (or would, in a dry run)
    int count(BuiltFile::What what) const;
    // Files whose bytes the build writes (or would): new and changed ones.
    int written() const { return count(BuiltFile::What::New) + count(BuiltFile::What::Changed); }
    // Whether a value of some mod does not reach the merged mod, but by the
    // order or a choice (MergeNote::losesValues).
    bool losesValues() const;
};

// Why the merged mod cannot go into that folder; empty when it can.
std::string OutFolderProblem(const ModSet& set, const std::string& out);

// Writes the merged mod (in a dry run, only works it out). Throws DravikError,
// with nothing written, when the folder is refused, a file cannot be read, a
// file changed since the set was read (open the set again), or a file cannot
// be written beside its target; a failure while the files are put in place
// leaves those before it written.
BuildResult BuildMergedMod(const ModSet& set, const BuildOptions& options);

// The word for what decided a value: "order", "choice" (this value of this
// file), "file-choice" (the key in this file), "key-value-choice" (this
// value of the key in every file), "key-choice" (the key in every file).
const char* ConflictWhy(DecidedBy decidedBy);
// The fields of a conflict or overridden line after its first word, and of a
// note line, TAB-separated, without a line break: what the report holds and
// the batch prints.
std::string ConflictFields(const ModSet& set, const ValueDetail& conflict);
std::string NoteFields(const MergeNote& note);

}  // namespace dravik
