// The desc analyzer driven from the main window's menu as a user drives it,
// with the dialogs answered by the test and the desc files in a temporary
// folder.
#include "core/errors.h"
#include "core/schema/key_entries.h"
#include "layout_checks.h"
#include "window_fixture.h"
#include "ui/common/application_title.h"
#include "ui/dan.h"
#include "ui/common/display_text.h"
#include "ui/tables/key_list_model.h"
#include "ui/main_unit.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QtTest>

#include <cstring>
#include <memory>

using dravik::ui::KeyListModel;

namespace {

// The analyzer windows that are on screen.
QList<TdanForm*> ShownAnalyzers()
{
    QList<TdanForm*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dan = qobject_cast<TdanForm*>(widget); dan && dan->isVisible())
            shown.append(dan);
    return shown;
}

QList<QByteArray> EntryBytes(TdanForm* dan)
{
    QList<QByteArray> entries;
    const KeyListModel* model = dan->keyListModel();
    for (int row = 0; row < model->rowCount(); ++row)
        entries.append(model->index(row).data(KeyListModel::EntryBytesRole).toByteArray());
    return entries;
}

QStringList ShownEntries(TdanForm* dan)
{
    QStringList entries;
    const KeyListModel* model = dan->keyListModel();
    for (int row = 0; row < model->rowCount(); ++row)
        entries.append(model->index(row).data().toString());
    return entries;
}

QList<QByteArray> TickedEntries(TdanForm* dan)
{
    QList<QByteArray> ticked;
    const KeyListModel* model = dan->keyListModel();
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->index(row).data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked)
            ticked.append(model->index(row).data(KeyListModel::EntryBytesRole).toByteArray());
    return ticked;
}

void Tick(TdanForm* dan, const QByteArray& entry)
{
    const int row = static_cast<int>(EntryBytes(dan).indexOf(entry));
    QVERIFY2(row >= 0, entry.constData());
    QVERIFY(dan->keyListModel()->setData(dan->keyListModel()->index(row), Qt::Checked, Qt::CheckStateRole));
}

QList<QByteArray> ToBytes(const std::vector<std::string>& lines)
{
    QList<QByteArray> bytes;
    for (const auto& line : lines)
        bytes.append(QByteArray::fromStdString(line));
    return bytes;
}

// Catches the progress boxes made while it watches, with their windows.
class ProgressWatch : public QObject {
public:
    QList<QPointer<QProgressDialog>> boxes;
    QList<QWidget*> parents;

    bool eventFilter(QObject* watched, QEvent*) override
    {
        if (auto* box = qobject_cast<QProgressDialog*>(watched); box && !seen_.contains(box)) {
            seen_.append(box);
            boxes.append(box);
            parents.append(box->parentWidget());
        }
        return false;
    }

private:
    QList<QObject*> seen_;
};

}  // namespace

class AnalyzerTest : public WindowFixture {
    Q_OBJECT

private:
    TdanForm* openAnalyzer()
    {
        Action(*window, "DAN2")->trigger();
        const QList<TdanForm*> shown = ShownAnalyzers();
        return shown.size() == 1 ? shown.first() : nullptr;
    }

    void openFiles(TdanForm* dan, const QStringList& files)
    {
        dialogs->openAnswers.enqueue(files);
        dan->Button1->click();
    }

