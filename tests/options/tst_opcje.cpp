// The options window and the main window's password gate in front of it: who gets in, what the window
// preselects from "c:\windows\wiedo.ini", what saving writes, and a save that cannot be finished.
#include "platform/filetable.h"
#include "platform/screen.h"
#include "support/program_fixture.h"
#include "support/scripted_dialogs.h"
#include "ui/form.h"
#include "windows/main/wiedo.h"
#include "windows/options/opcje.h"
#include "windows/registry.h"
#include "windows/temp/temp_window.h"

#include <QDir>
#include <QTest>

using platform::Icon;
using testsupport::cp1250;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::Opcje_;

namespace {

const QString gatePrompt = QStringLiteral(
    "Podaj hasło dostępu do opcji\r( To co podawałeś podczas pierwszego uruchomienia tego programu )");
const QString gateTitle = QStringLiteral("Opcje -> hasło");
const QString iniFailure = QStringLiteral(
    "Nie mogę zapisać pliku c:\\windows\\wiedo.ini. Sprawdź, czy istnieje katalog c:\\windows i czy można "
    "w nim zapisywać. Ustawienia nie zostały zmienione.");
const QString cfgFailure = QStringLiteral(
    "Nie mogę zapisać hasła w pliku Wiedo.cfg w katalogu programu. Sprawdź, czy dysk nie jest pełny i czy "
    "katalog programu nie jest tylko do odczytu. Ustawienia nie zostały zmienione.");

void install(const ProgramFixture& fx, const QByteArray& cfg) {
    if (!cfg.isNull())
        fx.write("Wiedo.cfg", cfg);
    ui::forms().get<windows::TEMP>().Text1->setText(fx.programFolderText());
    QDir::setCurrent(fx.programFolder());
}

void chooseOptions() { ui::forms().get<windows::Wiedo>().opcje->trigger(); }

bool optionsShown() {
    ui::Form* form = ui::forms().findLoaded(Opcje_::formName);
    return form && form->isVisible();
}

QString iniPath(const ProgramFixture& fx) { return fx.driveC() + QStringLiteral("/windows/wiedo.ini"); }

}  // namespace

class tst_Opcje : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }
    void layout();
    void passwordTakesNoDoubleQuote();
    void gate_data();
    void gate();
    void cancelKeepsOldPassword();
    void activationPreselectsFolder_data();
    void activationPreselectsFolder();
    void saveWritesBothFiles_data();
    void saveWritesBothFiles();
    void savedFolderComesBack();
    void saveFails_data();
    void saveFails();
    void driveThatCannotBeRead();
};

void tst_Opcje::layout() {
    ProgramFixture fx;
    auto& w = ui::forms().get<Opcje_>();
    QCOMPARE(w.windowTitle(), QStringLiteral("Opcje programu wiedo v 1.1"));
    QCOMPARE(w.Label2->text(), QStringLiteral("Hasło programu"));
    QCOMPARE(w.Label1->text(), QStringLiteral("Katalog programu"));
    QCOMPARE(w.Command1->text(), QStringLiteral("     &Zapisz ustawienia"));
    QCOMPARE(w.Command2->text(), QStringLiteral(" &Anuluj"));
    QVERIFY(!w.Picture1->pixmap().isNull());
    QVERIFY(!w.Picture2->pixmap().isNull());
    QCOMPARE(w.leftTwips(), platform::toTwips(platform::toPixels((12000 - w.widthTwips()) / 2)));
    QCOMPARE(w.topTwips(), platform::toTwips(platform::toPixels((9000 - w.heightTwips()) / 2)));
    const QColor top = w.persistentImage().pixelColor(2, 0);
    QVERIFY(top.red() > 245 && top.green() == 11 && top.blue() == 100);
}

