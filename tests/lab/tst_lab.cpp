// A computer lab on one program folder: thirty copies grading at the same moment append every record
// whole and once, never interleaved; copies killed at any moment of appending to the results log,
// rewriting a question set in the middle or saving the grading scale leave every file whole (the old or
// the new version) and no lock or temporary file that stops or misleads the next one.
#include "lab_record.h"
#include "platform/disk_calls.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
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

// The cut record at the end of a log, if there is one.
QByteArray cutTailOf(const QByteArray& log) {
    const auto records = recordsOf(log);
    const auto cut = records.find(QString());
    return cut != records.end() && log.endsWith(cut->second) ? cut->second : QByteArray();
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray question(int i) {
    return questionset::formatQuestion(
        {{QStringLiteral("Pytanie %1").arg(i), {QStringLiteral("A"), QStringLiteral("B"), {}, {}, {}}, {}}, {1, 2, 2, 2, 2}});
}

QByteArray setOf(int questions) {
    QByteArray bytes = questionset::formatHeader();
    for (int i = 1; i <= questions; ++i)
        bytes += question(i);
    return bytes;
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
    void twoProgramsGradedAtOnce();
    void killedAtAnyMoment_data();
    void killedAtAnyMoment();
};

void tst_Lab::thirtyCopiesAtOnce() {
    QTemporaryDir folder;
    constexpr int copies = 30, rounds = 3, perCopy = 4;
    for (int round = 1; round <= rounds; ++round) {
        std::vector<std::unique_ptr<QProcess>> running;
        for (int copy = 1; copy <= copies; ++copy) {
            running.push_back(std::make_unique<QProcess>());
            running.back()->start(helper(), {QStringLiteral("append"), folder.path(), QStringLiteral("R%1K%2").arg(round).arg(copy),
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

// Two students' copies of the whole program, each with its own drive C: (HOME), started from one program
// folder and graded at the same moment, round after round: every record lands whole in the results log.
void tst_Lab::twoProgramsGradedAtOnce() {
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(program));
    const QString copy = program + QStringLiteral("/wiedo_lab_session");
    QVERIFY(QFile::copy(qEnvironmentVariable("WIEDO_LAB_SESSION"), copy));
    write(program + QStringLiteral("/wiedo.ini"), "\"" + QFile::encodeName(program) + "\"\r\n");
    write(program + QStringLiteral("/Wiedo.cfg"), "\"\"\r\n");
    write(program + QStringLiteral("/ptk.ptk"), "40,39,34,27,19,12\r\n");
    write(program + QStringLiteral("/run.run"), "6\r\n");
    const QString set = program + QStringLiteral("/test.kwz");
    write(set, setOf(1));
    constexpr int rounds = 3;
    const QStringList students{QStringLiteral("Anna"), QStringLiteral("Piotr")};
    for (int round = 1; round <= rounds; ++round) {
        const QString startFile = root.filePath(QStringLiteral("start%1").arg(round));
        std::vector<std::unique_ptr<QProcess>> running;
        for (const QString& student : students) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home-%1-%2").arg(student).arg(round)));
            env.remove(QStringLiteral("XDG_DATA_HOME"));
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            running.push_back(std::make_unique<QProcess>());
            running.back()->setProcessEnvironment(env);
            running.back()->start(copy, {set, startFile, student});
        }
        for (auto& process : running) {
            QByteArray said;
            while (!said.contains("ready") && process->waitForReadyRead(30000))
                said += process->readAllStandardOutput();
            QVERIFY2(said.contains("ready"), process->readAllStandardError().constData());
        }
        write(startFile, "");
        for (auto& process : running) {
            QVERIFY(process->waitForFinished(30000));
            QVERIFY2(process->exitCode() == 0, process->readAllStandardError().constData());
            // Each copy's work file on its own drive C:, so neither took the other for a second copy.
            QVERIFY(QFile::exists(process->processEnvironment().value(QStringLiteral("HOME"))
                                  + QStringLiteral("/.local/share/wiedo/c/test.tmp")));
        }
    }
    // The log cut at the start of each record: as many records as gradings, each student's the other's
    // but for the name, and nothing else in between.
    const QByteArray log = contents(program + QStringLiteral("/wyniki.txt"));
    QList<QByteArray> records;
    for (qsizetype at = 0; at < log.size();) {
        const qsizetype next = log.indexOf(recordStart, at + 1);
        records << log.mid(at, next < 0 ? -1 : next - at);
        at = next < 0 ? log.size() : next;
    }
    QCOMPARE(records.size(), rounds * int(students.size()));
    const QByteArray anna = records.first().startsWith(recordStart + "Anna\r\n") ? records.first() : records.at(1);
    QVERIFY2(anna.contains(" Liczba punkt") && anna.contains("1  na 1\r\n") && anna.contains("Ocena : 1\r\n")
                 && anna.endsWith(" " + QByteArray(45, '*') + "\r\n"),
             anna.constData());
    const QByteArray piotr = QByteArray(anna).replace(recordStart + "Anna\r\n", recordStart + "Piotr\r\n");
    QCOMPARE(records.count(anna), rounds);
    QCOMPARE(records.count(piotr), rounds);
}

void tst_Lab::killedAtAnyMoment_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("kills");
    // An empty list of versions: the results log, which only grows by whole records.
    QTest::addColumn<QList<QByteArray>>("versions");
    QTest::newRow("results_log_append") << QStringLiteral("append") << QStringLiteral("wyniki.txt") << 80
                                        << QList<QByteArray>();
    QList<QByteArray> sets{setOf(1500)};
    for (int round : {1, 2})
        sets << questionset::formatHeader() + question(1) + questionset::formatQuestion(lab::rewrittenQuestion(round))
                    + setOf(1500).mid(questionset::formatHeader().size() + question(1).size() + question(2).size());
    QTest::newRow("set_rewritten_in_the_middle") << QStringLiteral("rewrite") << QStringLiteral("zestaw.kwz") << 80
                                                 << sets;
    QList<QByteArray> scales{"40,39,34,27,19,12\r\n"};
    for (int round : {1, 2}) {
        QByteArray scale;
        for (const QString& box : lab::scaleBoxes(round))
            scale += box.toLatin1() + "\r\n";
        scales << scale;
    }
    QTest::newRow("grading_scale_saved") << QStringLiteral("scale") << QStringLiteral("ptk.ptk") << 80 << scales;
}

void tst_Lab::killedAtAnyMoment() {
    QFETCH(QString, mode);
    QFETCH(QString, fileName);
    QFETCH(int, kills);
    QFETCH(QList<QByteArray>, versions);
    QTemporaryDir folder;
    const QString file = folder.filePath(fileName);
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    if (!versions.isEmpty()) {
        write(file, versions.first());
        QVERIFY(QFile::setPermissions(file, permissions));
    }
    const auto arguments = [&](const QString& name, const char* count) {
        return mode == u"append" ? QStringList{mode, folder.path(), name, QString::fromLatin1(count)}
                                 : QStringList{mode, folder.path(), QString::fromLatin1(count)};
    };
    QRandomGenerator random(20261208);
    int killed = 0, midWrite = 0, leftTemporary = 0, cutTails = 0;
    QByteArray before = contents(file);
    for (int round = 0; round < kills; ++round) {
        QProcess copy;
        copy.start(helper(), arguments(QStringLiteral("K%1").arg(round), "0"));
        // Killed at a random moment after its first whole write, so that the kills fall all over the writes.
        QVERIFY(copy.waitForReadyRead(10000));
        QTest::qSleep(static_cast<int>(random.bounded(0, 25)));
        copy.kill();  // SIGKILL, or TerminateProcess on Windows: no chance to clean up
        QVERIFY(copy.waitForFinished(10000));
        killed += copy.exitStatus() == QProcess::CrashExit;
        midWrite += QFile::exists(folder.filePath(QStringLiteral("wiedo.lck")));
        leftTemporary += !QDir(folder.path()).entryList({QStringLiteral("*.~*")}, QDir::Files).isEmpty();
        const QByteArray after = contents(file);
        if (versions.isEmpty()) {
            // A kill between two pages of the write may leave the start of a record at the very end; the next
            // copy cuts it off before it appends. Every other record stays whole and unchanged.
            const auto records = recordsOf(after);
            const auto cut = records.find(QString());
            QVERIFY2(records.count(QString()) == 0 || (records.count(QString()) == 1 && after.endsWith(cut->second)),
                     qPrintable(QStringLiteral("a cut record inside the log after kill %1").arg(round)));
            QVERIFY2(after.startsWith(before.chopped(cutTailOf(before).size())), "the log lost or changed bytes");
            cutTails += cut != records.end();
        } else {
            QVERIFY2(versions.contains(after), qPrintable(QStringLiteral("a mixed file after kill %1").arg(round)));
            QCOMPARE(QFile::permissions(file), permissions | QFileDevice::ReadUser | QFileDevice::WriteUser);
        }
        before = after;
    }
    QCOMPARE(killed, kills);
    qInfo("%d kills, %d of them while the shared lock was held, %d with a temporary file left, %d with a record cut",
          killed, midWrite, leftTemporary, cutTails);
    // What the last killed copy left stops nobody: the next one writes within its wait, and no lock or
    // temporary file of a killed copy is left in the folder.
    QElapsedTimer clock;
    clock.start();
    QProcess next;
    next.start(helper(), arguments(QStringLiteral("po"), "1"));
    QVERIFY(next.waitForFinished(10000));
    QVERIFY2(next.exitCode() == 0, next.readAllStandardError().constData());
    QVERIFY2(clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
    if (versions.isEmpty()) {
        QCOMPARE(recordsOf(contents(file)).count(QStringLiteral("po-1")), std::size_t(1));
        QCOMPARE(recordsOf(contents(file)).count(QString()), std::size_t(0));
    }
    else
        QCOMPARE(contents(file), versions.at(1));
    QStringList left = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    left.removeOne(fileName);
    // Where the platform cannot ask whether a process lives (Qt's calls alone), a killed copy's new version
    // is removed only when it is an hour old.
    if (!platform::processIsGone(next.processId()))
        left.removeIf([](const QString& name) { return name.contains(QStringLiteral(".~")); });
    if (mode == u"rewrite") {
        QCOMPARE(QFileInfo(folder.filePath(QStringLiteral("temp.tmp"))).size(), 0);
        left.removeOne(QStringLiteral("temp.tmp"));
    }
    QVERIFY2(left.isEmpty(), qPrintable(left.join(u' ')));
}

QTEST_GUILESS_MAIN(tst_Lab)
#include "tst_lab.moc"
