// The benchmarks. Every figure is a ratio of two measurements taken in the same run, so a busy machine
// moves both sides alike; each is printed with its bound, PASS or FAIL, and the raw timings.
// What needs a fresh process (a peak of memory) runs in a child: this program started again as
// "wiedo_bench --child <scenario> ...", which prints "key value..." lines for the parent to read. The
// start-up figure runs the real program itself.
#include "bench_data.h"

#include "analysis/answers_reader.h"
#include "analysis/item_analysis.h"
#include "app/commands.h"
#include "bridges/gift.h"
#include "bridges/imported.h"
#include "bridges/set_check.h"

#include "main/main_session.h"
#include "config/test_settings.h"
#include "platform/codepage.h"
#include "platform/print/qt_printer.h"
#include "sheets/print_sheets.h"
#include "sheets/text_export.h"
#include "startup/loader.h"
#include "platform/opened_file.h"
#include "questionset/questionset.h"
#include "records/records.h"
#include "testing/question_reader.h"
#include "windows/editor/nowe_wiedo.h"
#include "windows/registry.h"
#include "windows/results/wyniki.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <vector>

namespace {

constexpr int largestSet = 32767;  // the editor's limit: question numbers are signed 16-bit
constexpr int smallSet = 10;
constexpr int clickWindow = 1000;  // enough clicks that the medians of figure 2 hold still
constexpr int loaderTimerMs = 20;
constexpr int resultsRecords = 10000;  // a school's results log of some years

double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double quantile(std::vector<double> v, double q) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5)];
}

QString list(const std::vector<double>& v, int decimals) {
    QStringList parts;
    for (double x : v)
        parts << QString::number(x, 'f', decimals);
    return parts.join(u' ');
}

