// The program's table of open files: numbering, modes, reading buffers, atomic replacement of written files,
// appending, links and deletion.
#include "support/test_files.h"
#include "support/failure_of.h"
#include "platform/disk_calls.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using platform::FileError;
using platform::files;
using platform::OpenMode;

Q_DECLARE_METATYPE(platform::OpenMode)
Q_DECLARE_METATYPE(platform::Durability)

using platform::Durability;

namespace {

using testsupport::failureOf;

// Test inputs are written and checked with Qt alone.
const auto put = testsupport::writeTestFile;
const auto contents = testsupport::fileContents;

// Every byte of an input file, taken through buffered()/consume() as the record reader does.
QByteArray drain(int number)
{
    QByteArray all;
    for (QByteArrayView view = files().buffered(number); !view.isEmpty(); view = files().buffered(number)) {
        all.append(view.data(), view.size());
        files().consume(number, view.size());
    }
    return all;
}

}  // namespace

class TestFileTable : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString at(const QString& name) const { return dir_.filePath(name); }
    QStringList entries() const { return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot); }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void cleanup()
    {
        testsupport::resetFileTable();
        platform::setDriveCRoot(QString());
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
    }

    void numbersStartAtOneAndAreReused()
    {
        put(at("a"), "a");
        const int first = files().open(at("a"), OpenMode::Input);
        const int second = files().open(at("a"), OpenMode::Input);
        const int third = files().open(at("b"), OpenMode::Output);
        QCOMPARE(first, 1);
        QCOMPARE(second, 2);
        QCOMPARE(third, 3);

        files().close(second);
        QVERIFY(!files().isOpen(second));
        QCOMPARE(files().open(at("a"), OpenMode::Append), 2);
        QCOMPARE(files().mode(2), OpenMode::Append);
        QCOMPARE(files().openCount(), 3);

        files().closeAll();
        QCOMPARE(files().openCount(), 0);
        QCOMPARE(files().open(at("a"), OpenMode::Input), 1);
    }

    void closeAllClosesReadersToo()
    {
        put(at("set.kwz"), "\"Kwiz v 1.0\"\r\n");
        const int reader = files().open(at("set.kwz"), OpenMode::Input);
        const int writer = files().open(at("out.txt"), OpenMode::Output);
        const int log = files().open(at("log.txt"), OpenMode::Append);
        QCOMPARE(files().readByte(reader), int('"'));
        files().write(writer, "x");

        files().closeAll();
        QCOMPARE(files().openCount(), 0);
        QCOMPARE(failureOf([&] { files().readByte(reader); }), QStringLiteral("BadHandle"));
        QCOMPARE(failureOf([&] { files().atEnd(reader); }), QStringLiteral("BadHandle"));
        QCOMPARE(failureOf([&] { files().write(writer, "y"); }), QStringLiteral("BadHandle"));
        QCOMPARE(failureOf([&] { files().write(log, "y"); }), QStringLiteral("BadHandle"));
        // Closing again is harmless; the output was committed by closeAll.
        QCOMPARE(failureOf([&] { files().close(reader); }), QStringLiteral("none"));
        QCOMPARE(contents(at("out.txt")), QByteArray("x"));
    }

    void wrongModeOrNumber_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<OpenMode>("mode");
        QTest::newRow("read_from_output") << "read" << OpenMode::Output;
        QTest::newRow("read_from_append") << "read" << OpenMode::Append;
        QTest::newRow("consume_on_output") << "consume" << OpenMode::Output;
        QTest::newRow("write_to_input") << "write" << OpenMode::Input;
        QTest::newRow("flush_input") << "flush" << OpenMode::Input;
        QTest::newRow("never_opened_number") << "never" << OpenMode::Input;
    }

    void wrongModeOrNumber()
    {
        QFETCH(QString, operation);
        QFETCH(OpenMode, mode);
        put(at("f"), "data");
        const int n = files().open(at("f"), mode);
        const auto call = [&] {
            if (operation == "read")
                files().readByte(n);
            else if (operation == "consume")
                files().consume(n, 1);
            else if (operation == "write")
                files().write(n, "zz");
            else if (operation == "flush")
                files().flushToDisk(n);
            else
                files().peekByte(n + 7);
        };
        QCOMPARE(failureOf(call), QStringLiteral("BadHandle"));
        files().closeAll();
        if (mode == OpenMode::Input)
            QCOMPARE(contents(at("f")), QByteArray("data"));
    }

    void openFailures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<OpenMode>("mode");
        QTest::newRow("missing_for_input") << "nothing.txt" << OpenMode::Input;
        QTest::newRow("folder_for_input") << "sub" << OpenMode::Input;
        QTest::newRow("folder_for_output") << "sub" << OpenMode::Output;
        QTest::newRow("folder_for_append") << "sub" << OpenMode::Append;
        QTest::newRow("missing_folder_for_output") << "nowhere/x.txt" << OpenMode::Output;
        QTest::newRow("missing_folder_for_append") << "nowhere/x.txt" << OpenMode::Append;
        QTest::newRow("empty_name") << "" << OpenMode::Input;
        QTest::newRow("drive_not_ready") << "q:\\wiedo.cfg" << OpenMode::Output;
    }

    void openFailures()
    {
        QFETCH(QString, path);
        QFETCH(OpenMode, mode);
        QVERIFY(QDir(dir_.path()).mkdir("sub"));
        const QString full = path.isEmpty() || path.contains(':') ? path : at(path);
        QCOMPARE(failureOf([&] { files().open(full, mode); }), QStringLiteral("CannotOpen"));
        QCOMPARE(files().openCount(), 0);
        QCOMPARE(entries(), QStringList{"sub"});
    }

    void lengthAndBufferedReading()
    {
        // Larger than several read buffers, with every byte value, NUL included.
        QByteArray data;
        for (int i = 0; i < 300000; ++i)
            data.append(char((i * 7 + i / 256) & 0xFF));
        put(at("big.bin"), data);
        const int n = files().open(at("big.bin"), OpenMode::Input);
        QCOMPARE(files().length(n), qint64(data.size()));
        QVERIFY(!files().atEnd(n));
        QCOMPARE(files().peekByte(n), int(static_cast<unsigned char>(data[0])));
        QCOMPARE(files().readByte(n), int(static_cast<unsigned char>(data[0])));
        // A negative count never moves the position back before the buffer.
        files().consume(n, -5);
        QCOMPARE(files().peekByte(n), int(static_cast<unsigned char>(data[1])));
        QCOMPARE(drain(n), data.mid(1));
        QVERIFY(files().atEnd(n));
        QCOMPARE(files().peekByte(n), -1);
        QCOMPARE(files().readByte(n), -1);
        // Consuming past the end is clamped, not a wild pointer.
        files().consume(n, 1000);
        QVERIFY(files().atEnd(n));
        QCOMPARE(files().length(n), qint64(data.size()));
    }

    void outputReplacesOnlyOnClose_data()
    {
        QTest::addColumn<Durability>("durability");
        QTest::newRow("synced") << Durability::Synced;
        QTest::newRow("scratch") << Durability::Scratch;
    }

    void outputReplacesOnlyOnClose()
    {
        QFETCH(Durability, durability);
        put(at("ptk.ptk"), "old\r\n");
        const int n = files().open(at("ptk.ptk"), OpenMode::Output, durability);
        files().write(n, "40,39,34,27,19,12\r\n");
        QCOMPARE(contents(at("ptk.ptk")), QByteArray("old\r\n"));
        files().close(n);
        QCOMPARE(contents(at("ptk.ptk")), QByteArray("40,39,34,27,19,12\r\n"));
        QCOMPARE(entries(), QStringList{"ptk.ptk"});
    }

    // What a killed copy left beside a file is removed by the next write of the file, and only that: never
    // what a living copy is writing, nor a user's file with a like name.
    void leftoversOfDeadCopiesRemoved_data()
    {
        QTest::addColumn<QString>("name");  // {here}: this computer; {dead}, {alive}: a process number
        QTest::addColumn<bool>("hourOld");
        QTest::addColumn<bool>("removed");
        QTest::newRow("dead_copy_here") << "ptk.ptk.~{here}-{dead}-1x" << false << true;
        QTest::newRow("living_copy_here") << "ptk.ptk.~{here}-{alive}-1x" << true << false;
        QTest::newRow("other_computer_just_now") << "ptk.ptk.~0000beef-{dead}-1x" << false << false;
        QTest::newRow("other_computer_long_ago") << "ptk.ptk.~0000beef-{dead}-1x" << true << true;
        QTest::newRow("users_copy") << "ptk.ptk.kopia1" << true << false;
        QTest::newRow("another_files_leftover") << "ptk.ptk2.~{here}-{dead}-1x" << true << false;
    }

    void leftoversOfDeadCopiesRemoved()
    {
        QFETCH(QString, name);
        QFETCH(bool, hourOld);
        QFETCH(bool, removed);
        QProcess dead, alive;
        dead.start(QStringLiteral("true"));
        QVERIFY(dead.waitForStarted());
        const qint64 deadProcess = dead.processId();
        QVERIFY(dead.waitForFinished());
        if (name.startsWith(QStringLiteral("ptk.ptk.~{here}")) && !platform::processIsGone(deadProcess))
            QSKIP("the Qt-only platform cannot ask whether a process lives: a leftover here is judged by its age");
        alive.start(QStringLiteral("sleep"), {QStringLiteral("10")});
        QVERIFY(alive.waitForStarted());
        name.replace(QStringLiteral("{here}"), platform::thisComputerTag())
            .replace(QStringLiteral("{dead}"), QString::number(deadProcess, 36))
            .replace(QStringLiteral("{alive}"), QString::number(alive.processId(), 36));
        put(at(name), "half");
        if (hourOld) {
            QFile left(at(name));
            QVERIFY(left.open(QIODevice::ReadWrite));
            QVERIFY(left.setFileTime(QDateTime::currentDateTime().addSecs(-3700), QFileDevice::FileModificationTime));
        }
        const int n = files().open(at("ptk.ptk"), OpenMode::Output);
        files().write(n, "40,39,34,27,19,12\r\n");
        files().close(n);
        alive.kill();
        alive.waitForFinished();
        QCOMPARE(!QFile::exists(at(name)), removed);
        QCOMPARE(contents(at("ptk.ptk")), QByteArray("40,39,34,27,19,12\r\n"));
    }

    void outputKeepsOldFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<Durability>("durability");
        for (const auto& [name, durability] : {std::pair{"synced", Durability::Synced}, {"scratch", Durability::Scratch}}) {
            QTest::addRow("write_fails_then_close_%s", name) << "close" << durability;
            QTest::addRow("write_fails_then_closeAll_%s", name) << "closeAll" << durability;
            QTest::addRow("close_never_reached_%s", name) << "abandon" << durability;
        }
    }

    void outputKeepsOldFile()
    {
        QFETCH(QString, how);
        QFETCH(Durability, durability);
        put(at("Wiedo.cfg"), "\"haslo\"\r\n");
        const int n = files().open(at("Wiedo.cfg"), OpenMode::Output, durability);
        if (how == "abandon") {
            files().write(n, "\"nowe\"\r\n");
            files().abandonAll();
        } else {
            files().failWritesAfter(4);
            QCOMPARE(failureOf([&] { files().write(n, "\"nowe\"\r\n"); }), QStringLiteral("WriteFailed"));
            // The disk stays full: later writes fail as well.
            QCOMPARE(failureOf([&] { files().write(n, "x"); }), QStringLiteral("WriteFailed"));
            const QString closing = how == "close" ? failureOf([&] { files().close(n); })
                                                   : failureOf([&] { files().closeAll(); });
            QCOMPARE(closing, QStringLiteral("WriteFailed"));
        }
        QVERIFY(!files().isOpen(n));
        QCOMPARE(contents(at("Wiedo.cfg")), QByteArray("\"haslo\"\r\n"));
        QCOMPARE(entries(), QStringList{"Wiedo.cfg"});  // no temporary file left behind
    }

    void closeAllFinishesTheOthersAfterAFailure()
    {
        put(at("a.txt"), "old a");
        put(at("r.txt"), "read");
        const int good = files().open(at("b.txt"), OpenMode::Output);
        const int reader = files().open(at("r.txt"), OpenMode::Input);
        const int bad = files().open(at("a.txt"), OpenMode::Output);
        files().write(good, "new b");
        files().failWritesAfter(0);
        QCOMPARE(failureOf([&] { files().write(bad, "new a"); }), QStringLiteral("WriteFailed"));
        QCOMPARE(failureOf([&] { files().closeAll(); }), QStringLiteral("WriteFailed"));
        QCOMPARE(files().openCount(), 0);
        QVERIFY(!files().isOpen(reader));
        QCOMPARE(contents(at("a.txt")), QByteArray("old a"));
        QCOMPARE(contents(at("b.txt")), QByteArray("new b"));
    }

    void appendGrowsAndCreates()
    {
        put(at("wyniki.txt"), "first\r\n");
        int n = files().open(at("wyniki.txt"), OpenMode::Append);
        QCOMPARE(files().length(n), qint64(7));
        files().write(n, "second\r\n");
        files().flushToDisk(n);
        // Flushed records are on the disk before the file is closed.
        QCOMPARE(contents(at("wyniki.txt")), QByteArray("first\r\nsecond\r\n"));
        QCOMPARE(files().length(n), qint64(15));
        files().close(n);

        n = files().open(at("new.txt"), OpenMode::Append);
        files().write(n, "only\r\n");
        files().close(n);
        QCOMPARE(contents(at("new.txt")), QByteArray("only\r\n"));
    }

    void appendOnFullDiskIsCutBack()
    {
        put(at("wyniki.txt"), "first\r\n");
        const int n = files().open(at("wyniki.txt"), OpenMode::Append);
        files().failWritesAfter(10);
        files().write(n, "second\r\n");
        // The write that did not fit leaves nothing of itself; the ones before it stay.
        QCOMPARE(failureOf([&] { files().write(n, "third\r\n"); }), QStringLiteral("WriteFailed"));
        files().closeAll();
        QCOMPARE(contents(at("wyniki.txt")), QByteArray("first\r\nsecond\r\n"));
    }

    // A disk that is really full, as the system reports it: the user is told so in Polish on either platform path.
    void realFullDiskIsNamed()
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("this system has no always-full device");
        const int n = files().open(QStringLiteral("/dev/full"), OpenMode::Append);
        try {
            files().write(n, "second\r\n");
            QFAIL("a write to a full disk went through");
        } catch (const FileError& error) {
            QCOMPARE(platform::failureMessage(error), QStringLiteral("nie udało się zapisać pliku /dev/full: brak miejsca na dysku"));
        }
    }

    void linksAreNeverWrittenThrough_data()
    {
        QTest::addColumn<OpenMode>("mode");
        QTest::addColumn<bool>("dangling");
        QTest::addColumn<Durability>("durability");
        QTest::newRow("output_link_to_file") << OpenMode::Output << false << Durability::Synced;
        QTest::newRow("scratch_output_link_to_file") << OpenMode::Output << false << Durability::Scratch;
        QTest::newRow("append_link_to_file") << OpenMode::Append << false << Durability::Synced;
        QTest::newRow("output_dangling_link") << OpenMode::Output << true << Durability::Synced;
        QTest::newRow("scratch_output_dangling_link") << OpenMode::Output << true << Durability::Scratch;
        QTest::newRow("append_dangling_link") << OpenMode::Append << true << Durability::Synced;
    }

    void linksAreNeverWrittenThrough()
    {
        QFETCH(OpenMode, mode);
        QFETCH(bool, dangling);
        QFETCH(Durability, durability);
        const QString target = at(dangling ? "absent" : "victim");
        if (!dangling)
            put(target, "precious");
        QVERIFY(QFile::link(target, at("test.tmp")));

        QCOMPARE(failureOf([&] { files().open(at("test.tmp"), mode, durability); }), QStringLiteral("CannotOpen"));
        QCOMPARE(files().openCount(), 0);
        QVERIFY(QFileInfo(at("test.tmp")).isSymLink());
        QCOMPARE(contents(target), dangling ? QByteArray("<missing>") : QByteArray("precious"));
    }

    void existingNameFoundWhateverTheCase()
    {
        put(at("Wiedo.cfg"), "\"tajne\"\r\n");
        const int n = files().open(at("wiedo.cfg"), OpenMode::Input);
        QCOMPARE(files().nativePath(n), at("Wiedo.cfg"));
        QCOMPARE(drain(n), QByteArray("\"tajne\"\r\n"));
        files().close(n);

        // Writing replaces the existing file instead of creating a second one beside it.
        const int w = files().open(at("WIEDO.CFG"), OpenMode::Output);
        files().write(w, "\"nowe\"\r\n");
        files().close(w);
        QCOMPARE(entries(), QStringList{"Wiedo.cfg"});
        QCOMPARE(contents(at("Wiedo.cfg")), QByteArray("\"nowe\"\r\n"));
    }

    void windowsStylePathOnDriveC()
    {
        platform::setDriveCRoot(dir_.path());
        put(at("test.tmp"), "work");
        const int n = files().open(QStringLiteral("C:\\TEST.TMP"), OpenMode::Input);
        QCOMPARE(drain(n), QByteArray("work"));
        files().close(n);
        files().remove(QStringLiteral("c:\\test.tmp"));
        QCOMPARE(entries(), QStringList{});
    }

    void remove_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("existing_file") << "Data.dat" << "none" << QStringList{"keep", "sub"};
        QTest::newRow("other_case") << "DATA.DAT" << "none" << QStringList{"keep", "sub"};
        QTest::newRow("missing") << "absent" << "CannotOpen" << QStringList{"Data.dat", "keep", "sub"};
        QTest::newRow("folder") << "sub" << "CannotOpen" << QStringList{"Data.dat", "keep", "sub"};
        QTest::newRow("link_removed_not_target") << "link" << "none" << QStringList{"Data.dat", "keep", "sub"};
    }

    void remove()
    {
        QFETCH(QString, name);
        QFETCH(QString, failure);
        QFETCH(QStringList, left);
        put(at("Data.dat"), "x");
        put(at("keep"), "kept");
        QVERIFY(QDir(dir_.path()).mkdir("sub"));
        QVERIFY(QFile::link(at("keep"), at("link")));
        if (name != "link")
            left.append("link");
        left.sort();
        QCOMPARE(failureOf([&] { files().remove(at(name)); }), failure);
        QStringList now = entries();
        now.sort();
        QCOMPARE(now, left);
        QCOMPARE(contents(at("keep")), QByteArray("kept"));
    }
};

QTEST_GUILESS_MAIN(TestFileTable)
#include "tst_filetable.moc"