void tst_Opcje::passwordTakesNoDoubleQuote() {
    ProgramFixture fx;
    auto& w = ui::forms().get<Opcje_>();
    QTest::keyClicks(w.Text1, "\"nowe\"");
    QCOMPARE(w.Text1->text(), QStringLiteral("nowe"));
}

void tst_Opcje::gate_data() {
    QTest::addColumn<QByteArray>("cfg");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("refused");
    const QByteArray set = cp1250(QStringLiteral("\"Hasło\"\r\n"));
    QTest::newRow("empty_password_opens_at_once") << QByteArray("\"\"\r\n") << false << QString() << false
                                                  << true << false;
    QTest::newRow("exact_password") << set << true << "Hasło" << false << true << false;
    QTest::newRow("other_letter_case") << set << true << "HASŁO" << false << false << true;
    QTest::newRow("wrong_password") << set << true << "haslo" << false << false << true;
    QTest::newRow("cancel") << set << true << QString() << true << false << false;
    QTest::newRow("empty_answer") << set << true << "" << false << false << false;
    // A password file that cannot be read lets nobody in.
    QTest::newRow("missing_wiedo_cfg") << QByteArray() << false << QString() << false << false << true;
}

void tst_Opcje::gate() {
    QFETCH(QByteArray, cfg);
    QFETCH(bool, asked);
    QFETCH(QString, answer);
    QFETCH(bool, cancelled);
    QFETCH(bool, opens);
    QFETCH(bool, refused);
    ProgramFixture fx;
    install(fx, cfg);
    ScriptedDialogs dialogs;
    if (asked)
        dialogs.expectInput(gatePrompt, gateTitle, cancelled ? std::nullopt : std::optional<QString>(answer));
    if (refused)
        dialogs.expectMessage(QStringLiteral("Złe hasło !!!"), QStringLiteral("Złe hasło"), Icon::Exclamation);
    ui::forms().get<windows::Wiedo>().Show();
    fx.write("inny.txt", "\"a\"\r\n");
    platform::files().open(fx.path("inny.txt"), platform::OpenMode::Input);
    chooseOptions();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    QCOMPARE(platform::files().openCount(), 0);
    QCOMPARE(dialogs.beeps(), refused ? 1 : 0);
    QCOMPARE(optionsShown(), opens);
    if (opens) {
        auto& w = ui::forms().get<Opcje_>();
        QVERIFY(!w.isShowingModal());
        QCOMPARE(w.Text1->text(), cfg == "\"\"\r\n" ? QString() : QStringLiteral("Hasło"));
        QCOMPARE(w.Text1->echoMode(), QLineEdit::Password);
        QVERIFY(ui::forms().get<windows::Wiedo>().isVisible());
    }
    QCOMPARE(fx.read("Wiedo.cfg"), cfg.isNull() ? QByteArray("<missing>") : cfg);
}

void tst_Opcje::cancelKeepsOldPassword() {
    ProgramFixture fx;
    install(fx, "\"stare\"\r\n");
    ScriptedDialogs dialogs;
    dialogs.expectInput(gatePrompt, gateTitle, QStringLiteral("stare"));
    chooseOptions();
    auto& w = ui::forms().get<Opcje_>();
    w.Text1->clear();
    QTest::keyClicks(w.Text1, "nowe");
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QCOMPARE(fx.read("Wiedo.cfg"), QByteArray("\"stare\"\r\n"));
    QVERIFY(!QFile::exists(iniPath(fx)));
    // The picture cancels the same way, and the next opening shows the stored password again.
    dialogs.expectInput(gatePrompt, gateTitle, QStringLiteral("stare"));
    chooseOptions();
    QCOMPARE(w.Text1->text(), QStringLiteral("stare"));
    w.Text1->setText(QStringLiteral("inne"));
    QTest::mouseClick(w.Picture1, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    // So does the close box, which keeps the window loaded.
    dialogs.expectInput(gatePrompt, gateTitle, QStringLiteral("stare"));
    chooseOptions();
    w.close();
    QVERIFY(!w.isVisible());
    QCOMPARE(ui::forms().findLoaded(Opcje_::formName), &w);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.read("Wiedo.cfg"), QByteArray("\"stare\"\r\n"));
}