void out(const QString& line) {
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

// The processor time this process has used, in microseconds: unlike the wall clock it does not grow while
// other programs have the processor.
double cpuMicros() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// The peak resident memory of this process so far, in KiB.
long long peakKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Counting as the sign-in window does: the open command leaves the reader after the header; the sign-in
// counts from there, closes the set and reopens it at the first question. Milliseconds.
double signInCountMs(const QString& set, int* counted) {
    testing::QuestionReader& reader = testing::QuestionReader::instance();
    QElapsedTimer clock;
    clock.start();
    reader.open(set);
    reader.readHeader();
    reader.ensureOpen();
    *counted = reader.countQuestions().questions;
    reader.close();
    reader.open(set);
    reader.readHeader();
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    reader.close();
    return ms;
}

double msOf(const std::function<void()>& work) {
    QElapsedTimer clock;
    clock.start();
    work();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// ---- child scenarios ---------------------------------------------------------------------------------

// A whole test as a student takes it: start-up, the open command, sign-in, Start and a click for every
// question, the grade window and its record in the results log.
// With `pauseAt`, the test stops when that question is on screen, says "ready" and takes orders from its
// standard input: "click N" makes N timed clicks and prints "clicks" with each one's processor and
// wall-clock microseconds; "finish" goes on to the end of the test; "quit" ends the process at once.
// The parent so times two tests at different questions turn and turn about, and a change in the load of
// a shared machine falls on both alike.
int childTest(const QString& set, int questions, int pauseAt, bool lab) {
    QElapsedTimer total;
    total.start();
    testsupport::ProgramFixture fx;
    testsupport::ScriptedDialogs dialogs;
    windows::Wiedo& main = mainsession::start(fx);
    // A lab exam: the student's own order of the questions and of their answers.
    if (lab)
        config::writeTestSettings(fx.programFolderText(), {true, true, 0, false});
    out(QStringLiteral("hwm_after_startup_kib %1").arg(peakKiB()));
    QElapsedTimer signIn;
    signIn.start();
    const double signInCpu = cpuMicros();
    mainsession::openAndSignIn(main, dialogs, set);
    out(QStringLiteral("signin_ms %1").arg(static_cast<double>(signIn.nsecsElapsed()) / 1e6, 0, 'f', 2));
    out(QStringLiteral("signin_cpu_ms %1").arg((cpuMicros() - signInCpu) / 1000, 0, 'f', 2));
    if (main.Label12->text() != QString::number(questions)) {
        out(QStringLiteral("error the sign-in counted \"%1\" questions").arg(main.Label12->text()));
        return 1;
    }
    mainsession::closeGradeWindowWhenShown();

    const double startCpu = cpuMicros();
    mainsession::next(main);  // Start: question 1
    out(QStringLiteral("start_cpu_ms %1").arg((cpuMicros() - startCpu) / 1000, 0, 'f', 2));
    int q = 1;
    // Judges question q and shows the next one; false when the window is not where the test should be.
    auto click = [&] {
        if (main.Label10->text() != QString::number(q)) {
            out(QStringLiteral("error question %1 expected on screen, \"%2\" shown").arg(q).arg(main.Label10->text()));
            return false;
        }
        mainsession::next(main);
        QCoreApplication::processEvents();
        ++q;
        return true;
    };
    QElapsedTimer clickThrough;
    clickThrough.start();
    qint64 pausedNs = 0;  // waiting for orders, not clicking
    // Processor time of every 1000 clicks outside the timed ones: shows whether the cost follows the
    // question number or the load of the machine.
    std::vector<double> blocks;
    double blockStart = cpuMicros();
    while (q <= questions) {
        if (q == pauseAt) {
            QElapsedTimer paused;
            paused.start();
            out(QStringLiteral("ready %1").arg(q));
            QTextStream in(stdin);
            for (;;) {
                const QStringList order = in.readLine().split(u' ');
                // "click N PAUSE", "repaint N PAUSE": before each one the student reads for PAUSE ms, untimed.
                const int pauseMs = order.value(2).toInt();
                if (order.value(0) == QLatin1String("click")) {
                    QStringList times;
                    for (int n = order.value(1).toInt(); n > 0 && q < questions; --n) {
                        if (pauseMs > 0)
                            QTest::qWait(pauseMs);
                        const double cpuBefore = cpuMicros();
                        QElapsedTimer wall;
                        wall.start();
                        if (!click())
                            return 1;
                        const double cpu = cpuMicros() - cpuBefore;
                        const qint64 wallNs = wall.nsecsElapsed();
                        pausedNs -= wallNs;
                        times << QStringLiteral("%1,%2").arg(cpu, 0, 'f', 1).arg(static_cast<double>(wallNs) / 1e3, 0, 'f', 1);
                    }
                    out(QStringLiteral("clicks ") + times.join(u' '));
                } else if (order.value(0) == QLatin1String("repaint")) {
                    // Synchronous repaints of the whole window, what a click is measured against.
                    QStringList times;
                    for (int n = order.value(1).toInt(); n > 0; --n) {
                        if (pauseMs > 0)
                            QTest::qWait(pauseMs);
                        const double cpuBefore = cpuMicros();
                        QElapsedTimer wall;
                        wall.start();
                        main.repaint();
                        const double cpu = cpuMicros() - cpuBefore;
                        times << QStringLiteral("%1,%2").arg(cpu, 0, 'f', 1).arg(static_cast<double>(wall.nsecsElapsed()) / 1e3, 0, 'f', 1);
                    }
                    out(QStringLiteral("repaints ") + times.join(u' '));
                } else if (order.value(0) == QLatin1String("finish")) {
                    break;
                } else {
                    return 0;
                }
            }
            pausedNs += paused.nsecsElapsed();
            pauseAt = 0;
            blockStart = cpuMicros();
            continue;
        }
        if (!click())
            return 1;
        if (q % 1000 == 0) {
            const double nowCpu = cpuMicros();
            blocks.push_back((nowCpu - blockStart) / 1e3);
            blockStart = nowCpu;
        }
    }
    out(QStringLiteral("clickthrough_ms %1").arg(static_cast<double>(clickThrough.nsecsElapsed() - pausedNs) / 1e6, 0, 'f', 0));
    out(QStringLiteral("blocks_cpu_ms %1").arg(list(blocks, 0)));

    const QByteArray log = fx.read(QStringLiteral("wyniki.txt"));
    const QByteArray finalLine = platform::encode1250(QStringLiteral("  na %1\r\n").arg(questions));
    if (main.Label10->text() != QStringLiteral("0") || !log.contains(finalLine) || !dialogs.ok() ||
        !fx.leftovers().isEmpty()) {
        out(QStringLiteral("error the test did not end with its grade: %1 %2").arg(dialogs.report(), fx.leftovers()));
        return 1;
    }
    out(QStringLiteral("hwm_kib %1").arg(peakKiB()));
    out(QStringLiteral("total_ms %1").arg(static_cast<double>(total.nsecsElapsed()) / 1e6, 0, 'f', 0));
    return 0;
}

// The question editor on copies of the two sets, in its own process (for its own peak of memory): the
// clicks of Next in the middle, Previous at question 30000 and Last, each beside what it is measured
// against, turn and turn about; then Append at question 30000 of the large set and at question 10 of the
// small one, turn and turn about.
int childEditor(const QString& largeSource, const QString& smallSource) {
    testsupport::ProgramFixture fx;
    testsupport::ScriptedDialogs dialogs;
    QDir::setCurrent(fx.root());  // where the working copy goes
    const QString large = fx.root() + QStringLiteral("/duzy.kwz");
    const QString small = fx.root() + QStringLiteral("/maly.kwz");
    const QString copy = fx.root() + QStringLiteral("/kopia.kwz");
    if (!QFile::copy(largeSource, large) || !QFile::copy(smallSource, small)) {
        out(QStringLiteral("error the sets could not be copied"));
        return 1;
    }
    windows::registerAll();
    auto& editor = ui::forms().get<windows::NoweWiedo>();
    editor.Show();
    const auto open = [&](const QString& set) {
        dialogs.expectOpenFile(QString(), windows::NoweWiedo::filter, set);
        editor.otwórz->trigger();
    };
    // Read it and write it to a new file, synced as the editor's new version of a set is.
    const auto plainCopy = [&] {
        platform::OpenedFile in(large, platform::OpenMode::Input);
        platform::OpenedFile to(copy, platform::OpenMode::Output);
        for (QByteArrayView chunk = platform::files().buffered(in.number()); !chunk.isEmpty();
             chunk = platform::files().buffered(in.number())) {
            platform::files().write(to.number(), chunk.toByteArray());
            platform::files().consume(in.number(), chunk.size());
        }
        to.commit();
    };
    open(large);
    if (editor.Label13->text() != QString::number(largestSet)) {
        out(QStringLiteral("error the editor counted \"%1\" questions").arg(editor.Label13->text()));
        return 1;
    }
    out(QStringLiteral("hwm_idle_kib %1").arg(peakKiB()));
    std::vector<double> rewrite, copied, previous, last, count;
    int counted = 0;
    for (int run = 0; run < 7; ++run) {
        editor.Label11->setText(QStringLiteral("16000"));
        editor.Label13->setText(QString::number(largestSet));
        rewrite.push_back(msOf([&] { editor.Command2->click(); }));
        copied.push_back(msOf(plainCopy));
        // The three reads of the set take turns at coming first after the writes, which leave the disk
        // busy for a while.
        const std::function<void()> reads[] = {
            [&] {
                editor.Label11->setText(QStringLiteral("30001"));
                previous.push_back(msOf([&] { editor.Command1->click(); }));
            },
            [&] { last.push_back(msOf([&] { editor.OstRek->trigger(); })); },
            [&] { count.push_back(signInCountMs(large, &counted)); },
        };
        for (int i = 0; i < 3; ++i)
            reads[(run + i) % 3]();
    }
    out(QStringLiteral("hwm_rewrite_kib %1").arg(peakKiB()));
    editor.OstRek->trigger();
    if (editor.Label11->text() != QString::number(largestSet) || counted != largestSet) {
        out(QStringLiteral("error the editor's moves did not end where they should: %1").arg(dialogs.report()));
        return 1;
    }
    std::vector<double> appendLate, appendEarly;
    for (int run = 0; run < 7; ++run) {
        for (const bool late : {run % 2 == 0, run % 2 != 0}) {
            open(late ? large : small);
            // Saving the last question goes on to a new one typed at the end, which the button appends.
            editor.OstRek->trigger();
            editor.Command2->click();
            const QString at = late ? QStringLiteral("30000") : QString::number(smallSet);
            editor.Label11->setText(at);
            editor.Label13->setText(at);
            editor.Check1->setChecked(true);
            // One append untimed: the open has just read the whole set, the timed one starts warm.
            editor.Command2->click();
            editor.Check1->setChecked(true);
            (late ? appendLate : appendEarly).push_back(msOf([&] { editor.Command2->click(); }));
        }
    }
    if (!dialogs.ok()) {
        out(QStringLiteral("error %1").arg(dialogs.report().simplified()));
        return 1;
    }
    out(QStringLiteral("rewrite_ms %1").arg(list(rewrite, 2)));
    out(QStringLiteral("copy_ms %1").arg(list(copied, 2)));
    out(QStringLiteral("previous_ms %1").arg(list(previous, 2)));
    out(QStringLiteral("last_ms %1").arg(list(last, 2)));
    out(QStringLiteral("count_ms %1").arg(list(count, 2)));
    out(QStringLiteral("append_late_ms %1").arg(list(appendLate, 2)));
    out(QStringLiteral("append_early_ms %1").arg(list(appendEarly, 2)));
    return 0;
}

// The results window on a results log of 10,000 records, in its own process: the menu command until the
// window is painted with its table filled, against `wiedo results` on the same log, turn and turn about,
// each in processor time.
int childResults() {
    testsupport::ProgramFixture fx;
    testsupport::ScriptedDialogs dialogs;
    windows::Wiedo& main = mainsession::start(fx);
    QByteArray log;
    for (int i = 0; i < resultsRecords; ++i) {
        const grading::ResultRecord record{
            QStringLiteral("Łucja%1").arg(i % 97), QStringLiteral("Żółkiewska%1").arg(i),
            QStringLiteral("%1%2").arg(1 + i % 8).arg(QChar(u'A' + i % 4)),
            QStringLiteral("C:\\testy\\zestaw%1.kwz").arg(i % 12), QString::number(i % 41), QStringLiteral("40"),
            1 + i % 6, QDateTime(QDate(2026, 9, 1).addDays(i % 300), QTime(8, 0).addSecs(i % 28800), Qt::UTC)};
        log += grading::formatResultRecord(record);
    }
    fx.write(QStringLiteral("wyniki.txt"), log);
    const QStringList command{QStringLiteral("wiedo"), fx.path(QStringLiteral("wyniki.txt")),
                              fx.root() + QStringLiteral("/wyniki.csv")};
    std::vector<double> windowMs, commandMs;
    int rows = 0;
    bool commandOk = true;
    const auto openWindow = [&] {
        const double before = cpuMicros();
        main.wynikiAnaliza->trigger();
        auto& window = ui::forms().get<windows::Wyniki>();
        window.repaint();
        windowMs.push_back((cpuMicros() - before) / 1e3);
        rows = window.isVisible() ? window.shown->rowCount() : -1;
        ui::forms().unload(window);
    };
    const auto runCommand = [&] {
        const double before = cpuMicros();
        commandOk = app::runResults(command) == 0 && commandOk;
        commandMs.push_back((cpuMicros() - before) / 1e3);
    };
    // One of each untimed: the first reading brings the log into the system's cache.
    openWindow();
    runCommand();
    windowMs.clear();
    commandMs.clear();
    for (int run = 0; run < 9; ++run) {
        if (run % 2 == 0) {
            openWindow();
            runCommand();
        } else {
            runCommand();
            openWindow();
        }
    }
    if (!commandOk || !dialogs.ok()) {
        out(QStringLiteral("error the command or the window did not run as it should: %1").arg(dialogs.report().simplified()));
        return 1;
    }
    out(QStringLiteral("rows %1").arg(rows));
    out(QStringLiteral("window_cpu_ms %1").arg(list(windowMs, 2)));
    out(QStringLiteral("command_cpu_ms %1").arg(list(commandMs, 2)));
    return 0;
}

int runChild(const QStringList& args) {
    if (args.value(0) == QLatin1String("editor"))
        return childEditor(args.value(1), args.value(2));
    const QString scenario = args.value(0);
    if (scenario == QLatin1String("test"))
        return childTest(args.value(1), args.value(2).toInt(), args.value(3).toInt(),
                         args.value(4) == QLatin1String("lab"));
    if (scenario == QLatin1String("results"))
        return childResults();
    // A set written where asked, for looking at one scenario alone (with a profiler, say).
    if (scenario == QLatin1String("write"))
        return bench::writeSet(args.value(1), args.value(2).toInt()) ? 0 : 1;
    out(QStringLiteral("error unknown scenario %1").arg(scenario));
    return 2;
}

// ---- the parent: runs the children and prints the figures --------------------------------------------

// A child's "key value..." lines; empty on failure (its output is printed then).
std::multimap<QString, QString> child(const QStringList& args, int timeoutMs = 30 * 60 * 1000) {
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    process.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--child")} + args);
    const bool finished = process.waitForFinished(timeoutMs);
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    std::multimap<QString, QString> values;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        out(QStringLiteral("   child %1 failed:\n%2\n%3")
                .arg(args.join(u' '), output, QString::fromUtf8(process.readAllStandardError())));
        if (!finished)
            process.kill();
        return values;
    }
    for (const QString& line : output.split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype blank = line.indexOf(u' ');
        values.emplace(line.left(blank), blank < 0 ? QString() : line.mid(blank + 1));
    }
    return values;
}

QString value(const std::multimap<QString, QString>& values, const QString& key) {
    const auto found = values.find(key);
    return found == values.end() ? QString() : found->second;
}

// A child that takes orders line by line while it runs.
class Conversation {
public:
    explicit Conversation(const QStringList& args) : args_(args) {
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--child")} + args);
    }
    ~Conversation() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    Conversation(const Conversation&) = delete;
    Conversation& operator=(const Conversation&) = delete;

    // Reads lines until one whose key is `key` and returns the rest of it; the lines before it are kept
    // for values(). A null text when the child ended or the time ran out first.
    QString until(const QString& key, int timeoutMs) {
        QDeadlineTimer deadline(timeoutMs);
        for (;;) {
            while (!process_.canReadLine()) {
                if (deadline.hasExpired() || (process_.state() == QProcess::NotRunning && !process_.canReadLine()))
                    return failed(key);
                process_.waitForReadyRead(static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 1, 1000)));
            }
            const QString line = QString::fromUtf8(process_.readLine()).trimmed();
            const qsizetype blank = line.indexOf(u' ');
            const QString lineKey = line.left(blank);
            const QString rest = blank < 0 ? QStringLiteral("") : line.mid(blank + 1);
            if (lineKey == key)
                return rest;
            values_.emplace(lineKey, rest);
        }
    }
    void say(const QString& order) {
        process_.write((order + u'\n').toUtf8());
        process_.waitForBytesWritten(5000);
    }
    // Waits for the child's end; its "key value" lines, or nothing when it failed.
    std::multimap<QString, QString> finish(int timeoutMs) {
        process_.closeWriteChannel();
        const bool finished = process_.waitForFinished(timeoutMs);
        while (process_.canReadLine()) {
            const QString line = QString::fromUtf8(process_.readLine()).trimmed();
            const qsizetype blank = line.indexOf(u' ');
            values_.emplace(line.left(blank), blank < 0 ? QString() : line.mid(blank + 1));
        }
        if (!finished || process_.exitStatus() != QProcess::NormalExit || process_.exitCode() != 0) {
            failed(QStringLiteral("its end"));
            return {};
        }
        return values_;
    }

