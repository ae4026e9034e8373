// The test itself: Start/next, judging the answers, the counters, the grade window at the end, the work
// file check, the answer hint mode, and sets that cannot be read to the end.
#include "main_session.h"

#include "bridges/imported.h"

#include "platform/paths.h"
#include "records/records.h"
#include "windows/grade/ocena.h"
#include "windows/registry.h"

#include <QFile>

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using questionset::Flags;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::Wiedo;
using namespace mainsession;

namespace {

const Flags AC{1, 2, 1, 2, 2};
const Flags none{2, 2, 2, 2, 2};
const QString damagedTitle = QStringLiteral("Uszkodzony zestaw pytań");

QStringList flagCaptions(const Wiedo& w) {
    QStringList result;
    for (int x = 0; x < 5; ++x)
        result << w.flagLabel(x)->text();
    return result;
}

QList<bool> boxes(const Wiedo& w) {
    QList<bool> result;
    for (int x = 0; x < 5; ++x)
        result << (w.answerBox(x)->checkState() == Qt::Checked);
    return result;
}

QString stp() {
    return ui::forms().byName(QStringLiteral("Ocena")).findChild<QLabel*>(QStringLiteral("STP"))->text();
}

// The window after a test that ended (graded or not): counters at zero, test controls off, the teacher's
// and print menus on.
void verifyIdle(const Wiedo& w) {
    QCOMPARE(w.Label10->text(), QStringLiteral("0"));
    QCOMPARE(w.Label12->text(), QStringLiteral("0"));
    QCOMPARE(w.Label14->text(), QStringLiteral("0"));
    QCOMPARE(w.Label16->text(), QStringLiteral("0"));
    QVERIFY(!w.Command1->isEnabled());
    QVERIFY(!w.Check1->isEnabled());
    QVERIFY(!w.Label4->isEnabled());
    QVERIFY(w.drukuj->isEnabled());
    QVERIFY(w.dlaNauczyciela->menuAction()->isEnabled());
    QCOMPARE(w.Tips->text(), QStringLiteral("0"));
}

// A test that could not go on: its messages as scripted, the window idle, nothing in the results log.
void verifyEndedWithoutGrade(const Wiedo& w, const ProgramFixture& fx, const ScriptedDialogs& dialogs) {
    WIEDO_VERIFY_DIALOGS(dialogs);
    verifyIdle(w);
    QVERIFY(!fx.exists(QStringLiteral("wyniki.txt")));
    QCOMPARE(fx.leftovers(), QString());
}

QByteArray textsRecord(const QStringList& fields) {
    QList<records::Field> list;
    for (const QString& f : fields)
        list << records::Field::text(f);
    return records::formatRecord(list);
}

// The set changes on disk under the running test (the teacher's editor, say) from its second question on,
// and a command closes every open file, so the reader reopens it where it stood.
void replaceFromSecondQuestion(const QString& path, const QByteArray& tail) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    const QByteArray secondRecord = textsRecord({"Pytanie 2"});
    bytes.truncate(bytes.indexOf(secondRecord.left(secondRecord.size() - 2)));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes + tail);
    file.close();
    platform::files().closeAll();
}

// Counts the paint events of the controls it watches and notes the text each showed when painted.
class PaintCounter : public QObject {
public:
    QMap<QObject*, int> paints;
    QMap<QObject*, QString> texts;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints[watched];
            if (auto* label = qobject_cast<QLabel*>(watched))
                texts[watched] = label->text();
            else if (auto* button = qobject_cast<QAbstractButton*>(watched))
                texts[watched] = button->text();
        }
        return false;
    }
};

}  // namespace