void tst_Opcje::activationPreselectsFolder_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("folder");  // below the test's root; empty: the program folder stays
    QTest::addColumn<QString>("drive");
    QTest::newRow("saved_folder") << QByteArray("\"C:\\WIEDO\"\r\n") << "c/WIEDO" << "c:";
    QTest::newRow("other_letter_case") << QByteArray("\"c:\\wiedo\"\r\n") << "c/WIEDO" << "c:";
    QTest::newRow("drive_root") << QByteArray("\"C:\\\"\r\n") << "c" << "c:";
    QTest::newRow("no_file") << QByteArray() << QString() << "/";
    QTest::newRow("vanished_folder") << QByteArray("\"C:\\STARY\"\r\n") << QString() << "/";
    QTest::newRow("empty_file") << QByteArray("") << QString() << "/";
}

void tst_Opcje::activationPreselectsFolder() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, folder);
    QFETCH(QString, drive);
    ProgramFixture fx;
    install(fx, "\"\"\r\n");
    QDir().mkpath(fx.driveC() + QStringLiteral("/WIEDO"));
    if (!ini.isNull())
        fx.write(iniPath(fx), ini);
    ScriptedDialogs dialogs;
    chooseOptions();
    WIEDO_VERIFY_DIALOGS(dialogs);
    auto& w = ui::forms().get<Opcje_>();
    QVERIFY(w.isVisible());
    const QString expected = folder.isEmpty() ? fx.programFolder() : QDir::cleanPath(fx.root() + u'/' + folder);
    QCOMPARE(w.Dir1->path(), expected);
    QCOMPARE(w.Drive1->drive(), drive);
    // "Opcje" again while the window is open: the folder the teacher has picked meanwhile stays.
    QVERIFY(w.Dir1->setPath(fx.root()));
    ui::forms().get<windows::Wiedo>().Show();  // the teacher goes back to the main window first
    chooseOptions();
    QCOMPARE(w.Dir1->path(), fx.root());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Opcje::saveWritesBothFiles_data() {
    QTest::addColumn<bool>("byPicture");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QByteArray>("ini");
    QTest::newRow("button") << false << QStringLiteral("Nowe Hasło") << "c/WIEDO"
                            << QByteArray("\"C:\\WIEDO\"\r\n");
    QTest::newRow("picture") << true << QStringLiteral("x") << "c/WIEDO/TESTY"
                             << QByteArray("\"C:\\WIEDO\\TESTY\"\r\n");
    QTest::newRow("empty_password_and_drive_root") << false << QString() << "c" << QByteArray("\"C:\\\"\r\n");
}

void tst_Opcje::saveWritesBothFiles() {
    QFETCH(bool, byPicture);
    QFETCH(QString, password);
    QFETCH(QString, folder);
    QFETCH(QByteArray, ini);
    ProgramFixture fx;
    install(fx, "\"\"\r\n");
    QDir().mkpath(fx.driveC() + QStringLiteral("/WIEDO/TESTY"));
    ScriptedDialogs dialogs;
    chooseOptions();
    auto& w = ui::forms().get<Opcje_>();
    QVERIFY(w.Dir1->setPath(fx.root() + u'/' + folder));
    w.Text1->insert(password);
    QTest::mouseClick(byPicture ? static_cast<QWidget*>(w.Picture2) : w.Command1, Qt::LeftButton);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(!w.isVisible());
    QCOMPARE(fx.read("Wiedo.cfg"), "\"" + cp1250(password) + "\"\r\n");
    QCOMPARE(fx.read(iniPath(fx)), ini);
}

