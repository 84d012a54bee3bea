// The question Save all asks when the variables text no longer matches the
// layout of the tables (it writes by that layout, not by the text as it now
// reads); the questions it asks once it knows what it would write: about the
// files it cannot save at all, about the files that changed on disk since
// they were read, and about files and key lines that would change only in
// spelling; and Save current's about its file.
#pragma once

#include "core/document/desc_document.h"
#include "ui/common/dialogs.h"

#include <optional>
#include <set>

class QWidget;

namespace dravik::ui {

// True when the user saves with the tables' own layout.
bool MaySaveWithTablesLayout(Dialogs& dialogs, QWidget* parent);

// The rows Save all is to leave out, as the user answered; nothing when the
// user cancels.
std::optional<std::set<int>> RowsToSkip(Dialogs& dialogs, QWidget* parent, const SavePlan& plan);

// Whether the plan rebuilds key lines whose values stay as they are (and
// changes files only so): then the user chooses once per save.
bool RespellsUnchangedValues(const SavePlan& plan);

enum class RespellAnswer { RespellThemToo, OnlyWhatChanged, Cancel };
// "N files would change only in spelling: Respell them too / Write only what
// changed / Cancel"; `remember` takes whether the user asked for the answer
// to be kept.
RespellAnswer AskAboutRespelling(Dialogs& dialogs, QWidget* parent, const SavePlan& plan, bool& remember);

// `checks` values of the files Save all writes look wrong against the rules
// learned from the base game: a warning the user may save past, unlike the
// values that cannot be written at all. True to save.
bool MaySaveWithChecks(Dialogs& dialogs, QWidget* parent, int checks);

// Save current's file changed on disk since the preview was loaded from it:
// true when the user answers to overwrite it with the preview's text.
bool MayOverwriteChangedCurrentFile(Dialogs& dialogs, QWidget* parent, const CurrentSave& planned);

}  // namespace dravik::ui