class tst_Flow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }
    void cleanup() { testing::QuestionReader::instance().close(); }

    void judging_data();
    void judging();
    void oneQuestionSetGradedOnce();
    void countersAddUpAndHandOver();
    void workFileDeletedMidTest_data();
    void workFileDeletedMidTest();
    void hintMode();
    void damagedSetEndsWithoutGrade_data();
    void damagedSetEndsWithoutGrade();
    void setCutBetweenQuestionsEndsWithoutGrade();
    void setOpenedDuringTestEndsAsAfterItsLast();
    void refusedFileLeavesTestOnItsOwnSet_data();
    void refusedFileLeavesTestOnItsOwnSet();
    void gradeCloseBoxResetsOnce();
    void setGoneBeforeSignIn_data();
    void setGoneBeforeSignIn();
    void openWindowShownAgainKeepsItsBoxes();
    void setDeletedMidTest();
    void emptyCountRefused_data();
    void emptyCountRefused();
    void closedFilesBeforeStart();
    void logoOnlyWhileStartEnabled();
    void clickPaintsTheNewQuestionAtOnce();
    void handWrittenGiftIsTested();
};

void tst_Flow::judging_data() {
    QTest::addColumn<Flags>("flags");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<bool>("good");
    QTest::newRow("a_and_c_ticked") << AC << QList<int>{0, 2} << true;
    QTest::newRow("a_b_c_ticked") << AC << QList<int>{0, 1, 2} << false;
    QTest::newRow("all_five_ticked") << AC << QList<int>{0, 1, 2, 3, 4} << false;
    QTest::newRow("all_five_correct_all_ticked") << Flags{1, 1, 1, 1, 1} << QList<int>{0, 1, 2, 3, 4} << true;
    QTest::newRow("only_a_ticked") << AC << QList<int>{0} << false;
    QTest::newRow("c_d_e_ticked") << AC << QList<int>{2, 3, 4} << false;
    QTest::newRow("nothing_ticked") << AC << QList<int>{} << false;
    QTest::newRow("all_flags_2_nothing_ticked") << none << QList<int>{} << true;
    QTest::newRow("all_flags_2_all_ticked") << none << QList<int>{0, 1, 2, 3, 4} << false;
    QTest::newRow("only_e_correct_e_ticked") << Flags{2, 2, 2, 2, 1} << QList<int>{4} << true;
}

