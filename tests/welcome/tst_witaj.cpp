// The welcome and first-run settings window: its texts, the first run through "&Zapisz ustawienia",
// typed and bad folders, "Edytuj punktację", the drive and folder lists, and the author window.
#include "platform/filetable.h"
#include "platform/paths.h"
#include "support/program_fixture.h"
#include "support/scripted_dialogs.h"
#include "ui/form.h"
#include "windows/info/autor.h"
#include "windows/registry.h"
#include "windows/scale_editor/punkty.h"
#include "windows/welcome/witaj.h"

#include <QDir>
#include <QTest>

using platform::Icon;
using testsupport::cp1250;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;

namespace {

const QString savedPrompt = QStringLiteral("Zapisałem ustawienia");
const QString badPathPrompt = QStringLiteral("Podałeś złą ścieżkę dostępu do pliku");
const QString unknownPrompt = QStringLiteral(
    "Wystąpił nieznany błąd. Najprawdopodobnie podałeś złą ścieżkę dostępu do katalogu z testami, lub pliki, "
    "które są konfiguracyjne otworzył inny program");
const QByteArray defaultScale = "40,39,34,27,19,12\r\n";
const QByteArray editedScale = "10\r\n9\r\n8\r\n7\r\n6\r\n5\r\n";

QByteArray quoted(const QString& text) { return "\"" + cp1250(text) + "\"\r\n"; }

void expectSaved(ScriptedDialogs& d) { d.expectMessage(savedPrompt, "Zapisz ustawienia", Icon::Information); }
void expectBadPath(ScriptedDialogs& d) { d.expectMessage(badPathPrompt, "Błąd", Icon::Exclamation); }
void expectUnknown(ScriptedDialogs& d) { d.expectMessage(unknownPrompt, "Błąd", Icon::Exclamation); }

windows::Witaj& shownWitaj() {
    auto& w = ui::forms().get<windows::Witaj>();
    w.Show();
    return w;
}

// Types text as keys, Polish letters included.
void typeText(QWidget* box, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

bool isCentred(const ui::Form& form) {
    return std::abs(form.leftTwips() - (12000 - form.widthTwips()) / 2) <= 15 &&
           std::abs(form.topTwips() - (9000 - form.heightTwips()) / 2) <= 15;
}

}  // namespace

class tst_Witaj : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }

    void captionHasSeventeenBlanks();
    void passwordTakesNoDoubleQuote();
    void texts_data();
    void texts();
    void firstRunSavesSettings_data();
    void firstRunSavesSettings();
    void typedFolderElsewhere_data();
    void typedFolderElsewhere();
    void badPath_data();
    void badPath();
    void failedWriteKeepsOldFile();
    void editScaleStartsFromDefaults_data();
    void editScaleStartsFromDefaults();
    void drivesAndFolders();
    void authorThenActivationResetsFolder();
};

void tst_Witaj::captionHasSeventeenBlanks() {
    ProgramFixture fx;
    const QString caption = ui::forms().get<windows::Witaj>().windowTitle();
    QCOMPARE(caption, QString(17, u' ') + QStringLiteral("Witaj w programie WIEDO v 1.1 !!!"));
}

void tst_Witaj::passwordTakesNoDoubleQuote() {
    // A quote would end the stored text field early and lock the teacher out.
    ProgramFixture fx;
    auto& w = ui::forms().get<windows::Witaj>();
    QTest::keyClicks(w.Text2, "ta\"jne");
    QCOMPARE(w.Text2->text(), QStringLiteral("tajne"));
}

