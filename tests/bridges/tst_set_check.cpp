// The set checker: each finding planted alone in a small set, a clean set without any, the room of the
// main window's text controls held true by the window itself, and `wiedo check` run for real.
#include "bridges/set_check.h"
#include "main/main_session.h"
#include "questionset/questionset.h"
#include "support/test_files.h"
#include "ui/fit_text.h"
#include "windows/registry.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using questionset::Question;
using testsupport::cp1250;

namespace {

Question question(int i, questionset::Flags flags = {1, 2, 2, 2, 2})
{
    Question q;
    q.texts.question = QStringLiteral("Ile to jest %1 + %1?").arg(i);
    for (int x = 0; x < 5; ++x)
        q.texts.answers[static_cast<std::size_t>(x)] = QString::number(2 * i + x);
    q.texts.hint = QStringLiteral("Policz na palcach");
    q.flags = flags;
    return q;
}

QByteArray set(const QList<Question>& questions)
{
    QByteArray bytes = questionset::formatHeader();
    for (const Question& q : questions)
        bytes += questionset::formatQuestion(q);
    return bytes;
}

QByteArray threeWith(const Question& second)
{
    return set({question(1), second, question(3)});
}

// Polish text of ordinary words, long ones among them, cut to `length` characters.
QString polishText(int length, int first)
{
    static const QStringList words{QStringLiteral("współodpowiedzialność"), QStringLiteral("najprawdopodobniej"),
                                   QStringLiteral("Rzeczypospolitej"), QStringLiteral("gżegżółka"),
                                   QStringLiteral("w"), QStringLiteral("źdźbło"), QStringLiteral("przeciwdziałanie"),
                                   QStringLiteral("ówczesnego"), QStringLiteral("z"), QStringLiteral("mamuta")};
    QString text;
    for (int i = first; text.size() < length; ++i)
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + words[i % words.size()];
    return text.left(length);
}

struct Planted {
    QByteArray bytes;
    QList<int> questions;  // of the findings, in order
    QString said;          // a piece of the first finding
};

}  // namespace

class tst_SetCheck : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }
    void findings_data();
    void findings();
    void roomHoldsInTheWindow_data();
    void roomHoldsInTheWindow();
    void command_data();
    void command();
};