void tst_Flow::judging() {
    QFETCH(Flags, flags);
    QFETCH(QList<int>, ticked);
    QFETCH(bool, good);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, {flags, Flags{1, 1, 2, 2, 2}, AC}));
    QCOMPARE(w.Label12->text(), QStringLiteral("3"));
    next(w);
    QCOMPARE(w.Label10->text(), QStringLiteral("1"));
    QCOMPARE(w.Label1->text(), QStringLiteral("Pytanie 1"));
    QCOMPARE(flagCaptions(w), (QStringList{QString::number(flags[0]), QString::number(flags[1]),
                                           QString::number(flags[2]), QString::number(flags[3]),
                                           QString::number(flags[4])}));
    tick(w, {1, 1});  // an answer button ticks its box and unticks it again
    QCOMPARE(boxes(w), (QList<bool>{false, false, false, false, false}));
    for (int x : ticked)
        QTest::mouseClick(w.answerBox(x), Qt::LeftButton);
    next(w);
    QCOMPARE(w.Label14->text(), good ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(w.Label16->text(), good ? QStringLiteral("0") : QStringLiteral("1"));
    QCOMPARE(boxes(w), (QList<bool>{false, false, false, false, false}));
    // The next question is on screen with its own flags.
    QCOMPARE(w.Label10->text(), QStringLiteral("2"));
    QCOMPARE(w.Label1->text(), QStringLiteral("Pytanie 2"));
    QCOMPARE(w.Label8->text(), QStringLiteral("E2"));
    QCOMPARE(w.Label3->text(), QStringLiteral("Podpowiedź 2"));
    QCOMPARE(flagCaptions(w), (QStringList{"1", "1", "2", "2", "2"}));
    QVERIFY(w.Command1->isEnabled());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Flow::oneQuestionSetGradedOnce() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, {AC}));
    next(w);
    QCOMPARE(w.Command1->text(), QStringLiteral("Wystaw ocene"));
    QCOMPARE(w.Label1->toolTip(), QStringLiteral("Pytanie 1"));
    QCOMPARE(w.Label6->toolTip(), QStringLiteral("C1"));
    QVERIFY(!w.Picture1->isVisible());
    QVERIFY(!w.drukuj->isEnabled());
    QVERIFY(!w.ustdr->isEnabled());
    QVERIFY(!w.dlaNauczyciela->menuAction()->isEnabled());
    QVERIFY(w.Command1->isEnabled());
    tick(w, {0, 2});
    QString shownPoints;
    bool startDisabledUnderGrade = false;
    closeGradeWindowWhenShown([&](ui::Form& grade) {
        shownPoints = grade.findChild<QLabel*>(QStringLiteral("STP"))->text();
        startDisabledUnderGrade = !w.Command1->isEnabled();
    });
    const int beepsBefore = dialogs.beeps();
    next(w);
    QCOMPARE(shownPoints, QStringLiteral("1"));
    QVERIFY(startDisabledUnderGrade);
    QVERIFY(dialogs.beeps() > beepsBefore);
    verifyIdle(w);
    const QByteArray log = fx.read(QStringLiteral("wyniki.txt"));
    QCOMPARE(log.count("Ocena : "), 1);
    QVERIFY(log.contains(" Liczba punkt"));
    QVERIFY(log.contains("1  na 1\r\n"));
    const QByteArray answers = fx.read(QStringLiteral("odpowiedzi.txt"));
    QVERIFY2(answers.endsWith(",1\r\n\"Zaznaczone\",\"AC\"\r\n\"Klucz\",\"AC\"\r\n\"Koniec\"\r\n"), answers.constData());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Flow::countersAddUpAndHandOver() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, {AC, AC, AC, AC, AC}));
    next(w);
    QStringList handedOver;  // the grade window's points before each judgement
    for (int i = 1; i <= 4; ++i) {
        if (i % 2)
            tick(w, {0, 2});
        const QString before = w.Label14->text();
        next(w);
        handedOver << stp();
        QCOMPARE(handedOver.last(), before);
        QCOMPARE(w.Label14->text().toInt() + w.Label16->text().toInt(), i);
    }
    QCOMPARE(w.Command1->text(), QStringLiteral("Wystaw ocene"));
    tick(w, {0, 2});
    QString finalPoints, wrong;
    closeGradeWindowWhenShown([&](ui::Form& grade) {
        finalPoints = grade.findChild<QLabel*>(QStringLiteral("STP"))->text();
        wrong = w.Label16->text();
    });
    next(w);
    QCOMPARE(handedOver, (QStringList{"0", "1", "1", "2"}));
    QCOMPARE(finalPoints, QStringLiteral("3"));
    QCOMPARE(wrong, QStringLiteral("2"));
    verifyIdle(w);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Flow::workFileDeletedMidTest_data() {
    QTest::addColumn<Answer>("answer");
    QTest::newRow("stay") << Answer::No;
    QTest::newRow("leave") << Answer::Yes;
}

