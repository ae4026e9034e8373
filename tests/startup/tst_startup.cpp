// The start procedure and the loader's seven checks, driven headless with scripted dialogs.
#include "platform/clock.h"
#include "platform/filetable.h"
#include "platform/instance_lock.h"
#include "platform/paths.h"
#include "startup/loader.h"
#include "support/program_fixture.h"
#include "support/scripted_dialogs.h"
#include "ui/form.h"
#include "windows/registry.h"
#include "windows/temp/temp_window.h"
#include "windows/welcome/witaj.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QSysInfo>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;

namespace {

const QString cfgPrompt = QStringLiteral("Brak pliku WIEDO.CFG, lub jest on uszkodzony. ");
const QString ptkPrompt =
    QStringLiteral("Brak pliku PTK.PTK, lub jest on uszkodzony. Tworzę nowy z domyślnymi ustawieniami");

void expectCfgMessage(ScriptedDialogs& d) {
    d.expectMessage(cfgPrompt, QStringLiteral("Błąd"), Icon::Exclamation);
}
void expectPtkMessage(ScriptedDialogs& d) {
    d.expectMessage(ptkPrompt, QStringLiteral("Brak pliku PTK.PTK"), Icon::Exclamation);
}

// A welcome window left by its close box, as a user who does not answer its questions would.
void closeWelcomeByCloseBox() {
    ui::forms().queueModalScript(QStringLiteral("Witaj"), [](ui::Form& form) { form.close(); });
}

bool visible(const char* name) {
    ui::Form* form = ui::forms().findLoaded(QString::fromLatin1(name));
    return form && form->isVisible();
}

QByteArray quoted(const QString& text) { return "\"" + testsupport::cp1250(text) + "\""; }

// A folder set up before: the first-run marker, an empty password and the default grading scale, so
// the loading runs through without a message.
void writeSettings(const ProgramFixture& fx) {
    fx.writeWiedoIni();
    fx.write("Wiedo.cfg", "\"\"\r\n");
    fx.write("ptk.ptk", "40,39,34,27,19,12\r\n");
}

}  // namespace

class tst_Startup : public QObject {
    Q_OBJECT
private slots:
    void firstRunShowsWelcomeTwice();
    void firstRunEndedFromWelcome();
    void installedFolderLeavesExactFiles();
    void runCounter_data();
    void runCounter();
    void jokeFilesRemadeOnlyWhenChanged_data();
    void jokeFilesRemadeOnlyWhenChanged();
    void damagedFiles_data();
    void damagedFiles();
    void workFileCannotBeCreated();
    void workFileLinkIsNotFollowed();
    void secondCopyIsRefused();
    void staleLockDoesNotBlock();
    void birthdayGreeting();
    void progressAndStatusTexts();
    void loaderCloseBoxDoesNothing();
    void unwritableProgramFolderGoesOn();
    void realExecutableReachesWelcome();
    void realExecutableQuitsWhenAskedOncePainted();
};

void tst_Startup::firstRunShowsWelcomeTwice() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    closeWelcomeByCloseBox();
    closeWelcomeByCloseBox();
    expectCfgMessage(dialogs);
    expectPtkMessage(dialogs);
    QVERIFY(fx.startUp());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    QVERIFY(visible("Inform"));
    QCOMPARE(fx.read("Wiedo.cfg"), QByteArray("\"\"\r\n"));
    QCOMPARE(fx.read("ptk.ptk"), QByteArray("40,39,34,27,19,12\r\n"));
    QCOMPARE(fx.read("run.run"), QByteArray("1\r\n"));
    QVERIFY(fx.exists("Data.dat"));
    QVERIFY(fx.exists("wiedo.dat"));
}

void tst_Startup::firstRunEndedFromWelcome() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    ui::forms().queueModalScript(QStringLiteral("Witaj"), [](ui::Form& form) {
        QTest::mouseClick(static_cast<windows::Witaj&>(form).Kon, Qt::LeftButton);
    });
    QVERIFY(fx.startUp());
    QVERIFY(ui::forms().hasEnded());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    QVERIFY(!visible("Inform"));
    // The loading stopped inside its first check: nothing was written.
    QVERIFY(!QFile::exists(fx.driveC() + "/test.tmp"));
    QVERIFY(!fx.exists("run.run"));
}

