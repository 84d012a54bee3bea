#include "ui/variables/variables_questions.h"

#include <QCoreApplication>

namespace dravik::ui {

namespace {

// Its texts, filed under their own context in the catalogues.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(VariablesQuestions)
};

}  // namespace

UnsavedAnswer AskAboutVariablesEdits(Dialogs& dialogs, QWidget* parent)
{
    switch (dialogs.ask(parent, Tr::tr("Unsaved changes"),
                        Tr::tr("The variables text has unsaved edits. Save them first?"),
                        {Tr::tr("Save var&iables"), Tr::tr("&Discard"), Tr::tr("Cancel")})) {
    case 0: return UnsavedAnswer::Save;
    case 1: return UnsavedAnswer::Discard;
    default: return UnsavedAnswer::Cancel;
    }
}

bool MayLayOutAgain(Dialogs& dialogs, QWidget* parent, int files, bool drafted)
{
    const QString open = Tr::tr("the open file", "the %n open files", files);
    const QString text =
        (drafted ? Tr::tr("Lay out %1 again by the variables text the analyzer drafted?")
                 : Tr::tr("Lay out %1 again by the variables file just opened?"))
            .arg(open) +
        QStringLiteral(" ") + Tr::tr("Until then the tables keep the keys and counts they were opened with.");
    return dialogs.ask(parent, Tr::tr("Lay out again"), text, {Tr::tr("&Lay them out"), Tr::tr("&Not now")}) == 0;
}

}  // namespace dravik::ui
