// Two Dravik 2 processes saving the same file: the save_racer helper, which
// stops where the test tells it, and dravik2-batch; and a program that takes
// no lock (the test itself, as an editor saving on its own) changing a file
// while a batch run writes. The lock and the test's own lines sequence them;
// nothing waits for time to pass.
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
    // dravik2-batch set, run in the racer: "+1000" to every file's hp.
    void startBatchRacer(QProcess& racer, const QStringList& descs)
    {
        racer.start(stand_in::DosPath(QStringLiteral(SAVE_RACER_EXE)),
                    QStringList{"batch", "set", "--vars", vars, "--key", "hp", "--expr", "+1000"} + descs);
    }
    // What an editor's own save does: the file's new bytes, no lock asked.
    void append(const QString& path, const QByteArray& bytes) const
    {
        QFile file(path);
        if (!file.open(QIODevice::Append) || file.write(bytes) != bytes.size())
            qFatal("cannot append to %s", qPrintable(path));
    }
    QStringList threeFiles() const
    {
        return {write("a.desc", "hp 1\r\n"), write("b.desc", "hp 2\r\n"), write("c.desc", "hp 3\r\n")};
    }
    // Everything in the folder but the desc files and the variables file.
    QStringList strays() const
    {
        QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        names.removeIf([](const QString& name) { return name.endsWith(".desc") || name == "v.var"; });
        return names;
    }
    static QByteArray errorsOf(QProcess& process)
    {
        return process.readAllStandardError().replace("\r\n", "\n");  // Windows ends lines with CR LF
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
        QCOMPARE(nextLine(late), QByteArray("locked"));
        late.write("go\n");
        QCOMPARE(nextLine(late), "The desc file \"" + desc.toLocal8Bit() +
                                     "\" changed on disk since it was read; nothing was written.");
        QCOMPARE(finish(late), 1);
        QCOMPARE(read(desc), QByteArray("hp 20 \r\n"));
    }

    // The seconds a run spends writing its files beside their targets: an
    // edit saved then is kept, and the run writes nothing, so that running
    // it again adds 1000 to every file once.
    void aFileChangedWhileTheRunWritesStopsTheWholeRun()
    {
        const QStringList descs = threeFiles();
        QProcess racer;
        startBatchRacer(racer, descs);
        QCOMPARE(nextLine(racer), QByteArray("written"));
        append(descs[1], "; saved by an editor\r\n");
        racer.write("go\n");
        QCOMPARE(nextLine(racer), QByteArray("exit 1"));
        QCOMPARE(finish(racer), 0);
        QCOMPARE(errorsOf(racer), "The desc file \"" + descs[1].toLocal8Bit() +
                                      "\" changed on disk since it was read; nothing was written.\n");
        QCOMPARE(read(descs[0]), QByteArray("hp 1\r\n"));
        QCOMPARE(read(descs[1]), QByteArray("hp 2\r\n; saved by an editor\r\n"));
        QCOMPARE(read(descs[2]), QByteArray("hp 3\r\n"));
        QCOMPARE(strays(), QStringList());

        QProcess again;
        startBatchRacer(again, descs);
        for (const char* expected : {"written", "replacing", "replacing", "replacing"}) {
            QVERIFY(nextLine(again).startsWith(expected));
            again.write("go\n");
        }
        QCOMPARE(nextLine(again), QByteArray("exit 0"));
        QCOMPARE(finish(again), 0);
        QCOMPARE(read(descs[0]), QByteArray("hp 1001 \r\n"));
        QCOMPARE(read(descs[1]), QByteArray("hp 1002 \r\n; saved by an editor\r\n"));
        QCOMPARE(read(descs[2]), QByteArray("hp 1003 \r\n"));
    }

    // Between the last look at all files and a file's own rename: that file
    // is left as the editor saved it, the others are written, and the run
    // names it and fails.
    void aFileChangedRightBeforeItsRenameIsLeftAsItIs()
    {
        const QStringList descs = threeFiles();
        QProcess racer;
        startBatchRacer(racer, descs);
        QCOMPARE(nextLine(racer), QByteArray("written"));
        racer.write("go\n");
        for (const QString& path : descs) {
            QCOMPARE(nextLine(racer), "replacing " + path.toLocal8Bit());
            if (path == descs[1])
                append(path, "; saved by an editor\r\n");
            racer.write("go\n");
        }
        QCOMPARE(nextLine(racer), QByteArray("exit 1"));
        QCOMPARE(finish(racer), 0);
        QCOMPARE(errorsOf(racer), "The desc file \"" + descs[1].toLocal8Bit() +
                                      "\" changed on disk while it was being saved and was left as it is; "
                                      "2 of 3 files were written.\n");
        QCOMPARE(read(descs[0]), QByteArray("hp 1001 \r\n"));
        QCOMPARE(read(descs[1]), QByteArray("hp 2\r\n; saved by an editor\r\n"));
        QCOMPARE(read(descs[2]), QByteArray("hp 1003 \r\n"));
        QCOMPARE(strays(), QStringList());
    }
};

QTEST_GUILESS_MAIN(ConcurrentSavesTest)
#include "concurrent_saves_test.moc"
