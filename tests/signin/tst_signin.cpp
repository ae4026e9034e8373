// The sign-in window: defaults and letter case, the preset file, the question count, the hidden chord,
// and the main window's test controls it switches on.
#include "platform/filetable.h"
#include "records/records.h"
#include "support/program_fixture.h"
#include "support/scripted_dialogs.h"
#include "testing/question_reader.h"
#include "ui/form.h"
#include "windows/main/wiedo.h"
#include "windows/registry.h"
#include "windows/signin/enable_main.h"
#include "windows/signin/open_window.h"
#include "windows/temp/temp_window.h"

#include <QFile>
#include <QSet>
#include <QTest>

using records::Field;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::open_;
using windows::Wiedo;
using TypedAnswer = std::optional<QString>;
Q_DECLARE_METATYPE(TypedAnswer)

namespace {

const QString defaultSetName = QStringLiteral("zestaw.kwz");

// A question set of count questions; question i reads "Pytanie i".
QByteArray questionSet(int count) {
    QByteArray bytes = records::formatRecord({Field::text(QStringLiteral("Kwiz v 1.0"))});
    for (int i = 1; i <= count; ++i) {
        bytes += records::formatRecord({Field::text(QStringLiteral("Pytanie %1").arg(i)),
                                        Field::text(QStringLiteral("A%1").arg(i)), Field::text(QStringLiteral("B")),
                                        Field::text(QStringLiteral("C")), Field::text(QString()),
                                        Field::text(QString()), Field::text(QStringLiteral("Podpowiedź"))});
        bytes += records::formatRecord(
            {Field::number(1), Field::number(2), Field::number(1), Field::number(2), Field::number(2)});
    }
    return bytes;
}

// The state the main window's open command leaves: the set chosen in its dialog and the question
// reader open just after the header.
void chooseSet(ProgramFixture& fx, const QByteArray& bytes) {
    fx.write(defaultSetName, bytes);
    const QString path = fx.path(defaultSetName);
    ui::forms().get<Wiedo>().CD1.FileName = path;
    testing::QuestionReader::instance().open(path);
    try {
        testing::QuestionReader::instance().readHeader();
    } catch (const platform::FileError&) {
    }
}

// A fresh installation with the main window loaded and a twelve-question set chosen.
Wiedo& prepare(ProgramFixture& fx) {
    fx.write(QStringLiteral("run.run"), "1\r\n");
    fx.write(QStringLiteral("ptk.ptk"), "40,39,34,27,19,12\r\n");
    fx.write(QStringLiteral("Wiedo.cfg"), "\"\"\r\n");
    ui::forms().get<windows::TEMP>().Text1->setText(fx.programFolderText());
    Wiedo& main = ui::forms().get<Wiedo>();
    chooseSet(fx, questionSet(12));
    return main;
}

open_& showSignIn() {
    open_& window = ui::forms().get<open_>();
    window.Show();
    return window;
}

// Types the text key by key, Polish letters included.
void typeInto(QLineEdit* box, const QString& text) {
    box->clear();
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QStringList personalData(const Wiedo& main) {
    return {main.Label19->text(), main.Label20->text(), main.Label21->text()};
}

QStringList boxes(const open_& window) {
    return {window.Text1->text(), window.Text2->text(), window.Text3->text()};
}

}  // namespace

class tst_SignIn : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }
    void cleanup() { testing::QuestionReader::instance().close(); }

    void confirmNormalisesData_data();
    void confirmNormalisesData();
    void presetFillsBoxes_data();
    void presetFillsBoxes();
    void presetReadOnEveryActivation();
    void questionCount_data();
    void questionCount();
    void hiddenChord_data();
    void hiddenChord();
    void clearThenConfirmGivesDefaults();
    void nextStudentTypesAndPressesEnter();
    void enableMainEnablesExactlyItsControls();
};

void tst_SignIn::confirmNormalisesData_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("all_empty") << QStringList{"", "", ""}
                               << QStringList{"Albert", "Bezimienny", QStringLiteral("ZERÓWKA")};
    QTest::newRow("mixed_case") << QStringList{"jAN", "kOWALSKI", "3b"} << QStringList{"Jan", "Kowalski", "3B"};
    QTest::newRow("polish_letters") << QStringList{QStringLiteral("łUKASZ"), QStringLiteral("żÓŁĆ"), QStringLiteral("2ł")}
                                    << QStringList{QStringLiteral("Łukasz"), QStringLiteral("Żółć"), QStringLiteral("2Ł")};
    QTest::newRow("blanks_kept") << QStringList{" ", "  nOWAK", " a"} << QStringList{" ", "  Nowak", " A"};
    QTest::newRow("double_names") << QStringList{QStringLiteral("jan paweł"), QStringLiteral("gąsienica-łęcka"), "1a"}
                                  << QStringList{QStringLiteral("Jan Paweł"), QStringLiteral("Gąsienica-Łęcka"), "1A"};
    QTest::newRow("one_box_empty") << QStringList{"ewa", "", "1c"} << QStringList{"Ewa", "Bezimienny", "1C"};
}

