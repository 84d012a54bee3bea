#include "ui/files/save_review.h"

#include "ui/common/display_text.h"

#include <QCoreApplication>

namespace dravik::ui {

namespace {

// Its texts, filed under their own context in the catalogues.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(SaveReview)
};

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
                   (file.changedOnDisk ? Tr::tr("  (changed on disk since it was read)") : QString()) +
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
        details += Tr::tr("Save all stops here: %1").arg(MessageText(plan.error)) + QStringLiteral("\n");
    review.summary = Tr::tr("Save all would change %n file of %1, %2 in all.",
                                                "Save all would change %n files of %1, %2 in all.",
                                                static_cast<int>(plan.changedFiles()))
                         .arg(QString::number(plan.files.size()),
                              Tr::tr("%n key line", "%n key lines",
                                                          static_cast<int>(plan.changedLines())));
    // Lines rebuilt with the values they hold: Save all asks about them, or
    // does as the user asked it to remember.
    if (plan.respelling == Respelling::OnlyChangedLines)
        review.summary += QLatin1Char(' ') + Tr::tr("Only the key lines whose values change are written.");
    else if (const qsizetype respelled = static_cast<qsizetype>(plan.respelledLines()); respelled > 0) {
        const int files = plan.spellingOnlyFiles();
        review.summary += QLatin1Char(' ') +
                          Tr::tr("Of these, %n key line would only be respelled, with the values they hold",
                                                      "Of these, %n key lines would only be respelled, with the values "
                                                      "they hold",
                                                      static_cast<int>(respelled)) +
                          (files > 0 ? Tr::tr("; %n file would change only in spelling",
                                                                   "; %n files would change only in spelling", files)
                                     : QString()) +
                          QLatin1Char('.');
    }
    return review;
}

}  // namespace dravik::ui
