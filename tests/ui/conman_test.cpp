// The console manager driven as a user drives it: dialogs answered by the
// test, small shell scripts standing in for the archive tools. Each script
// writes where it ran and what it was given into a record file, and prints a
// few lines for the memo.
#include "core/text/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/settings_file.h"
#include "tests/core/test_files.h"
#include "layout_checks.h"
#include "tool_fixture.h"
#include "ui/common/application_title.h"
#include "ui/conman.h"
#include "ui/common/display_text.h"
#include "ui/main_unit.h"
#include "window_parts.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QtTest>

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

const QString kSeparator = QString(QLatin1Char(dravik::kPathSeparator));


// As the error box shows it: the system's reasons are in its own code page.
QString ErrorText(const dravik::Message& message)
{
    return dravik::ui::MessageText(dravik::ErrorBoxText(message.english()));
}

}  // namespace

class ConmanTest : public ToolFixture {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> mainStandIn;
    std::unique_ptr<QAction> quickPack;

    // The console manager's folders are compared in Qt's form, with "/".
    QString at(const QString& name) const { return QDir::fromNativeSeparators(ToolFixture::at(name)); }
    QString makeFolder(const QString& name) const { return QDir::fromNativeSeparators(ToolFixture::makeFolder(name)); }

    // A stand-in tool: records its working directory, whether the capture
    // file lies there, and its arguments one a line in brackets into
    // `record`, then prints its arguments and a line with a code-page byte.
    QString tool(const QString& name, const QString& record) const
    {
        return script(name, "{ pwd -P\n"
                            "  if [ -f Test.tmp ]; then echo capture-here; else echo capture-elsewhere; fi\n"
                            "  for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > '" +
                                QFile::encodeName(record) +
                                "'\n"
                                "printf 'tool %s\\r\\n' \"$*\"\n"
                                "printf '\\300 done\\n'\n");
    }

    TFormCM* newWindow()
    {
        auto* window = new TFormCM(Bytes(settingsPath()), *dialogs, quickPack.get(), mainStandIn.get());
        window->show();
        return window;
    }

private slots:
    void init()
    {
        ToolFixture::init();
        mainStandIn = std::make_unique<QWidget>();
        quickPack = std::make_unique<QAction>();
        quickPack->setEnabled(false);
    }

    void cleanup()
    {
        mainStandIn.reset();
        quickPack.reset();
        ToolFixture::cleanup();
    }

    void argumentsForTheTools()
    {
        const std::string sep(1, dravik::kPathSeparator);
        QCOMPARE(conman::UnpackArguments("maps.sue"), "maps.sue __maps.sue" + sep);
        QCOMPARE(conman::UnpackArguments(""), " __" + sep);
        QCOMPARE(conman::PackArguments("__maps.sue"), "maps.sue __maps.sue" + sep);
        // The first two characters go whatever they are.
        QCOMPARE(conman::PackArguments("maps"), "ps maps" + sep);
        QCOMPARE(conman::PackArguments("abc"), "c abc" + sep);
        QCOMPARE(conman::PackArguments("ab"), " ab" + sep);
        QCOMPARE(conman::PackArguments("a"), " a" + sep);
        QCOMPARE(conman::PackArguments(""), " " + sep);
    }