void tst_SetCheck::findings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QString>("said");

    QTest::newRow("clean") << threeWith(question(2)) << 3 << QList<int>{} << QString();
    QTest::newRow("clean_with_empty_line_at_end") << threeWith(question(2)) + "\r\n\r\n" << 3 << QList<int>{}
                                                  << QString();
    QTest::newRow("wrong_header") << QByteArray("\"kwiz v 1.0\"\r\n") + set({question(1)}).mid(14) << 0
                                  << QList<int>{0} << "zły nagłówek";
    QTest::newRow("empty_file") << QByteArray() << 0 << QList<int>{0} << "plik jest pusty";
    QTest::newRow("no_questions") << set({}) << 0 << QList<int>{0} << "nie ma żadnego pytania";
    QTest::newRow("cut_short") << threeWith(question(2)).chopped(12) << 2 << QList<int>{3} << "urywa się w pytaniu nr 3";
    QByteArray notNumber = threeWith(question(2));
    notNumber.replace("\r\n1,2,2,2,2\r\n\"Ile to jest 3", "\r\n1,2,x,2,2\r\n\"Ile to jest 3");
    QTest::newRow("flag_not_a_number") << notNumber << 1 << QList<int>{2} << "pytanie nr 2 ma niepoprawne oznaczenia";
    QTest::newRow("flag_zero") << threeWith(question(2, {1, 0, 2, 2, 2})) << 3 << QList<int>{2}
                               << "oznaczenie odpowiedzi B to 0";
    QTest::newRow("flag_three") << threeWith(question(2, {1, 2, 2, 2, 3})) << 3 << QList<int>{2}
                                << "oznaczenie odpowiedzi E to 3";
    QTest::newRow("no_correct_answer") << threeWith(question(2, {2, 2, 2, 2, 2})) << 3 << QList<int>{2}
                                       << "zaliczy tylko uczeń, który nie zaznaczy żadnej odpowiedzi";
    QTest::newRow("all_five_correct") << threeWith(question(2, {1, 1, 1, 1, 1})) << 3 << QList<int>{2}
                                      << "uczeń musi zaznaczyć wszystkie pięć";
    Question emptyCorrect = question(2, {1, 2, 1, 2, 2});
    emptyCorrect.texts.answers[2] = QStringLiteral("  ");
    QTest::newRow("empty_answer_correct") << threeWith(emptyCorrect) << 3 << QList<int>{2}
                                          << "odpowiedź C jest pusta";
    Question emptyWrong = question(2);
    emptyWrong.texts.answers[4].clear();
    QTest::newRow("empty_answer_not_correct_is_fine") << threeWith(emptyWrong) << 3 << QList<int>{} << QString();
    QTest::newRow("duplicate") << set({question(1), question(2), question(1)}) << 3 << QList<int>{3}
                               << "powtarza pytanie nr 1";
    // Written by hand with blanks after the commas (which the reader skips): the same texts all the same.
    QByteArray byHand = questionset::formatQuestion(question(1));
    byHand.replace("\",\"", "\", \"");
    QTest::newRow("duplicate_written_by_hand") << set({question(1), question(2)}) + byHand << 3 << QList<int>{3}
                                               << "powtarza pytanie nr 1";
    Question otherHint = question(1);
    otherHint.texts.hint = QStringLiteral("Inna podpowiedź");
    QTest::newRow("duplicate_with_other_hint") << set({question(1), otherHint}) << 2 << QList<int>{2}
                                               << "powtarza pytanie nr 1";
    Question otherCase = question(1);
    otherCase.texts.question = otherCase.texts.question.toUpper();
    QTest::newRow("other_letter_case_is_no_duplicate") << set({question(1), otherCase}) << 2 << QList<int>{}
                                                       << QString();
    Question longerAnswer = question(1);
    longerAnswer.texts.answers[4] += QStringLiteral("x");
    QTest::newRow("one_letter_more") << set({question(1), longerAnswer}) << 2 << QList<int>{} << QString();
    Question sameTextOtherAnswers = question(1);
    sameTextOtherAnswers.texts.answers[0] = QStringLiteral("inna");
    QTest::newRow("same_question_other_answers") << set({question(1), sameTextOtherAnswers}) << 2 << QList<int>{}
                                                 << QString();
    Question longQuestion = question(2);
    longQuestion.texts.question = polishText(bridges::questionRoom.charsPerLine * bridges::questionRoom.lines + 1, 0);
    QTest::newRow("question_too_long") << threeWith(longQuestion) << 3 << QList<int>{2} << "tekst pytania ma 181 znaków";
    Question longAnswer = question(2);
    longAnswer.texts.answers[3] = polishText(bridges::answerRoom.charsPerLine + 1, 1);
    QTest::newRow("answer_too_long") << threeWith(longAnswer) << 3 << QList<int>{2}
                                     << "tekst odpowiedzi D ma 54 znaki";
    Question twoLineAnswer = question(2);
    twoLineAnswer.texts.answers[0] = QStringLiteral("Tak\r\nNie");
    QTest::newRow("answer_on_two_lines") << threeWith(twoLineAnswer) << 3 << QList<int>{2}
                                         << "tekst odpowiedzi A ma 8 znaków w 2 wierszach";
    Question manyLines = question(2);
    manyLines.texts.question = QStringLiteral("Ile\r\nto\r\njest\r\n2 +\r\n2?");
    QTest::newRow("short_question_on_five_lines") << threeWith(manyLines) << 3 << QList<int>{2}
                                                  << "tekst pytania ma 22 znaki w 5 wierszach";
    Question longHint = question(2);
    longHint.texts.hint = polishText(bridges::hintRoom.charsPerLine + 1, 2);
    QTest::newRow("hint_too_long") << threeWith(longHint) << 3 << QList<int>{2} << "tekst podpowiedzi ma 61 znaków";
    Question atRoom = question(2);
    atRoom.texts.question = polishText(bridges::questionRoom.charsPerLine * bridges::questionRoom.lines, 0);
    atRoom.texts.answers[1] = polishText(bridges::answerRoom.charsPerLine, 1);
    atRoom.texts.hint = polishText(bridges::hintRoom.charsPerLine, 2);
    // Questions of 19 bytes: the test reads only the first 950 of the 1000; every one is checked all the same.
    QByteArray compact("\"Kwiz v 1.0\"\n");
    const QByteArray letters("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    for (int i = 0; i < 1000; ++i)
        compact += QByteArray(",") + letters[i % 62] + "," + letters[i / 62] + ",,,,\n1,2,2,2,2\n";
    QTest::newRow("more_than_the_test_reads") << compact << 1000 << QList<int>{0} << "pokaże tylko 950 pierwszych";
    QTest::newRow("texts_just_fitting") << threeWith(atRoom) << 3 << QList<int>{} << QString();
}