void tst_Startup::installedFolderLeavesExactFiles() {
    ProgramFixture fx;
    fx.writeWiedoIni();
    ScriptedDialogs dialogs;
    expectCfgMessage(dialogs);
    expectPtkMessage(dialogs);
    QVERIFY(fx.startUp());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(visible("Inform"));
    QVERIFY(!visible("LoadT"));
    QVERIFY(!visible("Wiedo"));
    QCOMPARE(fx.read("Wiedo.cfg"), QByteArray("\"\"\r\n"));
    QCOMPARE(fx.read("ptk.ptk"), QByteArray("40,39,34,27,19,12\r\n"));
    QCOMPARE(fx.read("run.run"), QByteArray("1\r\n"));
    QCOMPARE(fx.read("Data.dat"),
             testsupport::cp1250(QStringLiteral("Czego tu szukasz !?\r\n\r\nPS.\r\nCiekawość to pierwszy "
                                                "stopień do piekła !!!\r\n")));
    QCOMPARE(fx.read("wiedo.dat"), QByteArray("-Czego tu szukasz !?\r\n-Niczego\r\n-To po co tu zagladasz "
                                              "?\r\n-Bo jestem kretynem\r\n-Aha !\r\n"));
    const QByteArray folder = quoted(fx.programFolderText());
    QCOMPARE(fx.readDriveC("test.tmp"), folder + "," + folder + "\r\n");
    auto& temp = ui::forms().get<windows::TEMP>();
    QCOMPARE(temp.Text1->text(), fx.programFolderText());
    QCOMPARE(temp.Text2->text(), fx.programFolderText());
    // "GRAM !!!" leads on to the main window.
    auto* gram = ui::forms().findLoaded("Inform")->findChild<QPushButton*>("Command1");
    QVERIFY(gram);
    QTest::mouseClick(gram, Qt::LeftButton);
    QVERIFY(!visible("Inform"));
    QVERIFY(visible("Wiedo"));
}

void tst_Startup::runCounter_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("missing") << QByteArray() << QByteArray("1\r\n");
    QTest::newRow("one") << QByteArray("1\r\n") << QByteArray("2\r\n");
    QTest::newRow("five") << QByteArray("5\r\n") << QByteArray("6\r\n");
    QTest::newRow("998") << QByteArray("998\r\n") << QByteArray("999\r\n");
    QTest::newRow("999_wraps") << QByteArray("999\r\n") << QByteArray("1\r\n");
    QTest::newRow("zero") << QByteArray("0\r\n") << QByteArray("1\r\n");
    QTest::newRow("not_a_number") << QByteArray("abc\r\n") << QByteArray("1\r\n");
    QTest::newRow("overflow") << QByteArray("40000\r\n") << QByteArray("1\r\n");
    QTest::newRow("empty_file") << QByteArray("") << QByteArray("1\r\n");
}

void tst_Startup::runCounter() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    ProgramFixture fx;
    writeSettings(fx);
    if (!before.isNull() || QByteArray(QTest::currentDataTag()) == "empty_file")
        fx.write("run.run", before);
    ScriptedDialogs dialogs;
    QVERIFY(fx.startUp());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.read("run.run"), after);
}

void tst_Startup::jokeFilesRemadeOnlyWhenChanged_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("replaced");
    const QByteArray lines = "-Czego tu szukasz !?\r\n-Niczego\r\n-To po co tu zagladasz ?\r\n-Bo jestem kretynem\r\n-Aha !\r\n";
    QTest::newRow("same_lines_left") << lines << false;
    QTest::newRow("changed_line_remade") << QByteArray(lines).replace("Aha", "Oho") << true;
    QTest::newRow("one_byte_more_remade") << lines + " " << true;
    QTest::newRow("emptied_remade") << QByteArray("") << true;
}

void tst_Startup::jokeFilesRemadeOnlyWhenChanged() {
    QFETCH(QByteArray, before);
    QFETCH(bool, replaced);
    ProgramFixture fx;
    writeSettings(fx);
    fx.write("wiedo.dat", before);
    // A file put in place of the old one, or written over, is one of a later time.
    QFile old(fx.path("wiedo.dat"));
    QVERIFY(old.open(QIODevice::ReadWrite));
    QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    old.close();
    const auto changed = [&fx] { return QFileInfo(fx.path("wiedo.dat")).lastModified(); };
    const QDateTime timeBefore = changed();
    ScriptedDialogs dialogs;
    QVERIFY(fx.startUp());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.read("wiedo.dat"), QByteArray("-Czego tu szukasz !?\r\n-Niczego\r\n-To po co tu zagladasz "
                                              "?\r\n-Bo jestem kretynem\r\n-Aha !\r\n"));
    QCOMPARE(changed() != timeBefore, replaced);
}

