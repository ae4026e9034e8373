// Opening a question set from the main window's menu: the dialog, the header check, the set's folder in
// the Shared state, the sign-in window, and cancelling.
#include "main_session.h"

#include "windows/registry.h"
#include "windows/temp/temp_window.h"

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::Wiedo;
using namespace mainsession;

namespace {

const QString cancelPrompt = QStringLiteral("Kliknołeś w przycisk ANULUJ. Czy chcesz otworzyć test ?");
const QString cancelTitle = QStringLiteral("Znasz swoją wiedzę, czy jej nie znasz ?");

bool signInShown() {
    ui::Form* signIn = ui::forms().findLoaded(QStringLiteral("open_"));
    return signIn && signIn->isVisible();
}

QString setFolderText() { return ui::forms().get<windows::TEMP>().Text2->text(); }

}  // namespace

class tst_Open : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }
    void cleanup() { testing::QuestionReader::instance().close(); }

    void goodHeaderShowsSignIn_data();
    void goodHeaderShowsSignIn();
    void wrongHeader_data();
    void wrongHeader();
    void cancel_data();
    void cancel();
    void emptyFileIsUnknownError();
    void setFromCommandLine_data();
    void setFromCommandLine();
};

void tst_Open::goodHeaderShowsSignIn_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("kwz_in_other_folder") << QStringLiteral("inne/zestawy/Ułamki.kwz");
    QTest::newRow("any_extension") << QStringLiteral("pytania.txt");
}

void tst_Open::goodHeaderShowsSignIn() {
    QFETCH(QString, name);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    const QString path = writeSet(fx, {{1, 2, 2, 2, 2}, {2, 1, 2, 2, 2}}, name);
    dialogs.expectOpenFile(openTitle, openFilter, path);
    w.otwórz->trigger();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(signInShown());
    QCOMPARE(setFolderText(), QFileInfo(path).absolutePath() + u'/');
    QCOMPARE(w.CD1.FileName, path);
    // The reader stands just after the header: the next record is the first question.
    QVERIFY(testing::QuestionReader::instance().isOpen());
    QCOMPARE(testing::QuestionReader::instance().readTexts().question, QStringLiteral("Pytanie 1"));
    // Nothing in the main window is enabled before the student signs in.
    QVERIFY(!w.Command1->isEnabled());

    // The next use of the command still starts in the program folder, and closes the reader first.
    dialogs.expectOpenFile(openTitle, openFilter, std::nullopt);
    dialogs.expectMessage(cancelPrompt, cancelTitle, Icon::Information, Buttons::YesNo, Answer::No);
    w.otwórz->trigger();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.fileDialogFolders(), QStringList(2, fx.programFolderText()));
    QVERIFY(!testing::QuestionReader::instance().isOpen());
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Open::wrongHeader_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lower_case_k") << QByteArray("\"kwiz v 1.0\"\r\n");
    QTest::newRow("trailing_blank") << QByteArray("\"Kwiz v 1.0 \"\r\n");
    QTest::newRow("plain_text") << QByteArray("Ala ma kota\r\n");
}