    void addSection(TdanForm* dan, const QString& box)
    {
        dan->Edit2->setText(box);
        dan->Button2->click();
    }

private slots:
    void windowAtStart()
    {
        TdanForm* dan = openAnalyzer();
        QVERIFY(dan);
        QCOMPARE(dan->windowTitle(), QStringLiteral("DescANlyzer Dravik 2 v1.3 beta"));
        QCOMPARE(dan->size(), QSize(696, 480));
        const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY((dan->geometry().center() - desktop.center()).manhattanLength() <= 1);

        QCOMPARE(dan->Panel1->objectName(), QStringLiteral("Panel1"));
        // The bar across the top holds, from the left: Open, Section, the
        // section box, Add, Copy to Dravik2.
        QCOMPARE(dan->Panel1->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(dan->Panel1->width(), dan->width());
        struct Control {
            QWidget* widget;
            const char* name;
            const char* caption;
        };
        const Control controls[] = {
            {dan->Button1, "Button1", "Open"},
            {dan->Button2, "Button2", "Section"},
            {dan->Edit2, "Edit2", ""},
            {dan->Button4, "Button4", "Add"},
            {dan->Button3, "Button3", "Copy to Dravik2"},
        };
        QList<QWidget*> shown;
        for (const Control& control : controls) {
            QCOMPARE(control.widget->objectName(), QLatin1String(control.name));
            QCOMPARE(control.widget->parentWidget(), dan->Panel1);
            if (auto* button = qobject_cast<QPushButton*>(control.widget))
                QCOMPARE(button->text(), QLatin1String(control.caption));
            QVERIFY(shown.isEmpty() || shown.last()->geometry().right() < control.widget->x());
            shown.append(control.widget);
        }
        const QString problem = LayoutProblem(shown);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(dan->Edit2->text().isEmpty());

        QCOMPARE(dan->CheckListBox1->objectName(), QStringLiteral("CheckListBox1"));
        QCOMPARE(dan->Splitter1->objectName(), QStringLiteral("Splitter1"));
        QCOMPARE(dan->Memo1->objectName(), QStringLiteral("Memo1"));
        QCOMPARE(dan->StatusBar1->objectName(), QStringLiteral("StatusBar1"));
        QCOMPARE(dan->CheckListBox1->width(), 222);
        QCOMPARE(dan->CheckListBox1->y(), 0);
        QCOMPARE(dan->Splitter1->y(), 33);
        QCOMPARE(dan->Splitter1->handleWidth(), 4);
        QCOMPARE(dan->Memo1->x(), 226);
        QCOMPARE(dan->Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(dan->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(dan->Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(dan->Memo1->toPlainText().isEmpty());
        QCOMPARE(dan->keyListModel()->rowCount(), 0);
        QCOMPARE(dan->StatusBar1->geometry().bottom(), dan->height() - 1);
        const auto panels = dan->StatusBar1->findChildren<QLabel*>(QStringLiteral("StatusPanel0"));
        QCOMPARE(panels.size(), 1);
        QCOMPARE(panels.first()->width(), 200);
        QCOMPARE(dan->statusPanelText(), QString());

        // The result text takes up a change of size; the key list keeps its
        // width until the splitter moves.
        dan->resize(900, 600);
        QCOMPARE(dan->CheckListBox1->width(), 222);
        QCOMPARE(dan->Memo1->width(), 900 - 226);
        QCOMPARE(dan->Panel1->width(), 900);
        dan->Splitter1->setSizes({300, 596});
        QCOMPARE(dan->CheckListBox1->width(), 300);
    }

    void lifecycle()
    {
        QVERIFY(window->isVisible());
        QPointer<TdanForm> first = openAnalyzer();
        QVERIFY(first);
        QVERIFY(!window->isVisible());

        openFiles(first, {folder->write("a.txt", "Health 100\r\n")});
        addSection(first, "1");
        QCOMPARE(first->keyListModel()->rowCount(), 1);
        QVERIFY(first->close());
        QVERIFY(window->isVisible());
        QVERIFY(!first->isVisible());
        QVERIFY(ShownAnalyzers().isEmpty());

        // Through the menu's key, as the user opens it.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(ShownAnalyzers().size(), 1);
        QPointer<TdanForm> second = ShownAnalyzers().first();
        // The closed analyzer goes when the next one replaces it, which
        // starts empty.
        QVERIFY(first.isNull());
        QVERIFY(!window->isVisible());
        QCOMPARE(second->keyListModel()->rowCount(), 0);
        QVERIFY(second->Memo1->toPlainText().isEmpty());
        QVERIFY(second->Edit2->text().isEmpty());
        QCOMPARE(second->statusPanelText(), QString());
        QCOMPARE(second->size(), QSize(696, 480));

        // An analyzer still open when the main window goes, goes with it.
        window.reset();
        QVERIFY(second.isNull());
        window = std::make_unique<TMainForm>(folder->path("dravik2.INI"), *dialogs);
    }

    void keyEntriesOfDescLines()
    {
        TdanForm* dan = openAnalyzer();
        QVERIFY(dan);
        // One file per line ending; the list does not care which file or
        // line an entry came from.
        const QString first = folder->write("first.txt",
                                            "Health 100\r\n"
                                            "Armor 10 20 30\r\n"
                                            "Weapon Gun 1 2 3\r\n"
                                            "Name Tank\r\n"
                                            "Speed 1.5 2.0\r\n"
                                            "Crew\r\n"
                                            "[section1]\r\n"
                                            "-x 1 2\r\n"
                                            "\r\n");
        const QString second = folder->write("second.txt",
                                             "HEALTH 250\n"
                                             "armor 2 3\n"
                                             " \t \n"
                                             " -x 1\n"
                                             "Pos $1F 2\n"
                                             "Val 1e3 5\n"
                                             "Gun +3 4\r"
                                             "Health 1");
        openFiles(dan, {first, second});
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(dialogs->askedFiles.size(), 1);
        QCOMPARE(dialogs->askedFiles[0].kind, QStringLiteral("open"));
        QVERIFY(dialogs->askedFiles[0].request.title.isEmpty());
        QVERIFY(dialogs->askedFiles[0].request.filter.isEmpty());

        // In byte order: blank, "-", "[", then the letters.
        const QList<QByteArray> expected = {"  =-1",         "-x =1",      "[section1] =0", "armor =2",
                                            "armor =3",      "crew =0",    "gun =2",        "health =1",
                                            "name =1",       "pos =2",     "speed 1.5=1",   "val 1e3=1",
                                            "weapon gun=3"};
        QCOMPARE(EntryBytes(dan), expected);
        QCOMPARE(ShownEntries(dan).first(), QStringLiteral("  =-1"));
        QCOMPARE(ShownEntries(dan).last(), QStringLiteral("weapon gun=3"));
        QVERIFY(TickedEntries(dan).isEmpty());
        QCOMPARE(dan->statusPanelText(), QStringLiteral("13"));

        // The same files the other way round: the same list.
        Tick(dan, "crew =0");
        openFiles(dan, {second, first});
        QCOMPARE(EntryBytes(dan), expected);
        QVERIFY(TickedEntries(dan).isEmpty());
    }

    void sectionHeaders()
    {
        TdanForm* dan = openAnalyzer();
        QVERIFY(dan);
        addSection(dan, "07");
        addSection(dan, "-2");
        addSection(dan, QString());
        addSection(dan, "tanks");
        addSection(dan, " +3");
        addSection(dan, "$A");
        addSection(dan, "9 ");
        QCOMPARE(dan->Memo1->toPlainText(), QStringLiteral("[section7]\n[section-2]\n[section_text]\n[section_text]\n"
                                                           "[section3]\n[section10]\n[section_text]\n"));
        QCOMPARE(dan->statusPanelText(), QString());

        // After the user's own text: a new last line, whether or not the
        // user ended the text with a line break.
        dan->Memo1->setPlainText("; mine");
        addSection(dan, "1");
        QCOMPARE(dan->Memo1->toPlainText(), QStringLiteral("; mine\n[section1]\n"));
        dan->Memo1->setPlainText("; mine\n\n");
        addSection(dan, "2");
        QCOMPARE(dan->Memo1->toPlainText(), QStringLiteral("; mine\n\n[section2]\n"));
    }

    void addTickedEntries()
    {
        TdanForm* dan = openAnalyzer();
        QVERIFY(dan);
        openFiles(dan, {folder->write("tank.txt", "Health 100\nArmor 1 2 3\nSpeed 5 7\nName Tank\nCrew\n")});
        QCOMPARE(EntryBytes(dan), QList<QByteArray>({"armor =3", "crew =0", "health =1", "name =1", "speed =2"}));

        // Nothing ticked: nothing appended, the count shown again.
        dan->StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel0"))->setText("x");
        dan->Button4->click();
        QVERIFY(dan->Memo1->toPlainText().isEmpty());
        QCOMPARE(dan->statusPanelText(), QStringLiteral("5"));
        QCOMPARE(dan->keyListModel()->rowCount(), 5);

        addSection(dan, "1");
        Tick(dan, "speed =2");
        Tick(dan, "crew =0");
        // A tick as the user gives it: the space key on the current entry.
        dan->CheckListBox1->setCurrentIndex(dan->keyListModel()->index(2));
        QTest::keyClick(dan->CheckListBox1, Qt::Key_Space);
        QCOMPARE(TickedEntries(dan), QList<QByteArray>({"crew =0", "health =1", "speed =2"}));

        dan->Button4->click();
        // Appended in the list's order, whatever the order of ticking.
        QCOMPARE(dan->Memo1->toPlainText(), QStringLiteral("[section1]\ncrew =0\nhealth =1\nspeed =2\n"));
        QCOMPARE(EntryBytes(dan), QList<QByteArray>({"armor =3", "name =1"}));
        QVERIFY(TickedEntries(dan).isEmpty());
        QCOMPARE(dan->statusPanelText(), QStringLiteral("2"));

        Tick(dan, "name =1");
        addSection(dan, QString());
        dan->Button4->click();
        QCOMPARE(dan->Memo1->toPlainText(),
                 QStringLiteral("[section1]\ncrew =0\nhealth =1\nspeed =2\n[section_text]\nname =1\n"));
        QCOMPARE(EntryBytes(dan), QList<QByteArray>({"armor =3"}));
        QCOMPARE(dan->statusPanelText(), QStringLiteral("1"));
    }

    void addKeepsTheListWhereTheUserWas()
    {
        TdanForm* dan = openAnalyzer();
        QVERIFY(dan);
        QByteArray desc;
        for (int i = 0; i < 300; ++i)
            desc += QStringLiteral("Key%1 1\n").arg(i, 3, 10, QLatin1Char('0')).toLatin1();
        openFiles(dan, {folder->write("many.txt", desc)});
        // Laid out as before the user first sees it.
        dan->CheckListBox1->doItemsLayout();
        QScrollBar* scroll = dan->CheckListBox1->verticalScrollBar();
        QVERIFY(scroll->maximum() > 100);
        scroll->setValue(scroll->maximum() / 2);
        const int top = scroll->value();
        Tick(dan, "key000 =1");
        Tick(dan, "key299 =1");
        dan->Button4->click();
        QCOMPARE(dan->keyListModel()->rowCount(), 298);
        QCoreApplication::processEvents();
        dan->CheckListBox1->doItemsLayout();
        QCOMPARE(scroll->value(), top);
    }

    void secondOpenReplacesTheListOnly()
    {
        TdanForm* dan = openAnalyzer();
        QVERIFY(dan);
        openFiles(dan, {folder->write("a.txt", "Health 100\nArmor 1 2\nCrew\n")});
        Tick(dan, "health =1");
        dan->Button4->click();
        Tick(dan, "crew =0");
        const QString result = dan->Memo1->toPlainText();
        QCOMPARE(result, QStringLiteral("health =1\n"));

        openFiles(dan, {folder->write("b.txt", "Crew\nSpeed 1 2\nHealth 5\n")});
        QCOMPARE(EntryBytes(dan), QList<QByteArray>({"crew =0", "health =1", "speed =2"}));
        // The list is rebuilt: an entry that was ticked before comes back unticked.
        QVERIFY(TickedEntries(dan).isEmpty());
        QCOMPARE(dan->Memo1->toPlainText(), result);
        QCOMPARE(dan->statusPanelText(), QStringLiteral("3"));
    }

    void openCancelled()
    {
        TdanForm* dan = openAnalyzer();
        QVERIFY(dan);
        openFiles(dan, {});
        QCOMPARE(dan->keyListModel()->rowCount(), 0);
        QCOMPARE(dan->statusPanelText(), QStringLiteral("0"));

        openFiles(dan, {folder->write("a.txt", "Health 100\nArmor 1 2\n")});
        Tick(dan, "armor =2");
        dan->StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel0"))->setText("x");
        openFiles(dan, {});
        QCOMPARE(EntryBytes(dan), QList<QByteArray>({"armor =2", "health =1"}));
        QCOMPARE(TickedEntries(dan), QList<QByteArray>({"armor =2"}));
        QCOMPARE(dan->statusPanelText(), QStringLiteral("2"));
        QCOMPARE(dialogs->errors.size(), 0);
    }

    void unreadableFile()
    {
        TdanForm* dan = openAnalyzer();
        QVERIFY(dan);
        openFiles(dan, {folder->write("a.txt", "Health 100\nArmor 1 2\nCrew\n")});
        QCOMPARE(dan->statusPanelText(), QStringLiteral("3"));
        addSection(dan, "1");

        const QString missing = folder->path("lost.txt");
        const QString before = folder->write("b.txt", "Speed 1 2\nCrew\n");
        const QString after = folder->write("c.txt", "Name Tank\n");
        openFiles(dan, {before, missing, after});
        QCOMPARE(dialogs->errors.size(), 1);
        QCOMPARE(dialogs->errors[0].caption, dravik::ui::ApplicationTitle());
        QCOMPARE(dialogs->errors[0].text, OpenFailure(missing));
        // What the files before it gave stays listed; the files after it are not read.
        QCOMPARE(EntryBytes(dan), QList<QByteArray>({"crew =0", "speed =2"}));
        QCOMPARE(dan->statusPanelText(), QStringLiteral("3"));
        QCOMPARE(dan->Memo1->toPlainText(), QStringLiteral("[section1]\n"));
        QVERIFY(dan->findChildren<QProgressDialog*>().isEmpty());

        // The first file cannot be read: the list is empty.
        openFiles(dan, {missing});
        QCOMPARE(dialogs->errors.size(), 2);
        QCOMPARE(dialogs->errors[1].text, OpenFailure(missing));
        QCOMPARE(dan->keyListModel()->rowCount(), 0);
        QCOMPARE(dan->statusPanelText(), QStringLiteral("3"));
    }

    void manyFilesReportProgress()
    {
        TdanForm* dan = openAnalyzer();
        QVERIFY(dan);
        QStringList files;
        for (int i = 0; i < 2000; ++i)
            files.append(folder->write(QStringLiteral("unit%1.txt").arg(i),
                                       QStringLiteral("Health %1\nKey%2 1 2\n").arg(i).arg(i % 7).toLatin1()));
        ProgressWatch watch;
        qApp->installEventFilter(&watch);
        openFiles(dan, files);
        qApp->removeEventFilter(&watch);
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(dan->statusPanelText(), QStringLiteral("8"));
        QCOMPARE(EntryBytes(dan).first(), QByteArray("health =1"));
        QCOMPARE(watch.boxes.size(), 1);
        QCOMPARE(watch.parents.first(), dan);
        // Gone once the command is done.
        QVERIFY(watch.boxes.first().isNull());
    }

    void highBytesRoundTrip()
    {
        // windows-1251: "Броня 5", "БРОНЯ 5", "Имя Тигр 1", and bytes the
        // memo cannot hold as they are (a no-break space) or that 1251 leaves
        // unassigned (0x98).
        const QByteArray desc = "\xC1\xF0\xEE\xED\xFF 5\r\n"
                                "\xC1\xD0\xCE\xCD\xDF 5\r\n"
                                "\xC8\xEC\xFF \xD2\xE8\xE3\xF0 1\r\n"
                                "Tag\xA0\x98 1 2\r\n";
        TdanForm* dan = openAnalyzer();
        QVERIFY(dan);
        openFiles(dan, {folder->write("ru.txt", desc)});
        // Only A to Z fold, so the two Cyrillic spellings stay two entries.
        const QList<QByteArray> expected = {"tag\xA0\x98 =2", "\xC1\xD0\xCE\xCD\xDF =1", "\xC1\xF0\xEE\xED\xFF =1",
                                            "\xC8\xEC\xFF \xD2\xE8\xE3\xF0=1"};
        QCOMPARE(EntryBytes(dan), expected);
        const dravik::CodePage& codePage = window->document().codePage();
        QStringList shown;
        for (const QByteArray& entry : expected)
            shown.append(dravik::ui::CellText(entry.toStdString(), codePage));
        QCOMPARE(ShownEntries(dan), shown);
        QCOMPARE(ShownEntries(dan)[2], QString::fromUtf8("Броня =1"));

        addSection(dan, "3");
        for (const QByteArray& entry : expected)
            Tick(dan, entry);
        dan->Button4->click();
        dan->Button3->click();
        QList<QByteArray> lines = {"[section3]"};
        lines.append(expected);
        QCOMPARE(ToBytes(window->document().variablesText().lines), lines);
        QVERIFY(window->document().variablesText().finalBreak);
    }

    // Files opened before any variables file: each empty table says what to
    // do, and one click on it opens a variables file, after which the files
    // are laid out again at once, unsaved edits asked about first.
    void theEmptyTablesLeadToAVariablesFile()
    {
        const QString tank = folder->write("tank.txt", sample::TankDesc());
        dialogs->openAnswers.enqueue({tank});
        Action(*window, "N2")->trigger();
        activate();
        clickTabOf(grid(1));
        auto* hint = grid(1)->findChild<QWidget*>(QStringLiteral("VariablesHint"));
        QVERIFY(hint && hint->isVisible());
        QVERIFY(grid(1)->viewport()->rect().contains(hint->geometry()));
        QCOMPARE(hint->findChild<QPushButton*>(QStringLiteral("HintDraftVariables"))->text(),
                 QStringLiteral("Draft one from the open files\u2026"));

        dialogs->openAnswers.enqueue({folder->write("vars.var", sample::Variables())});
        dialogs->askAnswers.enqueue(0);
        QTest::mouseClick(hint->findChild<QPushButton*>(QStringLiteral("HintOpenVariables")), Qt::LeftButton);
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(dialogs->questions[0].text,
                 QStringLiteral("Lay out the open file again by the variables file just opened? Until then the "
                                "tables keep the keys and counts they were opened with."));
        QCOMPARE(dialogs->questions[0].buttons, QStringList({"&Lay them out", "&Not now"}));
        QCOMPARE(Header(grid(1), 2), QStringLiteral("health"));
        QCOMPARE(Cell(grid(1), 3, 1), QStringLiteral("10"));
        QTRY_VERIFY(!hint->isVisible());

        // Another variables file with an edit not saved: asked about first.
        typeIntoCell(grid(1), 2, 1, QStringLiteral("150"));
        dialogs->openAnswers.enqueue({folder->write("other.var", "[section2]\r\nspeed=2\r\n")});
        dialogs->askAnswers.enqueue(0);
        dialogs->askAnswers.enqueue(1);  // the edit is dropped
        Action(*window, "N6")->trigger();
        QCOMPARE(dialogs->questions.size(), 3);
        QCOMPARE(dialogs->questions[2].title, QStringLiteral("Unsaved changes"));
        QCOMPARE(Cell(grid(1), 2, 1), QString());
        QCOMPARE(Cells(grid(2), {{2, 1}, {3, 1}}), QStringList({"5", "7"}));
        QVERIFY(!window->document().isModified());
        QCOMPARE(folder->read("tank.txt"), sample::TankDesc());

        // Not now: the tables keep their layout.
        dialogs->openAnswers.enqueue({folder->path("vars.var")});
        dialogs->askAnswers.enqueue(1);
        Action(*window, "N6")->trigger();
        QCOMPARE(dialogs->questions.size(), 4);
        QCOMPARE(Cell(grid(1), 2, 1), QString());
    }

    // The other way from the empty tables: the analyzer, listing the open
    // files' keys at once; its Copy to Dravik2 leads to the same offer.
    void theEmptyTablesLeadToTheAnalyzerWithTheOpenFiles()
    {
        const QString tank = folder->write("tank.txt", sample::TankDesc());
        dialogs->openAnswers.enqueue({tank});
        Action(*window, "N2")->trigger();
        activate();
        clickTabOf(grid(1));
        auto* hint = grid(1)->findChild<QWidget*>(QStringLiteral("VariablesHint"));
        QTest::mouseClick(hint->findChild<QPushButton*>(QStringLiteral("HintDraftVariables")), Qt::LeftButton);
        const QList<TdanForm*> shown = ShownAnalyzers();
        QCOMPARE(shown.size(), 1);
        TdanForm* dan = shown.first();
        QVERIFY(!window->isVisible());
        QVERIFY(EntryBytes(dan).contains("armor =3"));
        QCOMPARE(dan->statusPanelText(), QString::number(EntryBytes(dan).size()));
        QCOMPARE(dialogs->askedFiles.size(), 1);  // Open desc's only: the analyzer asked for no files

        addSection(dan, "1");
        Tick(dan, "armor =3");
        dan->Button4->click();
        dan->Button3->click();
        dialogs->askAnswers.enqueue(0);
        QVERIFY(dan->close());
        QVERIFY(window->isVisible());
        QTRY_COMPARE(dialogs->questions.size(), 1);
        QVERIFY(dialogs->questions[0].text.startsWith(
            QStringLiteral("Lay out the open file again by the variables text the analyzer drafted?")));
        QTRY_COMPARE(Header(grid(1), 2), QStringLiteral("armor "));
        QCOMPARE(Cells(grid(1), {{2, 1}, {3, 1}, {4, 1}}), QStringList({"10", "20", "30"}));
    }

    void copyToDravik2ThenOpenDesc()
    {
        const QString variables = folder->write("vars.var", sample::Variables());
        dialogs->openAnswers.enqueue({variables});
        Action(*window, "N6")->trigger();
        // Typed into the variables text just before the analyzer opens.
        VariablesText(*window)->moveCursor(QTextCursor::End);
        VariablesText(*window)->insertPlainText("crew=0\n");
        const auto typed = ToBytes(window->document().variablesText().lines);

        TdanForm* dan = openAnalyzer();
        QVERIFY(dan);
        QCOMPARE(ToBytes(window->document().variablesText().lines).last(), QByteArray("crew=0"));
        QVERIFY(ToBytes(window->document().variablesText().lines) != typed);

        // An empty result text empties the variables text.
        dan->Button3->click();
        QVERIFY(window->document().variablesText().lines.empty());
        QVERIFY(VariablesText(*window)->toPlainText().isEmpty());

        const QString tank = folder->write("tank.txt",
                                           "[section1]\r\n"
                                           "HealthBar 7\r\n"
                                           "Health 100\r\n"
                                           "Armor 10 20 30\r\n"
                                           "[section_text]\r\n"
                                           "Name Tank\r\n");
        openFiles(dan, {tank});
        addSection(dan, "1");
        Tick(dan, "health =1");
        Tick(dan, "armor =3");
        dan->Button4->click();
        addSection(dan, QString());
        Tick(dan, "name =1");
        dan->Button4->click();
        const QString result = QStringLiteral("[section1]\narmor =3\nhealth =1\n[section_text]\nname =1\n");
        QCOMPARE(dan->Memo1->toPlainText(), result);

        dan->Button3->click();
        QCOMPARE(ToBytes(window->document().variablesText().lines),
                 QList<QByteArray>({"[section1]", "armor =3", "health =1", "[section_text]", "name =1"}));
        QCOMPARE(VariablesText(*window)->toPlainText(), result);
        QCOMPARE(dan->Memo1->toPlainText(), result);
        // The tables wait for the next Open desc.
        QCOMPARE(window->document().descFileCount(), 0);
        QVERIFY(window->document().grid(dravik::GridNumber(1)).cell(2, 0).empty());

        QVERIFY(dan->close());
        QVERIFY(window->isVisible());
        dialogs->openAnswers.enqueue({tank});
        Action(*window, "N2")->trigger();
        QCOMPARE(dialogs->errors.size(), 0);
        const dravik::Grid& section1 = window->document().grid(dravik::GridNumber(1));
        QCOMPARE(section1.colCount(), 6);
        QCOMPARE(section1.cell(2, 0), std::string("armor "));
        QCOMPARE(section1.cell(4, 0), std::string("armor "));
        QCOMPARE(section1.cell(5, 0), std::string("health "));
        QCOMPARE(section1.cell(2, 1), std::string("10"));
        QCOMPARE(section1.cell(4, 1), std::string("30"));
        // The blank of "health " keeps HealthBar out.
        QCOMPARE(section1.cell(5, 1), std::string("100"));
        QCOMPARE(window->document().grid(dravik::GridNumber(10)).cell(2, 0), std::string("name "));
        QCOMPARE(window->document().grid(dravik::GridNumber(10)).cell(2, 1), std::string("Tank"));
    }
};

QTEST_MAIN(AnalyzerTest)
#include "analyzer_test.moc"
