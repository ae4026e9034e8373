// Aiken files into a set, and how a file is told to be Aiken or GIFT by what it holds.
#include "bridges/aiken.h"
#include "bridges/imported.h"

#include <QtTest>

namespace {

QString line(const questionset::Question& q)
{
    QString flags;
    for (auto f : q.flags)
        flags += QString::number(f);
    const auto& t = q.texts;
    return QStringList{t.question, t.answers[0], t.answers[1], t.answers[2], t.answers[3], t.answers[4], t.hint, flags}
        .join(u'|');
}

}  // namespace

class tst_Aiken : public QObject {
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void tellsFormats_data();
    void tellsFormats();
};

void tst_Aiken::reads_data()
{
    QTest::addColumn<QByteArray>("aiken");
    QTest::addColumn<QStringList>("taken");  // every question taken, as line() writes it
    QTest::addColumn<int>("skipped");
    QTest::addColumn<QString>("said");       // a fragment of a warning, "line: text", or empty for none

    const QString ab = QStringLiteral("Q|a|b||||Brak|21222");
    const QByteArray next("\nQ\nA. a\nB. b\nANSWER: B\n");
    QTest::newRow("dots") << QByteArray("Stolica Polski to:\nA. Kraków\nB. Warszawa\nC. Gdańsk\nANSWER: B\n")
                          << QStringList{"Stolica Polski to:|Kraków|Warszawa|Gdańsk|||Brak|21222"} << 0 << "";
    QTest::newRow("parentheses_crlf_bom") << QByteArray("\xEF\xBB\xBFQ\r\nA) a\r\nB) b\r\nANSWER: B\r\n")
                                          << QStringList{ab} << 0 << "";
    QTest::newRow("no_blank_between") << QByteArray("Q\nA. a\nB. b\nANSWER: B" + next) << QStringList{ab, ab} << 0 << "";
    QTest::newRow("question_on_two_lines") << QByteArray("Pierwszy\ndrugi\nA. a\nB. b\nANSWER: A")
                                           << QStringList{"Pierwszy\r\ndrugi|a|b||||Brak|12222"} << 0 << "";
    QTest::newRow("question_like_an_answer") << QByteArray("A. Mickiewicz napisał:\nA. Lalkę\nB. Dziady\nANSWER: B")
                                             << QStringList{"A. Mickiewicz napisał:|Lalkę|Dziady||||Brak|21222"} << 0 << "";
    QTest::newRow("several_right_lower_case") << QByteArray("Q\nA. a\nB. b\nC. c\nanswer : a, c")
                                              << QStringList{"Q|a|b|c|||Brak|12122"} << 0 << "";
    QTest::newRow("double_quotes") << QByteArray("Kto napisał \"Lalkę\"?\nA. Prus\nB. Reymont\nANSWER: A")
                                   << QStringList{"Kto napisał „Lalkę”?|Prus|Reymont||||Brak|12222"} << 0
                                   << "1: cudzysłowy";
    QTest::newRow("empty_answer_line") << QByteArray("Q\nA. a\nB.\nC. b\nANSWER: C") << QStringList{ab} << 0
                                       << "1: puste odpowiedzi";
    QTest::newRow("key_without_question") << QByteArray("ANSWER: A" + next) << QStringList{ab} << 0
                                          << "1: wiersz „ANSWER:” bez pytania";
    // Left out, and the question after still taken.
    QTest::newRow("no_key_line") << QByteArray("Z\nA. x\nB. y" + next) << QStringList{ab} << 1 << "1: pominięto pytanie: nie kończy";
    QTest::newRow("no_key_at_end") << QByteArray(next.mid(1) + "\nZ\nA. x\nB. y") << QStringList{ab} << 1
                                   << "6: pominięto pytanie: nie kończy";
    QTest::newRow("key_names_missing_letter") << QByteArray("Z\nA. x\nB. y\nANSWER: D" + next) << QStringList{ab} << 1
                                              << "literę D";
    QTest::newRow("key_not_a_letter") << QByteArray("Z\nA. x\nB. y\nANSWER: 2" + next) << QStringList{ab} << 1
                                      << "„2” zamiast litery";
    QTest::newRow("key_empty") << QByteArray("Z\nA. x\nB. y\nANSWER:" + next) << QStringList{ab} << 1
                               << "nie podaje litery";
    QTest::newRow("key_names_empty_answer") << QByteArray("Z\nA. x\nB.\nANSWER: B" + next) << QStringList{ab} << 1
                                            << "odpowiedź B jest pusta";
    QTest::newRow("repeated_letter") << QByteArray("Z\nA. x\nA. y\nANSWER: A" + next) << QStringList{ab} << 1
                                     << "litera A powtarza się";
    QTest::newRow("no_answers") << QByteArray("Z\nANSWER: A" + next) << QStringList{ab} << 1
                                << "nie ma żadnej odpowiedzi";
    QTest::newRow("six_answers") << QByteArray("Z\nA. 1\nB. 2\nC. 3\nD. 4\nE. 5\nF. 6\nANSWER: F" + next)
                                 << QStringList{ab} << 1 << "ma 6 odpowiedzi";
    QTest::newRow("outside_1250") << QByteArray("Z ≠ Y\nA. x\nB. y\nANSWER: A" + next) << QStringList{ab} << 1
                                  << "U+2260";
}

