// The bundled example through the window, as a new user first meets it:
// the variables file and the five desc files opened from the menus, shown,
// and written back with Save all. The files are compiled in, so the test
// runs the same wherever it is started (under Wine too).
//
// DRAVIK_EXAMPLE_SAVE_DIR, when set, names an empty folder to work in and
// leave the saved files in: scripts/test-windows compares what the native
// and the Windows window programs write there.
#include "scripted_dialogs.h"
#include "ui/common/display_text.h"
#include "ui/tables/grid_view.h"
#include "ui/main_unit.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class ExampleTest : public QObject {
    Q_OBJECT

private slots:
    void theExampleOpensAndSavesAsTheBatchCommandWould()
    {
        QTemporaryDir temp;
        QDir folder(qEnvironmentVariable("DRAVIK_EXAMPLE_SAVE_DIR", temp.path()));
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        const QStringList names = QDir(QStringLiteral(":/examples/desc")).entryList(QDir::Files, QDir::Name);
        QCOMPARE(names.size(), 5);
        QStringList descs;
        for (const QString& name : names) {
            const QString path = QDir::toNativeSeparators(folder.filePath(name));
            QFile::remove(path);
            QVERIFY(QFile::copy(QStringLiteral(":/examples/desc/") + name, path));
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
            descs << path;
        }
        const QString variables = QDir::toNativeSeparators(folder.filePath(QStringLiteral("variables.var")));
        QFile::remove(variables);
        QVERIFY(QFile::copy(QStringLiteral(":/examples/variables.var"), variables));

        const QString settings = QDir::toNativeSeparators(folder.filePath(QStringLiteral("dravik2.INI")));
        QFile::remove(settings);
        ScriptedDialogs dialogs;
        TMainForm window(settings, dialogs);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Dravik 2 v1.3 beta"));
        dialogs.openAnswers.enqueue({variables});
        window.N6->trigger();
        dialogs.openAnswers.enqueue(descs);
        window.N2->trigger();
        dravik::ui::GridView* section1 = window.StringGrid(dravik::GridNumber(1));
        // Row 1 is the first file; "armor" has three values from column 3 on.
        QCOMPARE(section1->model()->data(section1->model()->index(0, 0)).toString(), descs[0]);
        QCOMPARE(section1->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("armor "));

        // The example's files are not spelled as Save all spells key lines:
        // it asks first, and is told to respell them.
        dialogs.askAnswers.enqueue(0);
        window.N10->trigger();
        QVERIFY(dialogs.errors.isEmpty());
        QCOMPARE(dialogs.unexpected, 0);
        QCOMPARE(dialogs.questions.size(), 1);
        QCOMPARE(dialogs.questions[0].buttons,
                 QStringList({"&Respell them too", "&Write only what changed", "Cancel"}));
        // Each key line is rebuilt as the entry's name ("armor ", its blank
        // included), a blank and each value followed by a blank, between CR LF
        // line ends; the other lines stay as they were.
        QFile t34(folder.filePath(QStringLiteral("t34.txt")));
        QVERIFY(t34.open(QIODevice::ReadOnly));
        const QByteArray saved = t34.readAll();
        QVERIFY2(saved.contains("\r\narmor  45 45 40 \r\n"), saved.constData());
        QVERIFY2(saved.contains("\r\nsprite units\\t34\r\n"), saved.constData());
    }
};

QTEST_MAIN(ExampleTest)
#include "example_test.moc"
