// Two Dravik 2 processes saving the same file: the save_racer helper, which
// stops where the test tells it, and dravik2-batch. The lock and the test's
// own lines sequence them; nothing waits for time to pass.
#include "tests/tools/dos_path.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Long enough for any machine; only a broken run waits it out.
constexpr int kDeadlineMs = 60000;

}  // namespace

class ConcurrentSavesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString vars;
    QString desc;

    QString write(const QString& name, const QByteArray& bytes) const
    {
        const QString path = QDir::toNativeSeparators(dir.filePath(name));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    QByteArray read(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }
    // The next line the process says, without its line break.
    static QByteArray nextLine(QProcess& process)
    {
        while (!process.canReadLine())
            if (!process.waitForReadyRead(kDeadlineMs))
                return "(said nothing: " + process.readAllStandardError() + ")";
        return process.readLine().trimmed();
    }
    void startRacer(QProcess& racer, const QString& value)
    {
        racer.start(stand_in::DosPath(QStringLiteral(SAVE_RACER_EXE)), {vars, value, desc});
        QCOMPARE(nextLine(racer), QByteArray("planned"));
    }
    // dravik2-batch set on the file, to its end: its exit code.
    int runBatch(const QString& value, QByteArray& err)
    {
        QProcess batch;
        batch.start(stand_in::DosPath(QStringLiteral(DRAVIK_BATCH_EXE)),
                    {"set", "--vars", vars, "--key", "hp", "--expr", "=" + value, desc});
        if (!batch.waitForFinished(kDeadlineMs))
            return -1;
        err = batch.readAllStandardError().replace("\r\n", "\n");  // Windows ends lines with CR LF
        return batch.exitCode();
    }
    static int finish(QProcess& process)
    {
        process.closeWriteChannel();
        return process.waitForFinished(kDeadlineMs) ? process.exitCode() : -1;
    }

private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        vars = write("v.var", "[section1]\r\nhp=1\r\n");
        desc = write("a.desc", "hp 1\r\n");
    }

    void aSaveOfAFileAnotherIsSavingWaitsThenRefuses()
    {
        QProcess first;
        startRacer(first, "10");
        first.write("go\n");
        QCOMPARE(nextLine(first), QByteArray("locked"));

        QByteArray err;
        QCOMPARE(runBatch("20", err), 1);
        QCOMPARE(err, "Cannot create file \"" + desc.toLocal8Bit() +
                          "\". Another Dravik 2 is saving this file; try again when it has finished.\n");
        QCOMPARE(read(desc), QByteArray("hp 1\r\n"));

        first.write("go\n");
        QCOMPARE(nextLine(first), QByteArray("saved"));
        QCOMPARE(finish(first), 0);
        QCOMPARE(read(desc), QByteArray("hp 10 \r\n"));
    }

    void aFileSavedAfterThePlanIsNotOverwritten()
    {
        QProcess late;
        startRacer(late, "10");
        QByteArray err;
        QCOMPARE(runBatch("20", err), 0);
        QCOMPARE(read(desc), QByteArray("hp 20 \r\n"));

        late.write("go\n");
        QCOMPARE(nextLine(late), "The desc file \"" + desc.toLocal8Bit() +
                                     "\" changed on disk since it was read; nothing was written.");
        QCOMPARE(finish(late), 1);
        QCOMPARE(read(desc), QByteArray("hp 20 \r\n"));
    }
};

QTEST_GUILESS_MAIN(ConcurrentSavesTest)
#include "concurrent_saves_test.moc"