void tst_Startup::damagedFiles_data() {
    QTest::addColumn<QByteArray>("cfg");
    QTest::addColumn<QByteArray>("ptk");
    QTest::addColumn<bool>("cfgMessage");
    QTest::addColumn<bool>("ptkMessage");
    QTest::addColumn<QByteArray>("cfgAfter");
    QTest::addColumn<QByteArray>("ptkAfter");
    const QByteArray def("40,39,34,27,19,12\r\n");
    QTest::newRow("both_good") << QByteArray("\"tajne\"\r\n") << QByteArray("1,2,3,4,5,6\r\n") << false
                               << false << QByteArray("\"tajne\"\r\n") << QByteArray("1,2,3,4,5,6\r\n");
    QTest::newRow("cfg_empty_file") << QByteArray("") << def << true << false << QByteArray("\"\"\r\n")
                                    << def;
    QTest::newRow("ptk_five_numbers") << QByteArray("\"\"\r\n") << QByteArray("40,39,34,27,19\r\n") << false
                                      << true << QByteArray("\"\"\r\n") << def;
    QTest::newRow("ptk_six_lines") << QByteArray("\"\"\r\n") << QByteArray("9\r\n8\r\n7\r\n6\r\n5\r\n4\r\n")
                                   << false << false << QByteArray("\"\"\r\n")
                                   << QByteArray("9\r\n8\r\n7\r\n6\r\n5\r\n4\r\n");
    QTest::newRow("ptk_six_texts_pass") << QByteArray("\"\"\r\n") << QByteArray("a,b,\"c\",d,e,f\r\n")
                                        << false << false << QByteArray("\"\"\r\n")
                                        << QByteArray("a,b,\"c\",d,e,f\r\n");
    QTest::newRow("binary_cfg_passes") << QByteArray("\x01\x02\xff\x00zz", 6) << def << false << false
                                       << QByteArray("\x01\x02\xff\x00zz", 6) << def;
    QTest::newRow("ptk_empty") << QByteArray("\"\"\r\n") << QByteArray("") << false << true
                               << QByteArray("\"\"\r\n") << def;
}

void tst_Startup::damagedFiles() {
    QFETCH(QByteArray, cfg);
    QFETCH(QByteArray, ptk);
    QFETCH(bool, cfgMessage);
    QFETCH(bool, ptkMessage);
    QFETCH(QByteArray, cfgAfter);
    QFETCH(QByteArray, ptkAfter);
    ProgramFixture fx;
    fx.writeWiedoIni();
    fx.write("wiedo.cfg", cfg);  // another letter case than the one the file is recreated with
    fx.write("ptk.ptk", ptk);
    ScriptedDialogs dialogs;
    if (cfgMessage)
        expectCfgMessage(dialogs);
    if (ptkMessage)
        expectPtkMessage(dialogs);
    QVERIFY(fx.startUp());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.read("wiedo.cfg"), cfgAfter);
    QVERIFY2(!fx.exists("Wiedo.cfg") || QFile(fx.path("Wiedo.cfg")).fileName().endsWith("Wiedo.cfg"),
             "a second password file beside the first");
    QCOMPARE(fx.read("ptk.ptk"), ptkAfter);
}

void tst_Startup::workFileCannotBeCreated() {
    ProgramFixture fx;
    fx.writeWiedoIni();
    // A folder where the work file belongs: it can be neither deleted as a file nor created.
    QVERIFY(QDir().mkpath(fx.driveC() + "/test.tmp/inside"));
    ScriptedDialogs dialogs;
    dialogs.expectMessage(QStringLiteral("Błąd z plikiem przejściowym. Najprawdopodobniej uruchomiłeś 2 razy "
                                         "ten sam program. Zakończ działanie tego programu, i ponownie "
                                         "uruchom WINDOWS"),
                          QStringLiteral("Błąd pliku przejściowego"), Icon::Exclamation, Buttons::Ok,
                          Answer::Ok, [] {
                              auto& loader = ui::forms().get<startup::LoadT>();
                              QCOMPARE(loader.PrB->value(), 4);
                          });
    QVERIFY(fx.startUp());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(ui::forms().hasEnded());
    QVERIFY(!visible("Inform"));
    QVERIFY(!fx.exists("run.run"));
}

