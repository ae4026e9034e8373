// The answers log read back: damaged and cut records left out with their line, other line ends and later
// lines taken.
#include "analysis/answers_reader.h"

#include <QtTest>

namespace {

QByteArray record(const QString& first, const QString& set = QStringLiteral("C:\\testy\\historia.kwz"),
                  const QList<QString>& ticked = {"A", "BC"}, const QList<QString>& key = {"A", "B"})
{
    grading::TestAnswers test;
    test.firstName = first;
    test.when = QDateTime(QDate(2026, 12, 9), QTime(10, 52, 1), Qt::UTC);
    test.setPath = set;
    for (const QString& letters : ticked)
        test.ticked.append(grading::maskOfLetters(letters));
    for (const QString& letters : key)
        test.key.append(grading::maskOfLetters(letters));
    return grading::formatAnswersRecord(test);
}

}  // namespace

class TestAnswersReader : public QObject {
    Q_OBJECT
private slots:
    void faultsLeaveRecordsOut_data();
    void faultsLeaveRecordsOut();
    void readsLabExamLines();
};

void TestAnswersReader::faultsLeaveRecordsOut_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QStringList>("read");    // first names of the tests taken
    QTest::addColumn<QStringList>("faults");  // "line: part of the message"
    const QByteArray ewa = record("Ewa"), ola = record("Ola");
    QTest::newRow("whole") << ewa + "\r\n" + ola << QStringList{"Ewa", "Ola"} << QStringList{};
    QTest::newRow("cut_record") << ewa + ola.left(ola.indexOf("\"Koniec\"")) << QStringList{"Ewa"}
                                << QStringList{"7: wpis z wiersza 5 pominięty: wpis urywa się na końcu pliku"};
    QTest::newRow("wrong_count") << record("Ewa", "x.kwz", {"A", "B"}, {"A"}) + ola << QStringList{"Ola"}
                                 << QStringList{"3: w wierszu „Klucz” jest pól: 1, a pytań: 2"};
    QTest::newRow("bad_letter") << record("Ewa", "x.kwz", {"A", "BC"}).replace("\"BC\"", "\"CB\"")
                                       + record("Iza", "x.kwz", {"A", "E"}).replace("\"E\"", "\"F\"") + ola
                                << QStringList{"Ola"} << QStringList{"2: pytanie 2 ma „CB”", "6: pytanie 2 ma „F”"};
    QTest::newRow("bad_date") << QByteArray(ewa).replace("12-09-2026", "13-09-2026") + ola << QStringList{"Ola"}
                              << QStringList{"1: niepoprawna data „13-09-2026”"};
    QTest::newRow("unknown_line_skipped") << QByteArray(ewa).replace("\"Koniec\"", "\"Czas\",125\r\n\"Koniec\"")
                                          << QStringList{"Ewa"} << QStringList{};
    QTest::newRow("lf_ends") << QByteArray(ewa + ola).replace("\r\n", "\n") << QStringList{"Ewa", "Ola"}
                             << QStringList{};
    QTest::newRow("lone_cr_ends") << QByteArray(ewa + ola).replace("\r\n", "\r") << QStringList{"Ewa", "Ola"}
                                  << QStringList{};
    QTest::newRow("open_quote_ends_letters") << QByteArray(ewa).replace("\"A\",\"BC\"\r\n", "\"A\",\"\r\n") + ola
                                             << QStringList{"Ola"}
                                             << QStringList{"2: niezamknięty cudzysłów w wierszu „Zaznaczone”"};
    // Every kind of line end in turn in one log: the lines are still numbered one by one.
    const QList<QByteArray> lines =
        QByteArray(ewa + ola + QByteArray(ewa).replace("12-09-2026", "13-09-2026")).replace("\r\n", "\n").split('\n');
    const QByteArray ends[] = {"\n", "\r", "\r\r\n", "\r\n"};
    QByteArray mixed;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        mixed += lines[i] + ends[i % 4];
    QTest::newRow("mixed_ends") << mixed << QStringList{"Ewa", "Ola"}
                                << QStringList{"9: niepoprawna data „13-09-2026”"};
    QTest::newRow("next_record_before_end") << ewa.left(ewa.indexOf("\"Koniec\"")) + ola << QStringList{"Ola"}
                                            << QStringList{"4: wpis z wiersza 1 pominięty: brak wiersza „Koniec”"};
    grading::TestAnswers lab = analysis::parseAnswersLog(ewa).tests[0].answers;
    lab.answerOrder = {"AA", "B"};
    QTest::newRow("answer_order_repeats") << grading::formatAnswersRecord(lab) + ola << QStringList{"Ola"}
                                          << QStringList{"4: niepoprawne pole 1 „AA” w wierszu „Kolejność odpowiedzi”"};
    lab.answerOrder.clear();
    lab.questionOrder = {2, 2};
    QTest::newRow("question_shown_twice") << grading::formatAnswersRecord(lab) + ola << QStringList{"Ola"}
                                          << QStringList{"4: niepoprawne pole 2 „2” w wierszu „Kolejność pytań”"};
    QTest::newRow("stray_text") << ewa + "notatka\r\n" + ola << QStringList{"Ewa", "Ola"}
                                << QStringList{"5: tekst poza wpisem"};
}

