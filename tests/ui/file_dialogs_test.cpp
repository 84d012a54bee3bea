// The file dialogs: what their titles say, and where they start.
#include "dialog_answer.h"
#include "window_fixture.h"
#include "ui/qt_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Answers the next file dialog once it is shown: notes the folder it shows,
// then chooses `file`, or cancels when `file` is empty.
void AnswerNextDialog(DialogAnswer& answers, QString& startedIn, const QString& file)
{
    answers.next<QFileDialog>([&startedIn, file](QFileDialog* dialog) {
        startedIn = dialog->directory().absolutePath();
        if (file.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(file);
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own checks, then done
        }
    });
}

}  // namespace

class FileDialogsTest : public WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void filtersReadAsTheProgramWritesThem()
    {
        const std::pair<const char*, const char*> filters[] = {
            {"all files (*.*)|*.*", "all files (*.*)"},
            {"tabulated text files|*.txt", "tabulated text files (*.txt)"},
        };
        for (const auto& [filter, shown] : filters) {
            QFileDialog dialog;
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dravik::ui::SetNameFilters(dialog, QLatin1String(filter));
            auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(types);
            QCOMPARE(types->currentText(), QLatin1String(shown));
        }
    }

    void saveDialogsSayWhatIsSaved()
    {
        dialogs->saveAnswers.enqueue(std::nullopt);
        Action(*window, "Exporttable1")->trigger();
        QCOMPARE(dialogs->askedFiles.last().request.title, QStringLiteral("Export table"));
        dialogs->saveAnswers.enqueue(std::nullopt);
        Action(*window, "N7")->trigger();
        QCOMPARE(dialogs->askedFiles.last().request.title, QStringLiteral("Save variables"));
    }

    void dialogsStartInTheLastFolder()
    {
        const QString tank = folder->write(QStringLiteral("tank.txt"), sample::TankDesc());
        const QString here = QFileInfo(tank).absolutePath();
        const QTemporaryDir otherDir;
        const QString other = otherDir.path();
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(other));

        dravik::ui::QtDialogs real;
        const dravik::ui::FileDialogRequest request;
        QString startedIn;
        DialogAnswer answers;
        AnswerNextDialog(answers, startedIn, tank);
        QCOMPARE(real.openFiles(window.get(), request), QStringList({tank}));
        QCOMPARE(startedIn, other);
        QCOMPARE(QDir::currentPath(), here);

        const QString table = other + QStringLiteral("/table.txt");
        AnswerNextDialog(answers, startedIn, table);
        QCOMPARE(real.saveFile(window.get(), request), std::optional<QString>(QDir::toNativeSeparators(table)));
        QCOMPARE(startedIn, here);
        QCOMPARE(QDir::currentPath(), other);

        // Cancelled, the folder stays; the console manager's folder list moves it too.
        AnswerNextDialog(answers, startedIn, QString());
        QVERIFY(real.openFiles(window.get(), request).isEmpty());
        QCOMPARE(QDir::currentPath(), other);
        QVERIFY(QDir::setCurrent(here));
        AnswerNextDialog(answers, startedIn, QString());
        real.saveFile(window.get(), request);
        QCOMPARE(startedIn, here);
        QCOMPARE(answers.failures(), QStringList());
        QDir::setCurrent(before);
    }
};

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
