// Import table driven through the menu, with tables changed the way a
// spreadsheet changes them: cut short, saved in another character set,
// quoted, with numbers written otherwise.
#include "core/exchange/table_checks.h"
#include "tests/calc/calc_tables.h"
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
    QString text(const QByteArray& bytes) const { return dravik::ui::CellText(bytes.toStdString(), window->document().codePage()); }

    // The Calc tables' desc files opened from the test's folder, and a
    // Calc table naming them.
    void openCalcFiles()
    {
        QStringList descs;
        for (const char* name : {"a.desc", "b.desc", "c.desc", "d.desc"})
            descs << folder->write(QString::fromLatin1(name), QByteArray::fromStdString(dravik::test::CalcFile(name)));
        openFiles(folder->write(QStringLiteral("vars.var"),
                                QByteArray::fromStdString(dravik::test::CalcFile("variables.var"))),
                  descs);
    }
    QByteArray calcTable(const char* name) const
    {
        QByteArray table = QByteArray::fromStdString(dravik::test::CalcFile(name));
        for (const char* desc : {"a.desc", "b.desc", "c.desc", "d.desc"})
            table.replace(QByteArray(dravik::test::kCalcFolder) + desc,
                          QByteArray::fromStdString(dravik::ui::NativeBytes(folder->path(QString::fromLatin1(desc)))));
        return table;
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
        QCOMPARE(window->StringGrid(dravik::GridNumber(12))->model()->rowCount(), 3);

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

    // Calc's Standard column type rewrote two numbers; one value was edited.
    void numbersWrittenOtherwiseAreAskedAboutOnce()
    {
        const QString tank = folder->write(QStringLiteral("tank.txt"),
                                           "[section1]\r\nhealth 010\r\narmor 1.50 20 30\r\n");
        openFiles(folder->write(QStringLiteral("vars.var"), sample::Variables()), {tank});
        const QByteArray calc = CalcSaved(Replaced(exportTable(), "\t010\t1.50\t20\t", "\t10\t1.5\t25\t"));
        const QStringList buttons{"&Keep the files' spelling", "&Take the table's", "Cancel"};

        dialogs->askAnswers.enqueue(2);
        importTable(calc);
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(dialogs->questions[0].title, QStringLiteral("Import table"));
        QCOMPARE(dialogs->questions[0].text,
                 QStringLiteral("2 cells changed only how a number is written (010 \u2192 10, 1.50 \u2192 1.5): the "
                                "spreadsheet's column type Standard rewrote them. Opening the table with the column "
                                "type Text keeps every cell as written."));
        QCOMPARE(dialogs->questions[0].buttons, buttons);
        QCOMPARE(Cells(grid(1), {{2, 1}, {3, 1}, {4, 1}}), QStringList({"010", "1.50", "20"}));
        QCOMPARE(window->Undo->text(), QStringLiteral("&Undo Export table"));

        dialogs->askAnswers.enqueue(0);
        importTable(calc);
        QCOMPARE(Cells(grid(1), {{2, 1}, {3, 1}, {4, 1}}), QStringList({"010", "1.50", "25"}));
        clickMenuItem(window->Undo);
        QCOMPARE(Cells(grid(1), {{2, 1}, {3, 1}, {4, 1}}), QStringList({"010", "1.50", "20"}));

        dialogs->askAnswers.enqueue(1);
        importTable(calc);
        QCOMPARE(Cells(grid(1), {{2, 1}, {3, 1}, {4, 1}}), QStringList({"10", "1.5", "25"}));
        QCOMPARE(dialogs->questions.size(), 3);
        QCOMPARE(dialogs->messages.size(), 0);
    }

    // Calc in German read 2.250 as 2250 and wrote the modder's 2.5 as
    // "2,5": asked about before the import, with the respelled numbers.
    void valuesCalcConvertedAreAskedAbout()
    {
        openCalcFiles();
        const QByteArray german = calcTable("german-standard.txt");
        dialogs->askAnswers.enqueue(2);
        importTable(german);
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(dialogs->questions[0].buttons,
                 QStringList({"&Keep the files' values", "&Take the table's", "Cancel"}));
        QVERIFY2(dialogs->questions[0].text.startsWith(QStringLiteral(
                     "8 cells hold values the spreadsheet converted (2.250 \u2192 2250, 1,500 \u2192 1,5, 50% \u2192 "
                     "50,00\u00A0%, \u2026): its column type Standard read them")),
                 qPrintable(dialogs->questions[0].text));
        QCOMPARE(Cells(grid(1), {{2, 1}, {8, 1}, {9, 1}}), QStringList({"2.250", "50%", "1"}));

        dialogs->askAnswers.enqueue(0);
        dialogs->askAnswers.enqueue(1);
        importTable(german);
        QCOMPARE(dialogs->questions.size(), 3);
        QVERIFY(dialogs->questions[2].text.startsWith(QStringLiteral("4 cells changed only how a number is written")));
        QCOMPARE(Cells(grid(1), {{2, 1}, {3, 1}, {8, 1}, {9, 1}, {2, 3}}),
                 QStringList({"2.250", "10", "50%", "1", "2"}));
        QCOMPARE(dialogs->messages.size(), 0);
    }

    // A column inserted between armor's values and one without a header:
    // every value lands in its own key, and the columns left out are named.
    void columnsGoWhereTheirHeadersSay()
    {
        openCalcFiles();
        importTable(calcTable("inserted-columns.txt"));
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(Cells(grid(1), {{3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {7, 3}}),
                 QStringList({"010", "1.50", "9", "0.5", "1,500", "1.10"}));
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0].text,
                 QStringLiteral("2 columns of the table have headers that the tables do not have, and the import left "
                                "them out: it places each column by its header (a key's name in the block's header "
                                "row), so a column inserted for notes moves no value. Type values into their key's "
                                "own column.\n"
                                "  Section 1 (line 2), column F, \"note\": 0 cells with text\n"
                                "  Section 1 (line 2), column I, without a header: 1 cell with text\n"
                                "Edit > Undo takes the import back."));
    }

    // Saved by a program in another character set and with quotes, and a
    // value that held a TAB: imported, and told.
    // A NUL would end the line for the game: Save all names the cell and
    // writes nothing.
    void aNulFromTheTableIsNamedAndNeverWritten()
    {
        openSample();
        importTable(Replaced(exportTable(), "\tTiger tank\t", QByteArray("\tTiger\0tank\t", 12)));
        QCOMPARE(dialogs->errors.size(), 0);
        dialogs->messages.clear();
        clickMenuItem(window->N10);
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0].text,
                 QStringLiteral("1 edited cell holds a NUL or a Ctrl+Z, which no desc line can hold:\n"
                                "tank.txt, name: \"Tiger\u2400tank\" (a NUL (byte 0): Save all cannot write it, as "
                                "the game and other programs end the line there)\n\n"
                                "Save all writes nothing while a value holds one. Take it out, or undo the edit, and "
                                "save again."));
        QCOMPARE(folder->read("tank.txt"), sample::TankDesc());
        QVERIFY(window->document().isModified());
    }

    void damageIsToldAfterTheImport()
    {
        const QString tank = folder->write(QStringLiteral("tank.txt"), "[section1]\r\nhealth 100\r\narmor 10\t5 20 30\r\n"
                                                                      "[section_text]\r\nname \xD2-34\r\n");
        const QString gun = folder->write(QStringLiteral("gun.txt"), "name \"Pak\" 40\r\n");
        openFiles(folder->write(QStringLiteral("vars.var"), sample::Variables()), {tank, gun});
        dialogs->messages.clear();  // the export's word on the TAB
        QByteArray damaged = CalcSaved(exportTable()).replace('\xD2', '?');
        importTable(Replaced(damaged, "\t\"Pak\" 40\t", "\t\"\"\"Pak\"\" 40\"\t"));
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(dialogs->messages.size(), 2);
        const QString tankPath = Cell(grid(11), 2, 1);
        const QString gunPath = Cell(grid(11), 2, 2);
        QCOMPARE(dialogs->messages[1].text,
                 QStringLiteral("1 cell holds \"?\" where the tables hold letters: the spreadsheet read or saved "
                                "the table in a character set without those letters.\n  Section text, ") +
                     tankPath + QStringLiteral(", \"name\": \"") + text("\xD2-34") +
                     QStringLiteral("\" -> \"?-34\"\nChoose the character set ") +
                     QString::fromStdString(dravik::SpreadsheetCharacterSet(window->document().codePage().name()).english()) +
                     QStringLiteral(" both when opening the table (Text Import: Character set) and when saving it "
                                    "(Export Text File: Character set). A \"?\" cannot be turned back into its "
                                    "letter: export the table again and redo the edits.\n"
                                    "1 cell gained or lost the quotes a spreadsheet puts around a "
                                    "text (inner quotes doubled): the table was read or saved with \" as the string "
                                    "delimiter.\n  Section text, ") +
                     gunPath +
                     QStringLiteral(", \"name\": \"\"Pak\" 40\" -> \"\"\"\"Pak\"\" 40\"\"\n"
                                    "Empty the string delimiter both when opening the table (Text Import: String "
                                    "delimiter) and when saving it (Export Text File: String delimiter), then save it "
                                    "again.\n"
                                    "1 row of the table is wider than the header row of its block: a value holding a "
                                    "TAB was split in two, and every later value of the row moved one column on.\n"
                                    "  Section 1 (line 4), ") +
                     tankPath + QStringLiteral(": 1 cell too many\nEdit > Undo takes the import back."));
        QCOMPARE(Cell(grid(10), 2, 1), QStringLiteral("?-34"));
    }
};

QTEST_MAIN(TableImportTest)
#include "table_import_test.moc"
