// The one writer of whole files on a disk that fails: the old file stays byte for byte, nothing is left
// beside it, and the user is told the file and the cause in Polish.
#include "support/failing_disk.h"
#include "support/test_files.h"
#include "platform/filetable.h"
#include "platform/new_version.h"

#include <QDir>
#include <cerrno>
#include <QTemporaryDir>
#include <QtTest>

class TestNewVersion : public QObject {
    Q_OBJECT
private slots:
    void failureKeepsOldFile_data();
    void failureKeepsOldFile();
};

void TestNewVersion::failureKeepsOldFile_data() {
    QTest::addColumn<QString>("through");  // the writer itself, or the file table's Output or Append file
    QTest::addColumn<qint64>("room");
    QTest::addColumn<int>("syncError");     // errno given to sync, 0: none
    QTest::addColumn<int>("replaceError");  // errno given to the replacement, 0: none
    QTest::addColumn<QString>("cause");     // empty: the new version is put in place
    QTest::newRow("fits") << "writer" << qint64(1000) << 0 << 0 << "";
    QTest::newRow("disk_fills_mid_write") << "writer" << qint64(5) << 0 << 0 << "brak miejsca na dysku";
    QTest::newRow("disk_already_full") << "writer" << qint64(0) << 0 << 0 << "brak miejsca na dysku";
    QTest::newRow("sync_fails") << "writer" << qint64(1000) << EIO << 0 << "błąd odczytu lub zapisu dysku";
    QTest::newRow("replace_refused") << "writer" << qint64(1000) << 0 << EACCES << "brak uprawnień";
    QTest::newRow("table_output_full") << "output" << qint64(5) << 0 << 0 << "brak miejsca na dysku";
    QTest::newRow("table_output_quota") << "output" << qint64(1000) << EDQUOT << 0 << "wyczerpany przydział";
    QTest::newRow("table_append_full") << "append" << qint64(5) << 0 << 0 << "brak miejsca na dysku";
}

void TestNewVersion::failureKeepsOldFile() {
    QFETCH(QString, through);
    QFETCH(qint64, room);
    QFETCH(int, syncError);
    QFETCH(int, replaceError);
    QFETCH(QString, cause);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zestaw.kwz"));
    testsupport::writeTestFile(path, "old bytes\r\n");
    const QByteArray fresh = "\"Kwiz v 1.0\"\r\n";
    QString said;
    {
        testsupport::FailingDisk disk(room);
        disk.failSync = std::error_code(syncError, std::generic_category());
        disk.failReplace = std::error_code(replaceError, std::generic_category());
        try {
            if (through == "writer") {
                platform::NewVersion version(path);
                version.write(fresh);
                version.commit();
            } else {
                const auto mode = through == "output" ? platform::OpenMode::Output : platform::OpenMode::Append;
                const int n = platform::files().open(path, mode);
                platform::files().write(n, fresh);
                if (mode == platform::OpenMode::Append)
                    platform::files().flushToDisk(n);
                platform::files().close(n);
            }
        } catch (const platform::FileError& error) {
            said = platform::failureMessage(error);
        }
    }
    testsupport::resetFileTable();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"zestaw.kwz"});
    if (cause.isEmpty()) {
        QCOMPARE(said, QString());
        QCOMPARE(testsupport::fileContents(path), fresh);
        return;
    }
    QCOMPARE(testsupport::fileContents(path), QByteArray("old bytes\r\n"));
    QVERIFY2(said.startsWith(QStringLiteral("nie udało się zapisać pliku ") + path + QStringLiteral(": ") + cause),
             qPrintable(said));
}

QTEST_GUILESS_MAIN(TestNewVersion)
#include "tst_new_version.moc"
