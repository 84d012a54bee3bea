#include "ui/files/save_review.h"

#include "ui/common/counted_text.h"
#include "ui/common/display_text.h"

#include <QCoreApplication>

namespace dravik::ui {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("SaveReview", text); }

}  // namespace

SaveReview ReviewOfSave(const SavePlan& plan, const CodePage& codePage)
{
    SaveReview review;
    QString& details = review.details;
    for (const FileSave& file : plan.files) {
        if (!file.error.empty()) {
            details += MessageText(file.error) + QStringLiteral("\n\n");
            continue;
        }
        if (!file.changed)
            continue;
        details += NativeText(file.path) +
                   (file.changedOnDisk ? Tr("  (changed on disk since it was read)") : QString()) +
                   QStringLiteral("\n");
        for (const KeyLineChange& line : file.keyLines) {
            details += QStringLiteral("  %1  - ").arg(line.line + 1, 5) + CellText(line.before, codePage) +
                       QStringLiteral("\n");
            details += QStringLiteral("  %1  + ").arg(QString(), 5) + CellText(line.after, codePage) +
                       QStringLiteral("\n");
        }
        details += QStringLiteral("\n");
    }
    if (!plan.error.empty())
        details += Tr("Save all stops here: %1").arg(MessageText(plan.error)) + QStringLiteral("\n");
    review.summary = Tr("Save all would change %1 of %2, %3 in all.")
                         .arg(Counted(plan.changedFiles(), "file", "files"))
                         .arg(plan.files.size())
                         .arg(Counted(static_cast<qsizetype>(plan.changedLines()), "key line", "key lines"));
    // Lines rebuilt with the values they hold: Save all asks about them, or
    // does as the user asked it to remember.
    if (plan.respelling == Respelling::OnlyChangedLines)
        review.summary += QLatin1Char(' ') + Tr("Only the key lines whose values change are written.");
    else if (const qsizetype respelled = static_cast<qsizetype>(plan.respelledLines()); respelled > 0) {
        const int files = plan.spellingOnlyFiles();
        review.summary += QLatin1Char(' ') +
                          Tr("Of these, %1 would only be respelled, with the values they hold")
                              .arg(Counted(respelled, "key line", "key lines")) +
                          (files > 0 ? Tr("; %1 would change only in spelling").arg(Counted(files, "file", "files"))
                                     : QString()) +
                          QLatin1Char('.');
    }
    return review;
}

}  // namespace dravik::ui