void tst_Open::wrongHeader() {
    QFETCH(QByteArray, bytes);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    const QString before = setFolderText();
    const QString path = fx.root() + QStringLiteral("/obce/plik.kwz");
    QDir().mkpath(fx.root() + QStringLiteral("/obce"));
    fx.write(path, bytes);
    dialogs.expectOpenFile(openTitle, openFilter, path);
    dialogs.expectMessage(QStringLiteral("Plik ") + path + QStringLiteral(" nie jest plikiem testu "),
                          QStringLiteral("Zły format pliku !!!"), Icon::Exclamation);
    w.otwórz->trigger();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(!signInShown());
    QCOMPARE(setFolderText(), before);
    QCOMPARE(platform::files().openCount(), 0);
    QCOMPARE(fx.read(path), bytes);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Open::cancel_data() {
    QTest::addColumn<bool>("tryAgain");
    QTest::addColumn<bool>("missingFile");
    QTest::newRow("cancel_then_yes") << true << false;
    QTest::newRow("cancel_then_no") << false << false;
    QTest::newRow("missing_file_then_yes") << true << true;
}

void tst_Open::cancel() {
    QFETCH(bool, tryAgain);
    QFETCH(bool, missingFile);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    const QString before = setFolderText();
    const QString path = writeSet(fx, {{1, 2, 2, 2, 2}});
    dialogs.expectOpenFile(openTitle, openFilter,
                           missingFile ? std::optional<QString>(fx.root() + QStringLiteral("/brak.kwz"))
                                       : std::nullopt);
    dialogs.expectMessage(cancelPrompt, cancelTitle, Icon::Information, Buttons::YesNo,
                          tryAgain ? Answer::Yes : Answer::No);
    if (tryAgain)
        dialogs.expectOpenFile(openTitle, openFilter, path);
    w.otwórz->trigger();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(signInShown(), tryAgain);
    QCOMPARE(setFolderText(), tryAgain ? QFileInfo(path).absolutePath() + u'/' : before);
    QCOMPARE(platform::files().openCount(), tryAgain ? 1 : 0);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Open::emptyFileIsUnknownError() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    const QString path = fx.root() + QStringLiteral("/pusty.kwz");
    fx.write(path, QByteArray());
    dialogs.expectOpenFile(openTitle, openFilter, path);
    dialogs.expectMessage(QStringLiteral("Wystąpił nieznany błąd w programie"), QStringLiteral("Błąd"),
                          Icon::Exclamation);
    w.otwórz->trigger();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(!signInShown());
    QCOMPARE(platform::files().openCount(), 0);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Open::setFromCommandLine_data() {
    QTest::addColumn<QByteArray>("bytes");  // empty: no such file
    QTest::addColumn<QString>("prompt");    // "%1" is the path; empty: the sign-in window follows
    QTest::addColumn<QString>("title");
    QTest::newRow("question_set") << QByteArray("\"Kwiz v 1.0\"\r\n\"P\",\"a\",\"b\",\"\",\"\",\"\",\"h\"\r\n1,2,2,2,2\r\n")
                                  << QString() << QString();
    QTest::newRow("wrong_header") << QByteArray("\"Quiz\"\r\n") << QStringLiteral("Plik %1 nie jest plikiem testu ")
                                  << QStringLiteral("Zły format pliku !!!");
    QTest::newRow("missing") << QByteArray()
                             << QStringLiteral("Nie mogę otworzyć zestawu pytań %1: plik nie istnieje albo nie można "
                                               "go odczytać.")
                             << QStringLiteral("Brak zestawu pytań");
}

void tst_Open::setFromCommandLine() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, prompt);
    QFETCH(QString, title);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    const QString path = fx.root() + QStringLiteral("/Pulpit/zestaw z pulpitu.kwz");
    QDir().mkpath(fx.root() + QStringLiteral("/Pulpit"));
    if (!bytes.isEmpty())
        fx.write(path, bytes);
    Wiedo::commandLineSet = path;
    if (!prompt.isEmpty())
        dialogs.expectMessage(prompt.arg(path), title, Icon::Exclamation);
    // Opened once the main window is up: "GRAM !!!" in the instructions window.
    Wiedo& w = start(fx);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(signInShown(), prompt.isEmpty());
    QCOMPARE(w.CD1.FileName, prompt.isEmpty() ? path : QString());
    QCOMPARE(Wiedo::commandLineSet, QString());
    // Only once: the window coming back from a help window opens nothing.
    ui::forms().queueModalScript(QStringLiteral("oPrg"), [](ui::Form& about) { about.Hide(); });
    w.mnuBitmap3->trigger();
    WIEDO_VERIFY_DIALOGS(dialogs);
    if (signInShown())
        ui::forms().get<windows::open_>().Hide();
    QCOMPARE(fx.leftovers(), QString());
}

QTEST_MAIN(tst_Open)
#include "tst_open.moc"
