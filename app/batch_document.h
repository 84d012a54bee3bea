// The document a batch command works on: loaded as Open desc loads it, and
// written as Save all writes it (only the files whose bytes change), or for
// a dry run printed as a unified diff with nothing written.
#pragma once

#include "core/text/code_page.h"
#include "core/document/desc_document.h"

#include <iosfwd>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace dravik {

// What --only-changed asks of a save: only the key lines whose values change.
inline Respelling RespellingOf(bool onlyChanged)
{
    return onlyChanged ? Respelling::OnlyChangedLines : Respelling::AllKeyLines;
}

// A fresh window state with the variables file and the desc files loaded.
// A file named by several paths is opened once; the others are named on `err`.
std::unique_ptr<DescDocument> LoadDocument(const std::string& variablesFile, const std::vector<std::string>& descFiles,
                                           const CodePage& codePage, std::ostream& err);
// The files the document opened, by row: the desc files given, each once.
std::vector<std::string> OpenedFiles(const DescDocument& document);

// "1 cell", "2 cells": a count in the batch's summaries.
inline std::string Counted(size_t count, const char* one, const char* many)
{
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

// What a warning calls the edited cells: one, and several.
struct CellNoun {
    const char* one;
    const char* many;
};

// Edited values that look wrong (core/bulk/value_checks.h) are written as
// they are, with a warning naming the first few as file, key, value and why.
// False, with an error instead, when one of them holds a line break, which
// would split its key line, or a NUL or a Ctrl+Z, which would cut its line
// or file short for the programs that read it: then nothing may be written.
[[nodiscard]] bool WarnOfProblemCells(DescDocument& document, CellNoun edited, bool dryRun, std::ostream& err);

// Writes the files of the plan whose bytes change, except the rows in
// `skip`, or prints their changes on `out` when `dryRun` is set. Throws
// DravikError, with nothing written, when the plan has an error, a file
// cannot be read, written or written beside (a full disk), or one changed on
// disk since it was read (when planned, or once every new file is written,
// right before the first is replaced). A file another program changes later,
// right before its own replacement, is left as it is and named while the
// others are written; when the writing stops part way, the message names the
// files written before. Returns how many files were written (or would be).
int WritePlannedFiles(DescDocument& document, const SavePlan& plan, const std::set<int>& skip, bool dryRun,
                      std::ostream& out);

}  // namespace dravik