void tst_Opcje::savedFolderComesBack() {
    // A folder off drive C: is kept as the host names it and chosen again at the next showing.
    ProgramFixture fx;
    install(fx, "\"\"\r\n");
    ScriptedDialogs dialogs;
    chooseOptions();
    auto& w = ui::forms().get<Opcje_>();
    const QString elsewhere = fx.root();
    QVERIFY(w.Dir1->setPath(elsewhere));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QCOMPARE(fx.read(iniPath(fx)), "\"" + QFile::encodeName(elsewhere) + "\"\r\n");
    QVERIFY(w.Dir1->setPath(fx.driveC()));
    chooseOptions();
    QCOMPARE(w.Dir1->path(), elsewhere);
    QCOMPARE(w.Drive1->drive(), QStringLiteral("/"));
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Opcje::saveFails_data() {
    QTest::addColumn<QByteArray>("cfgBefore");
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QString>("message");
    QTest::newRow("no_windows_folder") << QByteArray("\"stare\"\r\n") << false << iniFailure;
    QTest::newRow("no_windows_folder_no_password_file") << QByteArray() << false << iniFailure;
    QTest::newRow("disk_full") << QByteArray("\"stare\"\r\n") << true << cfgFailure;
}

void tst_Opcje::saveFails() {
    QFETCH(QByteArray, cfgBefore);
    QFETCH(bool, diskFull);
    QFETCH(QString, message);
    ProgramFixture fx;
    install(fx, cfgBefore);
    ScriptedDialogs dialogs;
    auto& w = ui::forms().get<Opcje_>();
    w.Show();
    w.Text1->setText(QStringLiteral("nowe"));
    if (diskFull)
        platform::files().failWritesAfter(0);
    else
        QVERIFY(QDir(fx.driveC() + QStringLiteral("/windows")).removeRecursively());
    dialogs.expectMessage(message, QStringLiteral("Błąd zapisu"), Icon::Exclamation);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(w.isVisible());
    QCOMPARE(fx.read("Wiedo.cfg"), cfgBefore.isNull() ? QByteArray("<missing>") : cfgBefore);
    QVERIFY(!QFile::exists(iniPath(fx)));
    QCOMPARE(platform::files().openCount(), 0);
    // Once the cause is gone the same click saves both.
    platform::files().failWritesAfter(-1);
    QDir().mkpath(fx.driveC() + QStringLiteral("/windows"));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(!w.isVisible());
    QCOMPARE(fx.read("Wiedo.cfg"), QByteArray("\"nowe\"\r\n"));
    QVERIFY(QFile::exists(iniPath(fx)));
}

void tst_Opcje::driveThatCannotBeRead() {
    ProgramFixture fx;
    install(fx, "\"\"\r\n");
    QDir().mkpath(fx.driveC() + QStringLiteral("/WIEDO"));
    fx.write(iniPath(fx), "\"C:\\WIEDO\"\r\n");
    ScriptedDialogs dialogs;
    chooseOptions();
    auto& w = ui::forms().get<Opcje_>();
    w.Drive1->setDrives({QStringLiteral("a:"), QStringLiteral("c:"), QStringLiteral("/")});
    QCOMPARE(w.Drive1->drive(), QStringLiteral("c:"));
    dialogs.expectMessage(QStringLiteral("Włóż dyskietke !!!"), QStringLiteral("Brak dyskietki"),
                          Icon::Exclamation);
    w.Drive1->setCurrentIndex(0);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(w.Drive1->drive(), QStringLiteral("c:"));
    QCOMPARE(w.Dir1->path(), fx.driveC() + QStringLiteral("/WIEDO"));
    // A drive that can be read shows its root.
    w.Drive1->setCurrentIndex(2);
    QCOMPARE(w.Dir1->path(), QStringLiteral("/"));
    WIEDO_VERIFY_DIALOGS(dialogs);
}

QTEST_MAIN(tst_Opcje)
#include "tst_opcje.moc"