void tst_Flow::workFileDeletedMidTest() {
    QFETCH(Answer, answer);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, {AC, AC, AC}));
    next(w);
    QVERIFY(QFile::remove(fx.driveC() + QStringLiteral("/test.tmp")));
    dialogs.expectMessage(
        QStringLiteral("Ktoś skasował plik przejściowy C:\\TEST.TMP. Za karę kończę działanie programu"),
        QStringLiteral("Błąd tymczasowy"), Icon::Exclamation);
    dialogs.expectMessage(QStringLiteral("Czy chcesz opuścić ten program ?"), QStringLiteral("Koniec ?"),
                          Icon::Information, Buttons::YesNo, answer);
    tick(w, {0, 2});
    next(w);
    WIEDO_VERIFY_DIALOGS(dialogs);
    if (answer == Answer::Yes) {
        QVERIFY(ui::forms().hasEnded());
        QCOMPARE(w.Label14->text(), QStringLiteral("0"));
    } else {
        // All files were closed, and the click still judged and read on.
        QVERIFY(!ui::forms().hasEnded());
        QVERIFY(w.isVisible());
        QCOMPARE(w.Label14->text(), QStringLiteral("1"));
        QCOMPARE(w.Label10->text(), QStringLiteral("2"));
        QCOMPARE(w.Label1->text(), QStringLiteral("Pytanie 2"));
        QVERIFY(w.Command1->isEnabled());
    }
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Flow::hintMode() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, {Flags{2, 1, 2, 1, 2}, AC}), true);
    QCOMPARE(w.xx->text(), QStringLiteral("1"));
    QCOMPARE(w.Tips->text(), QStringLiteral("1"));
    next(w);
    QTest::mouseClick(w.answerBox(0), Qt::LeftButton);  // a wrong tick the hints take back
    for (int x = 0; x < 5; ++x)
        hover(w.answerButton(x));
    QCOMPARE(boxes(w), (QList<bool>{false, true, false, true, false}));

    const QString numberTitle = QStringLiteral("Numer pytania");
    dialogs.expectMessage(QStringLiteral("Pytanie nr  : 1"), numberTitle, Icon::Information);
    QTest::mouseClick(w.Label10, Qt::LeftButton);
    QCOMPARE(w.Tips->text(), QStringLiteral("0"));
    QTest::mouseClick(w.Label1, Qt::LeftButton);  // unticks all
    for (int x = 0; x < 5; ++x)
        hover(w.answerButton(x));
    QCOMPARE(boxes(w), (QList<bool>{false, false, false, false, false}));
    QCOMPARE(w.Podp->text(), QStringLiteral("E1"));

    dialogs.expectMessage(QStringLiteral("Pytanie nr  : 1"), numberTitle, Icon::Information);
    QTest::mouseClick(w.Label9, Qt::LeftButton);
    QCOMPARE(w.Tips->text(), QStringLiteral("1"));

    // The end of the test disarms the mode: the switch then does nothing.
    next(w);
    closeGradeWindowWhenShown();
    next(w);
    QCOMPARE(w.xx->text(), QStringLiteral("0"));
    QCOMPARE(w.Tips->text(), QStringLiteral("0"));
    w.Label10->setEnabled(true);
    dialogs.expectMessage(QStringLiteral("Pytanie nr  : 0"), numberTitle, Icon::Information);
    QTest::mouseClick(w.Label10, Qt::LeftButton);
    QCOMPARE(w.Tips->text(), QStringLiteral("0"));
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Flow::damagedSetEndsWithoutGrade_data() {
    QTest::addColumn<QByteArray>("secondQuestion");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("duringTest");  // damaged while question 1 is on screen, or before the sign-in
    const QString cut = QStringLiteral("pytanie nr 2 nie ma wszystkich pól.");
    const QString badFlags =
        QStringLiteral("pytanie nr 2 ma niepoprawne oznaczenia odpowiedzi (dozwolone są liczby od 0 do 255).");
    const QByteArray texts = textsRecord({"P2", "a", "b", "c", "d", "e", "h"});
    const struct {
        const char* name;
        QByteArray bytes;
        QString damage;
    } cases[] = {
        {"cut_inside_texts", "\"P2\",\"a\",\"b\"", cut},
        {"cut_before_flags", texts, cut},
        {"cut_inside_flags", texts + "1,2,1", cut},
        {"flag_not_a_number", texts + "1,\"x\",2,2,2\r\n", badFlags},
        {"flag_above_255", texts + "1,300,2,2,2\r\n", badFlags},
        {"flag_negative", texts + "1,-1,2,2,2\r\n", badFlags},
    };
    for (const auto& c : cases)
        for (const bool duringTest : {true, false})
            QTest::addRow("%s_%s", c.name, duringTest ? "during_test" : "at_sign_in") << c.bytes << c.damage << duringTest;
}