private:
    QString failed(const QString& waitingFor) {
        out(QStringLiteral("   child %1 failed waiting for %2:\n%3").arg(args_.join(u' '), waitingFor,
                                                                          QString::fromUtf8(process_.readAllStandardError())));
        for (const auto& [key, rest] : values_)
            if (key == QLatin1String("error"))
                out(QStringLiteral("   error %1").arg(rest));
        return QString();
    }
    QStringList args_;
    QProcess process_;
    std::multimap<QString, QString> values_;
};

struct Verdicts {
    int passed = 0;
    int failed = 0;
    void judge(double ratio, double bound, const QString& what) {
        const bool pass = ratio <= bound;
        (pass ? passed : failed) += 1;
        out(QStringLiteral("   %1 %2, bound at most %3: %4")
                .arg(what, QString::number(ratio, 'f', 2), QString::number(bound, 'f', 2),
                     pass ? QStringLiteral("PASS") : QStringLiteral("FAIL")));
    }
    void broken(const QString& why) {
        ++failed;
        out(QStringLiteral("   FAIL: %1").arg(why));
    }
};

// 1. Counting as the sign-in window does, against reading the file whole and decoding it in one go.
void countFigure(const QString& set, Verdicts& verdicts) {
    out(QStringLiteral("1. Counting the questions of the largest set as the sign-in window does, against reading "
                       "it whole and decoding it"));
    int counted = 0;
    auto licz = [&] { return signInCountMs(set, &counted); };
    qsizetype decoded = 0;
    auto whole = [&] {
        QElapsedTimer clock;
        clock.start();
        QFile file(set);
        if (!file.open(QIODevice::ReadOnly))
            return -1.0;
        const QString text = platform::decode1250(file.readAll());
        decoded = text.size();
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    };
    licz();
    whole();
    std::vector<double> countMs, wholeMs;
    for (int run = 0; run < 9; ++run) {
        countMs.push_back(licz());
        wholeMs.push_back(whole());
    }
    out(QStringLiteral("   count (Licz):           median %1 ms  runs %2  (%3 questions)")
            .arg(median(countMs), 0, 'f', 2).arg(list(countMs, 2)).arg(counted));
    out(QStringLiteral("   readAll + decode1250:   median %1 ms  runs %2  (%3 characters)")
            .arg(median(wholeMs), 0, 'f', 2).arg(list(wholeMs, 2)).arg(decoded));
    if (counted != largestSet)
        return verdicts.broken(QStringLiteral("counted %1 questions, not %2").arg(counted).arg(largestSet));
    verdicts.judge(median(countMs) / median(wholeMs), 2.0, QStringLiteral("ratio"));
}

// 2 and 3. Two whole tests on the largest set, one stopped at question 10 and one at question 30000
// (clicked through to it), timed 20 clicks at a time turn and turn about; then the one at 30000 goes on
// to its grade and, beside a whole test on a 10-question set, gives its peak of memory. Each test runs
// in its own process, so each has its own peak.
// Two tests on the largest set, paused at question 10 and at question 30000, clicked turn and turn about;
// the clicks' processor and wall-clock microseconds by the question they started at, and what the whole
// test at question 30000 reported at its end. `mode` "lab" runs both as lab exams.
struct ClickTimes {
    std::map<int, std::vector<double>> cpu, wall;
    std::multimap<QString, QString> big;
};
ClickTimes clickTimes(const QString& large, const QString& mode) {
    constexpr int rounds = 50;  // short turns, so a change in the machine's load falls on both alike
    constexpr int perRound = clickWindow / rounds;
    ClickTimes times;
    auto& [cpu, wall, big] = times;
    {
        Conversation early({QStringLiteral("test"), large, QString::number(largestSet), QStringLiteral("10"), mode});
        Conversation late({QStringLiteral("test"), large, QString::number(largestSet), QStringLiteral("30000"), mode});
        const int hour = 60 * 60 * 1000;
        const bool ready = !early.until(QStringLiteral("ready"), hour).isNull() &&
                           !late.until(QStringLiteral("ready"), hour).isNull();
        for (int round = 0; ready && round < rounds; ++round) {
            const std::pair<Conversation*, int> first{&early, 10}, second{&late, 30000};
            for (const auto& [test, at] : round % 2 == 0 ? std::array{first, second} : std::array{second, first}) {
                test->say(QStringLiteral("click %1").arg(perRound));
                const QString times = test->until(QStringLiteral("clicks"), 60000);
                for (const QString& pair : times.split(u' ', Qt::SkipEmptyParts)) {
                    cpu[at].push_back(pair.section(u',', 0, 0).toDouble());
                    wall[at].push_back(pair.section(u',', 1, 1).toDouble());
                }
            }
        }
        early.say(QStringLiteral("quit"));
        late.say(QStringLiteral("finish"));
        early.finish(60000);
        big = late.finish(hour);
    }
    return times;
}

