#include "ui/files/save_questions.h"

#include "ui/common/display_text.h"

#include <QCoreApplication>
#include <QStringList>

namespace dravik::ui {

namespace {

constexpr qsizetype kNamedFiles = 8;

// Its texts, filed under their own context in the catalogues.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(SaveQuestions)
};

// The first lines of a list, and how many more there are.
QString Listed(const QStringList& lines, qsizetype count)
{
    QString text = lines.mid(0, kNamedFiles).join(QLatin1Char('\n'));
    if (count > kNamedFiles)
        text += QLatin1Char('\n') + Tr::tr("and %1 more").arg(count - kNamedFiles);
    return text;
}

// Files it cannot read, or would change and cannot write: asked about
// before anything is written, instead of stopping the save half way.
bool MaySkipBlockedFiles(Dialogs& dialogs, QWidget* parent, const SavePlan& plan, std::set<int>& skip)
{
    const std::vector<const FileSave*> blocked = plan.blocked();
    if (blocked.empty())
        return true;
    QStringList reasons;
    for (const FileSave* file : blocked)
        reasons << MessageText(file->error);
    const auto count = static_cast<qsizetype>(blocked.size());
    const QString text = Tr::tr("%n file cannot be saved:", "%n files cannot be saved:", static_cast<int>(count)) +
                         QLatin1Char('\n') + Listed(reasons, count) + QStringLiteral("\n\n") +
                         Tr::tr("Save the other files and leave this one as it is?",
                                "Save the other files and leave these as they are?", static_cast<int>(count));
    if (dialogs.ask(parent, Tr::tr("Save all"), text, {Tr::tr("&Save the others"), Tr::tr("Cancel")}) != 0)
        return false;
    for (const FileSave* file : blocked)
        skip.insert(file->row);
    return true;
}

// Files another program changed since they were read: the tables' values
// would overwrite that program's work.
bool MayOverwriteChangedFiles(Dialogs& dialogs, QWidget* parent, const SavePlan& plan, std::set<int>& skip)
{
    std::set<int> changed;
    QStringList paths;
    for (const FileSave& file : plan.files) {
        if (file.changed && file.changedOnDisk && !skip.count(file.row)) {
            changed.insert(file.row);
            paths << NativeText(file.path);
        }
    }
    if (changed.empty())
        return true;
    const auto count = static_cast<qsizetype>(changed.size());
    const QString text = Tr::tr("%n file changed on disk since it was read:",
                                "%n files changed on disk since they were read:", static_cast<int>(count)) +
                         QLatin1Char('\n') + Listed(paths, count) + QStringLiteral("\n\n") +
                         Tr::tr("Overwrite it with the tables' values, or skip it?",
                                "Overwrite them with the tables' values, or skip them?", static_cast<int>(count));
    switch (dialogs.ask(parent, Tr::tr("Save all"), text, {Tr::tr("&Overwrite"), Tr::tr("S&kip"), Tr::tr("Cancel")})) {
    case 0: return true;
    case 1: skip.insert(changed.begin(), changed.end()); return true;
    default: return false;
    }
}

}  // namespace

bool RespellsUnchangedValues(const SavePlan& plan)
{
    return plan.respelling == Respelling::AllKeyLines && (plan.spellingOnlyFiles() > 0 || plan.respelledLines() > 0);
}

RespellAnswer AskAboutRespelling(Dialogs& dialogs, QWidget* parent, const SavePlan& plan, bool& remember)
{
    const int files = plan.spellingOnlyFiles();
    QString text =
        files > 0
            ? Tr::tr(
                  "%n file would change only in spelling: their key lines would be rebuilt with the values they hold "
                  "(\"armor 45 45 40\" becomes \"armor  45 45 40 \").",
                  "%n files would change only in spelling: their key lines would be rebuilt with the values they "
                  "hold (\"armor 45 45 40\" becomes \"armor  45 45 40 \").",
                  files)
            : Tr::tr(
                  "%n key line whose values did not change would be respelled (\"armor 45 45 40\" becomes "
                  "\"armor  45 45 40 \").",
                  "%n key lines whose values did not change would be respelled (\"armor 45 45 40\" becomes "
                  "\"armor  45 45 40 \").",
                  static_cast<int>(plan.respelledLines()));
    text += QStringLiteral("\n\n") +
            Tr::tr("The game reads both spellings. Writing only what changed rewrites only the key lines whose values "
                   "changed, and only their files.");
    const int answer =
        dialogs.askWithCheckBox(parent, Tr::tr("Save all"), text,
                                {Tr::tr("&Respell them too"), Tr::tr("&Write only what changed"), Tr::tr("Cancel")},
                                Tr::tr("Re&member my answer (in the settings file)"), remember);
    switch (answer) {
    case 0: return RespellAnswer::RespellThemToo;
    case 1: return RespellAnswer::OnlyWhatChanged;
    default: remember = false; return RespellAnswer::Cancel;
    }
}

bool MaySaveWithChecks(Dialogs& dialogs, QWidget* parent, int checks)
{
    if (checks <= 0)
        return true;
    const QString text =
        Tr::tr("%n value of the files to be saved looks wrong against the rules learned from the base game (see the "
               "Checks pane).",
               "%n values of the files to be saved look wrong against the rules learned from the base game (see the "
               "Checks pane).",
               checks) +
        QStringLiteral("\n\n") + Tr::tr("They are only warnings: the files can be saved as they are.");
    return dialogs.ask(parent, Tr::tr("Save all"), text, {Tr::tr("&Save all"), Tr::tr("Cancel")}) == 0;
}

bool MayOverwriteChangedCurrentFile(Dialogs& dialogs, QWidget* parent, const CurrentSave& planned)
{
    const QString text = Tr::tr("1 file changed on disk since it was read:") + QLatin1Char('\n') +
                         NativeText(planned.path) + QStringLiteral("\n\n") +
                         Tr::tr("Overwrite it with the desc preview's text, or skip it?");
    return dialogs.ask(parent, Tr::tr("Save current"), text,
                       {Tr::tr("&Overwrite"), Tr::tr("S&kip"), Tr::tr("Cancel")}) == 0;
}

bool MaySaveWithTablesLayout(Dialogs& dialogs, QWidget* parent)
{
    const QString text = Tr::tr("The variables text changed since Open desc. Save all writes each file by the keys and "
                                "counts the tables were laid out by; Open desc again to lay them out by the new text.");
    return dialogs.ask(parent, Tr::tr("Save all"), text,
                       {Tr::tr("Save with the &tables' layout"), Tr::tr("Cancel")}) == 0;
}

std::optional<std::set<int>> RowsToSkip(Dialogs& dialogs, QWidget* parent, const SavePlan& plan)
{
    std::set<int> skip;
    if (!MaySkipBlockedFiles(dialogs, parent, plan, skip) || !MayOverwriteChangedFiles(dialogs, parent, plan, skip))
        return std::nullopt;
    return skip;
}

}  // namespace dravik::ui
