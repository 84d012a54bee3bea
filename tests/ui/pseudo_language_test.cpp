// Every text the program writes goes through the catalogue: the window is
// shown in a pseudo-language whose every text reads its English in accented
// letters, "⟦Ƒíĺé⟧" (made at build time from the catalogue), and a word the
// user could read in plain letters is one a translator never sees. What may stand unmarked is
// data from the files (keys, values, paths), numbers and punctuation, and
// Qt's own words (its catalogue is Qt's; language_test checks them).
//
// Shown with files open, a base game compared, a patch exported and applied
// over a conflict, Save all reviewed, the find, replace and filter bars, the
// column summary and the review page open, and Set selection, Open folder,
// Import and Export table, Save variables and the paths to the editor and the
// game each asked and cancelled, and Save all refused over a NUL:
//   the main window: its menus (every item, its tool tip and status tip),
//     tabs, column headers and cells' tool tips, labels, buttons, bars,
//     status panels and docks;
//   the windows it opens: the About box, the desc analyzer (with the keys of
//     files it opened), the console manager;
//   the dialogs, as their requests reach the scripted dialogs: file dialogs'
//     titles and filters, the base folder's title, questions with their
//     buttons, messages, errors, confirmations, the review pages, the
//     conflict dialog's request, the expression help and the folder dialog's
//     request; and the conflict dialog and the folder dialog themselves,
//     shown as widgets.
#include "tests/core/mod/merge_scenario.h"
#include "ui/about_unit.h"
#include "ui/common/folder_dialog.h"
#include "ui/modset/mod_set_dialog.h"
#include "ui/conman.h"
#include "ui/dan.h"
#include "ui/mod/conflict_dialog.h"
#include "ui/mod/mod_actions.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTranslator>
#include <QtTest>

namespace {

QByteArray Bytes(std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

// The pseudo-language's letters: a word spelt with one went through the
// catalogue.
const QString kPseudoLetters = QStringLiteral("áƀçđéƒĝĥíĵķĺɱñóþʠŕšţúṽŵẋýžÁƁÇĐÉƑĜĤÍĴĶĹṀÑÓÞɊŔŠŢÚṼŴẊÝŽ");

bool Pseudo(const QString& word)
{
    return std::any_of(word.begin(), word.end(), [](QChar c) { return kPseudoLetters.contains(c); });
}

QStringList Words(const QString& text)
{
    static const QRegularExpression word(QStringLiteral("\\p{L}{2,}"));
    QStringList words;
    for (auto it = word.globalMatch(text); it.hasNext();)
        words << it.next().captured();
    return words;
}

}  // namespace

class PseudoLanguageTest : public WindowFixture {
    Q_OBJECT

    QTranslator pseudo_;
    QSet<QString> dataWords_;
    QStringList leaks_;

