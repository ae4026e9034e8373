// The question editor through its real widgets: the exact bytes of a set after each move, failures that
// leave the set as it was, the boxes that refuse what a set cannot hold, and the way in and out.
#include "main/main_session.h"

#include "questionset/editor_store.h"
#include "support/test_files.h"
#include "ui/record_box.h"
#include "windows/editor/nowe_wiedo.h"
#include "windows/registry.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLockFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using testsupport::cp1250;
using testsupport::fileContents;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::NoweWiedo;
Q_DECLARE_METATYPE(platform::Answer)

namespace {

const QString filter = NoweWiedo::filter;
const QByteArray header("\"Kwiz v 1.0\"\r\n");
const QByteArray q1("\"Stolica Polski?\",\"Warszawa\",\"Kraków\",\"\",\"\",\"\",\"Brak\"\r\n1,2,2,2,2\r\n");
const QByteArray q2("\"Ile to 2+2?\",\"3\",\"4\",\"\",\"\",\"\",\"Brak\"\r\n2,1,2,2,2\r\n");
const QByteArray q3("\"Rzeka?\",\"Wisła\",\"Odra\",\"\",\"\",\"\",\"Brak\"\r\n1,1,2,2,2\r\n");
const QString unsaved = QStringLiteral(
    "Pytanie na ekranie nie zostało zapisane. Czy zapisać je przed przejściem dalej ?");
const QString noTick = QStringLiteral(
    "Nie zaznaczyłeś żadnego rekordu. Czy kontynuować ( TAK - następny rekord   NIE - popraw rekord )");

// Typing into a box, one key per character (Polish letters and all).
void typeInto(QWidget* box, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

// An installed program whose current folder (where the working copy lives) is the test's own, with the
// editor on screen.
struct Session {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    NoweWiedo* w = nullptr;
    QString set;
    Session() {
        QDir::setCurrent(fx.root());
        set = fx.root() + QStringLiteral("/zestaw.kwz");
        w = &ui::forms().get<NoweWiedo>();
        w->Show();
    }
    QByteArray bytes() const { return fileContents(set); }
    QByteArray workingCopy() const { return fileContents(fx.root() + QStringLiteral("/temp.tmp")); }
    void newSet() {
        dialogs.expectSaveFile(QString(), filter, set);
        w->nowyzestaw->trigger();
    }
    void open(const QByteArray& contents) {
        testsupport::writeTestFile(set, contents);
        dialogs.expectOpenFile(QString(), filter, set);
        w->otwórz->trigger();
    }
    // Types a question into the boxes (answers C to E left empty) and ticks the answers given.
    void type(const QString& question, const QString& a, const QString& b, std::initializer_list<int> ticks) {
        w->CzyśćPola_Click();
        typeInto(w->Text1, question);
        typeInto(w->Text2, a);
        typeInto(w->Text3, b);
        for (int x : ticks)
            QTest::mouseClick(w->answerBoxes()[static_cast<std::size_t>(x)], Qt::LeftButton);
    }
    void next() { QTest::mouseClick(w->Command2, Qt::LeftButton); }
    void previous() { QTest::mouseClick(w->Command1, Qt::LeftButton); }
    QString counters() const { return w->Label11->text() + u'/' + w->Label13->text(); }
    // The three questions above, typed in; the second one first refused for having no good answer.
    void typeThree() {
        newSet();
        type(QStringLiteral("Stolica Polski?"), QStringLiteral("Warszawa"), QStringLiteral("Kraków"), {0});
        next();
        type(QStringLiteral("Ile to 2+2?"), QStringLiteral("3"), QStringLiteral("4"), {});
        dialogs.expectMessage(noTick, QStringLiteral("Błąd czy tajny cios ?"), Icon::Exclamation, Buttons::YesNo,
                              Answer::No);
        next();
        QCOMPARE(counters(), QStringLiteral("2/2"));
        QTest::mouseClick(w->Check2, Qt::LeftButton);
        w->Text7->setText(QString());  // an empty hint is stored as "Brak"
        next();
        type(QStringLiteral("Rzeka?"), QStringLiteral("Wisła"), QStringLiteral("Odra"), {0, 1});
        next();
    }
};

QByteArray question(int i) {
    return QStringLiteral("\"P%1\",\"A%1\",\"B%1\",\"\",\"\",\"\",\"H%1\"\r\n1,2,2,2,2\r\n").arg(i).toLatin1();
}

QByteArray setOf(int questions) {
    QByteArray bytes = header;
    for (int i = 1; i <= questions; ++i)
        bytes += question(i);
    return bytes;
}

}  // namespace

class tst_NoweWiedo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // Started again as the child of killedInTheMiddleOfARewrite: rewrite until killed.
        if (const QString set = qEnvironmentVariable("WIEDO_REWRITE_FOREVER"); !set.isEmpty()) {
            QDir::setCurrent(QFileInfo(set).absolutePath());
            questionset::Question q;
            for (int round = 0;; ++round) {
                q.texts.question = round % 2 ? QStringLiteral("nowe") : QStringLiteral("NOWE");
                questionset::rewriteInPlace(set, 2, 20000, q);
                std::fputs("rewritten\n", stdout);
                std::fflush(stdout);
            }
        }
        windows::registerAll();
    }
    void cleanup() { QCOMPARE(testsupport::resetFileTable(), 0); }

    void typedSetHasExactBytes() {
        Session s;
        s.typeThree();
        WIEDO_VERIFY_DIALOGS(s.dialogs);
        QCOMPARE(s.bytes(), header + cp1250(QString::fromUtf8(q1 + q2 + q3)));
        QCOMPARE(s.counters(), QStringLiteral("4/4"));
        QCOMPARE(s.w->Text1->text(), QString());
        QCOMPARE(s.w->Text7->text(), QStringLiteral("Brak"));
    }

    void browseAndRewriteInTheMiddle() {
        Session s;
        s.typeThree();
        s.previous();
        s.previous();
        QCOMPARE(s.counters(), QStringLiteral("2/4"));
        QCOMPARE(s.w->Text1->text(), QStringLiteral("Ile to 2+2?"));
        QVERIFY(s.w->Check2->isChecked() && !s.w->Check1->isChecked());
        s.w->Text1->setText(QStringLiteral("Ile to 2·2?"));
        s.next();
        const QByteArray changed = QByteArray(q2).replace("2+2", "2\xB7" "2");
        QCOMPARE(s.bytes(), header + cp1250(QString::fromUtf8(q1)) + changed + cp1250(QString::fromUtf8(q3)));
        QCOMPARE(s.workingCopy(), QByteArray());
        // Saved, the editor goes on to the next question.
        QCOMPARE(s.counters(), QStringLiteral("3/4"));
        QCOMPARE(s.w->Text1->text(), QStringLiteral("Rzeka?"));
        s.w->PierRek->trigger();
        QCOMPARE(s.counters(), QStringLiteral("1/4"));
        QCOMPARE(s.w->Text2->text(), QStringLiteral("Warszawa"));
        s.w->Check5->setChecked(true);
        s.dialogs.expectMessage(unsaved, QStringLiteral("Niezapisane zmiany"), Icon::Question, Buttons::YesNoCancel,
                                Answer::No);
        s.w->OstRek->trigger();
        QCOMPARE(s.counters(), QStringLiteral("3/3"));
        QCOMPARE(s.w->Text3->text(), QStringLiteral("Odra"));
        QVERIFY(!s.w->Check5->isChecked());
        WIEDO_VERIFY_DIALOGS(s.dialogs);
    }

    void openedSetFirstAndLastQuestion() {
        Session s;
        s.open(setOf(5));
        QCOMPARE(s.counters(), QStringLiteral("1/5"));
        s.w->Text1->setText(QStringLiteral("nowe"));
        s.next();
        QCOMPARE(s.bytes(), setOf(5).replace("\"P1\"", "\"nowe\""));
        s.w->OstRek->trigger();
        s.w->Text1->setText(QStringLiteral("ostatnie"));
        s.next();  // the last question is saved in its place, and a new one waits at the end
        QCOMPARE(s.bytes(), setOf(5).replace("\"P1\"", "\"nowe\"").replace("\"P5\"", "\"ostatnie\""));
        QCOMPARE(s.counters(), QStringLiteral("6/6"));
        QCOMPARE(s.w->Text1->text(), QString());
        QCOMPARE(s.w->Text7->text(), QStringLiteral("Brak"));
        // Back on the last one and Next again: still in its place, never a copy.
        s.previous();
        QCOMPARE(s.counters(), QStringLiteral("5/6"));
        s.next();
        QCOMPARE(s.bytes(), setOf(5).replace("\"P1\"", "\"nowe\"").replace("\"P5\"", "\"ostatnie\""));
        QCOMPARE(s.counters(), QStringLiteral("6/6"));
        WIEDO_VERIFY_DIALOGS(s.dialogs);
    }

    // A move that replaces a changed question asks first: Yes saves it in its place, No drops it, Cancel stays.
    void unsavedChangesAskFirst_data() {
        QTest::addColumn<QString>("move");
        QTest::addColumn<Answer>("answer");
        const QList<std::pair<const char*, QString>> moves{{"previous", "poprzedni"}, {"first", "PierRek"},
                                                          {"last", "OstRek"},         {"close", "ZamiknijZST"},
                                                          {"open", "otwórz"},         {"new_set", "nowyzestaw"},
                                                          {"exit", "wyjdź"}};
        const QList<std::pair<const char*, Answer>> answers{
            {"yes", Answer::Yes}, {"no", Answer::No}, {"cancel", Answer::Cancel}};
        for (const auto& [moveName, action] : moves)
            for (const auto& [answerName, answer] : answers)
                QTest::addRow("%s_%s", moveName, answerName) << action << answer;
    }
    void unsavedChangesAskFirst() {
        QFETCH(QString, move);
        QFETCH(Answer, answer);
        Session s;
        s.open(setOf(3));
        s.next();  // question 2 on screen
        s.w->Text1->setText(QStringLiteral("zmienione"));
        s.dialogs.expectMessage(unsaved, QStringLiteral("Niezapisane zmiany"), Icon::Question, Buttons::YesNoCancel,
                                answer);
        if (answer != Answer::Cancel) {
            if (move == QStringLiteral("otwórz"))
                s.dialogs.expectOpenFile(QString(), filter, std::nullopt);
            if (move == QStringLiteral("nowyzestaw"))
                s.dialogs.expectSaveFile(QString(), filter, std::nullopt);
            if (move == QStringLiteral("wyjdź"))
                s.dialogs.expectMessage(QStringLiteral("Czy chcesz wyjść z edytora pytań ?"), QStringLiteral("Koniec ?"),
                                        Icon::Information, Buttons::YesNo, Answer::No);
        }
        s.w->findChild<QAction*>(move)->trigger();
        WIEDO_VERIFY_DIALOGS(s.dialogs);
        QCOMPARE(s.bytes(), answer == Answer::Yes ? setOf(3).replace("\"P2\"", "\"zmienione\"") : setOf(3));
        if (answer == Answer::Cancel)
            QCOMPARE(s.counters() + u' ' + s.w->Text1->text(), QStringLiteral("2/3 zmienione"));
    }

    // The open set's name beside "Nazwa pliku testu", ".kwz" added to a name typed without one, and the
    // counters read with their numbers by assistive technology.
    void setNameExtensionAndCounters_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("made");
        QTest::newRow("no_extension") << "nowy" << "nowy.kwz";
        QTest::newRow("own_extension") << "nowy.KWZ" << "nowy.KWZ";
        QTest::newRow("other_extension") << "nowy.txt" << "nowy.txt";
    }
    void setNameExtensionAndCounters() {
        QFETCH(QString, typed);
        QFETCH(QString, made);
        Session s;
        const auto accessibleName = [](QWidget* w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        };
        QCOMPARE(s.w->Label9->text(), QStringLiteral("Brak"));
        s.dialogs.expectSaveFile(QString(), filter, s.fx.root() + u'/' + typed);
        s.w->nowyzestaw->trigger();
        QCOMPARE(fileContents(s.fx.root() + u'/' + made), header);
        QCOMPARE(s.w->Label9->text(), made);
        s.open(setOf(4));
        QCOMPARE(s.w->Label9->text(), QStringLiteral("zestaw.kwz"));
        s.next();
        QCOMPARE(accessibleName(s.w->Label11) + u'/' + accessibleName(s.w->Label13),
                 QStringLiteral("Pytanie nr 2/Liczba pytań 4"));
        s.w->ZamiknijZST->trigger();
        QCOMPARE(s.w->Label9->text(), QStringLiteral("Brak"));
        QCOMPARE(accessibleName(s.w->Label11), QStringLiteral("Pytanie nr 0"));
        WIEDO_VERIFY_DIALOGS(s.dialogs);
    }

    void newSetWhileAnotherIsOpen() {
        Session s;
        const QByteArray five = setOf(5).replace("\"H1\"\r\n1,2,2,2,2", "\"H1\"\r\n1,2,2,2,1");
        s.open(five);
        QCOMPARE(s.w->screenRecord().flags, (questionset::Flags{1, 2, 2, 2, 1}));
        s.next();
        s.next();  // questions 1 and 2 saved unchanged, question 3 on screen
        QCOMPARE(s.bytes(), five);
        QCOMPARE(s.counters(), QStringLiteral("3/5"));
        const QString old = s.set;
        s.set = s.fx.root() + QStringLiteral("/drugi.kwz");
        s.newSet();
        QCOMPARE(s.counters(), QStringLiteral("1/1"));
        s.next();  // the fields kept question 3, now question 1 of the new set
        QCOMPARE(s.bytes(), header + question(3));
        QCOMPARE(fileContents(old), five);
        WIEDO_VERIFY_DIALOGS(s.dialogs);
    }

    void failedWriteLeavesTheSet_data() {
        QTest::addColumn<bool>("inTheMiddle");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("append") << false
                                << QStringLiteral("Dopisywanie pytania nr 4: zestaw pytań %1 nie dał się zapisać: "
                                                  "brak miejsca na dysku. Zestaw pozostał bez "
                                                  "zmian, a pytanie zostaje na ekranie.");
        QTest::newRow("rewrite") << true
                                 << QStringLiteral("Zapisywanie pytania nr 2: zestaw pytań %1 nie dał się zapisać: "
                                                   "brak miejsca na dysku. Zestaw pozostał bez "
                                                   "zmian, a pytanie zostaje na ekranie.");
    }
    void failedWriteLeavesTheSet() {
        QFETCH(bool, inTheMiddle);
        QFETCH(QString, prompt);
        Session s;
        s.open(setOf(3));
        s.next();  // question 1 saved, question 2 on screen
        if (!inTheMiddle) {
            s.w->OstRek->trigger();
            s.next();  // the last question saved, a new one at the end that Next appends
            s.w->Check1->setChecked(true);
        }
        const QByteArray before = s.bytes();
        const QString counters = s.counters();
        s.w->Text1->setText(QStringLiteral("zmienione"));
        // The rewrite fails in the new version of the set, after its working copy was written whole.
        platform::files().failWritesAfter(inTheMiddle ? before.size() + 20 : 10);
        s.dialogs.expectMessage(prompt.arg(s.set), QStringLiteral("Błąd zestawu pytań"), Icon::Exclamation);
        s.next();
        platform::files().failWritesAfter(-1);
        WIEDO_VERIFY_DIALOGS(s.dialogs);
        QCOMPARE(s.bytes(), before);
        QCOMPARE(s.counters(), counters);
        QCOMPARE(s.w->Text1->text(), QStringLiteral("zmienione"));
    }

    void damagedSetIsNotWritten_data() {
        QTest::addColumn<QByteArray>("changedOutside");
        QTest::addColumn<QString>("reason");
        QTest::newRow("cut_inside_a_question")
            << setOf(3).chopped(5) << QStringLiteral("kończy się w środku pytania albo nie ma pytania o tym numerze");
        QTest::newRow("more_questions_than_counted")
            << setOf(5) << QStringLiteral("ma inną liczbę pytań, niż pokazują liczniki (może został zmieniony "
                                          "poza edytorem); otwórz go ponownie");
    }
    void damagedSetIsNotWritten() {
        QFETCH(QByteArray, changedOutside);
        QFETCH(QString, reason);
        Session s;
        s.open(setOf(3));
        testsupport::writeTestFile(s.set, changedOutside);
        s.dialogs.expectMessage(QStringLiteral("Zapisywanie pytania nr 1: zestaw pytań %1 %2. Zestaw pozostał bez "
                                               "zmian, a pytanie zostaje na ekranie.")
                                    .arg(s.set, reason),
                                QStringLiteral("Błąd zestawu pytań"), Icon::Exclamation);
        s.next();
        WIEDO_VERIFY_DIALOGS(s.dialogs);
        QCOMPARE(s.bytes(), changedOutside);
        QCOMPARE(s.counters(), QStringLiteral("1/3"));
    }

    // Whether a set ends with a whole question, for the append at its end; each refused set really is one
    // that a question appended after it would damage, and each accepted one takes the question whole.
    void appendOnlyAfterAWholeQuestion_data() {
        QTest::addColumn<QByteArray>("set");
        QTest::addColumn<bool>("appended");
        const QByteArray texts2 = "\"P2\",\"A2\",\"B2\",\"\",\"\",\"\",\"H2";
        QTest::newRow("hint_unclosed_over_a_flags_line") << setOf(1) + texts2 + "\r\n1,2,2,2,2\r\n" << false;
        QTest::newRow("hint_unclosed_over_two_flags_lines")
            << setOf(1) + texts2 + "\r\n1,2,2,2,2\r\n2,1,2,2,2\r\n" << false;
        QTest::newRow("answer_unclosed") << setOf(1) + "\"P2\",\"A2,\"B2\",\"\",\"\",\"\",\"H2\"\r\n1,2,2,2,2\r\n"
                                         << false;
        QTest::newRow("texts_record_missing") << setOf(1) + "\"P2\"\r\n1,2,2,2,2\r\n" << false;
        QTest::newRow("flags_line_twice") << setOf(2) + "1,2,2,2,2\r\n" << false;
        QTest::newRow("cut_in_the_flags") << setOf(2).chopped(4) << false;
        QTest::newRow("no_line_end") << setOf(2).chopped(2) << false;
        QTest::newRow("header_cut") << header.chopped(3) << false;
        QTest::newRow("header_only") << header << true;
        QTest::newRow("one_question") << setOf(1) << true;
        QTest::newRow("hint_holding_a_flags_line") << setOf(1) + texts2 + "\r\n1,2,2,2,2\"\r\n2,1,2,2,2\r\n" << true;
        QTest::newRow("long_last_text") << setOf(300) + "\"" + QByteArray(20000, 'x') + "\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
                                                             "2,2,2,2,1\r\n" << true;
        QTest::newRow("blanks_around_commas") << setOf(1) + "\"P2\", \"A2\" ,\"\",\"\",\"\",\"\",\"H2\"\r\n1, 2,2,2,2\r\n"
                                              << true;
    }
    void appendOnlyAfterAWholeQuestion() {
        QFETCH(QByteArray, set);
        QFETCH(bool, appended);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zestaw.kwz"));
        const QString unchecked = dir.filePath(QStringLiteral("bez_sprawdzenia.kwz"));
        testsupport::writeTestFile(path, set);
        testsupport::writeTestFile(unchecked, set);
        const int before = questionset::countQuestions(path);
        questionset::Question q;
        q.texts.question = QStringLiteral("Dopisane");
        // Whether the set, with the question added without any check, reads back as before plus the question.
        questionset::appendQuestion(unchecked, q);
        const auto readBack = [&](int n) {
            return n < 1 ? questionset::Question{} : questionset::readQuestion(unchecked, n);
        };
        const bool takesIt = questionset::countQuestions(unchecked) == before + 1 && readBack(before + 1) == q
                          && (before == 0 || readBack(before) == questionset::readQuestion(path, before));
        QCOMPARE(takesIt, appended);
        try {
            questionset::appendInPlace(path, q);
            QVERIFY2(appended, "appended to a set that it damages");
            QCOMPARE(fileContents(path), set + questionset::formatQuestion(q));
        } catch (const questionset::EditorError& e) {
            QVERIFY2(!appended, "refused a whole set");
            QCOMPARE(e.reason(), questionset::EditorError::Reason::CutShort);
            QCOMPARE(fileContents(path), set);
        }
    }

    void refusedHeaderLeavesNoSetToWrite() {
        Session s;
        s.open(setOf(2));
        const QByteArray wrong = "\"kwiz v 1.0\"\r\n" + question(1);
        testsupport::writeTestFile(s.set, wrong);
        s.dialogs.expectOpenFile(QString(), filter, s.set);
        s.dialogs.expectMessage(QStringLiteral("Ten plik został uszkodzony !!!"),
                                QStringLiteral("Nieprawidłowy format pliku"), Icon::Exclamation);
        s.w->otwórz->trigger();
        QCOMPARE(s.counters(), QStringLiteral("1/2"));
        QCOMPARE(s.w->Text1->text(), QStringLiteral("P1"));
        s.dialogs.expectMessage(QStringLiteral("Nie ma otwartego zestawu pytań. Utwórz nowy zestaw albo otwórz "
                                               "istniejący ( menu Pytania )."),
                                QStringLiteral("Brak zestawu"), Icon::Exclamation);
        s.next();
        WIEDO_VERIFY_DIALOGS(s.dialogs);
        QCOMPARE(s.bytes(), wrong);
    }

    void headerOnlySetOpensAsNew() {
        Session s;
        s.w->Label13->setText("7");
        s.w->Text1->setText("stare");
        s.open(header);
        QCOMPARE(s.counters(), QStringLiteral("1/1"));
        QCOMPARE(s.w->Text1->text(), QString());
        QCOMPARE(s.w->Text7->text(), QStringLiteral("Brak"));
    }

    void fullSetRefusesTheNextQuestion() {
        Session s;
        s.open(setOf(questionset::maxQuestions - 1));
        s.w->OstRek->trigger();
        s.next();  // question 32767 is the last the counters can number
        QCOMPARE(s.counters(), QStringLiteral("32767/32767"));
        const QByteArray full = s.bytes();
        s.w->Check1->setChecked(true);
        s.dialogs.expectMessage(QStringLiteral("Zestaw %1 jest pełny: edytor obsługuje najwyżej 32767 pytań. "
                                               "Pytanie nie zostało dopisane.")
                                    .arg(s.set),
                                QStringLiteral("Zestaw pełny"), Icon::Exclamation);
        s.next();
        WIEDO_VERIFY_DIALOGS(s.dialogs);
        QCOMPARE(s.bytes(), full);
        QCOMPARE(s.counters(), QStringLiteral("32767/32767"));
    }

    void boxesRefuseWhatASetCannotHold() {
        Session s;
        typeInto(s.w->Text1, QStringLiteral("a\"bж€c"));
        QCOMPARE(s.w->Text1->text(), QStringLiteral("ab€c"));
        QCOMPARE(s.dialogs.beeps(), 2);
        QApplication::clipboard()->setText(QStringLiteral(" \"Pan Tadeusz\" ж"));
        s.w->Text2->paste();
        QCOMPARE(s.w->Text2->text(), QStringLiteral(" „Pan Tadeusz” "));
        QCOMPARE(s.dialogs.beeps(), 3);
    }

    void previousAtTheFirstRecordWarns() {
        Session s;
        s.open(setOf(2));
        platform::beep();
        s.dialogs.expectMessage(
            QStringLiteral("To jest pierwszy rekord. Nie ma rekordów ujemnych, ani rekordu zerowego !!!"),
            QStringLiteral("Od kiedy rekordy są ujemne !!!"), Icon::Exclamation);
        s.previous();
        WIEDO_VERIFY_DIALOGS(s.dialogs);
        QCOMPARE(s.dialogs.beeps(), 2);
        QVERIFY(s.w->Command1->isEnabled() && s.w->Command2->isEnabled());
    }

    void closedSetTakesNoClicks() {
        Session s;
        s.open(setOf(2));
        testsupport::writeTestFile(s.fx.root() + QStringLiteral("/temp.tmp"), "inny");
        s.w->ZamiknijZST->trigger();
        QCOMPARE(s.counters(), QStringLiteral("0/0"));
        QVERIFY(!s.w->Text1->isEnabled() && !s.w->Check5->isEnabled() && !s.w->Command2->isEnabled());
        QTest::mouseClick(s.w->Picture2, Qt::LeftButton);
        QTest::mouseClick(s.w->Picture1, Qt::LeftButton);
        WIEDO_VERIFY_DIALOGS(s.dialogs);
        QCOMPARE(s.bytes(), setOf(2));
        QCOMPARE(s.workingCopy(), QByteArray("inny"));
    }

    void cancelledNewSetChangesNothing() {
        Session s;
        s.open(setOf(2));
        s.dialogs.expectSaveFile(QString(), filter, std::nullopt);
        s.w->nowyzestaw->trigger();
        WIEDO_VERIFY_DIALOGS(s.dialogs);
        QCOMPARE(s.bytes(), setOf(2));
        QCOMPARE(s.counters(), QStringLiteral("1/2"));
        QCOMPARE(QDir(s.fx.root()).entryList(QDir::Files), QStringList{"zestaw.kwz"});
    }

    void workingCopyOfAnotherCopyIsLeftAlone() {
        Session s;
        s.open(setOf(3));
        QLockFile other(s.fx.root() + QStringLiteral("/temp.tmp.lock"));
        QVERIFY(other.tryLock(0));
        s.dialogs.expectMessage(QStringLiteral("Zapisywanie pytania nr 1: zestaw pytań %1 nie może być teraz "
                                               "zapisany: plik roboczy temp.tmp jest używany przez inną kopię "
                                               "programu; spróbuj ponownie za chwilę. Zestaw pozostał bez "
                                               "zmian, a pytanie zostaje na ekranie.")
                                    .arg(s.set),
                                QStringLiteral("Błąd zestawu pytań"), Icon::Exclamation);
        s.next();
        WIEDO_VERIFY_DIALOGS(s.dialogs);
        QCOMPARE(s.bytes(), setOf(3));
    }

    void menuKeysWinOverTheBoxes() {
        Session s;
        QApplication::setActiveWindow(s.w);
        QVERIFY(QTest::qWaitForWindowActive(s.w));
        s.w->Text1->setFocus();
        // The menu "Rekord" waits for a set: F3 (Next) does nothing yet.
        QVERIFY(!s.w->rekord->menuAction()->isEnabled());
        QTest::keyClick(s.w->Text1, Qt::Key_F3);
        s.newSet();
        QTest::keyClick(s.w->Text1, Qt::Key_W, Qt::ControlModifier);
        QVERIFY(s.w->Check3->isChecked());
        QTest::keyClick(s.w->Text1, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!s.w->Check3->isChecked());
        s.w->Check1->setChecked(true);
        s.w->Check3->setChecked(true);
        QTest::keyClick(s.w->Text1, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(s.w->screenRecord().flags, (questionset::Flags{2, 1, 2, 1, 1}));
        WIEDO_VERIFY_DIALOGS(s.dialogs);
    }

    void recentredWhenItLosesTheFocus() {
        Session s;
        QApplication::setActiveWindow(s.w);
        QVERIFY(QTest::qWaitForWindowActive(s.w));
        const QPoint centred = s.w->pos();
        s.w->move(0, 0);
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QTRY_COMPARE(s.w->pos(), centred);
        QVERIFY(centred != QPoint(0, 0));
    }

    void killedInTheMiddleOfARewrite() {
        QTemporaryDir dir;
        const QString set = dir.filePath(QStringLiteral("duzy.kwz"));
        const QByteArray old = setOf(20000);
        testsupport::writeTestFile(set, old);
        const qsizetype q2 = old.indexOf(question(2));
        const auto withSecond = [&](const char* text) {
            return QByteArray(old).replace(q2, question(2).size(),
                                           QByteArray("\"") + text + "\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n2,2,2,2,2\r\n");
        };
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("WIEDO_REWRITE_FOREVER"), set);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += child.readAllStandardOutput()).contains("rewritten"), 20000);
        QTest::qWait(QRandomGenerator::global()->bounded(40));
        child.kill();
        child.waitForFinished();
        const QByteArray after = fileContents(set);
        QVERIFY(after == withSecond("nowe") || after == withSecond("NOWE"));
    }

    // The whole road: Ctrl+E, a new set with one question, the help window, leaving, and the set taken as
    // a test in the main window.
    void madeInTheEditorTakenAsATest() {
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        windows::Wiedo& main = mainsession::start(fx);
        const QString set = fx.root() + QStringLiteral("/nowy.kwz");
        const QString exit = QStringLiteral("Czy chcesz wyjść z edytora pytań ?");
        ui::forms().queueModalScript(NoweWiedo::formName, [&](ui::Form& form) {
            auto& editor = static_cast<NoweWiedo&>(form);
            QApplication::setActiveWindow(&editor);  // as the window manager would, before the user types
            QCOMPARE(editor.windowTitle(), QStringLiteral("Nowe wiedo"));
            dialogs.expectSaveFile(QString(), filter, set);
            editor.nowyzestaw->trigger();
            typeInto(editor.Text1, QStringLiteral("Stolica Polski?"));
            typeInto(editor.Text2, QStringLiteral("Warszawa"));
            editor.Check1->setChecked(true);
            editor.następny->trigger();
            // Back from the help window the menu "Rekord" still serves the open set.
            ui::forms().queueModalScript(QStringLiteral("N_edit"), [](ui::Form& help) {
                QTest::mouseClick(help.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
            });
            editor.Instr_obs->trigger();
            QVERIFY(editor.rekord->menuAction()->isEnabled() && editor.OstRek->isEnabled());
            dialogs.expectMessage(exit, QStringLiteral("Koniec ?"), Icon::Information, Buttons::YesNo, Answer::No);
            editor.wyjdź->trigger();
            QVERIFY(editor.isVisible());
            dialogs.expectMessage(exit, QStringLiteral("Koniec ?"), Icon::Information, Buttons::YesNo, Answer::Yes);
            editor.wyjdź->trigger();
        });
        testsupport::writeTestFile(QDir::currentPath() + QStringLiteral("/temp.tmp"), "");
        QApplication::setActiveWindow(&main);
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QTest::keyClick(&main, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(ui::forms().pendingModalScripts(), 0);
        QVERIFY(!QFile::exists(QDir::currentPath() + QStringLiteral("/temp.tmp")));
        QCOMPARE(fileContents(set), header + "\"Stolica Polski?\",\"Warszawa\",\"\",\"\",\"\",\"\",\"Brak\"\r\n1,2,2,2,2\r\n");
        mainsession::openAndSignIn(main, dialogs, set);
        QCOMPARE(main.Label12->text(), QStringLiteral("1"));
        WIEDO_VERIFY_DIALOGS(dialogs);
        QVERIFY2(fx.leftovers().isEmpty(), qPrintable(fx.leftovers()));
        testing::QuestionReader::instance().close();
    }
};

QTEST_MAIN(tst_NoweWiedo)
#include "tst_nowe_wiedo.moc"