void tst_Flow::damagedSetEndsWithoutGrade() {
    QFETCH(QByteArray, secondQuestion);
    QFETCH(QString, damage);
    QFETCH(bool, duringTest);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    const QString path = writeSet(fx, {AC, AC, AC});
    const QString prompt = QStringLiteral("Zestaw pytań jest uszkodzony: ") + damage;
    if (duringTest) {
        openAndSignIn(w, dialogs, path);
        next(w);
        replaceFromSecondQuestion(path, secondQuestion);
        dialogs.expectMessage(prompt + QStringLiteral(" Test zostaje przerwany bez oceny."), damagedTitle,
                              Icon::Exclamation);
        tick(w, {0, 2});
        next(w);
    } else {
        // The sign-in's count finds the damage: the test does not start.
        replaceFromSecondQuestion(path, secondQuestion);
        dialogs.expectOpenFile(openTitle, openFilter, path);
        w.otwórz->trigger();
        dialogs.expectMessage(prompt + QStringLiteral(" Test nie może się rozpocząć. Popraw zestaw albo otwórz inny "
                                                      "zestaw pytań."),
                              damagedTitle, Icon::Exclamation);
        QTest::mouseClick(ui::forms().get<windows::open_>().Command1, Qt::LeftButton);
        QVERIFY(!ui::forms().get<windows::open_>().isVisible());
    }
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(!fx.exists(QStringLiteral("wyniki.txt")));
    QVERIFY(!fx.exists(QStringLiteral("odpowiedzi.txt")));
    verifyIdle(w);
    QCOMPARE(w.Label1->text(), QString());
    QCOMPARE(w.Command1->text(), QStringLiteral("&S  t  a  r  t"));
    QCOMPARE(platform::files().openCount(), 0);

    // Usable again: the next student takes a sound set from the start.
    openAndSignIn(w, dialogs, writeSet(fx, {AC}, QStringLiteral("inny.kwz")));
    next(w);
    QCOMPARE(w.Label10->text(), QStringLiteral("1"));
    QCOMPARE(w.Label1->text(), QStringLiteral("Pytanie 1"));
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Flow::setCutBetweenQuestionsEndsWithoutGrade() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    const QString path = writeSet(fx, {AC, AC, AC});
    openAndSignIn(w, dialogs, path);
    next(w);
    replaceFromSecondQuestion(path, "\r\n");  // only the first question is left, cut at a record's end
    dialogs.expectMessage(QStringLiteral("Zestaw pytań jest uszkodzony: brakuje pytania nr 2 i następnych. Test "
                                         "zostaje przerwany bez oceny."),
                          damagedTitle, Icon::Exclamation);
    tick(w, {0, 2});
    next(w);
    verifyEndedWithoutGrade(w, fx, dialogs);
}

void tst_Flow::setOpenedDuringTestEndsAsAfterItsLast() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, {AC, AC, AC, AC, AC}));
    next(w);
    tick(w, {0, 2});
    next(w);
    next(w);
    // Question 3 of 5 on screen; a two-question set is opened and signed in: it goes on as questions 4, 5
    // and ends after its last, with no count to match.
    openAndSignIn(w, dialogs, writeSet(fx, {none, none}, QStringLiteral("drugi.kwz")));
    QCOMPARE(w.Label12->text(), QStringLiteral("2"));
    next(w);
    QCOMPARE(w.Label10->text(), QStringLiteral("4"));
    QCOMPARE(w.Label1->text(), QStringLiteral("Pytanie 1"));
    next(w);
    QCOMPARE(w.Label10->text(), QStringLiteral("5"));
    QString points;
    closeGradeWindowWhenShown([&](ui::Form& grade) {
        points = grade.findChild<QLabel*>(QStringLiteral("STP"))->text();
    });
    next(w);
    QCOMPARE(points, QStringLiteral("3"));  // 1 of the first set, 2 of the second
    QCOMPARE(fx.read(QStringLiteral("wyniki.txt")).count("Ocena : "), 1);
    // The answers log holds the answers to the set the test ended on, the one it names.
    const QByteArray answers = fx.read(QStringLiteral("odpowiedzi.txt"));
    QVERIFY2(answers.endsWith("drugi.kwz\",2\r\n\"Zaznaczone\",\"\",\"\"\r\n\"Klucz\",\"\",\"\"\r\n\"Koniec\"\r\n"),
             answers.constData());
    verifyIdle(w);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Flow::refusedFileLeavesTestOnItsOwnSet_data() {
    QTest::addColumn<QByteArray>("refused");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");
    QTest::newRow("wrong_header") << QByteArray("\"kwiz v 1.0\"\r\n") + textsRecord({"Obce", "a", "b", "c", "d", "e", "h"}) +
                                         "1,1,1,1,1\r\n"
                                  << QStringLiteral("Plik %1 nie jest plikiem testu ")
                                  << QStringLiteral("Zły format pliku !!!");
    QTest::newRow("empty_file") << QByteArray() << QStringLiteral("Wystąpił nieznany błąd w programie")
                                << QStringLiteral("Błąd");
}