    void addData(const QString& text)
    {
        for (const QString& word : Words(text))
            dataWords_.insert(word);
    }
    // Each word must be the pseudo-language's or the files': a plain word
    // escaped the catalogue, as a text of its own or filling a place of one.
    void check(const QString& where, const QString& text)
    {
        // The table text file's own labels of its blocks, which Import table
        // reads back, stay as the file has them.
        static const QRegularExpression labels(QStringLiteral("Section (\\d+|text)|File list"));
        for (const QString& word : Words(QString(text).remove(labels)))
            if (!Pseudo(word) && !dataWords_.contains(word)) {
                leaks_ << where + QStringLiteral(": ") + text;
                return;
            }
    }
    void checkAction(const QString& where, QAction* action)
    {
        // Each language is named in itself, and the note under them is in both.
        if (action->isSeparator() || action->objectName().startsWith(QLatin1String("Language")))
            return;
        const QString name = where + QLatin1Char('/') + action->objectName();
        check(name, action->text());
        check(name + QStringLiteral(" tip"), action->toolTip());
        check(name + QStringLiteral(" status tip"), action->statusTip());
        if (QMenu* menu = action->menu())
            for (QAction* item : menu->actions())
                checkAction(name, item);
    }
    void checkModel(const QString& where, QAbstractItemModel* model)
    {
        if (!model)
            return;
        for (int c = 0; c < model->columnCount(); ++c)
            check(where + QStringLiteral(" header"), model->headerData(c, Qt::Horizontal).toString());
        for (int r = 0; r < std::min(model->rowCount(), 20); ++r)
            for (int c = 0; c < std::min(model->columnCount(), 40); ++c) {
                const QModelIndex index = model->index(r, c);
                check(where + QStringLiteral(" cell"), model->data(index).toString());
                check(where + QStringLiteral(" cell tip"), model->data(index, Qt::ToolTipRole).toString());
            }
    }
    // The widget and everything in it, shown or not: a hidden text shows
    // once its widget does.
    void walk(QWidget* top)
    {
        const QString window = top->objectName().isEmpty() ? QString::fromLatin1(top->metaObject()->className())
                                                           : top->objectName();
        check(window + QStringLiteral(" title"), top->windowTitle());
        QList<QWidget*> widgets = top->findChildren<QWidget*>();
        widgets.prepend(top);
        for (QWidget* widget : widgets) {
            // Qt's own buttons speak Qt's catalogue; the console manager's
            // folder list and drives are the file system's names.
            if (auto* box = qobject_cast<QDialogButtonBox*>(widget->parentWidget()))
                if (auto* button = qobject_cast<QAbstractButton*>(widget); button && box->standardButton(button))
                    continue;
            if (widget->objectName() == QLatin1String("DirectoryListBox1") ||
                widget->objectName() == QLatin1String("DriveComboBox1") ||
                qobject_cast<QAbstractItemView*>(widget->parentWidget()) ||
                (widget->parentWidget() && widget->parentWidget()->objectName() == QLatin1String("DriveComboBox1")))
                continue;
            const QString where = window + QLatin1Char('/') + widget->objectName() + QLatin1Char('(') +
                                  QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(')');
            // The summary table is the table text file as Export table
            // writes it, its headers in English for Import table to read.
            if (widget->objectName() == QLatin1String("StringGrid12"))
                continue;
            check(where + QStringLiteral(" tip"), widget->toolTip());
            check(where + QStringLiteral(" status tip"), widget->statusTip());
            for (QAction* action : widget->actions())
                checkAction(where, action);
            if (auto* label = qobject_cast<QLabel*>(widget))
                check(where, label->text());
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                check(where, button->text());
            else if (auto* group = qobject_cast<QGroupBox*>(widget))
                check(where, group->title());
            else if (auto* edit = qobject_cast<QLineEdit*>(widget))
                check(where, edit->placeholderText());
            else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                for (int i = 0; i < combo->count(); ++i)
                    check(where, combo->itemText(i));
            } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
                for (int i = 0; i < tabs->count(); ++i) {
                    check(where, tabs->tabText(i));
                    check(where + QStringLiteral(" tip"), tabs->tabToolTip(i));
                }
            } else if (auto* view = qobject_cast<QAbstractItemView*>(widget))
                checkModel(where, view->model());
        }
    }
    // What the scripted dialogs were asked to show.
    void checkDialogs()
    {
        for (const AskedFile& file : dialogs->askedFiles) {
            check(QStringLiteral("file dialog title"), file.request.title);
            check(QStringLiteral("file dialog filter"), file.request.filter);
        }
        for (const QString& title : dialogs->baseFolderTitles)
            check(QStringLiteral("base folder dialog"), title);
        for (const Question& question : dialogs->questions) {
            check(QStringLiteral("question title"), question.title);
            check(QStringLiteral("question"), question.text);
            check(QStringLiteral("question check box"), question.checkBox);
            for (const QString& button : question.buttons)
                check(QStringLiteral("question button"), button);
        }
        for (const QList<ShownError>* boxes : {&dialogs->messages, &dialogs->errors})
            for (const ShownError& box : *boxes) {
                check(QStringLiteral("message title"), box.caption);
                check(QStringLiteral("message"), box.text);
            }
        for (const QString& text : dialogs->confirmations)
            check(QStringLiteral("confirmation"), text);
        for (const Review& review : dialogs->reviews)
            for (const dravik::ui::ReviewPage& page : review.pages) {
                check(QStringLiteral("review caption"), page.caption);
                check(QStringLiteral("review summary"), page.summary);
                check(QStringLiteral("review details"), page.details);
            }
        for (const dravik::ui::ConflictRequest& request : dialogs->conflictRequests) {
            check(QStringLiteral("conflict title"), request.title);
            check(QStringLiteral("conflict summary"), request.summary);
        }
        for (const QString& help : dialogs->expressionHelps)
            check(QStringLiteral("expression help"), help);
        for (const dravik::ui::FolderRequest& request : dialogs->folderRequests)
            check(QStringLiteral("folder dialog title"), request.title);
    }

    dravik::ui::ModActions* mods() const { return window->modActions(); }
    QStringList modFiles(const QString& mod) const
    {
        return {folder->path(mod + "/guns/gun.desc"), folder->path(mod + "/units/tank.desc")};
    }
    // The base game B and the mods X and Y, each a gun in "guns" and a tank in "units".
    void writeFolders()
    {
        const std::pair<const char*, std::string_view> files[] = {
            {"v.var", dravik::merge::kVariables},
            {"B/units/tank.desc", dravik::merge::kBaseTank},
            {"B/guns/gun.desc", dravik::merge::kBaseGun},
            {"X/units/tank.desc", dravik::merge::kXTank},
            {"X/guns/gun.desc", dravik::merge::kXGun},
            {"Y/units/tank.desc", dravik::merge::kYTank},
            {"Y/guns/gun.desc", dravik::merge::kYGun},
        };
        for (const auto& [name, bytes] : files) {
            QDir().mkpath(QFileInfo(folder->path(QLatin1String(name))).absolutePath());
            folder->write(QLatin1String(name), Bytes(bytes));
            addData(QString::fromLatin1(Bytes(bytes)));
            addData(QLatin1String(name));
        }
        addData(folder->path(QString()));
        addData(QStringLiteral("y.txt"));  // the patch the test exports
        // The program's and its tools' names, and the About box's three
        // Russian words, which every language keeps.
        for (const char* name : {"Dravik", "Dravik2", "DescANlyzer", "CONMANager", "beta", "SUE", "UNSUE"})
            addData(QLatin1String(name));
        addData(QStringLiteral("Название Версия Комментарий"));
    }
    void openMod(const QString& mod)
    {
        dialogs->openAnswers.enqueue(modFiles(mod));
        clickMenuItem(Action(*window, "N2"));
    }

