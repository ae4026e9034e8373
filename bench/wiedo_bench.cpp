// The benchmarks. Every figure is a ratio of two measurements taken in the same run, so a busy machine
// moves both sides alike; each is printed with its bound, PASS or FAIL, and the raw timings.
// What needs a fresh process (a peak of memory, a start-up) runs in a child: this program started again
// as "wiedo_bench --child <scenario> ...", which prints "key value..." lines for the parent to read.
#include "bench_data.h"

#include "main/main_session.h"
#include "platform/codepage.h"
#include "startup/loader.h"
#include "testing/question_reader.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <vector>

namespace {

constexpr int largestSet = 32767;  // the editor's limit: question numbers are signed 16-bit
constexpr int smallSet = 10;
constexpr int clickWindow = 200;
constexpr int loaderTimerMs = 20;

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

// Notes the moments the start-up passes: the first time each watched object gets each watched event.
class Milestones : public QObject {
public:
    struct Watch {
        QString object;
        QEvent::Type event;
        QString label;
    };
    Milestones(QList<Watch> watches, const QElapsedTimer& clock) : watches_(std::move(watches)), clock_(clock) {
        qApp->installEventFilter(this);
    }
    // Milliseconds from the clock's start to the milestone, or -1 when it has not come.
    double ms(const QString& label) const {
        const auto found = at_.find(label);
        return found == at_.end() ? -1 : static_cast<double>(found->second) / 1e6;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        for (const Watch& watch : watches_)
            if (event->type() == watch.event && object->objectName() == watch.object && !at_.count(watch.label))
                at_[watch.label] = clock_.nsecsElapsed();
        return false;
    }

private:
    QList<Watch> watches_;
    const QElapsedTimer& clock_;
    std::map<QString, qint64> at_;
};

bool waitFor(const Milestones& milestones, const QString& label) {
    QDeadlineTimer deadline(20000);
    while (milestones.ms(label) < 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return milestones.ms(label) >= 0;
}

// ---- child scenarios ---------------------------------------------------------------------------------

// A whole test as a student takes it: start-up, the open command, sign-in, Start and a click for every
// question, the grade window and its record in the results log. Clicks starting at the questions in
// `windows` are timed one by one (the click and the events it leaves behind).
int childTest(const QString& set, int questions, const QList<int>& windows) {
    QElapsedTimer total;
    total.start();
    testsupport::ProgramFixture fx;
    testsupport::ScriptedDialogs dialogs;
    windows::Wiedo& main = mainsession::start(fx);
    out(QStringLiteral("hwm_after_startup_kib %1").arg(peakKiB()));
    QElapsedTimer signIn;
    signIn.start();
    mainsession::openAndSignIn(main, dialogs, set);
    out(QStringLiteral("signin_ms %1").arg(static_cast<double>(signIn.nsecsElapsed()) / 1e6, 0, 'f', 2));
    if (main.Label12->text() != QString::number(questions)) {
        out(QStringLiteral("error the sign-in counted \"%1\" questions").arg(main.Label12->text()));
        return 1;
    }
    mainsession::closeGradeWindowWhenShown();

    mainsession::next(main);  // Start: question 1
    std::map<int, std::vector<double>> wall, cpu;
    QElapsedTimer clickThrough;
    clickThrough.start();
    QElapsedTimer click;
    double cpuBefore = 0;
    for (int q = 1; q <= questions; ++q) {
        if (main.Label10->text() != QString::number(q)) {
            out(QStringLiteral("error question %1 expected on screen, \"%2\" shown").arg(q).arg(main.Label10->text()));
            return 1;
        }
        const auto window = std::find_if(windows.begin(), windows.end(),
                                         [q](int start) { return q >= start && q < start + clickWindow; });
        if (window != windows.end()) {
            cpuBefore = cpuMicros();
            click.start();
        }
        mainsession::next(main);
        QCoreApplication::processEvents();
        if (window != windows.end()) {
            wall[*window].push_back(static_cast<double>(click.nsecsElapsed()) / 1e3);
            cpu[*window].push_back(cpuMicros() - cpuBefore);
        }
    }
    out(QStringLiteral("clickthrough_ms %1").arg(static_cast<double>(clickThrough.nsecsElapsed()) / 1e6, 0, 'f', 0));

    const QByteArray log = fx.read(QStringLiteral("wyniki.txt"));
    const QByteArray finalLine = platform::encode1250(QStringLiteral("  na %1\r\n").arg(questions));
    if (main.Label10->text() != QStringLiteral("0") || !log.contains(finalLine) || !dialogs.ok() ||
        !fx.leftovers().isEmpty()) {
        out(QStringLiteral("error the test did not end with its grade: %1 %2").arg(dialogs.report(), fx.leftovers()));
        return 1;
    }
    for (const auto& [start, micros] : wall)
        out(QStringLiteral("clicks_wall_us %1 %2").arg(start).arg(list(micros, 1)));
    for (const auto& [start, micros] : cpu)
        out(QStringLiteral("clicks_cpu_us %1 %2").arg(start).arg(list(micros, 1)));
    out(QStringLiteral("hwm_kib %1").arg(peakKiB()));
    out(QStringLiteral("total_ms %1").arg(static_cast<double>(total.nsecsElapsed()) / 1e6, 0, 'f', 0));
    return 0;
}

// The start procedure on an installed program folder, until the instructions window shows.
int childStartUp() {
    testsupport::ProgramFixture fx;
    testsupport::ScriptedDialogs dialogs;
    platform::setFixedNow(mainsession::fixedNow);
    fx.writeWiedoIni();
    fx.write(QStringLiteral("Wiedo.cfg"), "\"\"\r\n");
    fx.write(QStringLiteral("ptk.ptk"), "40,39,34,27,19,12\r\n");
    fx.write(QStringLiteral("run.run"), "6\r\n");
    QElapsedTimer clock;
    const Milestones milestones({{QStringLiteral("LoadT"), QEvent::Show, QStringLiteral("loader_shown")},
                                 {QStringLiteral("LoadT"), QEvent::Paint, QStringLiteral("loader_painting")},
                                 {QStringLiteral("Timer2"), QEvent::Timer, QStringLiteral("loading")},
                                 {QStringLiteral("Inform"), QEvent::Show, QStringLiteral("shown")}},
                                clock);
    clock.start();
    ui::guarded(startup::Main);
    if (!waitFor(milestones, QStringLiteral("shown")) || !dialogs.ok()) {
        out(QStringLiteral("error the instructions window did not show: %1").arg(dialogs.report()));
        return 1;
    }
    out(QStringLiteral("ms %1").arg(milestones.ms(QStringLiteral("shown")), 0, 'f', 3));
    out(QStringLiteral("milestones %1 %2 %3")
            .arg(milestones.ms(QStringLiteral("loader_shown")), 0, 'f', 3)
            .arg(milestones.ms(QStringLiteral("loader_painting")), 0, 'f', 3)
            .arg(milestones.ms(QStringLiteral("loading")), 0, 'f', 3));
    const QSize loader = ui::forms().byName(QStringLiteral("LoadT")).size();
    const QSize inform = ui::forms().byName(QStringLiteral("Inform")).size();
    out(QStringLiteral("sizes %1 %2 %3 %4").arg(loader.width()).arg(loader.height()).arg(inform.width()).arg(inform.height()));
    return 0;
}

// Two plain windows of the loader's and the instructions window's sizes, created and shown.
int childPlain(QSize first, QSize second) {
    QElapsedTimer clock;
    const Milestones milestones({{QStringLiteral("second"), QEvent::Show, QStringLiteral("shown")}}, clock);
    clock.start();
    QWidget a;
    a.resize(first);
    a.show();
    QWidget b;
    b.setObjectName(QStringLiteral("second"));
    b.resize(second);
    b.show();
    if (!waitFor(milestones, QStringLiteral("shown")))
        return 1;
    out(QStringLiteral("ms %1").arg(milestones.ms(QStringLiteral("shown")), 0, 'f', 3));
    return 0;
}

int runChild(const QStringList& args) {
    const QString scenario = args.value(0);
    if (scenario == QLatin1String("test")) {
        QList<int> windows;
        for (const QString& start : args.value(3).split(u',', Qt::SkipEmptyParts))
            windows << start.toInt();
        return childTest(args.value(1), args.value(2).toInt(), windows);
    }
    if (scenario == QLatin1String("startup"))
        return childStartUp();
    // A set written where asked, for looking at one scenario alone (with a profiler, say).
    if (scenario == QLatin1String("write"))
        return bench::writeSet(args.value(1), args.value(2).toInt()) ? 0 : 1;
    if (scenario == QLatin1String("plain"))
        return childPlain(QSize(args.value(1).toInt(), args.value(2).toInt()),
                          QSize(args.value(3).toInt(), args.value(4).toInt()));
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
    testing::QuestionReader& reader = testing::QuestionReader::instance();
    int counted = 0;
    auto licz = [&] {
        QElapsedTimer clock;
        clock.start();
        // The open command leaves the reader after the header; the sign-in counts from there, closes the
        // set and reopens it at the first question.
        reader.open(set);
        reader.readHeader();
        reader.ensureOpen();
        counted = reader.countQuestions();
        reader.close();
        reader.open(set);
        reader.readHeader();
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        reader.close();
        return ms;
    };
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

// 2 and 3. The whole test on the largest set, with clicks timed at question 10 and 30000, then on a
// 10-question set; each in its own process, so each has its own peak of memory.
void testFigures(const QString& large, const QString& small, Verdicts& verdicts) {
    const auto big = child({QStringLiteral("test"), large, QString::number(largestSet), QStringLiteral("10,30000")});
    const auto little = child({QStringLiteral("test"), small, QString::number(smallSet), QString()});

    out(QStringLiteral("2. The Start/next click at question 30000 of the largest set, against the click at question 10"));
    // Each click's processor time and wall-clock time; the verdict is on processor time, which other
    // programs on a shared machine do not stretch.
    auto clicks = [&big](const QString& key) {
        std::map<int, std::vector<double>> byStart;
        for (auto [it, end] = big.equal_range(key); it != end; ++it) {
            const QStringList parts = it->second.split(u' ');
            std::vector<double>& v = byStart[parts.value(0).toInt()];
            for (qsizetype i = 1; i < parts.size(); ++i)
                v.push_back(parts[i].toDouble());
        }
        return byStart;
    };
    auto cpu = clicks(QStringLiteral("clicks_cpu_us"));
    auto wall = clicks(QStringLiteral("clicks_wall_us"));
    if (cpu[10].size() != clickWindow || cpu[30000].size() != clickWindow) {
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
        out(QStringLiteral("   clicking through all %1 questions took %2 ms (sign-in %3 ms, whole child %4 ms)")
                .arg(largestSet).arg(value(big, QStringLiteral("clickthrough_ms")), value(big, QStringLiteral("signin_ms")),
                     value(big, QStringLiteral("total_ms"))));
        out(QStringLiteral("   wall-clock ratio %1 (not judged)").arg(median(wall[30000]) / median(wall[10]), 0, 'f', 2));
        verdicts.judge(median(cpu[30000]) / median(cpu[10]), 1.2, QStringLiteral("processor-time ratio"));
    }

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

// 4. Start-up to the instructions window, less the loader's 20 ms timer, against two plain windows.
void startUpFigure(Verdicts& verdicts) {
    out(QStringLiteral("4. Start-up to the instructions window (less the loader's %1 ms timer), against creating "
                       "and showing two plain windows of the same sizes").arg(loaderTimerMs));
    std::vector<double> startMs, plainMs;
    QStringList sizes;
    for (int run = 0; run < 7; ++run) {
        const auto started = child({QStringLiteral("startup")});
        sizes = value(started, QStringLiteral("sizes")).split(u' ');
        if (sizes.size() != 4)
            return verdicts.broken(QStringLiteral("the start-up did not reach the instructions window"));
        startMs.push_back(value(started, QStringLiteral("ms")).toDouble() - loaderTimerMs);
        const auto plain = child(QStringList{QStringLiteral("plain")} + sizes);
        if (plain.empty())
            return verdicts.broken(QStringLiteral("the plain windows did not show"));
        plainMs.push_back(value(plain, QStringLiteral("ms")).toDouble());
    }
    out(QStringLiteral("   start-up:      median %1 ms  runs %2").arg(median(startMs), 0, 'f', 2).arg(list(startMs, 2)));
    out(QStringLiteral("   plain windows: median %1 ms  runs %2  (%3x%4 and %5x%6 pixels)")
            .arg(median(plainMs), 0, 'f', 2).arg(list(plainMs, 2))
            .arg(sizes[0], sizes[1], sizes[2], sizes[3]));
    verdicts.judge(median(startMs) / median(plainMs), 3.0, QStringLiteral("ratio"));
}

int runAll() {
    QTemporaryDir folder;
    if (!folder.isValid()) {
        out(QStringLiteral("cannot make a temporary folder"));
        return 2;
    }
    const QString large = folder.filePath(QStringLiteral("najwiekszy.kwz"));
    const QString small = folder.filePath(QStringLiteral("maly.kwz"));
    QElapsedTimer generation;
    generation.start();
    if (!bench::writeSet(large, largestSet) || !bench::writeSet(small, smallSet)) {
        out(QStringLiteral("cannot write the question sets in %1").arg(folder.path()));
        return 2;
    }
    out(QStringLiteral("WIEDO benchmarks (Qt %1, %2 platform)").arg(QString::fromLatin1(qVersion()), QGuiApplication::platformName()));
    out(QStringLiteral("Question sets: %1 questions (%2 bytes) and %3 questions (%4 bytes), generated in %5 ms")
            .arg(largestSet).arg(QFileInfo(large).size()).arg(smallSet).arg(QFileInfo(small).size())
            .arg(generation.elapsed()));
    Verdicts verdicts;
    countFigure(large, verdicts);
    testFigures(large, small, verdicts);
    startUpFigure(verdicts);
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