void tst_SetCheck::findings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, questions);
    QFETCH(QList<int>, numbers);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zestaw.kwz"));
    testsupport::writeTestFile(path, bytes);
    const bridges::SetCheck check = bridges::checkSet(path);
    QVERIFY(check.readable);
    QCOMPARE(check.questions, questions);
    QList<int> found;
    QStringList texts;
    for (const bridges::Finding& finding : check.findings) {
        found << finding.question;
        texts << bridges::describe(finding, check);
    }
    QVERIFY2(found == numbers, qPrintable(texts.join(u'\n')));
    if (!said.isEmpty())
        QVERIFY2(texts.value(0).contains(said), qPrintable(texts.join(u'\n')));
    QCOMPARE(testsupport::resetFileTable(), 0);
}

// The checker's room, taken by the real controls of the main window: ordinary Polish text at the limit
// shows without a scroll bar, and well beyond it (so the limits are no wild guess) it scrolls.
void tst_SetCheck::roomHoldsInTheWindow_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("charsPerLine");
    QTest::addColumn<int>("lines");
    QTest::newRow("question") << "Label1" << bridges::questionRoom.charsPerLine << bridges::questionRoom.lines;
    QTest::newRow("answer") << "Label6" << bridges::answerRoom.charsPerLine << bridges::answerRoom.lines;
    QTest::newRow("hint") << "Label3" << bridges::hintRoom.charsPerLine << bridges::hintRoom.lines;
}

void tst_SetCheck::roomHoldsInTheWindow()
{
    QFETCH(QString, control);
    QFETCH(int, charsPerLine);
    QFETCH(int, lines);
    testsupport::ProgramFixture fx;
    testsupport::ScriptedDialogs dialogs;
    windows::Wiedo& w = mainsession::start(fx);
    auto* shown = w.findChild<QWidget*>(control);
    QVERIFY(shown);
    ui::TextFit* fit = ui::textFitOf(shown);
    QVERIFY(fit);
    const auto scrolls = [&](const QString& text) {
        shown->setProperty("text", text);
        return fit->scrolls();
    };
    for (int first = 0; first < 10; ++first) {
        const QString text = polishText(charsPerLine * lines, first);
        QVERIFY2(!scrolls(text), qPrintable(text));
        QVERIFY2(bridges::fitsRoom(cp1250(text), {charsPerLine, lines}), qPrintable(text));
    }
    QStringList paragraphs;
    for (int i = 0; i < lines; ++i)
        paragraphs << polishText(charsPerLine, i);
    QVERIFY2(!scrolls(paragraphs.join(QStringLiteral("\r\n"))), qPrintable(paragraphs.join(u'|')));
    paragraphs << QStringLiteral("w");
    QVERIFY(scrolls(paragraphs.join(QStringLiteral("\r\n"))));
    QVERIFY(scrolls(polishText(2 * charsPerLine * lines, 0)));
    shown->setProperty("text", QString());
}

void tst_SetCheck::command_data()
{
    QTest::addColumn<QByteArray>("bytes");  // "<none>": no file
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::newRow("clean") << threeWith(question(2)) << 0 << "pytań 3, bez uwag";
    QTest::newRow("finding") << threeWith(question(2, {2, 2, 2, 2, 2})) << 1
                             << "Pytanie nr 2: żadna odpowiedź nie jest oznaczona jako dobra";
    QTest::newRow("unreadable") << QByteArray("<none>") << 2 << "wiedo check: nie mogę odczytać pliku";
}

void tst_SetCheck::command()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zestaw.kwz"));
    if (bytes != "<none>")
        testsupport::writeTestFile(path, bytes);
    QProcess wiedo;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));  // no window may be asked for
    wiedo.setProcessEnvironment(environment);
    wiedo.setProcessChannelMode(QProcess::MergedChannels);
    wiedo.start(qEnvironmentVariable("WIEDO_EXE"), {QStringLiteral("check"), path});
    QVERIFY2(wiedo.waitForFinished(30000), "the program did not end");
    const QString output = QString::fromUtf8(wiedo.readAll());
    QCOMPARE(wiedo.exitCode(), exitCode);
    QVERIFY2(output.contains(said), qPrintable(output));
}

QTEST_MAIN(tst_SetCheck)
#include "tst_set_check.moc"