void TestAnswersReader::faultsLeaveRecordsOut()
{
    QFETCH(QByteArray, log);
    QFETCH(QStringList, read);
    QFETCH(QStringList, faults);
    const analysis::AnswersLog parsed = analysis::parseAnswersLog(log);
    QStringList names;
    for (const analysis::AnsweredTest& test : parsed.tests)
        names << test.answers.firstName;
    QCOMPARE(names, read);
    QCOMPARE(parsed.faults.size(), faults.size());
    for (qsizetype i = 0; i < faults.size(); ++i) {
        const QString seen = QStringLiteral("%1: %2").arg(parsed.faults[i].line).arg(parsed.faults[i].what);
        QVERIFY2(seen.startsWith(faults[i].section(u':', 0, 0) + u':') && seen.contains(faults[i].section(": ", 1)),
                 qPrintable(seen));
    }
    if (!read.isEmpty()) {
        QCOMPARE(parsed.tests[0].answers.when, QDateTime(QDate(2026, 12, 9), QTime(10, 52, 1), Qt::UTC));
        QCOMPARE(parsed.tests[0].answers.ticked, QList<quint8>({0b1, 0b110}));
    }
}

void TestAnswersReader::readsLabExamLines()
{
    grading::TestAnswers lab;
    lab.firstName = QStringLiteral("Łucja");
    lab.when = QDateTime(QDate(2026, 12, 9), QTime(10, 52, 1), Qt::UTC);
    lab.setPath = QStringLiteral("/nie/ma/zestawu.kwz");
    lab.ticked = lab.key = {0b1, 0b110};
    lab.questionOrder = {2, 1};
    lab.answerOrder = {"BA", "CAB"};
    lab.windowLeft = 3;
    lab.brokenOffAfter = 1;
    const analysis::AnswersLog parsed = analysis::parseAnswersLog(grading::formatAnswersRecord(lab));
    QVERIFY(parsed.faults.isEmpty());
    const grading::TestAnswers& read = parsed.tests.value(0).answers;
    QCOMPARE(read.questionOrder, lab.questionOrder);
    QCOMPARE(read.answerOrder, lab.answerOrder);
    QCOMPARE(read.windowLeft, 3);
    QCOMPARE(read.brokenOffAfter, 1);
    qsizetype brokenOff = 0;
    QVERIFY(analysis::testsOfSet(parsed, lab.setPath, 2, nullptr, &brokenOff).isEmpty());  // never graded
    QCOMPARE(brokenOff, 1);
}

QTEST_GUILESS_MAIN(TestAnswersReader)
#include "tst_answers_reader.moc"