void tst_Startup::workFileLinkIsNotFollowed() {
    ProgramFixture fx;
    writeSettings(fx);
    const QString victim = fx.root() + "/victim.txt";
    fx.write(victim, "keep me");
    QVERIFY(QFile::link(victim, fx.driveC() + "/test.tmp"));
    ScriptedDialogs dialogs;
    QVERIFY(fx.startUp());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.read(victim), QByteArray("keep me"));
    QVERIFY(!QFileInfo(fx.driveC() + "/test.tmp").isSymLink());
    QVERIFY(fx.readDriveC("test.tmp").startsWith('"'));
}

void tst_Startup::secondCopyIsRefused() {
    ProgramFixture fx;
    fx.writeWiedoIni();
    // Another copy of the program runs and holds the lock beside its work file.
    platform::InstanceLock other;
    QVERIFY(other.take(fx.driveC() + "/test.tmp.lock"));
    const QByteArray othersWorkFile = "\"/elsewhere/\",\"/elsewhere/sets/\"\r\n";
    fx.write(fx.driveC() + "/test.tmp", othersWorkFile);
    ScriptedDialogs dialogs;
    dialogs.expectMessage(QStringLiteral("Błąd z plikiem przejściowym. Najprawdopodobniej uruchomiłeś 2 razy "
                                         "ten sam program. Zakończ działanie tego programu, i ponownie "
                                         "uruchom WINDOWS"),
                          QStringLiteral("Błąd pliku przejściowego"), Icon::Exclamation);
    QVERIFY(fx.startUp());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(ui::forms().hasEnded());
    // The running copy keeps its work file as it was.
    QCOMPARE(fx.readDriveC("test.tmp"), othersWorkFile);
}

