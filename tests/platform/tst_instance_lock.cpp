// The lock that tells a second copy of the program from the first: held by a real other process until it
// is killed, then free at once with its file left as it was; never taken through a planted link.
#include "platform/instance_lock.h"

#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

class tst_InstanceLock : public QObject {
    Q_OBJECT
private slots:
    void heldByAnotherProcessUntilItIsKilled();
    void releasedForTheNextCopy();
    void plantedLinkIsNotFollowed();
};

void tst_InstanceLock::heldByAnotherProcessUntilItIsKilled() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("test.tmp.lock"));
    QFile seed(path);
    QVERIFY(seed.open(QIODevice::WriteOnly) && seed.write("left by an older copy\n") > 0);
    seed.close();
    // The other copy: this test executable, holding the lock until it is killed.
    QProcess other;
    other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold"), path});
    QVERIFY2(other.waitForReadyRead(10000), "the other process did not take the lock");
    platform::InstanceLock lock;
    QVERIFY2(!lock.take(path), "taken while another process holds it");
    other.kill();
    QVERIFY(other.waitForFinished(10000));
    QVERIFY2(lock.take(path), "not taken after its holder was killed");
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("left by an older copy\n"));
}

void tst_InstanceLock::releasedForTheNextCopy() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("test.tmp.lock"));
    platform::InstanceLock first, second;
    QVERIFY(first.take(path));
    QVERIFY(first.take(path));  // held already
    QVERIFY2(!second.take(path), "two holders at once");
    first.release();
    QVERIFY2(second.take(path), "not free after its release");
}

void tst_InstanceLock::plantedLinkIsNotFollowed() {
    QTemporaryDir dir;
    const QString victim = dir.filePath(QStringLiteral("victim"));
    const QString path = dir.filePath(QStringLiteral("test.tmp.lock"));
    QVERIFY(QFile::link(victim, path));
    platform::InstanceLock lock;
    QVERIFY(!lock.take(path));
    QVERIFY2(!QFile::exists(victim), "a file was made through the link");
}

int main(int argc, char* argv[]) {
    if (argc == 3 && qstrcmp(argv[1], "--hold") == 0) {
        platform::InstanceLock lock;
        if (!lock.take(QFile::decodeName(argv[2])))
            return 1;
        std::puts("held");
        std::fflush(stdout);
        QThread::sleep(60);
        return 0;
    }
    QCoreApplication app(argc, argv);
    tst_InstanceLock test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_instance_lock.moc"