void testFigures(const QString& large, const QString& small, Verdicts& verdicts) {
    out(QStringLiteral("2. The Start/next click at question 30000 of the largest set, against the click at question 10"));
    auto [cpu, wall, big] = clickTimes(large, QString());
    if (cpu[10].size() != clickWindow || cpu[30000].size() != clickWindow || big.empty()) {
        verdicts.broken(QStringLiteral("the whole test on the largest set did not run"));
    } else {
        for (int start : {10, 30000}) {
            out(QStringLiteral("   %1 clicks from question %2: processor median %3 us (quartiles %4 .. %5), "
                               "wall clock median %6 us (quartiles %7 .. %8, max %9)")
                    .arg(clickWindow).arg(start, 5).arg(median(cpu[start]), 0, 'f', 1)
                    .arg(quantile(cpu[start], 0.25), 0, 'f', 1).arg(quantile(cpu[start], 0.75), 0, 'f', 1)
                    .arg(median(wall[start]), 0, 'f', 1).arg(quantile(wall[start], 0.25), 0, 'f', 1)
                    .arg(quantile(wall[start], 0.75), 0, 'f', 1).arg(quantile(wall[start], 1.0), 0, 'f', 1));
        }
        out(QStringLiteral("   clicking through all %1 questions took %2 ms (sign-in %3 ms, whole test %4 ms)")
                .arg(largestSet).arg(value(big, QStringLiteral("clickthrough_ms")), value(big, QStringLiteral("signin_ms")),
                     value(big, QStringLiteral("total_ms"))));
        out(QStringLiteral("   processor ms per 1000 clicks along the way: %1").arg(value(big, QStringLiteral("blocks_cpu_ms"))));
        out(QStringLiteral("   wall-clock ratio %1 (not judged)").arg(median(wall[30000]) / median(wall[10]), 0, 'f', 2));
        verdicts.judge(median(cpu[30000]) / median(cpu[10]), 1.2, QStringLiteral("processor-time ratio"));
    }
    const auto little = child({QStringLiteral("test"), small, QString::number(smallSet), QStringLiteral("0")});

    out(QStringLiteral("3. Peak memory of a whole test on the largest set, against a whole test on a 10-question set"));
    const long long bigPeak = value(big, QStringLiteral("hwm_kib")).toLongLong();
    const long long littlePeak = value(little, QStringLiteral("hwm_kib")).toLongLong();
    if (bigPeak <= 0 || littlePeak <= 0)
        return verdicts.broken(QStringLiteral("a whole test did not run"));
    out(QStringLiteral("   %1 questions: peak %2 KiB (after start-up %3 KiB)")
            .arg(largestSet, 5).arg(bigPeak).arg(value(big, QStringLiteral("hwm_after_startup_kib"))));
    out(QStringLiteral("   %1 questions: peak %2 KiB (after start-up %3 KiB)")
            .arg(smallSet, 5).arg(littlePeak).arg(value(little, QStringLiteral("hwm_after_startup_kib"))));
    verdicts.judge(static_cast<double>(bigPeak - littlePeak) / 1024.0, 5.0, QStringLiteral("difference in MiB"));
}

// 17. and 18. A lab exam on the largest set, both shuffles on: a click at question 30000 against one at
// question 10 (the bound of figure 2), and the Start that finds where each question starts and draws the
// order against the sign-in's count of the set.
void labFigures(const QString& large, Verdicts& verdicts) {
    out(QStringLiteral("17. A lab exam's click at question 30000 of the largest set, against the click at question 10"));
    auto [cpu, wall, big] = clickTimes(large, QStringLiteral("lab"));
    if (cpu[10].size() != clickWindow || cpu[30000].size() != clickWindow || big.empty())
        return verdicts.broken(QStringLiteral("the lab exam on the largest set did not run"));
    for (int start : {10, 30000})
        out(QStringLiteral("   %1 clicks from question %2: processor median %3 us, wall clock median %4 us")
                .arg(clickWindow).arg(start, 5).arg(median(cpu[start]), 0, 'f', 1).arg(median(wall[start]), 0, 'f', 1));
    verdicts.judge(median(cpu[30000]) / median(cpu[10]), 1.2, QStringLiteral("processor-time ratio"));
    out(QStringLiteral("18. A lab exam's Start on the largest set (each question found, the order drawn), against the "
                       "sign-in that counts it"));
    const double start = value(big, QStringLiteral("start_cpu_ms")).toDouble();
    const double signIn = value(big, QStringLiteral("signin_cpu_ms")).toDouble();
    out(QStringLiteral("   Start: processor %1 ms; sign-in: processor %2 ms").arg(start, 0, 'f', 1).arg(signIn, 0, 'f', 1));
    if (start <= 0 || signIn <= 0)
        return verdicts.broken(QStringLiteral("the Start or the sign-in was not timed"));
    verdicts.judge(start / signIn, 2.0, QStringLiteral("processor-time ratio"));
}

// What a whole process cost: its processor time (user and system), its wall-clock time and its peak of
// resident memory.
struct ProcessCost {
    double cpuMs = 0;
    double wallMs = 0;
    long long peakKiB = 0;
    bool ok = false;
};

// Runs a program to its end in `folder` with the environment given, its output to `log`. The cost is the
// kernel's own account of the program, taken by a small process that starts it (see spawn_measured.cpp).
ProcessCost runProcess(const QString& program, const QProcessEnvironment& environment, const QString& folder,
                       const QString& log) {
    QProcess spawn;
    spawn.setProcessEnvironment(environment);
    spawn.start(QStringLiteral(WIEDO_BENCH_SPAWN), {folder, log, program});
    if (!spawn.waitForFinished(60000) || spawn.exitStatus() != QProcess::NormalExit || spawn.exitCode() != 0) {
        spawn.kill();
        spawn.waitForFinished(5000);
        return {};
    }
    const QStringList fields = QString::fromLatin1(spawn.readAllStandardOutput()).simplified().split(u' ');
    if (fields.size() != 4)
        return {};
    return {fields[0].toDouble(), fields[1].toDouble(), fields[2].toLongLong(), fields[3] == QLatin1String("0")};
}

