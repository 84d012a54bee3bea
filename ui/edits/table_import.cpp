#include "ui/edits/table_import.h"

#include "core/exchange/table_checks.h"
#include "core/exchange/table_exchange.h"
#include "core/exchange/table_text_file.h"
#include "ui/common/application_title.h"
#include "ui/common/display_text.h"

#include <QObject>

#include <optional>

namespace dravik::ui {

namespace {

QString WithoutLastLineBreaks(std::string text)
{
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return MessageText(text);
}

}  // namespace

void ImportTableFile(const BulkEditHost& host, const QStringList& files, const std::function<void()>& fitColumnWidths)
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
    if (!host.run([&] {
            std::optional<TableText> table;
            if (!files.isEmpty()) {
                std::string bytes = ReadTableTextFile(NativeBytes(files.first()));
                damage = FindCharacterSetDamage(bytes, document);
                table.emplace(std::move(bytes));
            }
            import = PrepareImport(document, std::move(table));
        }))
        return;

    const ImportPlacement placement = import->placement;
    const auto before = document.modificationCount();
    if (!host.run([&] {
            host.history.apply(EditStep::ImportTable,
                               [&](DescDocument& d) { return ApplyImport(d, std::move(*import)); });
            fitColumnWidths();
        }))
        return;

    const std::string notice =
        damage.message(document.codePage().name()) + placement.wideRowsMessage() + placement.leftAloneMessage();
    if (notice.empty())
        return;
    QString text = WithoutLastLineBreaks(notice);
    if (document.modificationCount() != before)
        text += QStringLiteral("\n") + QObject::tr("Edit > Undo takes the import back.");
    host.dialogs.messageBox(host.window, ApplicationTitle(), text);
}

}  // namespace dravik::ui