void tst_Flow::refusedFileLeavesTestOnItsOwnSet() {
    QFETCH(QByteArray, refused);
    QFETCH(QString, prompt);
    QFETCH(QString, title);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    const QString own = writeSet(fx, {AC, AC, AC});
    openAndSignIn(w, dialogs, own);
    next(w);
    tick(w, {0, 2});
    next(w);
    const QString other = fx.root() + QStringLiteral("/obcy.kwz");
    fx.write(other, refused);
    dialogs.expectOpenFile(openTitle, openFilter, other);
    dialogs.expectMessage(prompt.contains(u'%') ? prompt.arg(other) : prompt, title, Icon::Exclamation);
    w.otwórz->trigger();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(platform::files().openCount(), 0);
    tick(w, {0, 2});
    next(w);
    QCOMPARE(w.Label10->text(), QStringLiteral("3"));
    QCOMPARE(w.Label1->text(), QStringLiteral("Pytanie 3"));
    tick(w, {0, 2});
    closeGradeWindowWhenShown();
    next(w);
    const QByteArray log = fx.read(QStringLiteral("wyniki.txt"));
    QVERIFY2(log.contains(testsupport::cp1250(QStringLiteral("Plik z testami : ") + own + QStringLiteral("\r\n"))),
             log.constData());
    QVERIFY(log.contains(testsupport::cp1250(QStringLiteral(" Liczba punktów 3  na 3\r\n"))));
    verifyIdle(w);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Flow::gradeCloseBoxResetsOnce() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, {AC, AC, AC}));
    for (int i = 0; i < 3; ++i) {
        tick(w, {0, 2});
        next(w);
    }
    ui::forms().queueModalScript(QStringLiteral("Ocena"), [](ui::Form& grade) {
        grade.close();
        grade.close();  // a second close of the same window changes nothing more
    });
    tick(w, {0, 2});
    next(w);
    verifyIdle(w);
    QCOMPARE(w.Label19->text(), QStringLiteral("Imie"));
    QVERIFY(!w.Command1->isEnabled());
    // The next student's first click finds no test to grade.
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QTest::mouseClick(w.Picture1, Qt::LeftButton);
    QCOMPARE(fx.read(QStringLiteral("wyniki.txt")).count(" Liczba punkt"), 1);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Flow::setGoneBeforeSignIn_data() {
    QTest::addColumn<bool>("deleted");
    QTest::newRow("deleted") << true;
    QTest::newRow("emptied") << false;
}

void tst_Flow::setGoneBeforeSignIn() {
    QFETCH(bool, deleted);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    const QString path = writeSet(fx, {AC, AC});
    dialogs.expectOpenFile(openTitle, openFilter, path);
    w.otwórz->trigger();
    auto& signIn = ui::forms().get<windows::open_>();
    QVERIFY(signIn.isVisible());
    platform::files().closeAll();
    if (deleted)
        QVERIFY(QFile::remove(path));
    else
        fx.write(path, {});
    if (deleted)
        dialogs.expectMessage(QStringLiteral("Nie mogę otworzyć zestawu pytań %1: plik został usunięty, przeniesiony "
                                             "albo nie można go odczytać. Test nie może się rozpocząć. Otwórz "
                                             "zestaw pytań jeszcze raz.")
                                  .arg(path),
                              QStringLiteral("Brak zestawu pytań"), Icon::Exclamation);
    else
        dialogs.expectMessage(QStringLiteral("Zestaw pytań %1 jest pusty albo nie jest już plikiem testu. Test nie "
                                             "może się rozpocząć. Otwórz inny zestaw pytań.")
                                  .arg(path),
                              QStringLiteral("Pusty zestaw pytań"), Icon::Exclamation);
    QTest::mouseClick(signIn.Command1, Qt::LeftButton);
    verifyEndedWithoutGrade(w, fx, dialogs);
    QVERIFY(!signIn.isVisible());
    QCOMPARE(w.Command1->text(), QStringLiteral("&S  t  a  r  t"));
}