// 4. The whole process of WIEDO, started in an installed program folder and ended once the instructions
// window has been painted, against the whole process of a minimal Qt Widgets program (one window, one
// label, ended once painted), turn and turn about.
void startUpFigure(Verdicts& verdicts) {
    constexpr int pairs = 41;
    out(QStringLiteral("4. The whole start-up process, to the instructions window painted, against a minimal Qt "
                       "Widgets program with one label (%1 pairs)").arg(pairs));
    QTemporaryDir folder;
    const QString install = folder.filePath(QStringLiteral("wiedo"));
    const QString home = folder.filePath(QStringLiteral("home"));
    const QString program = install + QStringLiteral("/wiedo");
    // The program folder is where the program lies: a copy of it in a folder of its own, with the files
    // that keep the first-run window and the loader's warnings away.
    if (!QDir().mkpath(install) || !QDir().mkpath(home) || !QFile::copy(QStringLiteral(WIEDO_BENCH_PROGRAM), program)) {
        return verdicts.broken(QStringLiteral("the program could not be installed in %1").arg(install));
    }
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(install + u'/' + name);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    if (!write(QStringLiteral("wiedo.ini"), "\"" + install.toUtf8() + "\"\r\n") ||
        !write(QStringLiteral("Wiedo.cfg"), "\"\"\r\n") || !write(QStringLiteral("ptk.ptk"), "40,39,34,27,19,12\r\n") ||
        !write(QStringLiteral("run.run"), "6\r\n"))
        return verdicts.broken(QStringLiteral("the program folder could not be prepared"));
    // Both with a home of their own (so the program's drive C: is private) and the same platform.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QGuiApplication::platformName());
    environment.insert(QStringLiteral("WIEDO_QUIT_WHEN_PAINTED"), QStringLiteral("Inform"));
    environment.insert(QStringLiteral("WIEDO_TRACE_WINDOWS"), QStringLiteral("1"));
    const QString log = folder.filePath(QStringLiteral("log.txt"));
    const auto wiedo = [&] {
        ProcessCost cost = runProcess(program, environment, folder.path(), log);
        QFile trace(log);
        const QByteArray shown = trace.open(QIODevice::ReadOnly) ? trace.readAll() : QByteArray();
        if (!shown.contains("shown Inform") || shown.contains("shown Witaj")) {
            out(QStringLiteral("   the program did not end at the instructions window:\n%1").arg(QString::fromUtf8(shown)));
            cost.ok = false;
        }
        return cost;
    };
    const auto minimal = [&] {
        return runProcess(QStringLiteral(WIEDO_BENCH_MINIMAL), environment, folder.path(), log);
    };
    // One of each untimed: the first start of a program reads its files from the disk.
    if (!wiedo().ok || !minimal().ok)
        return verdicts.broken(QStringLiteral("a start-up process did not end as it should"));
    std::vector<double> wCpu, wWall, wPeak, mCpu, mWall, mPeak, cpuRatios;
    for (int pair = 0; pair < pairs; ++pair) {
        ProcessCost w, m;
        if (pair % 2 == 0) {
            w = wiedo();
            m = minimal();
        } else {
            m = minimal();
            w = wiedo();
        }
        if (!w.ok || !m.ok)
            return verdicts.broken(QStringLiteral("a start-up process did not end as it should"));
        wCpu.push_back(w.cpuMs);
        wWall.push_back(w.wallMs - loaderTimerMs);
        wPeak.push_back(static_cast<double>(w.peakKiB));
        mCpu.push_back(m.cpuMs);
        mWall.push_back(m.wallMs);
        mPeak.push_back(static_cast<double>(m.peakKiB));
        cpuRatios.push_back(w.cpuMs / m.cpuMs);
    }
    out(QStringLiteral("   WIEDO:   processor median %1 ms  runs %2").arg(median(wCpu), 0, 'f', 1).arg(list(wCpu, 1)));
    out(QStringLiteral("            wall clock less the loader's %1 ms timer: median %2 ms  runs %3")
            .arg(loaderTimerMs).arg(median(wWall), 0, 'f', 1).arg(list(wWall, 1)));
    out(QStringLiteral("            peak memory median %1 KiB (%2 .. %3)")
            .arg(median(wPeak), 0, 'f', 0).arg(quantile(wPeak, 0), 0, 'f', 0).arg(quantile(wPeak, 1), 0, 'f', 0));
    out(QStringLiteral("   minimal: processor median %1 ms  runs %2").arg(median(mCpu), 0, 'f', 1).arg(list(mCpu, 1)));
    out(QStringLiteral("            wall clock median %1 ms  runs %2").arg(median(mWall), 0, 'f', 1).arg(list(mWall, 1)));
    out(QStringLiteral("            peak memory median %1 KiB (%2 .. %3)")
            .arg(median(mPeak), 0, 'f', 0).arg(quantile(mPeak, 0), 0, 'f', 0).arg(quantile(mPeak, 1), 0, 'f', 0));
    out(QStringLiteral("   wall-clock ratio %1 (not judged)").arg(median(wWall) / median(mWall), 0, 'f', 2));
    // The machine's speed drifts over a run (the same program takes 17 ms in one minute and 24 in the
    // next), so each pair, run back to back, is one measurement of the ratio and the median pair is judged.
    out(QStringLiteral("   ratio of the processor medians %1 (not judged); pairs' ratios %2 .. %3")
            .arg(median(wCpu) / median(mCpu), 0, 'f', 2)
            .arg(quantile(cpuRatios, 0.25), 0, 'f', 2)
            .arg(quantile(cpuRatios, 0.75), 0, 'f', 2));
    verdicts.judge(median(cpuRatios), 1.3, QStringLiteral("processor-time ratio (median pair)"));
    verdicts.judge((median(wPeak) - median(mPeak)) / 1024.0, 5.0, QStringLiteral("peak memory above the minimal program in MiB"));
}

// 12. One Start/next click against one synchronous repaint of the whole main window, in the same test,
// turn and turn about. Judged as a student clicks: each click and each repaint comes after a pause for
// reading (untimed). Clicks and repaints back to back, with no pause, are shown beside them and not judged.
void clickFigure(const QString& large, Verdicts& verdicts) {
    out(QStringLiteral("12. One Start/next click against one synchronous repaint of the whole main window"));
    constexpr int rounds = 20;
    constexpr int perRound = 25;
    constexpr int readingMs = 100;
    struct Series {
        QString order;
        QString answer;
        const char* name;
        std::vector<double> cpu, wall;
    };
    Series series[] = {
        {QStringLiteral("click %1 %2").arg(perRound).arg(readingMs), QStringLiteral("clicks"), "click after reading:  ", {}, {}},
        {QStringLiteral("repaint %1 %2").arg(perRound).arg(readingMs), QStringLiteral("repaints"), "repaint after reading:", {}, {}},
        {QStringLiteral("click %1").arg(perRound), QStringLiteral("clicks"), "clicks back to back:  ", {}, {}},
        {QStringLiteral("repaint %1").arg(perRound), QStringLiteral("repaints"), "repaints back to back:", {}, {}}};
    constexpr int kinds = sizeof(series) / sizeof(series[0]);
    {
        Conversation test({QStringLiteral("test"), large, QString::number(largestSet), QStringLiteral("10")});
        if (test.until(QStringLiteral("ready"), 60 * 60 * 1000).isNull())
            return verdicts.broken(QStringLiteral("the test did not reach question 10"));
        for (int round = 0; round < rounds; ++round) {
            for (int k = 0; k < kinds; ++k) {
                Series& s = series[(round + k) % kinds];
                test.say(s.order);
                const QString times = test.until(s.answer, 60000);
                if (times.isNull())
                    return verdicts.broken(QStringLiteral("the test stopped answering"));
                for (const QString& pair : times.split(u' ', Qt::SkipEmptyParts)) {
                    s.cpu.push_back(pair.section(u',', 0, 0).toDouble());
                    s.wall.push_back(pair.section(u',', 1, 1).toDouble());
                }
            }
        }
        test.say(QStringLiteral("quit"));
        test.finish(60000);
    }
    for (const Series& s : series) {
        if (s.cpu.size() != rounds * perRound)
            return verdicts.broken(QStringLiteral("not every click was timed"));
        out(QStringLiteral("   %1 processor median %2 us (quartiles %3 .. %4), wall clock median %5 us")
                .arg(QString::fromLatin1(s.name)).arg(median(s.cpu), 0, 'f', 1).arg(quantile(s.cpu, 0.25), 0, 'f', 1)
                .arg(quantile(s.cpu, 0.75), 0, 'f', 1).arg(median(s.wall), 0, 'f', 1));
    }
    out(QStringLiteral("   back to back: click against repaint %1 (not judged)")
            .arg(median(series[2].cpu) / median(series[3].cpu), 0, 'f', 2));
    out(QStringLiteral("   wall-clock ratio %1 (not judged)").arg(median(series[0].wall) / median(series[1].wall), 0, 'f', 2));
    verdicts.judge(median(series[0].cpu) / median(series[1].cpu), 3.0, QStringLiteral("processor-time ratio"));
}

