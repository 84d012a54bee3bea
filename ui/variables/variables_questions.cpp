#include "ui/variables/variables_questions.h"

#include <QCoreApplication>

namespace dravik::ui {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("VariablesQuestions", text); }

}  // namespace

UnsavedAnswer AskAboutVariablesEdits(Dialogs& dialogs, QWidget* parent)
{
    switch (dialogs.ask(parent, tr("Unsaved changes"), tr("The variables text has unsaved edits. Save them first?"),
                        {tr("Save var&iables"), tr("&Discard"), tr("Cancel")})) {
    case 0: return UnsavedAnswer::Save;
    case 1: return UnsavedAnswer::Discard;
    default: return UnsavedAnswer::Cancel;
    }
}

bool MaySaveWithTablesLayout(Dialogs& dialogs, QWidget* parent)
{
    const QString text = tr("The variables text changed since Open desc. Save all writes each file by the keys and "
                            "counts the tables were laid out by; Open desc again to lay them out by the new text.");
    return dialogs.ask(parent, tr("Save all"), text, {tr("Save with the &tables' layout"), tr("Cancel")}) == 0;
}

bool MayLayOutAgain(Dialogs& dialogs, QWidget* parent, int files, bool drafted)
{
    const QString open = files == 1 ? tr("the open file") : tr("the %1 open files").arg(files);
    const QString text =
        (drafted ? tr("Lay out %1 again by the variables text the analyzer drafted?")
                 : tr("Lay out %1 again by the variables file just opened?"))
            .arg(open) +
        QStringLiteral(" ") + tr("Until then the tables keep the keys and counts they were opened with.");
    return dialogs.ask(parent, tr("Lay out again"), text, {tr("&Lay them out"), tr("&Not now")}) == 0;
}

}  // namespace dravik::ui