    void windowAsItOpens()
    {
        const QString packFolder = makeFolder(QStringLiteral("mods/__maps.sue"));
        makeFolder(QStringLiteral("mods/__maps.sue/units"));
        makeFolder(QStringLiteral("mods/__maps.sue/Alpha"));
        writeSettings("[Path]\r\nPackPath=" + QFile::encodeName(packFolder) + "\r\n");
        TFormCM* window = newWindow();

        QCOMPARE(window->windowTitle(), QStringLiteral("CONMANager Dravik 2 v1.3 beta"));
        QCOMPARE(window->size(), QSize(682, 486));
        const QRect desktop = window->screen()->availableGeometry();
        QCOMPARE(window->frameGeometry().topLeft(),
                 desktop.topLeft() + QPoint((desktop.width() - 682) / 2, (desktop.height() - 486) / 2));
        QCOMPARE(window->Button1->text(), QStringLiteral("Unpack"));
        QCOMPARE(window->Button2->text(), QStringLiteral("Pack"));
        QCOMPARE(window->Button3->text(), QStringLiteral("SUE"));
        QCOMPARE(window->Button4->text(), QStringLiteral("UNSUE"));
        // The drive chooser above UNSUE and SUE, Unpack and Pack to their right.
        const QString problem = LayoutProblem(
            {window->DriveComboBox1, window->Button1, window->Button2, window->Button4, window->Button3});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(window->DriveComboBox1->geometry().bottom() < window->Button4->y());
        QVERIFY(window->Button4->geometry().right() < window->Button3->x());
        QVERIFY(window->DriveComboBox1->geometry().right() < window->Button1->x());
        QVERIFY(window->Button1->geometry().right() < window->Button2->x());
        const QStringList names = {"Panel2", "Panel1", "DriveComboBox1", "Button1", "Button2", "Button4",
                                   "Button3", "Splitter2", "DirectoryListBox1", "Splitter1", "Memo2", "StatusBar1"};
        for (const QString& name : names)
            QVERIFY2(window->findChild<QWidget*>(name), qPrintable(name));
        QCOMPARE(window->Panel1->parentWidget(), window->Splitter2);
        QCOMPARE(window->Panel2->width(), 373);
        QCOMPARE(window->Panel1->height(), 64);

        // Tab order: Unpack, Pack, the drives, SUE, UNSUE.
        QCOMPARE(window->Button1->nextInFocusChain(), window->Button2);
        QCOMPARE(window->Button2->nextInFocusChain(), window->DriveComboBox1);
        QCOMPARE(window->DriveComboBox1->nextInFocusChain(), window->Button3);
        QCOMPARE(window->Button3->nextInFocusChain(), window->Button4);

        const auto panels = window->StatusBar1->findChildren<QLabel*>();
        QCOMPARE(panels.size(), 2);
        QCOMPARE(window->StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel0"))->width(), 250);
        QCOMPARE(window->statusPanelText(0), QString());
        QCOMPARE(window->statusPanelText(1), QString());
        QCOMPARE(window->Memo2->toPlainText(), QStringLiteral("\n"));

        // The list opens at the pack folder, which becomes the current
        // directory; its folders above come first, then its subfolders.
        QCOMPARE(window->DirectoryListBox1->directory(), packFolder);
        QCOMPARE(QDir::currentPath(), packFolder);
        const int count = window->DirectoryListBox1->count();
        QVERIFY(count >= 4);
        QCOMPARE(window->DirectoryListBox1->item(0)->text(), QDir::toNativeSeparators(QDir::rootPath()));
        QCOMPARE(window->DirectoryListBox1->item(count - 3)->text(), QStringLiteral("__maps.sue"));
        QCOMPARE(window->DirectoryListBox1->currentRow(), count - 3);
        QCOMPARE(window->DirectoryListBox1->item(count - 2)->text(), QStringLiteral("Alpha"));
        QCOMPARE(window->DirectoryListBox1->item(count - 1)->text(), QStringLiteral("units"));
        QCOMPARE(DirectoryListBox::folderOf(window->DirectoryListBox1->item(count - 4)), at(QStringLiteral("mods")));
#ifndef Q_OS_WIN
        QCOMPARE(window->DriveComboBox1->itemText(0), QStringLiteral("/"));
#endif
        QVERIFY(window->DriveComboBox1->currentIndex() >= 0);
        QVERIFY(dialogs->errors.isEmpty());
    }

    void directoryListOpensOnDoubleClickOrEnter()
    {
        const QString top = makeFolder(QStringLiteral("top"));
        const QString inner = makeFolder(QStringLiteral("top/inner"));
        makeFolder(QStringLiteral("top/inner/deep"));
        writeSettings("[Path]\r\nPackPath=" + QFile::encodeName(top) + "\r\n");
        TFormCM* window = newWindow();
        DirectoryListBox* list = window->DirectoryListBox1;
        QCOMPARE(list->directory(), top);

        // A single click only highlights.
        QListWidgetItem* innerItem = list->item(list->count() - 1);
        QCOMPARE(innerItem->text(), QStringLiteral("inner"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(innerItem).center());
        QCOMPARE(list->currentItem(), innerItem);
        QCOMPARE(list->directory(), top);
        QCOMPARE(QDir::currentPath(), top);

        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(innerItem).center());
        QCOMPARE(list->directory(), inner);
        QCOMPARE(QDir::currentPath(), inner);
        QCOMPARE(list->item(list->count() - 1)->text(), QStringLiteral("deep"));

        // Enter on a folder above goes back up.
        list->setFocus();
        list->setCurrentRow(list->count() - 3);
        QCOMPARE(list->currentItem()->text(), QStringLiteral("top"));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(list->directory(), top);
        QCOMPARE(QDir::currentPath(), top);

        // A drive opens at its root (POSIX has no per-drive directory).
#ifndef Q_OS_WIN
        emit window->DriveComboBox1->activated(0);
        QCOMPARE(list->directory(), QStringLiteral("/"));
        QCOMPARE(QDir::currentPath(), QStringLiteral("/"));
        QCOMPARE(list->count() - 1, QDir(QStringLiteral("/")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
#endif

        // A folder that has gone meanwhile: reported, nothing changes. (The
        // test leaves it first: Windows removes no current directory.)
        QVERIFY(window->openFolder(inner));
        QVERIFY(QDir::setCurrent(base));
        QVERIFY(QDir(at(QStringLiteral("top"))).removeRecursively());
        QVERIFY(!window->openFolder(inner + QStringLiteral("/deep")));
        QCOMPARE(list->directory(), inner);
        QCOMPARE(dialogs->errors.size(), 1);
        QCOMPARE(dialogs->errors[0].caption, dravik::ui::ApplicationTitle());
        QVERIFY2(dialogs->errors[0].text.startsWith(QStringLiteral("Cannot open folder \"")),
                 qPrintable(dialogs->errors[0].text));
    }

    void unpackRunsTheToolInTheArchivesFolder()
    {
#ifdef Q_OS_WIN
        QSKIP("the stand-in tools are shell scripts");
#endif
        const QString record = at(QStringLiteral("unsue.record"));
        const QString unsue = tool(QStringLiteral("unsue tool"), record);
        const QString data = makeFolder(QStringLiteral("data"));
        const QString archive = data + QStringLiteral("/maps.sue");
        QFile(archive).open(QIODevice::WriteOnly);
        TFormCM* window = newWindow();

        dialogs->openAnswers.enqueue({unsue});
        window->Button4->click();
        QCOMPARE(conman::UNSUEPath, Bytes(unsue));
        QCOMPARE(dialogs->askedFiles.last().request.title, QStringLiteral("Path to unsue.exe"));
        QVERIFY(!dialogs->askedFiles.last().request.multiple);
        // The tool's path has a blank; POSIX takes the path whole.
        window->Memo2->setPlainText(QStringLiteral("typed by the user"));

        QDir::setCurrent(base);
        dialogs->openAnswers.enqueue({archive});
        window->Button1->click();
        QCOMPARE(dialogs->askedFiles.last().request.title, QStringLiteral("Path to .sue archive"));
        QVERIFY(!dialogs->askedFiles.last().request.multiple);
        // The archive is named without its folder, in the folder the dialog
        // left current, where the capture file is made for the run.
        QCOMPARE(Record(record), QStringList({data, "capture-here", "[maps.sue]", "[__maps.sue/]"}));
        QCOMPARE(QDir::currentPath(), data);
        QVERIFY(!QFile::exists(data + QStringLiteral("/Test.tmp")));
        QCOMPARE(window->Memo2->toPlainText(),
                 QString::fromUtf8("typed by the user\ntool maps.sue __maps.sue/\n\u0410 done"));
        QCOMPARE(window->statusPanelText(0), archive);
        QCOMPARE(window->statusPanelText(1), QString());

        // Another run appends; cancelling the dialog changes nothing.
        dialogs->openAnswers.enqueue({archive});
        window->Button1->click();
        QCOMPARE(window->Memo2->toPlainText().count(QStringLiteral("tool maps.sue")), 2);
        const QString memo = window->Memo2->toPlainText();
        dialogs->openAnswers.enqueue({});
        window->Button1->click();
        dialogs->openAnswers.enqueue({});
        window->Button4->click();
        QCOMPARE(window->Memo2->toPlainText(), memo);
        QCOMPARE(conman::UNSUEPath, Bytes(unsue));
        QVERIFY(dialogs->errors.isEmpty());
        QVERIFY(dialogs->messages.isEmpty());
        QVERIFY(!quickPack->isEnabled());
    }

    void packRunsTheToolBesideTheFolder()
    {
#ifdef Q_OS_WIN
        QSKIP("the stand-in tools are shell scripts");
#endif
        const QString record = at(QStringLiteral("sue.record"));
        const QString sue = tool(QStringLiteral("sue"), record);
        const QString mods = makeFolder(QStringLiteral("mods"));
        const QString unpacked = makeFolder(QStringLiteral("mods/__maps.sue"));
        const QString plain = makeFolder(QStringLiteral("mods/maps"));
        writeSettings("[Path]\r\nSUEPath=" + QFile::encodeName(sue) + "\r\nPackPath=" + QFile::encodeName(unpacked) +
                      "\r\n");
        TFormCM* window = newWindow();
        QCOMPARE(conman::SUEPath, Bytes(sue));

        window->Button2->click();
        QCOMPARE(window->statusPanelText(0), QStringLiteral("__maps.sue"));
        QCOMPARE(window->statusPanelText(1), QStringLiteral("maps.sue __maps.sue/"));
        // The pack folder is current, so the capture file is made inside it
        // while the tool runs one folder up.
        QCOMPARE(Record(record), QStringList({mods, "capture-elsewhere", "[maps.sue]", "[__maps.sue/]"}));
        QVERIFY(!QFile::exists(unpacked + QStringLiteral("/Test.tmp")));
        QCOMPARE(window->Memo2->toPlainText(), QString::fromUtf8("\ntool maps.sue __maps.sue/\n\u0410 done\n"));
        QCOMPARE(conman::PackPath, Bytes(unpacked));
        QCOMPARE(conman::PackName, std::string("__maps.sue"));
        QVERIFY(quickPack->isEnabled());

        // The folder last opened counts, not the highlighted item.
        QVERIFY(window->openFolder(plain));
        window->DirectoryListBox1->setCurrentRow(0);
        window->Button2->click();
        QCOMPARE(window->statusPanelText(0), QStringLiteral("maps"));
        QCOMPARE(window->statusPanelText(1), QStringLiteral("ps maps/"));
        QCOMPARE(Record(record), QStringList({mods, "capture-elsewhere", "[ps]", "[maps/]"}));

        // The root: no name, and the tool runs in the root itself. The
        // capture file goes where a dialog last left the program.
        QVERIFY(window->openFolder(QStringLiteral("/")));
        QDir::setCurrent(base);
        window->Button2->click();
        QCOMPARE(window->statusPanelText(0), QString());
        QCOMPARE(window->statusPanelText(1), QStringLiteral(" /"));
        QCOMPARE(Record(record), QStringList({"/", "capture-elsewhere", "[/]"}));
        QCOMPARE(conman::PackPath, std::string("/"));
        QVERIFY(!QFile::exists(at(QStringLiteral("Test.tmp"))));
        QVERIFY(dialogs->errors.isEmpty());
        QVERIFY(dialogs->messages.isEmpty());
    }

    void inputDuringARunIsDroppedAndTheWaitIsShown()
    {
#ifdef Q_OS_WIN
        QSKIP("the stand-in tools are shell scripts");
#endif
        // The tool counts its runs, says when it has started and then waits
        // for the test's go.
        const QString runs = at(QStringLiteral("runs"));
        const QString started = at(QStringLiteral("started"));
        const QString go = at(QStringLiteral("go"));
        const QString sue = script(QStringLiteral("sue"), "echo run >> '" + QFile::encodeName(runs) + "'\ntouch '" +
                                                              QFile::encodeName(started) + "'\nwhile [ ! -f '" +
                                                              QFile::encodeName(go) + "' ]; do sleep 0.02; done\n");
        const QString pack = makeFolder(QStringLiteral("__a.sue"));
        writeSettings("[Path]\r\nSUEPath=" + QFile::encodeName(sue) + "\r\nPackPath=" + QFile::encodeName(pack) +
                      "\r\n");
        TFormCM* window = newWindow();
        QStringList shown;  // the status messages, marked when the wait cursor was on
        connect(window->StatusBar1, &QStatusBar::messageChanged, window, [&shown](const QString& text) {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            shown << text + (cursor && cursor->shape() == Qt::WaitCursor ? QStringLiteral(" [wait]") : QString());
        });

        // While the tool runs, the user clicks Pack three times and presses
        // Space on it.
        QPushButton* packButton = window->Button2;
        packButton->setFocus();
        const QPointF middle = QRectF(packButton->rect()).center();
        const QPointF global = packButton->mapToGlobal(middle);
        std::vector<QEvent*> input;
        for (int click = 0; click < 3; ++click) {
            input.push_back(new QMouseEvent(QEvent::MouseButtonPress, middle, global, Qt::LeftButton, Qt::LeftButton,
                                            Qt::NoModifier));
            input.push_back(new QMouseEvent(QEvent::MouseButtonRelease, middle, global, Qt::LeftButton, Qt::NoButton,
                                            Qt::NoModifier));
        }
        input.push_back(new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
        input.push_back(new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
        std::thread user([&] {
            for (int wait = 0; wait < 1000 && !QFile::exists(started); ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            for (QEvent* event : input)
                QCoreApplication::postEvent(packButton, event);
            QFile(go).open(QIODevice::WriteOnly);
        });
        packButton->click();
        user.join();
        // Whatever the run left queued is handled here.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();

        QCOMPARE(Record(runs), QStringList({"run"}));
        QCOMPARE(shown, QStringList({"Waiting for sue to end [wait]", ""}));
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(window->StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel0"))->isVisible());
        QVERIFY(dialogs->errors.isEmpty());
        QVERIFY(dialogs->messages.isEmpty());
    }

    void theMemoShowsTheNewestOutputAfterEachRun()
    {
#ifdef Q_OS_WIN
        QSKIP("the stand-in tools are shell scripts");
#endif
        const QString sue = script(QStringLiteral("sue"), "i=0\nwhile [ $i -lt 100 ]; do echo line $i; i=$((i+1)); done\n");
        const QString pack = makeFolder(QStringLiteral("__a.sue"));
        writeSettings("[Path]\r\nSUEPath=" + QFile::encodeName(sue) + "\r\nPackPath=" + QFile::encodeName(pack) +
                      "\r\n");
        TFormCM* window = newWindow();
        QScrollBar* bar = window->Memo2->verticalScrollBar();
        window->Button2->click();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());

        // Scrolled back by the user, the memo follows the next run's output.
        bar->setValue(0);
        window->Button2->click();
        QCOMPARE(window->Memo2->document()->blockCount(), 202);
        QCOMPARE(bar->value(), bar->maximum());
    }

    void aToolThatCannotStartIsReportedInItsOwnBox()
    {
#ifdef Q_OS_WIN
        QSKIP("POSIX texts of the system");
#endif
        const QString pack = makeFolder(QStringLiteral("__a.sue"));
        const QString archive = at(QStringLiteral("a.sue"));
        QFile(archive).open(QIODevice::WriteOnly);
        writeSettings("[Path]\r\nSUEPath=" + QFile::encodeName(at(QStringLiteral("no-sue"))) +
                      "\r\nPackPath=" + QFile::encodeName(pack) + "\r\n");
        TFormCM* window = newWindow();
        // The tool paths start at a folder, which is no program.
        QCOMPARE(conman::UNSUEPath, std::string(conman::kDefaultPath));

        window->Button2->click();
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0].caption, QStringLiteral("RunCaptured Error"));
        QCOMPARE(dialogs->messages[0].text, QString::fromLatin1(std::strerror(ENOENT)));
        QCOMPARE(window->Memo2->toPlainText(), QStringLiteral("\n"));
        QCOMPARE(window->statusPanelText(1), QStringLiteral("a.sue __a.sue/"));
        // Pack enables QuickPack all the same.
        QVERIFY(quickPack->isEnabled());

        dialogs->openAnswers.enqueue({archive});
        window->Button1->click();
        QCOMPARE(dialogs->messages.size(), 2);
        QCOMPARE(dialogs->messages[1].caption, QStringLiteral("RunCaptured Error"));
        QCOMPARE(dialogs->messages[1].text, QString::fromLatin1(std::strerror(EACCES)));
        QCOMPARE(window->Memo2->toPlainText(), QStringLiteral("\n"));
        QVERIFY(dialogs->errors.isEmpty());
        QVERIFY(!QFile::exists(at(QStringLiteral("Test.tmp"))));
    }

    void aCaptureFileThatCannotBeReadEndsPackInTheErrorBox()
    {
#ifdef Q_OS_WIN
        QSKIP("the stand-in tools are shell scripts");
#endif
        const QString record = at(QStringLiteral("sue.record"));
        const QString sue = tool(QStringLiteral("sue"), record);
        const QString pack = makeFolder(QStringLiteral("__a.sue"));
        writeSettings("[Path]\r\nSUEPath=" + QFile::encodeName(sue) + "\r\nPackPath=" + QFile::encodeName(pack) +
                      "\r\n");
        TFormCM* window = newWindow();
        // A folder in the capture file's place: it cannot be made or read.
        QVERIFY(QDir().mkdir(pack + QStringLiteral("/Test.tmp")));
        window->Button2->click();
        QCOMPARE(dialogs->errors.size(), 1);
        QCOMPARE(dialogs->errors[0].caption, dravik::ui::ApplicationTitle());
        QVERIFY2(dialogs->errors[0].text.startsWith(QStringLiteral("Cannot open file")),
                 qPrintable(dialogs->errors[0].text));
        QVERIFY(!quickPack->isEnabled());
        QCOMPARE(window->Memo2->toPlainText(), QStringLiteral("\n"));
    }

    void settingsAreReadAtCreationAndWrittenAtClose()
    {
        const QString pack = makeFolder(QStringLiteral("packed"));
        const QString chosen = QDir::toNativeSeparators(at(QStringLiteral("new sue")));
        QFile(chosen).open(QIODevice::WriteOnly);
        const QByteArray stored = "; by hand\r\n"
                                  "[Other]\r\n"
                                  "GamePath=/games/ss\r\n"
                                  "[Path]\r\n"
                                  "Var=/v.var\r\n"
                                  "suepath=/old/sue\r\n"
                                  "UNSUEPath=\r\n"
                                  "PackPath=" +
                                  QFile::encodeName(pack) +
                                  "\r\n"
                                  "[Form]\r\n"
                                  "Left=5\r\n";
        writeSettings(stored);
        TFormCM* window = newWindow();
        QCOMPARE(conman::SUEPath, std::string("/old/sue"));
        QCOMPARE(conman::UNSUEPath, std::string());
        QCOMPARE(conman::PackPath, Bytes(pack));

        dialogs->openAnswers.enqueue({chosen});
        window->Button3->click();
        QCOMPARE(dialogs->askedFiles.last().request.title, QStringLiteral("Path to sue.exe"));
        mainStandIn->hide();
        QVERIFY(window->close());
        // Hidden, not destroyed, and the main window is back.
        QVERIFY(window->isHidden());
        QCOMPARE(window->DirectoryListBox1->directory(), pack);
        QVERIFY(mainStandIn->isVisible());

        QByteArray expected = stored;
        expected.replace("suepath=/old/sue", "SUEPath=" + QFile::encodeName(chosen));
        QFile written(settingsPath());
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        written.close();  // Windows replaces no file held open, as the next close does
        QCOMPARE(bytes, expected);

        // Without the section all three start at their default, and closing
        // writes them all.
        writeSettings("[Other]\r\nEditorPath=/e\r\n");
        QDir::setCurrent(base);
        TFormCM* fresh = newWindow();
        QCOMPARE(conman::SUEPath, std::string(conman::kDefaultPath));
        QCOMPARE(conman::UNSUEPath, std::string(conman::kDefaultPath));
        QCOMPARE(conman::PackPath, std::string(conman::kDefaultPath));
        QCOMPARE(fresh->DirectoryListBox1->directory(), QDir::fromNativeSeparators(conman::kDefaultPath));
        QVERIFY(fresh->close());
        const dravik::SettingsFile again(Bytes(settingsPath()));
        QCOMPARE(again.readString("Other", "EditorPath", ""), std::string("/e"));
        QCOMPARE(again.readString("Path", "SUEPath", ""), std::string(conman::kDefaultPath));
        QCOMPARE(again.readString("Path", "UNSUEPath", ""), std::string(conman::kDefaultPath));
        QCOMPARE(again.readString("Path", "PackPath", ""), std::string(conman::kDefaultPath));
        QVERIFY(dialogs->errors.isEmpty());
    }

    void aPackFolderThatHasGoneIsReportedAndTheListOpensHere()
    {
        const QString gone = QDir::toNativeSeparators(at(QStringLiteral("gone/__x.sue")));
        writeSettings("[Path]\r\nPackPath=" + QFile::encodeName(gone) + "\r\n");
        TFormCM* window = newWindow();
        QCOMPARE(dialogs->errors.size(), 1);
        QCOMPARE(dialogs->errors[0].caption, dravik::ui::ApplicationTitle());
        QCOMPARE(dialogs->errors[0].text,
                 ErrorText("Cannot open folder \"" + Bytes(gone) + "\". " +
                           dravik::SystemErrorText(dravik::test::kFolderNotFound)));
        QVERIFY(window->isVisible());
        QCOMPARE(window->DirectoryListBox1->directory(), QDir::fromNativeSeparators(base));
        QCOMPARE(QDir::currentPath(), QDir::fromNativeSeparators(base));
        // The stored value stays until a Pack replaces it.
        QCOMPARE(conman::PackPath, Bytes(gone));
    }

    void unwritableSettingsAreReportedAndTheWindowStillCloses()
    {
        const std::string missing = Bytes(at(QStringLiteral("no-such-folder/dravik2.INI")));
        auto* window = new TFormCM(missing, *dialogs, quickPack.get(), mainStandIn.get());
        window->show();
        mainStandIn->hide();
        QVERIFY(window->close());
        QVERIFY(window->isHidden());
        QVERIFY(mainStandIn->isVisible());
        QCOMPARE(dialogs->errors.size(), 1);
        QCOMPARE(dialogs->errors[0].text, ErrorText(dravik::UnableToWriteMessage(missing)));
    }

    void conManFromTheMainWindow()
    {
        const QString pack = makeFolder(QStringLiteral("packed"));
        writeSettings("[Path]\r\nPackPath=" + QFile::encodeName(pack) + "\r\n");
        TMainForm main(settingsPath(), *dialogs);
        main.show();
        QVERIFY(!main.consoleManager());

        Action(main, "ConMAN2")->trigger();
        QPointer<TFormCM> first = main.consoleManager();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QVERIFY(first->isWindow());
        QVERIFY(!main.isVisible());
        QCOMPARE(first->DirectoryListBox1->directory(), pack);
        QVERIFY(first->close());
        QVERIFY(main.isVisible());
        QVERIFY(first);
        QVERIFY(first->isHidden());

        // Each command makes a new window; the one before it goes.
        Action(main, "ConMAN2")->trigger();
        QVERIFY(main.consoleManager());
        QVERIFY(main.consoleManager() != first);
        QVERIFY(!first);
        QVERIFY(main.consoleManager()->close());
        QVERIFY(main.isVisible());
        QVERIFY(dialogs->errors.isEmpty());
    }
};

QTEST_MAIN(ConmanTest)
#include "conman_test.moc"
