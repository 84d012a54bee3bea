// The file dialogs: what their titles say, and where they start.
#include "window_fixture.h"
#include "ui/qt_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// Answers the next file dialog once it is shown: notes the folder it shows,
// then chooses `file`, or cancels when `file` is empty.
void AnswerNextDialog(QString& startedIn, const QString& file)
{
    QTimer::singleShot(0, [&startedIn, file] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            AnswerNextDialog(startedIn, file);
            return;
        }
        startedIn = dialog->directory().absolutePath();
        if (file.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(file);
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own checks, then done
        }
    });
}

dravik::ui::FileDialogRequest Titled(const QString& title)
{
    dravik::ui::FileDialogRequest request;
    request.title = title;
    return request;
}

}  // namespace

class FileDialogsTest : public WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void saveDialogsSayWhatIsSaved()
    {
        openSample();
        dialogs->saveAnswers.enqueue(std::nullopt);
        window->Exporttable1->trigger();
        QCOMPARE(dialogs->askedFiles.last().kind, QStringLiteral("save"));
        QCOMPARE(dialogs->askedFiles.last().request.title, QStringLiteral("Export table"));
        dialogs->saveAnswers.enqueue(std::nullopt);
        window->N7->trigger();
        QCOMPARE(dialogs->askedFiles.last().request.title, QStringLiteral("Save variables"));
        QCOMPARE(dialogs->askedFiles.last().request.filter, QString());
    }

    void dialogsStartInTheLastFolder()
    {
        QTemporaryDir base;
        const QString first = QDir(base.path()).absoluteFilePath(QStringLiteral("first"));
        const QString second = QDir(base.path()).absoluteFilePath(QStringLiteral("second"));
        QVERIFY(QDir().mkpath(first) && QDir().mkpath(second));
        const QString desc = folder->write(QStringLiteral("tank.txt"), sample::TankDesc());
        QVERIFY(QFile::copy(desc, second + QStringLiteral("/tank.txt")));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(first));

        dravik::ui::QtDialogs real;
        QString startedIn;
        AnswerNextDialog(startedIn, second + QStringLiteral("/tank.txt"));
        QCOMPARE(real.openFiles(window.get(), Titled(QStringLiteral("Select the desc files"))),
                 QStringList({second + QStringLiteral("/tank.txt")}));
        QCOMPARE(startedIn, first);
        QCOMPARE(QDir::currentPath(), second);

        AnswerNextDialog(startedIn, first + QStringLiteral("/table.txt"));
        QCOMPARE(real.saveFile(window.get(), Titled(QStringLiteral("Export table"))),
                 std::optional<QString>(first + QStringLiteral("/table.txt")));
        QCOMPARE(startedIn, second);
        QCOMPARE(QDir::currentPath(), first);

        // Cancelled: the folder stays.
        AnswerNextDialog(startedIn, QString());
        QVERIFY(real.openFiles(window.get(), Titled(QString())).isEmpty());
        QCOMPARE(startedIn, first);
        QCOMPARE(QDir::currentPath(), first);

        // The console manager's folder list moves the current directory too.
        QVERIFY(QDir::setCurrent(second));
        AnswerNextDialog(startedIn, QString());
        real.saveFile(window.get(), Titled(QString()));
        QCOMPARE(startedIn, second);
        QDir::setCurrent(before);
    }
};

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