void tst_Startup::staleLockDoesNotBlock() {
    ProgramFixture fx;
    writeSettings(fx);
    // A lock left by a copy that died: its process no longer exists.
    fx.write(fx.driveC() + "/test.tmp.lock", "2147483000\nwiedo\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    ScriptedDialogs dialogs;
    QVERIFY(fx.startUp());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(!ui::forms().hasEnded());
    QVERIFY(visible("Inform"));
}

void tst_Startup::birthdayGreeting() {
    ProgramFixture fx;
    writeSettings(fx);
    platform::setFixedNow(QDateTime(QDate(2027, 3, 9), QTime(8, 0)));
    ScriptedDialogs dialogs;
    dialogs.expectMessage(
        QStringLiteral("Dzisiaj są urodziny mojego ( PANA ) autora. Koniecznie musisz o nim przeczytać !!!"),
        QStringLiteral("Jubileusz mojego pana !!!"), Icon::Information, Buttons::Ok, Answer::Ok,
        [&fx] { QVERIFY(fx.exists("wiedo.dat")); });
    QVERIFY(fx.startUp());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(visible("Autor_"));
    QVERIFY(visible("Inform"));

    // Any other day: no greeting.
    ui::forms().reset();
    platform::setFixedNow(QDateTime(QDate(2027, 3, 10), QTime(8, 0)));
    ScriptedDialogs quiet;
    QVERIFY(fx.startUp());
    WIEDO_VERIFY_DIALOGS(quiet);
    QVERIFY(!visible("Autor_"));
}

void tst_Startup::progressAndStatusTexts() {
    ProgramFixture fx;
    writeSettings(fx);
    ScriptedDialogs dialogs;
    windows::registerAll();
    ui::forms().registerForm(startup::LoadT::formName, [] { return new startup::LoadT; });
    auto& loader = ui::forms().get<startup::LoadT>();
    loader.Timer2->stop();
    QCOMPARE(loader.windowTitle(), QStringLiteral("Trwa ładowanie programu. Proszę czekać . . . "));
    QCOMPARE(loader.Label1->text(), QStringLiteral("Ładowanie kodu programu"));
    QVERIFY(!loader.Command1->isVisibleTo(&loader));
    // The progress values in order, with the status text standing at each.
    QStringList seen;
    QObject::connect(loader.PrB, &QProgressBar::valueChanged,
                     [&](int v) { seen << QString::number(v) + " " + loader.Label1->text(); });
    loader.Show();
    loader.Command1_Click();
    QCOMPARE(seen, (QStringList{"5 Ładowanie kodu programu", "25 Sprawdzanie plików konfiguracyjnych",
                                "7 Tworzenie pliku przejściowego", "50 Tworzenie pliku przejściowego",
                                "100 Ostateczne ustawienia"}));
    QList<int> values;
    for (const QString& s : seen)
        values << s.section(' ', 0, 0).toInt();
    QCOMPARE(values, (QList<int>{5, 25, 7, 50, 100}));
    QCOMPARE(loader.Label1->text(), QStringLiteral("Ostateczne ustawienia"));
    QVERIFY(!loader.isVisible());
    QVERIFY(visible("Inform"));
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Startup::loaderCloseBoxDoesNothing() {
    ProgramFixture fx;
    windows::registerAll();
    ui::forms().registerForm(startup::LoadT::formName, [] { return new startup::LoadT; });
    auto& loader = ui::forms().get<startup::LoadT>();
    loader.Timer2->stop();
    loader.Show();
    QVERIFY(!loader.close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(ui::forms().findLoaded("LoadT"), &loader);
    QVERIFY(loader.isVisible());
}

void tst_Startup::unwritableProgramFolderGoesOn() {
    ProgramFixture fx;
    // A program folder that cannot hold files (it is not there at all): every write fails.
    platform::setProgramFileFolder(fx.root() + "/gone");
    closeWelcomeByCloseBox();
    closeWelcomeByCloseBox();
    ScriptedDialogs dialogs;
    expectCfgMessage(dialogs);
    expectPtkMessage(dialogs);
    QVERIFY(fx.startUp());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    QVERIFY(!ui::forms().hasEnded());
    QVERIFY(visible("Inform"));
}

void tst_Startup::realExecutableReachesWelcome() {
    const QString exe = qEnvironmentVariable("WIEDO_EXE");
    if (exe.isEmpty())
        QSKIP("WIEDO_EXE is not set");
    QTemporaryDir dir;
    const QString folder = dir.path() + "/install";
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(exe, folder + "/wiedo"));
    QFile::setPermissions(folder + "/wiedo", QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", dir.path() + "/home");
    env.insert("XDG_DATA_HOME", dir.path() + "/home/.local/share");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("WIEDO_TRACE_WINDOWS", "1");
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir.path());
    process.start(folder + "/wiedo", {});
    QVERIFY2(process.waitForStarted(10000), qPrintable(process.errorString()));
    QByteArray err;
    QTRY_VERIFY_WITH_TIMEOUT((err += process.readAllStandardError()).contains("shown Witaj"), 15000);
    QVERIFY2(err.contains("shown LoadT"), err.constData());
    // The welcome window waits for its user: nothing of the loading after the first check has run.
    QVERIFY(!QFile::exists(dir.path() + "/home/.local/share/wiedo/c/test.tmp"));
    process.kill();
    process.waitForFinished(5000);
}

// The benchmark's start-up figure ends the program by WIEDO_QUIT_WHEN_PAINTED: an installed program ends
// by itself, with success, once the instructions window has been painted, and only then.
void tst_Startup::realExecutableQuitsWhenAskedOncePainted() {
    const QString exe = qEnvironmentVariable("WIEDO_EXE");
    if (exe.isEmpty())
        QSKIP("WIEDO_EXE is not set");
    QTemporaryDir dir;
    const QString folder = dir.path() + "/install";
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(exe, folder + "/wiedo"));
    QFile::setPermissions(folder + "/wiedo", QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(folder + '/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("wiedo.ini", "\"" + folder.toUtf8() + "\"\r\n");
    write("Wiedo.cfg", "\"\"\r\n");
    write("ptk.ptk", "40,39,34,27,19,12\r\n");
    write("run.run", "6\r\n");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", dir.path() + "/home");
    env.insert("XDG_DATA_HOME", dir.path() + "/home/.local/share");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("WIEDO_TRACE_WINDOWS", "1");
    env.insert("WIEDO_QUIT_WHEN_PAINTED", "Inform");
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir.path());
    process.start(folder + "/wiedo", {});
    QVERIFY2(process.waitForFinished(20000), "the program did not end by itself");
    const QByteArray err = process.readAllStandardError();
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QVERIFY2(err.contains("shown LoadT\nshown Inform\n"), err.constData());
    QVERIFY2(!err.contains("Witaj"), err.constData());
    // The loader ran its checks to the end: the run counter went up.
    QFile counter(folder + "/run.run");
    QVERIFY(counter.open(QIODevice::ReadOnly));
    QCOMPARE(counter.readAll().trimmed(), QByteArray("7"));
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