// 5. The converter on the largest set with hints, against reading and decoding the set whole and writing
// as many bytes as the text file holds.
void convertFigure(const QString& large, Verdicts& verdicts) {
    out(QStringLiteral("5. Converting the largest set to text with hints, against reading and decoding it whole "
                       "and writing as many bytes"));
    QTemporaryDir folder;
    const QString text = folder.filePath(QStringLiteral("najwiekszy.txt"));
    const QString copy = folder.filePath(QStringLiteral("kopia.txt"));
    sheets::Conversion done;
    auto convert = [&] {
        QElapsedTimer clock;
        clock.start();
        done = sheets::convertToText(large, text, true);
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    };
    auto whole = [&] {
        QElapsedTimer clock;
        clock.start();
        QFile set(large);
        if (!set.open(QIODevice::ReadOnly))
            return -1.0;
        const QString decoded = platform::decode1250(set.readAll());
        QSaveFile written(copy);
        if (decoded.isEmpty() || !written.open(QIODevice::WriteOnly))
            return -1.0;
        written.write(QByteArray(QFileInfo(text).size(), 'x'));
        written.commit();
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    };
    convert();
    whole();
    std::vector<double> convertMs, wholeMs;
    for (int run = 0; run < 5; ++run) {
        convertMs.push_back(convert());
        wholeMs.push_back(whole());
    }
    out(QStringLiteral("   convert:                    median %1 ms  runs %2  (%3 questions, %4 bytes)")
            .arg(median(convertMs), 0, 'f', 2).arg(list(convertMs, 2)).arg(done.written).arg(QFileInfo(text).size()));
    out(QStringLiteral("   readAll + decode + write:   median %1 ms  runs %2")
            .arg(median(wholeMs), 0, 'f', 2).arg(list(wholeMs, 2)));
    if (done.written != largestSet || !done.damage.isEmpty())
        return verdicts.broken(QStringLiteral("converted %1 questions, not %2").arg(done.written).arg(largestSet));
    verdicts.judge(median(convertMs) / median(wholeMs), 3.0, QStringLiteral("ratio"));
}

// 6. The question sheet of the largest set printed to PDF, per question, against a 1000-question set: the
// cost of a question must not grow with the set.
void printFigure(const QString& large, const QString& thousand, Verdicts& verdicts) {
    out(QStringLiteral("6. Printing the question sheet to PDF: time per question of the largest set, against a "
                       "1000-question set"));
    QTemporaryDir folder;
    platform::QtPrinter printer;
    auto print = [&](const QString& set, int count, int* pages) {
        QElapsedTimer clock;
        clock.start();
        const auto questions = sheets::questionsToPrint(set, count);
        printer.setOutputFile(folder.filePath(QStringLiteral("arkusz.pdf")));
        sheets::printQuestionSheet(questions, printer);
        *pages = printer.lastJobFailed() ? -1 : printer.pagesOfLastJob();
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    };
    int largePages = 0, smallPages = 0;
    std::vector<double> largeMs, smallMs;
    print(thousand, 1000, &smallPages);
    for (int run = 0; run < 3; ++run) {
        largeMs.push_back(print(large, largestSet, &largePages));
        for (int i = 0; i < 3; ++i)
            smallMs.push_back(print(thousand, 1000, &smallPages));
    }
    out(QStringLiteral("   %1 questions: median %2 ms (%3 us a question)  runs %4  %5 pages")
            .arg(largestSet).arg(median(largeMs), 0, 'f', 1).arg(median(largeMs) * 1000 / largestSet, 0, 'f', 1)
            .arg(list(largeMs, 1)).arg(largePages));
    out(QStringLiteral("   1000 questions:  median %1 ms (%2 us a question)  runs %3  %4 pages")
            .arg(median(smallMs), 0, 'f', 1).arg(median(smallMs), 0, 'f', 1).arg(list(smallMs, 1)).arg(smallPages));
    if (largePages <= 0 || smallPages <= 0)
        return verdicts.broken(QStringLiteral("the PDF could not be written"));
    verdicts.judge((median(largeMs) / largestSet) / (median(smallMs) / 1000), 1.3, QStringLiteral("ratio"));
}

// 14. The set checker on the largest set against the sign-in's count of the same set: the checker looks at
// every text and every flag and hashes every question, and must still cost no more than twice the count.
void checkFigure(const QString& large, Verdicts& verdicts) {
    out(QStringLiteral("14. Checking the largest set (wiedo check) against the sign-in's count of it"));
    bridges::SetCheck checked;
    auto check = [&] { return msOf([&] { checked = bridges::checkSet(large); }); };
    int counted = 0;
    auto licz = [&] { return signInCountMs(large, &counted); };
    check();
    licz();
    std::vector<double> checkMs, countMs;
    for (int run = 0; run < 9; ++run) {
        checkMs.push_back(check());
        countMs.push_back(licz());
    }
    out(QStringLiteral("   check:                  median %1 ms  runs %2  (%3 questions, %4 findings)")
            .arg(median(checkMs), 0, 'f', 2).arg(list(checkMs, 2)).arg(checked.questions).arg(checked.findings.size()));
    out(QStringLiteral("   count (Licz):           median %1 ms  runs %2  (%3 questions)")
            .arg(median(countMs), 0, 'f', 2).arg(list(countMs, 2)).arg(counted));
    if (checked.questions != largestSet || counted != largestSet)
        return verdicts.broken(QStringLiteral("checked %1 and counted %2 questions, not %3")
                                   .arg(checked.questions).arg(counted).arg(largestSet));
    verdicts.judge(median(checkMs) / median(countMs), 2.0, QStringLiteral("ratio"));
}

std::vector<double> numbers(const std::multimap<QString, QString>& values, const QString& key) {
    std::vector<double> v;
    for (const QString& x : value(values, key).split(u' ', Qt::SkipEmptyParts))
        v.push_back(x.toDouble());
    return v;
}

// 7 to 11. The question editor on the largest set.
void editorFigures(const QString& large, const QString& small, Verdicts& verdicts) {
    out(QStringLiteral("7. to 11. The question editor on the largest set"));
    const auto values = child({QStringLiteral("editor"), large, small});
    if (values.empty())
        return verdicts.broken(QStringLiteral("the editor's scenario did not run"));
    const auto show = [&](const char* what, const QString& key) {
        const std::vector<double> v = numbers(values, key);
        out(QStringLiteral("   %1 median %2 ms  runs %3").arg(QString::fromLatin1(what)).arg(median(v), 0, 'f', 2).arg(list(v, 2)));
        return median(v);
    };
    const double rewrite = show("7. Next at question 16000 (rewrite):", QStringLiteral("rewrite_ms"));
    const double copy = show("   plain synced copy of the set:     ", QStringLiteral("copy_ms"));
    verdicts.judge(rewrite / copy, 3.0, QStringLiteral("ratio"));
    const double previous = show("8. Previous at question 30000:       ", QStringLiteral("previous_ms"));
    const double count = show("   the sign-in's count of the set:   ", QStringLiteral("count_ms"));
    verdicts.judge(previous / count, 1.5, QStringLiteral("ratio"));
    const double last = show("9. Last:                            ", QStringLiteral("last_ms"));
    verdicts.judge(last / count, 1.5, QStringLiteral("ratio against the count"));
    const double late = show("10. Append at question 30000:        ", QStringLiteral("append_late_ms"));
    const double early = show("   Append at question 10:            ", QStringLiteral("append_early_ms"));
    verdicts.judge(late / early, 1.5, QStringLiteral("ratio"));
    const long long idle = value(values, QStringLiteral("hwm_idle_kib")).toLongLong();
    const long long rewriting = value(values, QStringLiteral("hwm_rewrite_kib")).toLongLong();
    out(QStringLiteral("11. Peak memory: idle editor with the set open %1 KiB, after the rewrites %2 KiB").arg(idle).arg(rewriting));
    verdicts.judge(static_cast<double>(rewriting - idle) / 1024.0, 5.0, QStringLiteral("difference in MiB"));
}