void tst_Witaj::texts_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::newRow("welcome") << "Label1"
                             << "Witaj w programie WIEDO v 1.1 ! Ponieważ ten program uruchomiłeś po raz pierwszy, "
                                "to musisz odpowiedzieć na kilka pytań. ";
    QTest::newRow("save") << "Command1" << "&Zapisz ustawienia";
    QTest::newRow("end") << "Kon" << "&Koniec";
    QTest::newRow("question_1") << "Label2" << "1) Podaj katalog, w którym jestem zainstalowany";
    QTest::newRow("folder_design_text") << "Text1" << "C:\\";
    QTest::newRow("question_2") << "Label3"
                                << "2) Podaj ( wymyśl ) hasło dostępu do niektórych opcji programu np. Punktacja. "
                                   "Tylko je zapamiętaj !!!";
    QTest::newRow("password_explained")
        << "Label5"
        << "Dzięki zabezpieczeniu hasłem żaden uczeń nie będzie gdzebał w zabronionych opcjach tego programu np. "
           "zmiana punktacji. Niestety musisz zapamiętać to hasło ( porgram rozróżnia wielkich ani małych liter, "
           "więc HASLO a Haslo to dwa zupełnie inne hasła";
    QTest::newRow("password_empty") << "Text2" << "";
    QTest::newRow("instructions_heading") << "Label8" << "Instrukcja obsługi programu :";
    QTest::newRow("instructions")
        << "Label9"
        << "Program KWIZ v 1.1 jest bardzo prosty w obsłudze. Znając zwykły program pod WINDOWS 95 np. Paint, "
           "WordPad, czy Notatnik WINDOWS, nie będziesz mieć kłopotów z obsługą tego programu. Jeśli uruchomisz "
           "program, to pokaże się okno z samouczkiem. To właśnie z tego okna dowiesz się wszystkiego o tym "
           "programie";
    QTest::newRow("hint") << "Label4"
                          << "Kliknij w przycisk O AUTORZE, aby dowiedzieć się kto napisał ten program. Jeśli chcesz "
                             "zmienić punktacje to kliknij w przycisk EDYTUJ PUNKTACJE ";
    QTest::newRow("author") << "Command2" << "&O autorze";
    QTest::newRow("edit_scale") << "Command3" << "Edytuj punktację";
}

void tst_Witaj::texts() {
    QFETCH(QString, control);
    QFETCH(QString, text);
    ProgramFixture fx;
    auto& w = ui::forms().get<windows::Witaj>();  // loaded, not yet activated
    QWidget* c = w.findChild<QWidget*>(control);
    QVERIFY2(c, qPrintable(control + " is missing"));
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(c))
        shown = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(c))
        shown = button->text();
    else if (auto* box = qobject_cast<QLineEdit*>(c))
        shown = box->text();
    QCOMPARE(shown, text);
    // Wrapped texts are shown whole.
    if (auto* label = qobject_cast<QLabel*>(c))
        QVERIFY(label->heightForWidth(label->width()) <= label->height());

    // Fixed parts of the window, checked once.
    if (control != u"Label1")
        return;
    QCOMPARE(w.SSTab1->count(), 3);
    QCOMPARE(w.SSTab1->tabText(0), QStringLiteral("Instalacja"));
    QCOMPARE(w.SSTab1->tabText(1), QStringLiteral("Hasło"));
    QCOMPARE(w.SSTab1->tabText(2), QStringLiteral("Inne"));
    QCOMPARE(w.Image5->toolTip(), QStringLiteral("Uśmiechnij się, jesteś w ukrytej kamerze !!!"));
    QVERIFY(!w.Image5->pixmap().isNull());
    // The smile does nothing when clicked.
    ScriptedDialogs dialogs;
    w.Show();
    const QString folder = w.Text1->text();
    QTest::mouseClick(w.Image5, Qt::LeftButton);
    QCOMPARE(w.Text1->text(), folder);
    QVERIFY(w.isVisible());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Witaj::firstRunSavesSettings_data() {
    QTest::addColumn<QString>("password");
    QTest::newRow("with_password") << "Tajne Żółw1";
    QTest::newRow("empty_password") << "";
}

