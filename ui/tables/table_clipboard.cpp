#include "ui/tables/table_clipboard.h"

#include "core/bulk/bulk_edits.h"
#include "core/bulk/clipboard_text.h"
#include "ui/common/display_text.h"
#include "ui/tables/grid_view.h"
#include "ui/tables/table_selection.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStringList>

namespace dravik::ui {

void CopyCells(const CommandHost& host, const GridView* view)
{
    const CellBlock block = SelectedBlock(view);
    if (block.size() == 0)
        return;
    host.run([&] {
        // The toolkit turns the line ends into CR LF on the Windows clipboard.
        const std::string text = CopyText(host.document, block, "\n");
        QGuiApplication::clipboard()->setText(CellText(text, host.document.codePage()));
    });
}

void PasteCells(const CommandHost& host, GridView* view)
{
    const GridNumber grid = view->gridModel()->gridNumber();
    if (!IsSectionTable(grid)) {
        host.dialogs.messageBox(host.window, QObject::tr("Paste"),
                                QObject::tr("The file list's names and paths are not pasted over."));
        return;
    }
    const QString clipboard = QGuiApplication::clipboard()->text();
    if (clipboard.isEmpty())
        return;
    QString notice;
    host.run([&] {
        const auto cells = ParseClipboardText(CellBytes(clipboard, host.document.codePage()));
        const CellBlock selection = SelectedBlock(view);
        if (cells.empty() || selection.size() == 0)
            return;
        const bool fill = cells.size() == 1 && cells.front().size() == 1 && selection.size() > 1;
        const CellBlock target = fill ? selection
                                      : BlockFrom(view, selection.columns.front(), selection.rows.front(), cells.size(),
                                                  cells.front().size());
        const PasteEdit edit = PasteEdits(host.document, target, cells);
        host.history.apply(EditStep::Paste, [&](DescDocument& document) { return document.setCells(edit.edits); });
        SelectBlock(view, target);
        notice = PasteNotice(edit);
    });
    if (!notice.isEmpty())
        host.dialogs.messageBox(host.window, QObject::tr("Paste"), notice);
}

QString PasteNotice(const PasteEdit& edit)
{
    QStringList notice;
    if (edit.placed < edit.cells) {
        QString text =
            QObject::tr("Pasted %1 of %n cell", "Pasted %1 of %n cells", static_cast<int>(edit.cells)).arg(edit.placed);
        if (const size_t outside = edit.outside(); outside > 0)
            text += QObject::tr("; %n lies outside the table", "; %n lie outside the table", static_cast<int>(outside));
        if (edit.onPaths > 0)
            text += QObject::tr("; %n fell on the column of paths, which is not pasted over",
                                "; %n fell on the column of paths, which is not pasted over",
                                static_cast<int>(edit.onPaths));
        notice << text + QLatin1Char('.');
    }
    if (edit.lineBreaks > 0)
        notice << QObject::tr(
            "The line breaks in %n pasted cell became blanks: a value cannot hold one, as it would split "
            "its key line.",
            "The line breaks in %n pasted cells became blanks: a value cannot hold one, as it would "
            "split its key line.",
            static_cast<int>(edit.lineBreaks));
    return notice.join(QLatin1Char('\n'));
}

}  // namespace dravik::ui
