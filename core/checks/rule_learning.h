// Learning the rules from the base game's own desc files, read with the
// variables text as Open desc reads them. Learning asks nothing and shows
// nothing: it is one pass over the base game's tables, which keeps each
// file's number and word of each column for weighing the groupings.
//
// A column is learned from the files that hold a value in it, and needs
// `leastFiles` of them for a rule at all. Its kind, in this order:
// - numbers, whole or decimal, when all its values are numbers, or all but a
//   few words the base game holds there ("none"), which then pass as well;
//   numbers written with a point also keep the counts of decimal places the
//   base game writes them with, once `leastFiles` of them have one;
// - a path, when nearly all its values name files of the base game's folder
//   (before words: a mod may name any sound of the game, not only the few
//   its units name), the few other words it holds passing too;
// - a word of a small set: at most the square root of its values' count of
//   distinct words (letter case aside), over at least `leastFiles` files;
// - free text otherwise, which is not checked.
// Numbers are held to their range, widened (Widening). A group of files gets
// a rule of its own where it holds `leastGroupFiles` values of the column and
// its rule is narrower than the column's: a range, or a set of at most the
// square root of the group's files of words.
//
// The grouping is chosen among the files' folders at each depth and the word
// columns that sort nearly all files (`sortingCoverage`): the one whose
// groups' ranges are narrowest, on average over the values, against their
// columns' ranges, if that is `leastNarrowing` or less.
#pragma once

#include "core/checks/learned_rules.h"
#include "core/document/desc_document.h"
#include "core/files/folder_listing.h"

#include <memory>
#include <string>

namespace dravik {

struct LearnOptions {
    enum class GroupBy : std::uint8_t {
        Best,     // whichever grouping below narrows the rules most, or none
        Nothing,  // one rule per column
        Folder,   // by the files' folders only, at the depth that narrows most
        Key,      // by a sorting key only, the one that narrows most
    };
    GroupBy groupBy = GroupBy::Best;
    int leastFiles = 20;
    int leastGroupFiles = 30;
    // Numbers with a few words, and paths: the share of values that must be
    // numbers, or name files.
    double nearlyAll = 0.95;
    // A sorting key holds a value in at least this share of the files.
    double sortingCoverage = 0.9;
    // A grouping is taken when it narrows the rules at least this much: the
    // widths of the ranges the values are held to, on average, against the
    // widths of their columns' ranges.
    double leastNarrowing = 0.9;
    Widening widening;
};

// The rules of the base game's files held by `base`, opened from `folder`
// with the variables text the rules are for. `files` holds the files of the
// base game's folder that values may name. Files without a line for any key
// of the variables text (pictures, sounds) are not learned from.
std::shared_ptr<LearnedRules> LearnRules(const DescDocument& base, const std::string& folder,
                                         std::shared_ptr<const FileNames> files, const LearnOptions& options = {});

// The base game as the checks read it: its folder listed once, the files
// matching `pattern` opened as Open desc opens them, with `variables`.
struct BaseGameRead {
    std::unique_ptr<DescDocument> document;
    std::shared_ptr<FileNames> files;  // every file of the folder
    // "Cannot open folder ..." for a folder below it that could not be read;
    // empty when none.
    Message unreadable;
};
// Throws DravikError when the folder or one of its files cannot be read.
BaseGameRead ReadBaseGame(const TextLines& variables, const std::string& folder, const NamePattern& pattern,
                          const CodePage& codePage);

}  // namespace dravik