// A fresh program folder: start-up opens the welcome window, the teacher types a password, saves and
// ends the program with "&Koniec".
void tst_Witaj::firstRunSavesSettings() {
    QFETCH(QString, password);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    expectSaved(dialogs);
    bool ran = false;
    ui::forms().queueModalScript("Witaj", [&](ui::Form& form) {
        auto& w = static_cast<windows::Witaj&>(form);
        QCOMPARE(w.Text1->text(), fx.programFolder());
        QCOMPARE(w.Dir1->path(), fx.programFolder());
        QVERIFY(isCentred(w));
        typeText(w.Text2, password);
        QCOMPARE(w.Text2->text(), password);
        QCOMPARE(w.Text2->displayText(), QString(password.size(), u'*'));
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QVERIFY(w.isVisible());  // the window stays open after saving
        ran = true;
        QTest::mouseClick(w.Kon, Qt::LeftButton);
    });
    QVERIFY(fx.startUp());
    QVERIFY(ran);
    QVERIFY(ui::forms().hasEnded());
    QCOMPARE(fx.read("wiedo.ini"), quoted(fx.programFolder()));
    QCOMPARE(fx.read("Wiedo.cfg"), quoted(password));
    QCOMPARE(fx.read("ptk.ptk"), defaultScale);
    QCOMPARE(fx.read("run.run"), QByteArray("1\r\n"));
    QCOMPARE(QDir(fx.programFolder()).entryList(QDir::Files).size(), 4);
    QCOMPARE(fx.leftovers(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Witaj::typedFolderElsewhere_data() {
    QTest::addColumn<QString>("typed");    // "@R" stands for the test's root folder, "@C" for drive C:'s
    QTest::addColumn<QString>("written");  // where the three files go
    QTest::newRow("native_folder") << "@R/inny" << "@R/inny";
    QTest::newRow("native_folder_with_separator") << "@R/inny/" << "@R/inny";
    QTest::newRow("windows_form_any_case") << "c:\\wiedo" << "@C/WIEDO";
}

void tst_Witaj::typedFolderElsewhere() {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    QDir().mkpath(fx.root() + "/inny");
    QDir().mkpath(fx.driveC() + "/WIEDO");
    const auto expand = [&](QString text) { return text.replace("@R", fx.root()).replace("@C", fx.driveC()); };
    expectSaved(dialogs);
    auto& w = shownWitaj();
    QTest::keyClicks(w.Text2, "abc");
    w.Text1->clear();
    QTest::keyClicks(w.Text1, expand(typed));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    // The marker beside the program holds the folder as typed; the rest goes to the typed folder.
    QCOMPARE(fx.read("wiedo.ini"), quoted(expand(typed)));
    const QString folder = expand(written);
    QCOMPARE(fx.read(folder + "/Wiedo.cfg"), quoted("abc"));
    QCOMPARE(fx.read(folder + "/ptk.ptk"), defaultScale);
    QCOMPARE(fx.read(folder + "/run.run"), QByteArray("1\r\n"));
    QCOMPARE(QDir(fx.programFolder()).entryList(QDir::Files), QStringList{"wiedo.ini"});
    // spr made the chosen folder the current one.
    QCOMPARE(QDir::currentPath(), folder);
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Witaj::badPath_data() {
    QTest::addColumn<bool>("editScale");
    QTest::newRow("save_settings") << false;
    QTest::newRow("edit_scale") << true;
}

// A folder that does not exist: spr complains, "wiedo.ini" is still written beside the program, the next
// file fails, nothing else is written and nothing else opens.
void tst_Witaj::badPath() {
    QFETCH(bool, editScale);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    expectBadPath(dialogs);
    expectUnknown(dialogs);
    auto& w = shownWitaj();
    const QString bad = fx.root() + "/nie ma/takiego";
    w.Text1->setText(bad);
    QTest::keyClicks(w.Text2, "abc");
    QTest::mouseClick(editScale ? w.Command3 : w.Command1, Qt::LeftButton);
    QCOMPARE(fx.read("wiedo.ini"), quoted(bad));
    QCOMPARE(QDir(fx.programFolder()).entryList(QDir::Files), QStringList{"wiedo.ini"});
    QVERIFY(!QDir(fx.root() + "/nie ma").exists());
    QVERIFY(!ui::forms().findLoaded("Punkty"));
    QCOMPARE(platform::files().openCount(), 0);
    QVERIFY(w.isVisible());
    QCOMPARE(fx.leftovers(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

// A write that fails half way (a full disk) leaves the old file whole: no half-written scale.
void tst_Witaj::failedWriteKeepsOldFile() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    expectUnknown(dialogs);
    fx.write("ptk.ptk", editedScale);
    fx.write("run.run", "7\r\n");
    auto& w = shownWitaj();
    QTest::keyClicks(w.Text2, "abc");
    const qint64 before = quoted(fx.programFolder()).size() + quoted("abc").size();
    platform::files().failWritesAfter(before + 5);  // room for "wiedo.ini", "Wiedo.cfg" and 5 bytes more
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    platform::files().failWritesAfter(-1);
    QCOMPARE(fx.read("wiedo.ini"), quoted(fx.programFolder()));
    QCOMPARE(fx.read("Wiedo.cfg"), quoted("abc"));
    QCOMPARE(fx.read("ptk.ptk"), editedScale);
    QCOMPARE(fx.read("run.run"), QByteArray("7\r\n"));
    QCOMPARE(QDir(fx.programFolder()).entryList(QDir::Files | QDir::Hidden).size(), 4);  // no leftovers
    QCOMPARE(platform::files().openCount(), 0);
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Witaj::editScaleStartsFromDefaults_data() {
    QTest::addColumn<QString>("password");
    QTest::newRow("no_password") << "";
    QTest::newRow("with_password") << "Sekret";
}

// "Edytuj punktację" overwrites an edited scale with the defaults, then opens the grading scale editor,
// which finds the password and the defaults already written; "Powrót" saves the teacher's first scale where
// the welcome window wrote it, though the program folder is not known yet on a first run.
void tst_Witaj::editScaleStartsFromDefaults() {
    QFETCH(QString, password);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    fx.write("ptk.ptk", editedScale);
    fx.write("run.run", "7\r\n");
    if (!password.isEmpty())
        dialogs.expectInput("Podaj hasło ", "Hasło", password);
    QStringList boxes;
    QByteArray scaleWhenOpened;
    ui::forms().queueModalScript("Punkty", [&](ui::Form& form) {
        scaleWhenOpened = fx.read("ptk.ptk");
        auto& editor = static_cast<windows::Punkty&>(form);
        for (QLineEdit* box : editor.boxes())
            boxes << box->text();
        editor.Text1->setText(QStringLiteral("38"));
        QTest::mouseClick(editor.Command3, Qt::LeftButton);
    });
    auto& w = shownWitaj();
    typeText(w.Text2, password);
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QCOMPARE(scaleWhenOpened, defaultScale);
    QCOMPARE(boxes, QStringList({"40", "39", "34", "27", "19", "12"}));
    QCOMPARE(fx.read("ptk.ptk"), QByteArray("38\r\n39\r\n34\r\n27\r\n19\r\n12\r\n"));
    QCOMPARE(fx.read("wiedo.ini"), quoted(fx.programFolder()));
    QCOMPARE(fx.read("Wiedo.cfg"), quoted(password));
    QCOMPARE(fx.read("run.run"), QByteArray("7\r\n"));  // not written, and no message either
    QCOMPARE(fx.leftovers(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Witaj::drivesAndFolders() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    QDir().mkpath(fx.driveC() + "/WIEDO");
    auto& w = shownWitaj();
    QCOMPARE(w.Drive1->drive(), QStringLiteral("/"));

    // The user picks drive C:: the folder list and the folder box follow.
    w.Drive1->setFocus();
    QTest::keyClick(w.Drive1, Qt::Key_Up);
    QCOMPARE(w.Drive1->drive(), QStringLiteral("c:"));
    QCOMPARE(w.Dir1->path(), QDir::cleanPath(fx.driveC()));
    QCOMPARE(w.Text1->text(), QDir::cleanPath(fx.driveC()));

    // A double click on a folder opens it and puts its path into the box.
    int row = 0;
    while (row < w.Dir1->count() && w.Dir1->folderAt(row) != fx.driveC() + "/WIEDO")
        ++row;
    QVERIFY(row < w.Dir1->count());
    w.SSTab1->setCurrentIndex(0);
    const QPoint at = w.Dir1->visualItemRect(w.Dir1->item(row)).center();
    QTest::mouseClick(w.Dir1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(w.Dir1->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(w.Text1->text(), fx.driveC() + "/WIEDO");

    // Back on the host's drive the list shows the folder it showed there before.
    QTest::keyClick(w.Drive1, Qt::Key_Down);
    QCOMPARE(w.Text1->text(), fx.programFolder());

    // A drive that cannot be read: the message, and the drive list returns to the folder's drive.
    w.Drive1->setDrives({"a:", "c:", "/"});
    dialogs.expectMessage("Włóż dyskietkę !!!", "Nie stać Cię na dyskietkę ?", Icon::Exclamation);
    QTest::keyClick(w.Drive1, Qt::Key_Home);
    QCOMPARE(w.Drive1->drive(), QStringLiteral("/"));
    QCOMPARE(w.Dir1->path(), fx.programFolder());
    QCOMPARE(w.Text1->text(), fx.programFolder());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

// The author window opens modally; when it closes the welcome window becomes active again, and its folder
// list and folder box return to the program's folder, centred again.
void tst_Witaj::authorThenActivationResetsFolder() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    QDir().mkpath(fx.root() + "/inny");
    auto& w = shownWitaj();
    QVERIFY(w.Dir1->setPath(fx.root() + "/inny"));
    QCOMPARE(w.Text1->text(), fx.root() + "/inny");
    w.move(0, 0);
    bool authorShown = false;
    ui::forms().queueModalScript("Autor_", [&](ui::Form& form) {
        authorShown = form.isVisible();
        QTest::mouseClick(static_cast<windows::Autor_&>(form).Command1, Qt::LeftButton);
    });
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QVERIFY(authorShown);
    QCOMPARE(ui::forms().activeForm(), &w);
    QCOMPARE(w.Dir1->path(), fx.programFolder());
    QCOMPARE(w.Text1->text(), fx.programFolder());
    QVERIFY(isCentred(w));
    QCOMPARE(fx.leftovers(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

QTEST_MAIN(tst_Witaj)
#include "tst_witaj.moc"
