// The Checks pane of a mod compared with its base game: a typo listed,
// double-click going to its cell, accepting it and relaxing its column as
// steps of Edit > Undo kept in the accepted file, and an edit that mends a
// value taking its check away at once.
#include "core/checks/accepted_checks.h"
#include "ui/checks/check_pane.h"
#include "ui/mod/mod_actions.h"
#include "window_fixture.h"

#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using dravik::ui::GridView;

namespace {

constexpr int kUnits = 25;
constexpr int kArmor = 2;  // section 1: the file, then armor

QString Unit(int n) { return QStringLiteral("u%1.desc").arg(n, 2, 10, QLatin1Char('0')); }

}  // namespace

class ChecksTest : public WindowFixture {
    Q_OBJECT

    dravik::ui::CheckPane* pane() const { return window->checkPane(); }
    QTableWidget* list() const { return pane()->table; }
    QStringList values() const
    {
        QStringList shown;
        for (int line = 0; line < list()->rowCount(); ++line)
            shown << list()->item(line, 3)->text();
        return shown;
    }
    int lineOf(const QString& value) const { return static_cast<int>(values().indexOf(value)); }
    void clickLine(int line, bool twice = false)
    {
        const QRect cell = list()->visualItemRect(list()->item(line, 1));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
        if (twice)
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
        QCoreApplication::processEvents();
    }
    QByteArray accepted() const { return folder->read(QStringLiteral("v.var.accepted")); }

    // A base game of 25 units with armour 100 to 124, and its mod with two
    // typos, 4500 in unit 3 and 9000 in unit 7, opened and compared.
    void openAndCompare()
    {
        const QString vars = folder->write(QStringLiteral("v.var"), "[section1]\r\narmor =1\r\n");
        QDir().mkpath(folder->path(QStringLiteral("B")));
        QDir().mkpath(folder->path(QStringLiteral("M")));
        QStringList mod;
        for (int n = 1; n <= kUnits; ++n) {
            const QByteArray armor = n == 3 ? "4500" : n == 7 ? "9000" : QByteArray::number(99 + n);
            folder->write("B/" + Unit(n), "armor " + QByteArray::number(99 + n) + "\r\n");
            mod << folder->write("M/" + Unit(n), "armor " + armor + "\r\n");
        }
        dialogs->openAnswers.enqueue({vars});
        clickMenuItem(Action(*window, "N6"));
        dialogs->openAnswers.enqueue(mod);
        clickMenuItem(Action(*window, "N2"));
        dialogs->baseFolderAnswers.enqueue(folder->path(QStringLiteral("B")));
        clickMenuItem(window->modActions()->compareWithBase);
    }

private slots:
    void theWholeRoad()
    {
        openAndCompare();
        QCOMPARE(dialogs->errors.size(), 0);

        // Listed furthest outside first, the pane shown, the status counting.
        QVERIFY(pane()->dock->isVisible());
        QCOMPARE(values(), (QStringList{"9000", "4500"}));
        QVERIFY(list()->item(lineOf("4500"), 0)->text().contains(Unit(3)));
        QVERIFY(list()->item(lineOf("4500"), 5)->text().contains(QStringLiteral("100 to 124")));
        QCOMPARE(named<QLabel>(QStringLiteral("ChecksStatus"))->text(), QStringLiteral("2 checks"));

        // Double-click goes to the cell, which carries the checks' mark.
        GridView* section = grid(1);
        clickLine(lineOf("4500"), true);
        QVERIFY(section->isVisible());
        QCOMPARE(section->currentIndex().row() + 1, 3);
        QCOMPARE(section->currentIndex().column() + 1, kArmor);
        QVERIFY(section->currentIndex().data(dravik::ui::kCheckMarkRole).value<QColor>().isValid());

        // Accept it: gone, and in the accepted file; Undo brings it back.
        clickLine(lineOf("4500"));
        QTest::mouseClick(pane()->acceptButton, Qt::LeftButton);
        QCOMPARE(values(), QStringList{"9000"});
        QVERIFY(accepted().contains("value\tu03.desc\t\tsection1\tarmor \t1\t4500"));
        clickMenuItem(Action(*window, "Undo"));
        QCOMPARE(values(), (QStringList{"9000", "4500"}));
        QVERIFY(!accepted().contains("4500"));

        // Relax the column: no check left, and Undo again.
        clickLine(lineOf("9000"));
        QTest::mouseClick(pane()->relaxColumnButton, Qt::LeftButton);
        QCOMPARE(values(), QStringList{});
        QVERIFY(accepted().contains("column\t\t\tsection1\tarmor \t1\t"));
        clickMenuItem(Action(*window, "Undo"));
        QCOMPARE(values().size(), 2);

        // Relax the rule (the context menu's item): widened to 9000, it lets
        // 4500 pass too.
        clickLine(lineOf("9000"));
        pane()->relaxGroup->trigger();
        QCOMPARE(values(), QStringList{});
        QVERIFY(accepted().contains("group\t\t\tsection1\tarmor \t1\t9000"));
        clickMenuItem(Action(*window, "Undo"));
        QCOMPARE(values().size(), 2);

        // Typing a value within the range mends it at once.
        typeIntoCell(section, kArmor, 7, QStringLiteral("110"));
        QCoreApplication::processEvents();
        QCOMPARE(values(), QStringList{"4500"});
        QCOMPARE(named<QLabel>(QStringLiteral("ChecksStatus"))->text(), QStringLiteral("1 check"));

        // Save all warns of the check left in a file it writes, and saves.
        typeIntoCell(section, kArmor, 3, QStringLiteral("4502"));
        dialogs->askAnswers.enqueue(0);
        clickMenuItem(Action(*window, "N10"));
        QCOMPARE(dialogs->questions.size(), 1);
        QVERIFY(dialogs->questions[0].text.startsWith(QStringLiteral("1 value of the files to be saved")));
        QCOMPARE(folder->read(QStringLiteral("M/") + Unit(3)), QByteArray("armor  4502 \r\n"));

        // An edited value Save all would write as two joins with its own
        // kind, and goes to its cell too.
        typeIntoCell(section, kArmor, 5, QStringLiteral("1 2"));
        QCoreApplication::processEvents();
        const int last = list()->rowCount() - 1;
        QCOMPARE(list()->item(last, 3)->text(), QStringLiteral("1 2"));
        QCOMPARE(list()->item(last, 4)->text(), QStringLiteral("Edited value"));
        QVERIFY(!pane()->acceptButton->isEnabled());
        clickCell(section, kArmor, 1);
        clickLine(last, true);
        QCOMPARE(section->currentIndex().row() + 1, 5);
    }

    void anAcceptedFileItCannotReadIsLeftAsItIs()
    {
        folder->write(QStringLiteral("v.var.accepted"), "not an accepted file\r\n");
        openAndCompare();
        QCOMPARE(dialogs->errors.size(), 1);
        QVERIFY(dialogs->errors[0].text.contains(QStringLiteral("v.var.accepted")));
        QCOMPARE(values().size(), 2);
        clickLine(0);
        QVERIFY(!pane()->acceptButton->isEnabled());
        pane()->acceptValue->trigger();
        QCOMPARE(accepted(), QByteArray("not an accepted file\r\n"));
    }
};

QTEST_MAIN(ChecksTest)
#include "checks_test.moc"
