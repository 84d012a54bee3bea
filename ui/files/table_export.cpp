#include "ui/files/table_export.h"

#include "core/exchange/table_checks.h"
#include "core/exchange/table_exchange.h"
#include "core/exchange/table_text_file.h"
#include "ui/common/application_title.h"
#include "ui/common/display_text.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>

namespace dravik::ui {

namespace {

// Its texts, filed under their own context in the catalogues.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(TableExport)
};

}  // namespace

void ExportTableFile(const CommandHost& host, QLabel* statusPanel)
{
    if (!host.run([&] { host.history.apply(EditStep::ExportTable, ExportTable); }))
        return;
    const auto path = host.dialogs.saveFile(
        host.window, {Tr::tr("Export table"), Tr::tr("tabulated text files|*.txt"), QStringLiteral("txt")});
    const DescDocument& document = host.document;
    if (!path || !host.run([&] { GridToTextFile(document.summary(), NativeBytes(*path)); }))
        return;
    statusPanel->setText(Tr::tr("Exported %n rows into %1", "Exported %n rows into %1", document.summary().rowCount())
                             .arg(QFileInfo(*path).fileName()));
    // The file is as described; the user learns before importing it which
    // cells would not come back as they were.
    const UnreadableCells unreadable = FindUnreadableCells(document);
    const UnwritablePaths unwritable = FindUnwritablePaths(document);
    const Message notice = (unreadable.any() ? unreadable.message() : Message()) +
                           (unwritable.any() ? unwritable.exportMessage() : Message());
    if (!notice.empty())
        host.dialogs.messageBox(host.window, ApplicationTitle(), MessageLines(notice));
}

}  // namespace dravik::ui