// The questions as the platforms' XML export holds them: HTML texts in CDATA, the right answers with a
// fraction of 100, the hint as general feedback, and empty feedback beside each answer.
QByteArray quizXml(const QList<questionset::Question>& questions) {
    auto html = [](const QString& text) {
        return "<![CDATA[<p>" + text.toHtmlEscaped().replace(QStringLiteral("\r\n"), QStringLiteral("<br>")).toUtf8()
            + "</p>]]>";
    };
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n";
    for (qsizetype n = 0; n < questions.size(); ++n) {
        const questionset::Question& q = questions[n];
        const QString hint = q.texts.hint == bridges::noHint ? QString() : q.texts.hint;
        xml += "  <question type=\"multichoice\">\n    <name><text>Pytanie " + QByteArray::number(n + 1)
            + "</text></name>\n    <questiontext format=\"html\"><text>" + html(q.texts.question)
            + "</text></questiontext>\n    <generalfeedback format=\"html\"><text>" + html(hint)
            + "</text></generalfeedback>\n    <single>false</single>\n";
        for (int i = 0; i < 5; ++i) {
            if (q.texts.answers[i].isEmpty())
                continue;
            xml += "    <answer fraction=\"" + QByteArray(q.flags[i] == 1 ? "100" : "0") + "\" format=\"html\"><text>"
                + html(q.texts.answers[i]) + "</text>\n      <feedback format=\"html\"><text></text></feedback>\n"
                + "    </answer>\n";
        }
        xml += "  </question>\n";
    }
    return xml + "</quiz>\n";
}

// 13 and 19. `wiedo import` of a GIFT file (13) or an XML export (19) holding the largest set's questions,
// against reading that file whole and decoding it: the import's own work (telling the format, reading, turning
// HTML into text, checking every text for the code page, making the set's bytes) may cost at most three times
// the bare reading on top of it. Judged on processor time, as figure 2 is: on a busy machine the longer side
// loses the processor more often.
void importFigure(const QString& large, int figure, Verdicts& verdicts) {
    const bool xml = figure == 19;
    const QString kind = xml ? QStringLiteral("XML") : QStringLiteral("GIFT");
    out(QStringLiteral("%1. Importing a%2 %3 file of the largest set's questions into a new set, against reading "
                       "the file whole and decoding it").arg(figure).arg(xml ? QStringLiteral("n") : QString(), kind));
    QTemporaryDir folder;
    const QString source = folder.filePath(xml ? QStringLiteral("najwiekszy.xml") : QStringLiteral("najwiekszy.gift"));
    const QString imported = folder.filePath(QStringLiteral("zaimportowany.kwz"));
    QList<questionset::Question> questions;
    try {
        platform::OpenedFile file(large, platform::OpenMode::Input);
        records::readText(file.number());
        for (int n = 0; n < largestSet; ++n)
            questions.append(questionset::readQuestionAt(file.number()));
    } catch (const platform::FileError& e) {
        return verdicts.broken(QStringLiteral("cannot read the largest set: %1").arg(e.detail()));
    }
    {
        QSaveFile file(source);
        const QByteArray bytes = xml ? quizXml(questions) : bridges::writeGift(questions).bytes;
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 || !file.commit())
            return verdicts.broken(QStringLiteral("cannot write %1").arg(source));
    }
    // The import's work ends with the set's bytes in memory; putting them on the disk in one safe step
    // (QSaveFile waits for the disk) is timed apart and not judged, as the bare reading writes nothing.
    int taken = 0;
    QByteArray setBytes;
    // Each side is timed on the processor (what it costs, whatever else runs) and on the wall clock.
    struct Timed {
        double cpuMs = -1;
        double wallMs = -1;
    };
    auto timed = [](auto&& work) {
        QElapsedTimer clock;
        clock.start();
        const double cpu = cpuMicros();
        if (!work())
            return Timed{};
        return Timed{(cpuMicros() - cpu) / 1000, static_cast<double>(clock.nsecsElapsed()) / 1e6};
    };
    auto import = [&] {
        return timed([&] {
            QFile file(source);
            if (!file.open(QIODevice::ReadOnly))
                return false;
            const bridges::Import result = bridges::importBytes(file.readAll());
            setBytes = result.result.setBytes;
            taken = static_cast<int>(result.result.questions.size());
            return true;
        });
    };
    auto save = [&] {
        return timed([&] {
            QSaveFile set(imported);
            return set.open(QIODevice::WriteOnly) && set.write(setBytes) == setBytes.size() && set.commit();
        });
    };
    qsizetype decoded = 0;
    auto whole = [&] {
        return timed([&] {
            QFile file(source);
            if (!file.open(QIODevice::ReadOnly))
                return false;
            decoded = QString::fromUtf8(file.readAll()).size();
            return true;
        });
    };
    // Qt's XML reader alone, reading every token of the file and keeping nothing: why the import reads the
    // file with a reader of its own (shown, not judged).
    auto tokens = [&] {
        return timed([&] {
            QFile file(source);
            if (!file.open(QIODevice::ReadOnly))
                return false;
            QXmlStreamReader reader(file.readAll());
            while (!reader.atEnd())
                reader.readNext();
            return !reader.hasError();
        });
    };
    import();
    whole();
    std::vector<double> importCpu, importWall, saveWall, wholeCpu, wholeWall, tokensCpu;
    for (int run = 0; run < 7; ++run) {
        const Timed i = import();
        importCpu.push_back(i.cpuMs);
        importWall.push_back(i.wallMs);
        saveWall.push_back(save().wallMs);
        const Timed w = whole();
        wholeCpu.push_back(w.cpuMs);
        wholeWall.push_back(w.wallMs);
        if (xml)
            tokensCpu.push_back(tokens().cpuMs);
    }
    QFile original(large), back(imported);
    const bool same = original.open(QIODevice::ReadOnly) && back.open(QIODevice::ReadOnly)
        && original.readAll() == back.readAll();
    out(QStringLiteral("   import:              processor median %1 ms  runs %2  (%3 questions, %4 bytes of %5)")
            .arg(median(importCpu), 0, 'f', 2).arg(list(importCpu, 2)).arg(taken).arg(QFileInfo(source).size()).arg(kind));
    out(QStringLiteral("                        wall clock median %1 ms  runs %2")
            .arg(median(importWall), 0, 'f', 2).arg(list(importWall, 2)));
    out(QStringLiteral("   readAll + fromUtf8:  processor median %1 ms  runs %2  (%3 characters)")
            .arg(median(wholeCpu), 0, 'f', 2).arg(list(wholeCpu, 2)).arg(decoded));
    out(QStringLiteral("                        wall clock median %1 ms  runs %2")
            .arg(median(wholeWall), 0, 'f', 2).arg(list(wholeWall, 2)));
    if (xml)
        out(QStringLiteral("   QXmlStreamReader alone: processor median %1 ms  runs %2  (%3 times the reading; not judged)")
                .arg(median(tokensCpu), 0, 'f', 2).arg(list(tokensCpu, 2)).arg(median(tokensCpu) / median(wholeCpu), 0, 'f', 2));
    out(QStringLiteral("   saving the set (QSaveFile): wall clock median %1 ms  runs %2  (not judged)")
            .arg(median(saveWall), 0, 'f', 2).arg(list(saveWall, 2)));
    out(QStringLiteral("   the imported set is the largest set byte for byte: %1 (not judged)")
            .arg(same ? QStringLiteral("yes") : QStringLiteral("no")));
    if (taken != largestSet)
        return verdicts.broken(QStringLiteral("imported %1 questions, not %2").arg(taken).arg(largestSet));
    out(QStringLiteral("   wall-clock ratio %1 (not judged)").arg(median(importWall) / median(wholeWall), 0, 'f', 2));
    verdicts.judge(median(importCpu) / median(wholeCpu), 4.0, QStringLiteral("processor-time ratio"));
}

