// Import table driven through the menu, with tables changed the way a
// spreadsheet changes them.
#include "ui/common/application_title.h"
#include "ui/common/display_text.h"
#include "ui/main_unit.h"
#include "window_fixture.h"

#include <QAction>
#include <QDir>
#include <QtTest>

namespace {

// How LibreOffice Calc saves the table: LF line ends, each line without its
// last TAB.
QByteArray CalcSaved(const QByteArray& exported)
{
    QByteArray saved;
    for (QByteArray line : exported.split('\n')) {
        if (line.isEmpty())
            continue;
        line.chop(2);  // TAB CR
        saved += line + '\n';
    }
    return saved;
}

QByteArray Replaced(QByteArray text, const QByteArray& from, const QByteArray& to)
{
    if (!text.contains(from))
        qFatal("no %s in the table", from.constData());
    return text.replace(from, to);
}

}  // namespace

class TableImportTest : public WindowFixture {
    Q_OBJECT

    QString table() const { return folder->path(QStringLiteral("table.txt")); }
    QByteArray exportTable()
    {
        dialogs->saveAnswers.enqueue(table());
        clickMenuItem(window->Exporttable1);
        return folder->read(QStringLiteral("table.txt"));
    }
    void importTable(const QByteArray& bytes)
    {
        folder->write(QStringLiteral("table.txt"), bytes);
        dialogs->openAnswers.enqueue({table()});
        clickMenuItem(window->Importtable1);
    }
    void openFiles(const QString& variables, const QStringList& descs)
    {
        dialogs->openAnswers.enqueue({variables});
        clickMenuItem(window->N6);
        dialogs->openAnswers.enqueue(descs);
        clickMenuItem(window->N2);
        QCOMPARE(dialogs->errors.size(), 0);
    }

private slots:
    // The table cut down in a spreadsheet to the one block edited: the
    // longer export before it must not come back, nor the sections it lacks
    // be emptied.
    void aShorterTableAppliesOnlyItsOwnRows()
    {
        openSample();
        QByteArray exported = exportTable();
        const qsizetype label = exported.indexOf("Section text\t");
        QByteArray block = exported.mid(label, exported.indexOf("File list\t") - label);
        importTable(CalcSaved(Replaced(block, "\tTiger tank\t", "\tTiger II\t")));
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(Cell(grid(10), 2, 1), QStringLiteral("Tiger II"));
        QCOMPARE(Cell(grid(1), 2, 1), QStringLiteral("100"));
        QCOMPARE(Cell(grid(2), 3, 2), QStringLiteral("1"));
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0].caption, dravik::ui::ApplicationTitle());
        QCOMPARE(dialogs->messages[0].text,
                 QStringLiteral("Left as they were, since the table names none of the desc files in them: Section 1, "
                                "Section 2.\nEdit > Undo takes the import back."));
        // The file's lines and nothing more: three below the fixed row.
        QCOMPARE(window->StringGrid(12)->model()->rowCount(), 3);

        // Exported again, the table has its eleven labels and no other word
        // in front of a row below its first.
        const QList<QByteArray> lines = exportTable().split('\n');
        int labels = 0;
        for (qsizetype i = 1; i < lines.size(); ++i)
            labels += !lines[i].isEmpty() && !lines[i].startsWith('\t') ? 1 : 0;
        QCOMPARE(labels, 11);
    }

    // A folder named "mod~1" beside a folder "mod1" holding the same names:
    // the table drops the "~", and the import must still write the file opened.
    void aPathWithATildeWritesOnlyTheFileOpened()
    {
        QVERIFY(QDir(folder->path(QString())).mkdir(QStringLiteral("mod~1")));
        QVERIFY(QDir(folder->path(QString())).mkdir(QStringLiteral("mod1")));
        const QString opened = folder->write(QStringLiteral("mod~1/tank.txt"), sample::TankDesc());
        folder->write(QStringLiteral("mod1/tank.txt"), sample::TankDesc());
        openFiles(folder->write(QStringLiteral("vars.var"), sample::Variables()), {opened});

        importTable(CalcSaved(Replaced(exportTable(), "\t100\t", "\t150\t")));
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(Cell(grid(11), 2, 1), opened);
        QCOMPARE(Cell(grid(1), 1, 1), opened);
        clickMenuItem(window->N10);
        QCOMPARE(dialogs->errors.size(), 0);
        QVERIFY(folder->read(QStringLiteral("mod~1/tank.txt")).contains("\r\nhealth 150 \r\n"));
        QCOMPARE(folder->read(QStringLiteral("mod1/tank.txt")), sample::TankDesc());

        // A table whose file list names a file not opened is refused.
        const QString elsewhere = folder->path(QStringLiteral("elsewhere.txt"));
        importTable(Replaced(exportTable(), QByteArray::fromStdString(dravik::ui::NativeBytes(opened)),
                             QByteArray::fromStdString(dravik::ui::NativeBytes(elsewhere))));
        QCOMPARE(dialogs->errors.size(), 1);
        QCOMPARE(dialogs->errors[0].text,
                 QStringLiteral("The \"File list\" of the table names 1 file that is not open, and Import table "
                                "writes only into the open desc files; nothing was imported:\n  ") +
                     elsewhere + QStringLiteral("."));
        QCOMPARE(Cell(grid(11), 2, 1), opened);
    }
};

QTEST_MAIN(TableImportTest)
#include "table_import_test.moc"