void tst_SignIn::confirmNormalisesData() {
    QFETCH(QStringList, typed);
    QFETCH(QStringList, shown);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& main = prepare(fx);
    open_& window = showSignIn();
    typeInto(window.Text1, typed[0]);
    typeInto(window.Text2, typed[1]);
    typeInto(window.Text3, typed[2]);
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QCOMPARE(personalData(main), shown);
    QCOMPARE(boxes(window), shown);
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_SignIn::presetFillsBoxes_data() {
    QTest::addColumn<QByteArray>("preset");  // "<none>" for no file
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("absent") << QByteArray("<none>") << QStringList{"", "", ""};
    QTest::newRow("complete") << testsupport::cp1250(QStringLiteral("\"Zośka\",\"Wiśniewska\",\"4a\"\r\n"))
                              << QStringList{QStringLiteral("Zośka"), QStringLiteral("Wiśniewska"), "4a"};
    QTest::newRow("one_field") << QByteArray("\"Ala\"\r\n") << QStringList{"Ala", "", ""};
    QTest::newRow("two_fields") << QByteArray("\"Ala\",\"Kot\"") << QStringList{"Ala", "Kot", ""};
    QTest::newRow("empty_file") << QByteArray() << QStringList{"", "", ""};
}

void tst_SignIn::presetFillsBoxes() {
    QFETCH(QByteArray, preset);
    QFETCH(QStringList, expected);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    prepare(fx);
    if (preset != "<none>")
        fx.write(QStringLiteral("Autoexec.u"), preset);
    open_& window = showSignIn();
    QCOMPARE(boxes(window), expected);
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_SignIn::presetReadOnEveryActivation() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    prepare(fx);
    fx.write(QStringLiteral("Autoexec.u"), "\"Ala\",\"Nowak\",\"1a\"\r\n");
    open_& window = showSignIn();
    QCOMPARE(boxes(window), (QStringList{"Ala", "Nowak", "1a"}));
    typeInto(window.Text1, QStringLiteral("Ola"));
    window.Hide();
    fx.write(QStringLiteral("Autoexec.u"), "\"Ela\",\"Kowal\",\"2b\"\r\n");
    window.Show();
    QCOMPARE(boxes(window), (QStringList{"Ela", "Kowal", "2b"}));
    window.Hide();
    QVERIFY(QFile::remove(fx.path(QStringLiteral("Autoexec.u"))));
    window.Show();
    QCOMPARE(boxes(window), (QStringList{"", "", ""}));
    QCOMPARE(platform::files().openCount(), 1);  // only the question reader
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_SignIn::questionCount_data() {
    QTest::addColumn<QByteArray>("set");
    QTest::addColumn<QString>("label12");
    QTest::addColumn<QString>("firstQuestion");  // read after sign-in; empty when none can be read
    const QByteArray twelve = questionSet(12);
    QTest::newRow("twelve_questions") << twelve << "12" << "Pytanie 1";
    QTest::newRow("one_question") << questionSet(1) << "1" << "Pytanie 1";
    QTest::newRow("header_only") << questionSet(0) << "" << "";
    QTest::newRow("shorter_than_20_bytes") << QByteArray("\"Kwiz v 1.0\"") << "" << "";
    // Empty lines after the last question end the set like its end does (a cut question is refused:
    // tst_flow's damagedSetRefusedAtSignIn).
    QTest::newRow("blank_lines_after_last") << questionSet(3) + "\r\n \r\n" << "3" << "Pytanie 1";
    QTest::newRow("no_line_ends") << QByteArray(twelve).replace("\r\n", ",") << "12" << "Pytanie 1";
}

void tst_SignIn::questionCount() {
    QFETCH(QByteArray, set);
    QFETCH(QString, label12);
    QFETCH(QString, firstQuestion);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& main = prepare(fx);
    chooseSet(fx, set);
    main.Picture1->setVisible(false);
    main.Command1->setText(QStringLiteral("Wystaw ocene"));
    open_& window = showSignIn();
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QCOMPARE(main.Label12->text(), label12);
    QCOMPARE(main.Command1->text(), QStringLiteral("&S  t  a  r  t"));
    QVERIFY(!main.Picture1->isHidden());
    QVERIFY(!window.isVisible());
    testing::QuestionReader& reader = testing::QuestionReader::instance();
    QVERIFY(reader.isOpen());
    if (!firstQuestion.isEmpty())
        QCOMPARE(reader.readTexts().question, firstQuestion);
    else
        QVERIFY_THROWS_EXCEPTION(platform::FileError, reader.readTexts());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

// The chord signs in; it switches the hints on only with no password stored or the right one typed.
void tst_SignIn::hiddenChord_data() {
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("key");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<TypedAnswer>("typed");  // nothing: no password question
    QTest::addColumn<bool>("confirms");
    QTest::addColumn<bool>("hints");
    const int all = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    const int q = Qt::Key_Q;
    const QByteArray none("\"\""), stored("\"Tajne\"");
    QTest::newRow("no_password") << all << q << none << TypedAnswer() << true << true;
    QTest::newRow("ctrl_alt_q") << int(Qt::ControlModifier | Qt::AltModifier) << q << none << TypedAnswer() << false << false;
    QTest::newRow("shift_ctrl_alt_w") << all << int(Qt::Key_W) << none << TypedAnswer() << false << false;
    QTest::newRow("right_password") << all << q << stored << TypedAnswer("Tajne") << true << true;
    QTest::newRow("wrong_case") << all << q << stored << TypedAnswer("tajne") << true << false;
    QTest::newRow("empty_answer") << all << q << stored << TypedAnswer("") << true << false;
}

void tst_SignIn::hiddenChord() {
    QFETCH(int, modifiers);
    QFETCH(int, key);
    QFETCH(QByteArray, stored);
    QFETCH(TypedAnswer, typed);
    QFETCH(bool, confirms);
    QFETCH(bool, hints);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& main = prepare(fx);
    fx.write(QStringLiteral("Wiedo.cfg"), stored + "\r\n");
    const bool wrong = typed && !typed->isEmpty() && !hints;
    if (typed)
        dialogs.expectHiddenInput(QStringLiteral("Podaj hasło nauczyciela"), QStringLiteral("Tryb podpowiedzi -> hasło"),
                                  typed);
    if (wrong)
        dialogs.expectMessage(QStringLiteral("Złe hasło !!!"), QStringLiteral("Złe hasło"), platform::Icon::Exclamation);
    open_& window = showSignIn();
    QTest::keyClick(window.Command1, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    const QString flag = hints ? QStringLiteral("1") : QStringLiteral("0");
    QCOMPARE(main.Tips->text() + main.xx->text(), flag + flag);
    QCOMPARE(window.isVisible(), !confirms);
    QCOMPARE(main.Label12->text(), confirms ? QStringLiteral("12") : QStringLiteral("0"));
    QCOMPARE(dialogs.beeps(), wrong ? 1 : 0);
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_SignIn::clearThenConfirmGivesDefaults() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& main = prepare(fx);
    fx.write(QStringLiteral("Autoexec.u"), "\"Ala\",\"Nowak\",\"1a\"\r\n");
    open_& window = showSignIn();
    const QString caption = window.windowTitle();
    QTest::mouseClick(window.Command2, Qt::LeftButton);
    QCOMPARE(boxes(window), (QStringList{"", "", ""}));
    QCOMPARE(window.windowTitle(), caption);
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QCOMPARE(personalData(main), (QStringList{"Albert", "Bezimienny", QStringLiteral("ZERÓWKA")}));
    WIEDO_VERIFY_DIALOGS(dialogs);
}

// The first student confirms on the button from the keyboard; the next one just types and presses Enter.
void tst_SignIn::nextStudentTypesAndPressesEnter() {
    ProgramFixture fx;
    Wiedo& main = prepare(fx);
    open_& window = showSignIn();
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    window.Show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ola"));
    QTest::keyClick(window.Text3, Qt::Key_Enter);
    QCOMPARE(personalData(main), (QStringList{"Ola", "Bezimienny", QStringLiteral("ZERÓWKA")}));
}

void tst_SignIn::enableMainEnablesExactlyItsControls() {
    ProgramFixture fx;
    Wiedo& main = prepare(fx);
    const auto widgets = main.findChildren<QWidget*>();
    const auto actions = main.findChildren<QAction*>();
    for (QWidget* w : widgets)
        w->setEnabled(false);
    for (QAction* a : actions)
        a->setEnabled(false);
    windows::EnableMain();
    // A control counts as switched on when nothing disabled it explicitly any more.
    QSet<QString> enabled;
    for (QWidget* w : widgets)
        if (!w->testAttribute(Qt::WA_ForceDisabled))
            enabled << w->objectName();
    for (QAction* a : actions)
        if (a->isEnabled())
            enabled << a->objectName();
    const QSet<QString> expected{"drukuj",  "ustdr",   "druKPod", "drukKarO", "DrukWsz", "Command1",
                                 "Label19", "Label20", "Label21", "Label1",   "Label3",  "Label4",
                                 "Label5",  "Label6",  "Label7",  "Label8",   "Label9",  "Label10",
                                 "Label11", "Label12", "Label13", "Label14",  "Label15", "Label16",
                                 "Check1",  "Check2",  "Check3",  "Check4",   "Check5"};
    QCOMPARE(expected.size(), 29);
    QCOMPARE(enabled, expected);
    QVERIFY(main.Label14->isEnabled());  // really usable: its window and parents are enabled
}

QTEST_MAIN(tst_SignIn)
#include "tst_signin.moc"