void tst_Aiken::reads()
{
    QFETCH(QByteArray, aiken);
    QFETCH(QStringList, taken);
    QFETCH(int, skipped);
    QFETCH(QString, said);
    const bridges::Import import = bridges::importBytes(aiken);
    QVERIFY2(import.failure.isEmpty(), qPrintable(import.failure));
    QCOMPARE(import.format, bridges::Format::Aiken);
    QStringList got;
    for (const auto& q : import.result.questions)
        got << line(q);
    QCOMPARE(got, taken);
    QCOMPARE(import.result.skipped, skipped);
    QStringList warnings;
    for (const auto& w : import.result.warnings)
        warnings << QStringLiteral("%1: %2").arg(w.line).arg(w.message);
    if (said.isEmpty())
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u'\n')));
    else
        QVERIFY2(warnings.join(u'\n').contains(said), qPrintable(warnings.join(u'\n')));
}

void tst_Aiken::tellsFormats_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("format");
    const int gift = int(bridges::Format::Gift), aiken = int(bridges::Format::Aiken), none = int(bridges::Format::Unknown);
    QTest::newRow("gift") << "Q {=a ~b}" << gift;
    QTest::newRow("aiken") << "Q\nA. a\nB. b\nANSWER: A" << aiken;
    QTest::newRow("aiken_with_a_brace") << "Zbiór {1, 2}\nA. a\nB. b\nANSWER: A\n\nR\nA. c\nB. d\nANSWER: B" << aiken;
    // The whole text is looked at, however long its comments or its first question.
    QTest::newRow("gift_after_long_comment") << QString("// licencja\n").repeated(2001) + "Q {=a ~b}" << gift;
    QTest::newRow("gift_long_first_question") << QString("Pytanie\n").repeated(2001) + "{=a ~b}" << gift;
    QTest::newRow("aiken_with_more_braces_than_keys") << "Zbiór {1,2} i {3}?\nA. x\nB. y\nANSWER: A" << aiken;
    QTest::newRow("gift_mentioning_answer") << "ANSWER: jak niżej\n\nQ {=a ~b}\n\nR {=c ~d}" << gift;
    QTest::newRow("escaped_brace_only") << "Q \\{ nie blok" << none;
    QTest::newRow("brace_in_comment_only") << "// {=a ~b}\nnic" << none;
    QTest::newRow("nothing") << "zwykły tekst" << none;
}

void tst_Aiken::tellsFormats()
{
    QFETCH(QString, text);
    QFETCH(int, format);
    QCOMPARE(int(bridges::detectFormat(text)), format);
}

QTEST_GUILESS_MAIN(tst_Aiken)
#include "tst_aiken.moc"