void tst_Flow::setDeletedMidTest() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    const QString path = writeSet(fx, {AC, AC});
    openAndSignIn(w, dialogs, path);
    next(w);
    platform::files().closeAll();
    QVERIFY(QFile::remove(path));
    dialogs.expectMessage(QStringLiteral("Nie mogę otworzyć zestawu pytań %1. Test zostaje przerwany bez oceny.")
                              .arg(path),
                          QStringLiteral("Brak zestawu pytań"), Icon::Exclamation);
    next(w);
    verifyEndedWithoutGrade(w, fx, dialogs);
}

void tst_Flow::emptyCountRefused_data() {
    QTest::addColumn<QString>("count");
    QTest::newRow("empty_caption") << QString();
    QTest::newRow("zero_caption") << QStringLiteral("0");
}

void tst_Flow::emptyCountRefused() {
    QFETCH(QString, count);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, count.isEmpty() ? QList<Flags>{} : QList<Flags>{AC}));
    w.Label12->setText(count);
    dialogs.expectMessage(QStringLiteral("Wybrany zestaw nie zawiera żadnego pytania, więc test nie może się "
                                         "rozpocząć. Otwórz inny zestaw pytań."),
                          QStringLiteral("Pusty zestaw pytań"), Icon::Exclamation);
    next(w);
    verifyEndedWithoutGrade(w, fx, dialogs);
}

void tst_Flow::closedFilesBeforeStart() {
    // Printing, the editor and the options close every open file between sign-in and Start.
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, {AC, Flags{1, 1, 1, 1, 1}}));
    platform::files().closeAll();
    next(w);
    QCOMPARE(w.Label1->text(), QStringLiteral("Pytanie 1"));
    QCOMPARE(flagCaptions(w), (QStringList{"1", "2", "1", "2", "2"}));
    platform::files().closeAll();
    next(w);
    QCOMPARE(w.Label1->text(), QStringLiteral("Pytanie 2"));
    QCOMPARE(flagCaptions(w), (QStringList{"1", "1", "1", "1", "1"}));
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Flow::logoOnlyWhileStartEnabled() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    QTest::mouseClick(w.Picture1, Qt::LeftButton);
    QCOMPARE(w.Label10->text(), QStringLiteral("0"));
    openAndSignIn(w, dialogs, writeSet(fx, {AC, AC}));
    QVERIFY(w.Picture1->isVisible());
    QTest::mouseClick(w.Picture1, Qt::LeftButton);
    QCOMPARE(w.Label10->text(), QStringLiteral("1"));
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Flow::openWindowShownAgainKeepsItsBoxes() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    fx.write(QStringLiteral("Autoexec.u"), "\"Ala\",\"Nowak\",\"1a\"\r\n");
    const QString path = writeSet(fx, {AC});
    dialogs.expectOpenFile(openTitle, openFilter, path);
    w.otwórz->trigger();
    auto& signIn = ui::forms().get<windows::open_>();
    QCOMPARE(signIn.Text1->text(), QStringLiteral("Ala"));
    signIn.Text1->setText(QStringLiteral("Ola"));
    // The student goes back to the main window and opens the set again, or looks at the help: the
    // sign-in window, still open, keeps what was typed.
    QVERIFY(QTest::qWaitForWindowActive(&signIn));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    dialogs.expectOpenFile(openTitle, openFilter, path);
    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(signIn.Text1->text(), QStringLiteral("Ola"));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    ui::forms().queueModalScript(QStringLiteral("oPrg"), [](ui::Form& about) { about.Hide(); });
    w.mnuBitmap3->trigger();
    QCOMPARE(signIn.Text1->text(), QStringLiteral("Ola"));
    WIEDO_VERIFY_DIALOGS(dialogs);
    signIn.Hide();
    QCOMPARE(fx.leftovers(), QString());
}

