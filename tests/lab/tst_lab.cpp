// A computer lab on one program folder: thirty copies grading at the same moment append every record
// whole and once, never interleaved; copies killed in the middle of appending leave only whole records
// and no lock that stops the next one.
#include "lab_record.h"

#include <QDateTime>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <map>

namespace {

const QByteArray recordStart = "\r\r\nImie  ";

QString helper() { return qEnvironmentVariable("WIEDO_APPEND_HELPER"); }

// The log cut into its records by name; an empty name means bytes that are no whole record.
std::multimap<QString, QByteArray> recordsOf(const QByteArray& log) {
    std::multimap<QString, QByteArray> records;
    qsizetype at = 0;
    while (at < log.size()) {
        qsizetype next = log.indexOf(recordStart, at + 1);
        if (next < 0)
            next = log.size();
        const QByteArray chunk = log.mid(at, next - at);
        const qsizetype nameEnd = chunk.indexOf("\r\n", recordStart.size());
        const QString name = QString::fromLatin1(chunk.mid(recordStart.size(), nameEnd - recordStart.size()));
        records.emplace(chunk.startsWith(recordStart) && chunk == lab::recordFor(name) ? name : QString(), chunk);
        at = next;
    }
    return records;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class tst_Lab : public QObject {
    Q_OBJECT
private slots:
    void thirtyCopiesAtOnce();
    void killedWhileAppending();
};

void tst_Lab::thirtyCopiesAtOnce() {
    QTemporaryDir folder;
    constexpr int copies = 30, rounds = 3, perCopy = 4;
    for (int round = 1; round <= rounds; ++round) {
        std::vector<std::unique_ptr<QProcess>> running;
        for (int copy = 1; copy <= copies; ++copy) {
            running.push_back(std::make_unique<QProcess>());
            running.back()->start(helper(), {folder.path(), QStringLiteral("R%1K%2").arg(round).arg(copy),
                                             QString::number(perCopy)});
        }
        for (auto& process : running) {
            QVERIFY(process->waitForFinished(60000));
            QVERIFY2(process->exitCode() == 0, process->readAllStandardError().constData());
        }
    }
    const auto records = recordsOf(contents(folder.filePath(QStringLiteral("wyniki.txt"))));
    QCOMPARE(records.count(QString()), std::size_t(0));
    QCOMPARE(records.size(), std::size_t(copies * rounds * perCopy));
    for (int round = 1; round <= rounds; ++round)
        for (int copy = 1; copy <= copies; ++copy)
            for (int i = 1; i <= perCopy; ++i)
                QCOMPARE(records.count(QStringLiteral("R%1K%2-%3").arg(round).arg(copy).arg(i)), std::size_t(1));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("wiedo.lck"))));
}

void tst_Lab::killedWhileAppending() {
    QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("wyniki.txt"));
    QRandomGenerator random(20261208);
    int kills = 0;
    qsizetype lastLength = 0;
    for (int round = 0; round < 200; ++round) {
        QProcess copy;
        copy.start(helper(), {folder.path(), QStringLiteral("K%1").arg(round), QStringLiteral("0")});
        QVERIFY(copy.waitForStarted());
        QTest::qSleep(static_cast<int>(random.bounded(5, 60)));
        ::kill(static_cast<pid_t>(copy.processId()), SIGKILL);
        QVERIFY(copy.waitForFinished(10000));
        kills += copy.exitStatus() == QProcess::CrashExit;
        // Only whole records, and the log only grew.
        const QByteArray bytes = contents(log);
        QVERIFY2(bytes.size() >= lastLength, "the log shrank");
        lastLength = bytes.size();
        const auto records = recordsOf(bytes);
        QVERIFY2(records.count(QString()) == 0,
                 qPrintable(QStringLiteral("a cut record after kill %1").arg(round)));
    }
    QVERIFY2(kills >= 190, qPrintable(QString::number(kills)));
    qInfo("%d kills, %zu whole records appended between them", kills, recordsOf(contents(log)).size());
    // The lock of the last killed copy stops nobody: the next one appends within its wait.
    QElapsedTimer clock;
    clock.start();
    QProcess next;
    next.start(helper(), {folder.path(), QStringLiteral("po"), QStringLiteral("1")});
    QVERIFY(next.waitForFinished(10000));
    QCOMPARE(next.exitCode(), 0);
    QVERIFY2(clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(recordsOf(contents(log)).count(QStringLiteral("po-1")), std::size_t(1));
}

QTEST_GUILESS_MAIN(tst_Lab)
#include "tst_lab.moc"
