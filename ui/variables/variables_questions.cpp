#include "ui/variables/variables_questions.h"

#include <QCoreApplication>

namespace dravik::ui {

namespace {

// The context its texts are filed under in the catalogues.
struct VariablesQuestions {
    Q_DECLARE_TR_FUNCTIONS(VariablesQuestions)
};

}  // namespace

UnsavedAnswer AskAboutVariablesEdits(Dialogs& dialogs, QWidget* parent)
{
    switch (dialogs.ask(parent, VariablesQuestions::tr("Unsaved changes"), VariablesQuestions::tr("The variables text has unsaved edits. Save them first?"),
                        {VariablesQuestions::tr("Save var&iables"), VariablesQuestions::tr("&Discard"), VariablesQuestions::tr("Cancel")})) {
    case 0: return UnsavedAnswer::Save;
    case 1: return UnsavedAnswer::Discard;
    default: return UnsavedAnswer::Cancel;
    }
}

bool MaySaveWithTablesLayout(Dialogs& dialogs, QWidget* parent)
{
    const QString text = VariablesQuestions::tr("The variables text changed since Open desc. Save all writes each file by the keys and "
                            "counts the tables were laid out by; Open desc again to lay them out by the new text.");
    return dialogs.ask(parent, VariablesQuestions::tr("Save all"), text, {VariablesQuestions::tr("Save with the &tables' layout"), VariablesQuestions::tr("Cancel")}) == 0;
}

bool MayLayOutAgain(Dialogs& dialogs, QWidget* parent, int files, bool drafted)
{
    const QString open = VariablesQuestions::tr("the open file", "the %n open files", files);
    const QString text =
        (drafted ? VariablesQuestions::tr("Lay out %1 again by the variables text the analyzer drafted?")
                 : VariablesQuestions::tr("Lay out %1 again by the variables file just opened?"))
            .arg(open) +
        QStringLiteral(" ") + VariablesQuestions::tr("Until then the tables keep the keys and counts they were opened with.");
    return dialogs.ask(parent, VariablesQuestions::tr("Lay out again"), text, {VariablesQuestions::tr("&Lay them out"), VariablesQuestions::tr("&Not now")}) == 0;
}

}  // namespace dravik::ui