// A teacher's GIFT file, written by hand or exported by a platform in HTML, imported: the program opens the
// set, signs the student in, shows and judges its questions (a true/false one among them) and grades the test.
void tst_Flow::handWrittenGiftIsTested() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    const bridges::Import import = bridges::importBytes(
        "// Geografia, klasa 3b\r\n"
        "::Stolica::[html]<p>Stolica <b>Polski</b> to:</p> {\r\n  =[html]<p>Warszawa</p>\r\n  ~Krak&oacute;w\r\n  ~Gdańsk\r\n"
        "  ####Nad Wisłą\r\n}\r\n\r\n"
        "Które liczby są pierwsze? {~%50%2 ~%50%3 ~%-100%4}\r\n\r\n2+2=4 {TRUE}\r\n");
    QVERIFY2(import.failure.isEmpty() && import.result.questions.size() == 3, qPrintable(import.failure));
    const QString set = fx.root() + QStringLiteral("/geografia.kwz");
    fx.write(set, import.result.setBytes);
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, set);
    QCOMPARE(w.Label12->text(), QStringLiteral("3"));
    next(w);
    QCOMPARE(w.Label1->text(), QStringLiteral("Stolica Polski to:"));
    QCOMPARE(w.answerButton(1)->text(), QStringLiteral("Kraków"));
    QCOMPARE(w.Label3->text(), QStringLiteral("Nad Wisłą"));
    tick(w, {0});
    next(w);
    QCOMPARE(w.Label1->text(), QStringLiteral("Które liczby są pierwsze?"));
    tick(w, {0, 1});
    next(w);
    QCOMPARE(w.answerButton(1)->text(), QStringLiteral("Fałsz"));
    tick(w, {0});
    closeGradeWindowWhenShown();
    next(w);
    const QByteArray log = fx.read(QStringLiteral("wyniki.txt"));
    QVERIFY2(log.contains("3  na 3\r\n") && log.count("Ocena : ") == 1, log.constData());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

QTEST_MAIN(tst_Flow)
#include "tst_flow.moc"

// The click paints before it returns, with no event loop in between: every control that shows the
// question is painted, once, and already shows the new question when it is.
void tst_Flow::clickPaintsTheNewQuestionAtOnce() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, {AC, none, AC}));
    next(w);
    QCoreApplication::processEvents();
    PaintCounter counter;
    const QList<QWidget*> shown{w.Label1, w.Label3, w.Label10, w.Label14, w.Label16, w.Command1};
    QList<QWidget*> watched = shown;
    for (int x = 0; x < 5; ++x)
        watched << w.answerButton(x) << w.answerBox(x);
    for (QWidget* control : watched)
        control->installEventFilter(&counter);
    w.Command1->click();
    for (QWidget* control : watched) {
        QVERIFY2(control->isVisible(), qPrintable(control->objectName()));
        QCOMPARE(counter.paints.value(control), 1);
    }
    QCOMPARE(counter.texts.value(w.Label10), QStringLiteral("2"));
    QCOMPARE(counter.texts.value(w.Label1), QStringLiteral("Pytanie 2"));
    QCOMPARE(counter.texts.value(w.answerButton(0)), QStringLiteral("A2"));
    w.Command1->click();
    for (QWidget* control : watched)
        QCOMPARE(counter.paints.value(control), 2);
    QCOMPARE(counter.texts.value(w.answerButton(4)), QStringLiteral("E3"));
    QCOMPARE(counter.texts.value(w.Label3), QStringLiteral("Podpowiedź 3"));
}

