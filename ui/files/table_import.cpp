#include "ui/files/table_import.h"

#include "core/exchange/import_review.h"
#include "core/exchange/table_checks.h"
#include "core/exchange/table_exchange.h"
#include "core/exchange/table_text_file.h"
#include "ui/common/application_title.h"
#include "ui/common/display_text.h"

#include <QObject>

#include <optional>

namespace dravik::ui {

namespace {

// "010 → 10, 1.50 → 1.5, …": the first few cells, before and after.
QString Examples(const ReviewedCells& cells, const CodePage& codePage)
{
    constexpr size_t kShown = 3;
    QStringList examples;
    for (size_t i = 0; i < cells.examples.size() && i < kShown; ++i)
        examples << QStringLiteral("%1 \u2192 %2")
                        .arg(CellText(cells.examples[i].first, codePage), CellText(cells.examples[i].second, codePage));
    if (cells.count > static_cast<size_t>(examples.size()))
        examples << QStringLiteral("\u2026");
    return examples.join(QStringLiteral(", "));
}

// "3 cells changed only how a number is written (010 → 10, 1.50 → 1.5, …): ..."
QString RespellingQuestion(const ImportReview& review, const CodePage& codePage)
{
    const auto count = static_cast<qsizetype>(review.respelled.count);
    return QObject::tr("%n cell changed only how a number is written (%1): the spreadsheet's column type Standard "
                       "rewrote it. Opening the table with the column type Text keeps every cell as written.",
                       "%n cells changed only how a number is written (%1): the spreadsheet's column type Standard "
                       "rewrote them. Opening the table with the column type Text keeps every cell as written.",
                       static_cast<int>(count))
        .arg(Examples(review.respelled, codePage));
}

QString ConversionQuestion(const ImportReview& review, const CodePage& codePage)
{
    const auto count = static_cast<qsizetype>(review.converted.count);
    return QObject::tr("%n cell holds a value the spreadsheet converted (%1): its column type Standard read it as a "
                       "number, percentage, date, time, money or truth value, in the language chosen in Text Import. "
                       "It is not an edit, and no desc file reads it so. Opening the table with the column type Text "
                       "keeps every cell as written.",
                       "%n cells hold values the spreadsheet converted (%1): its column type Standard read them as "
                       "numbers, percentages, dates, times, money or truth values, in the language chosen in Text "
                       "Import. They are not edits, and no desc file reads them so. Opening the table with the column "
                       "type Text keeps every cell as written.",
                       static_cast<int>(count))
        .arg(Examples(review.converted, codePage));
}

}  // namespace

void ImportTableFile(const CommandHost& host, const QStringList& files, const std::function<void()>& fitColumnWidths)
{
    DescDocument& document = host.document;
    host.takeEdits();
    // The import replaces the section tables' values even when no file was chosen.
    if (document.isModified() &&
        !host.dialogs.confirm(host.window, QObject::tr("The tables have unsaved changes, and Import table replaces "
                                                       "them. (Edit > Undo takes the import back.) Go on?")))
        return;

    CharacterSetDamage damage;
    std::optional<PreparedImport> import;
    ImportReview review;
    if (!host.run([&] {
            std::optional<TableText> table;
            if (!files.isEmpty()) {
                std::string bytes = ReadTableTextFile(NativeBytes(files.first()));
                damage = FindCharacterSetDamage(bytes, document);
                table.emplace(std::move(bytes));
            }
            import = PrepareImport(document, std::move(table));
            review = ReviewImport(document, *import);
        }))
        return;

    // Asked before anything changes, so that Cancel leaves the tables as
    // they were, as if the import had been undone. The files' texts kept
    // are dropped from the import at once, together.
    std::vector<size_t> kept;
    if (review.converted.count > 0) {
        switch (host.dialogs.ask(host.window, QObject::tr("Import table"),
                                 ConversionQuestion(review, document.codePage()),
                                 {QObject::tr("&Keep the files' values"), QObject::tr("&Take the table's"),
                                  QObject::tr("Cancel")})) {
        case 0: kept = review.converted.edits; break;
        case 1: break;
        default: return;
        }
    }
    if (review.respelled.count > 0) {
        switch (host.dialogs.ask(host.window, QObject::tr("Import table"),
                                 RespellingQuestion(review, document.codePage()),
                                 {QObject::tr("&Keep the files' spelling"), QObject::tr("&Take the table's"),
                                  QObject::tr("Cancel")})) {
        case 0: kept.insert(kept.end(), review.respelled.edits.begin(), review.respelled.edits.end()); break;
        case 1: break;
        default: return;
        }
    }
    if (!kept.empty())
        KeepFilesText(*import, kept);

    const ImportPlacement placement = import->placement;
    const auto before = document.modificationCount();
    if (!host.run([&] {
            host.history.apply(EditStep::ImportTable,
                               [&](DescDocument& d) { return ApplyImport(d, std::move(*import)); });
            fitColumnWidths();
        }))
        return;

    const Message notice = damage.message(document.codePage().name()) +
                               review.damageMessage(document.codePage().name()) + placement.wideRowsMessage() +
                               placement.foreignColumnsMessage() + placement.leftAloneMessage();
    if (notice.empty())
        return;
    QString text = MessageLines(notice);
    if (document.modificationCount() != before)
        text += QStringLiteral("\n") + QObject::tr("Edit > Undo takes the import back.");
    host.dialogs.messageBox(host.window, ApplicationTitle(), text);
}

}  // namespace dravik::ui