// 15. `wiedo analysis` on a log of 10,000 tests of a 40-question example set, against reading that log whole
// and decoding it: the command's work (reading every record, the set, picking the set's tests, the figures
// and the table's bytes) may cost at most three times the bare reading. Judged on processor time, as figure 13
// is; the lines on the terminal and the synced write of the table are left out, as the bare reading writes
// nothing.
void analysisFigure(Verdicts& verdicts) {
    constexpr int testCount = 10000;
    const QString set = QStringLiteral(WIEDO_BENCH_EXAMPLE_SET);
    analysis::SetContents contents;
    try {
        contents = analysis::readSetContents(set);
    } catch (const platform::FileError& e) {
        return verdicts.broken(QStringLiteral("cannot read %1: %2").arg(set, e.detail()));
    }
    out(QStringLiteral("15. Analysing a log of %1 tests of a %2-question set (wiedo analysis) against reading the "
                       "log whole and decoding it").arg(testCount).arg(contents.key.size()));
    // A class that mostly knows the answers: six in ten questions answered by the key, the others by chance.
    const QStringList firstNames{"Zofia", "Jan", "Łucja", "Mikołaj", "Agnieszka", "Paweł"};
    const QStringList surnames{"Wiśniewska", "Kowalski", "Żak", "Dąbrowski", "Szymańska", "Nowak"};
    quint32 seed = 2026;
    auto draw = [&seed](quint32 below) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % below;
    };
    QByteArray bytes;
    for (int t = 0; t < testCount; ++t) {
        grading::TestAnswers test;
        test.firstName = firstNames[t % 6];
        test.surname = surnames[t / 6 % 6];
        test.className = QStringLiteral("3A");
        test.when = QDateTime(QDate(2026, 12, 9), QTime(8, 0).addSecs(t), Qt::UTC);
        test.setPath = set;
        test.key = contents.key;
        for (const quint8 key : contents.key) {
            const quint32 chance = draw(32);
            std::array<bool, 5> ticked{};
            for (std::size_t k = 0; k < 5; ++k)
                ticked[k] = chance >> k & 1;
            test.ticked.append(draw(10) < 6 ? key : grading::answerMask(ticked));
        }
        bytes += grading::formatAnswersRecord(test);
    }
    QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("odpowiedzi.txt"));
    {
        QSaveFile file(log);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            return verdicts.broken(QStringLiteral("cannot write %1").arg(log));
    }
    auto cpuMsOf = [](auto&& work) {
        const double cpu = cpuMicros();
        work();
        return (cpuMicros() - cpu) / 1000;
    };
    qsizetype analysed = 0, faults = 0, tableBytes = 0, decoded = 0;
    auto command = [&] {
        QFile file(log);
        if (!file.open(QIODevice::ReadOnly))
            return;
        const analysis::AnswersLog parsed = analysis::parseAnswersLog(file.readAll());
        const analysis::SetContents now = analysis::readSetContents(set);
        const QList<const grading::TestAnswers*> taken = analysis::testsOfSet(parsed, set, now.key.size());
        tableBytes = analysis::analysisTable(now, analysis::analyse(now, taken)).size();
        analysed = taken.size();
        faults = parsed.faults.size();
    };
    auto whole = [&] {
        QFile file(log);
        if (file.open(QIODevice::ReadOnly))
            decoded = platform::decode1250(file.readAll()).size();
    };
    cpuMsOf(command);
    cpuMsOf(whole);
    std::vector<double> commandMs, wholeMs;
    for (int run = 0; run < 7; ++run) {
        commandMs.push_back(cpuMsOf(command));
        wholeMs.push_back(cpuMsOf(whole));
    }
    out(QStringLiteral("   analysis:               processor median %1 ms  runs %2  (%3 tests, %4 bytes of log, %5 bytes "
                       "of table)")
            .arg(median(commandMs), 0, 'f', 2).arg(list(commandMs, 2)).arg(analysed).arg(bytes.size()).arg(tableBytes));
    out(QStringLiteral("   readAll + decode1250:   processor median %1 ms  runs %2  (%3 characters)")
            .arg(median(wholeMs), 0, 'f', 2).arg(list(wholeMs, 2)).arg(decoded));
    if (analysed != testCount || faults != 0)
        return verdicts.broken(QStringLiteral("analysed %1 tests with %2 faults, not %3 whole tests")
                                   .arg(analysed).arg(faults).arg(testCount));
    verdicts.judge(median(commandMs) / median(wholeMs), 3.0, QStringLiteral("processor-time ratio"));
}

// 16. The results window opened on a results log of 10,000 records, until it is painted with its table
// filled, against `wiedo results` writing the same log as a table, in processor time: the window reads the
// same log, so it may cost at most three times the command.
void resultsWindowFigure(Verdicts& verdicts) {
    out(QStringLiteral("16. Opening the results window on a log of %1 records against `wiedo results` on the same "
                       "log").arg(resultsRecords));
    const auto values = child({QStringLiteral("results")});
    if (values.empty())
        return verdicts.broken(QStringLiteral("the results window's scenario did not run"));
    const std::vector<double> window = numbers(values, QStringLiteral("window_cpu_ms"));
    const std::vector<double> command = numbers(values, QStringLiteral("command_cpu_ms"));
    out(QStringLiteral("   window:         processor median %1 ms  runs %2  (%3 rows)")
            .arg(median(window), 0, 'f', 2).arg(list(window, 2)).arg(value(values, QStringLiteral("rows"))));
    out(QStringLiteral("   wiedo results:  processor median %1 ms  runs %2")
            .arg(median(command), 0, 'f', 2).arg(list(command, 2)));
    if (value(values, QStringLiteral("rows")).toInt() != resultsRecords)
        return verdicts.broken(QStringLiteral("the window showed %1 rows, not %2")
                                   .arg(value(values, QStringLiteral("rows"))).arg(resultsRecords));
    verdicts.judge(median(window) / median(command), 3.0, QStringLiteral("processor-time ratio"));
}

int runAll() {
    QTemporaryDir folder;
    if (!folder.isValid()) {
        out(QStringLiteral("cannot make a temporary folder"));
        return 2;
    }
    const QString large = folder.filePath(QStringLiteral("najwiekszy.kwz"));
    const QString small = folder.filePath(QStringLiteral("maly.kwz"));
    const QString thousand = folder.filePath(QStringLiteral("tysiac.kwz"));
    QElapsedTimer generation;
    generation.start();
    if (!bench::writeSet(large, largestSet) || !bench::writeSet(small, smallSet) || !bench::writeSet(thousand, 1000)) {
        out(QStringLiteral("cannot write the question sets in %1").arg(folder.path()));
        return 2;
    }
    out(QStringLiteral("WIEDO benchmarks (Qt %1, %2 platform)").arg(QString::fromLatin1(qVersion()), QGuiApplication::platformName()));
    out(QStringLiteral("Question sets: %1 questions (%2 bytes) and %3 questions (%4 bytes), generated in %5 ms")
            .arg(largestSet).arg(QFileInfo(large).size()).arg(smallSet).arg(QFileInfo(small).size())
            .arg(generation.elapsed()));
    out(QStringLiteral("(texts repeat after %1 questions, so question 30000 shows the texts of question 10)")
            .arg(bench::repeatPeriod));
    Verdicts verdicts;
    const QString only = qEnvironmentVariable("WIEDO_BENCH_ONLY");  // "5,6": just those figures
    auto wanted = [&](int figure) { return only.isEmpty() || only.split(u',').contains(QString::number(figure)); };
    if (wanted(1))
        countFigure(large, verdicts);
    if (wanted(2) || wanted(3))
        testFigures(large, small, verdicts);
    if (wanted(4))
        startUpFigure(verdicts);
    if (wanted(5))
        convertFigure(large, verdicts);
    if (wanted(6))
        printFigure(large, thousand, verdicts);
    if (wanted(7) || wanted(8) || wanted(9) || wanted(10) || wanted(11))
        editorFigures(large, small, verdicts);
    if (wanted(12))
        clickFigure(large, verdicts);
    if (wanted(13))
        importFigure(large, 13, verdicts);
    if (wanted(14))
        checkFigure(large, verdicts);
    if (wanted(15))
        analysisFigure(verdicts);
    if (wanted(17) || wanted(18))
        labFigures(large, verdicts);
    if (wanted(16))
        resultsWindowFigure(verdicts);
    if (wanted(19))
        importFigure(large, 19, verdicts);
    out(QStringLiteral("%1 passed, %2 failed").arg(verdicts.passed).arg(verdicts.failed));
    return verdicts.failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--child"))
        return runChild(args.mid(2));
    return runAll();
}