private slots:
    void everyTextGoesThroughTheCatalogue()
    {
        QVERIFY(pseudo_.load(QStringLiteral(":/pseudo/dravik2_pseudo.qm")));
        QCoreApplication::installTranslator(&pseudo_);
        // A language takes effect at the next start: the window is made anew.
        window = std::make_unique<TMainForm>(folder->path("dravik2.INI"), *dialogs);
        window->show();
        writeFolders();

        // Y's patch against B, applied to X over a conflict, and Save all
        // reviewed.
        dialogs->openAnswers.enqueue({folder->path("v.var")});
        clickMenuItem(Action(*window, "N6"));
        openMod(QStringLiteral("Y"));
        dialogs->baseFolderAnswers.enqueue(folder->path("B"));
        clickMenuItem(mods()->compareWithBase);
        dialogs->saveAnswers.enqueue(folder->path("y.txt"));
        clickMenuItem(mods()->exportPatch);
        dialogs->askAnswers.enqueue(0);
        openMod(QStringLiteral("X"));
        dialogs->openAnswers.enqueue({folder->path("y.txt")});
        dialogs->conflictAnswers.enqueue(QList<bool>{false});
        clickMenuItem(mods()->applyPatch);
        QCOMPARE(dialogs->conflictRequests.size(), 1);
        dialogs->reviewAnswers.enqueue(false);
        clickMenuItem(Action(*window, "ReviewChanges"));
        QCOMPARE(dialogs->reviews.size(), 1);
        clickMenuItem(Action(*window, "FilterRows"));
        clickMenuItem(Action(*window, "ColumnSummary"));
        // The other commands' dialogs, each cancelled.
        const auto command = [this](const char* name) {
            auto* action = window->findChild<QAction*>(QLatin1String(name));
            QVERIFY2(action, name);
            clickMenuItem(action);
        };
        command("Find");
        command("Replace");
        clickCell(grid(1), 2, 1);
        dialogs->expressionAnswers.enqueue(std::nullopt);
        command("SetSelection");
        dialogs->folderAnswers.enqueue(std::nullopt);
        command("OpenFolder");
        // Import table asks first about the unsaved changes.
        dialogs->confirmAnswers.enqueue(true);
        dialogs->openAnswers.enqueue({});
        clickMenuItem(Action(*window, "Importtable1"));
        dialogs->saveAnswers.enqueue(std::nullopt);
        clickMenuItem(Action(*window, "Exporttable1"));
        dialogs->saveAnswers.enqueue(std::nullopt);
        clickMenuItem(Action(*window, "N7"));
        dialogs->openAnswers.enqueue({});
        clickMenuItem(Action(*window, "Pathtoeditor1"));
        dialogs->openAnswers.enqueue({});
        clickMenuItem(Action(*window, "Pathtogame1"));
        // Save all refuses a value holding a NUL, naming it.
        QVERIFY(SetCell(grid(1), 3, 2, QString(QChar(0))));
        const qsizetype shown = dialogs->messages.size();
        clickMenuItem(Action(*window, "N10"));
        QCOMPARE(dialogs->messages.size(), shown + 1);

        walk(window.get());
        checkDialogs();

        dravik::ui::ConflictDialog conflicts(dialogs->conflictRequests.first(), window.get());
        walk(&conflicts);
        dravik::ui::FolderRequest request;
        request.title = QStringLiteral("⟦Óþéñ ƒóĺđéŕ⟧");
        request.folder = folder->path(QString());
        request.pattern = QStringLiteral("*.desc");
        request.count = [](const QString&, const QString&) {
            return dravik::ui::FolderRequest::Count{QString(), true};
        };
        dravik::ui::FolderDialog folders(window.get(), request);
        walk(&folders);
        dravik::ui::ModSetDialog modSet(window.get(), {folder->path("B"), {{false, folder->path("X")}, {true, folder->path("Y.txt")}}},
                                        *dialogs);
        walk(&modSet);

        Action(*window, "N12")->trigger();
        for (TAboutBox* box : window->findChildren<TAboutBox*>())
            walk(box);
        // The analyzer with the mod's keys listed, and the console manager.
        Action(*window, "DAN2")->trigger();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* analyzer = qobject_cast<TdanForm*>(top); analyzer && analyzer->isVisible()) {
                dialogs->openAnswers.enqueue(modFiles(QStringLiteral("X")));
                analyzer->Button1->click();
                walk(analyzer);
            }
        QVERIFY(dialogs->openAnswers.isEmpty());
        Action(*window, "ConMAN2")->trigger();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (qobject_cast<TFormCM*>(top))
                walk(top);
        QVERIFY(window->consoleManager());
        window->consoleManager()->close();

        leaks_.removeDuplicates();
        if (!leaks_.isEmpty())
            QFAIL(qPrintable(QStringLiteral("Texts outside the catalogue:\n") + leaks_.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(PseudoLanguageTest)
#include "pseudo_language_test.moc"
