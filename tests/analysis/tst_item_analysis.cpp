// Item statistics over a small class worked out by hand, also through `wiedo analysis` run for real; each
// remark on a question, the thirds and the regrading under a changed key.
#include "analysis/item_analysis.h"
#include "questionset/questionset.h"
#include "support/test_files.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using analysis::SetContents;
using grading::TestAnswers;

namespace {

QList<quint8> masks(const QStringList& letters)
{
    QList<quint8> made;
    for (const QString& l : letters)
        made.append(grading::maskOfLetters(l));
    return made;
}

// The figures of tests held in a list, as the analysis takes them from a log.
analysis::ItemAnalysis figuresOf(const SetContents& set, const QList<TestAnswers>& tests)
{
    QList<const TestAnswers*> held;
    for (const TestAnswers& test : tests)
        held.append(&test);
    return analysis::analyse(set, held);
}

// Tests from the ticked letters, one text per test with the questions separated by "|".
QList<TestAnswers> tests(const QStringList& rows, const QList<quint8>& key)
{
    QList<TestAnswers> made;
    for (const QString& row : rows) {
        made.emplace_back();
        made.last().when = QDateTime(QDate(2026, 12, 9), QTime(10, 52, 1), Qt::UTC);
        made.last().ticked = masks(row.split(u'|'));
        made.last().key = key;
    }
    return made;
}

// Six students, four questions (keys A, B, AC, D). Correct (x) per student and X:
//   1111 4, 1110 3, 1100 2, 1010 2, 0100 1, 1000 1;  ΣX = 13, ΣX² = 35, per question Σx = 5, 4, 3, 1.
// s·ΣX² − (ΣX)² = 210 − 169 = 41, so var(X) = 41/30, SD = 1.1690, mean 13/6 = 54.2 % of 4.
// s·Σx − (Σx)² = 5, 8, 9, 5 (sum 27): alpha = 4/3·(1 − 27/41) = 56/123 = 0.455; SEM = 1.1690·√(67/123) = 0.86.
// Discrimination r(x, X − x) = (sΣxR − ΣxΣR)/√((sΣx² − (Σx)²)(sΣR² − (ΣR)²)):
//   q1 R = 3,2,1,1,1,0: (42 − 40)/√(5·32) = 0.158;  q2 R = 3,2,1,2,0,1: (36 − 36)/… = 0;
//   q3 R = 3,2,2,1,1,1: (36 − 30)/√(9·20) = 0.447; q4 R = 3,3,2,2,1,1: (18 − 12)/√(5·24) = 0.548.
// The last student took the test when question 4's key was C.
const SetContents classSet{{QStringLiteral("Stolica Polski?"), QStringLiteral("Rok chrztu Polski?"),
                            QStringLiteral("Liczby pierwsze?"), QStringLiteral("Najdłuższa rzeka?")},
                           masks({"A", "B", "AC", "D"}), masks({"ABC", "ABCD", "ABCDE", "ABCD"})};

QList<TestAnswers> classTests(const QString& setPath = {})
{
    QList<TestAnswers> made = tests({"A|B|AC|D", "A|B|AC|A", "A|B|A|B", "A|A|AC|C", "B|B|ABCDE|A", "A|CD||B"},
                                    classSet.key);
    made.last().key[3] = grading::maskOfLetters(u"C");
    for (TestAnswers& test : made)
        test.setPath = setPath;
    return made;
}

const QStringList classSummary{"Testów: 6", "Średni wynik: 54,2%", "Odchylenie standardowe: 29,2%",
                               "Alfa Cronbacha: 0,46", "Błąd standardowy pomiaru: 0,9"};
const QByteArray classTable = "\xEF\xBB\xBF" + QStringLiteral(
    "Nr;Pytanie;Łatwość;Różnicowanie;A;B;C;D;E;Uwagi\r\n"
    "1;Stolica Polski?;83,3;15,8;83,3;16,7;0,0;0,0;0,0;słabo różnicuje, odpowiedź C nie zmyla nikogo\r\n"
    "2;Rok chrztu Polski?;66,7;0,0;16,7;66,7;16,7;16,7;0,0;słabo różnicuje\r\n"
    "3;Liczby pierwsze?;50,0;44,7;83,3;16,7;66,7;16,7;16,7;\r\n"
    "4;Najdłuższa rzeka?;16,7;54,8;33,3;33,3;16,7;16,7;0,0;bardzo trudne, klucz zmieniony po teście\r\n").toUtf8();

}  // namespace

class TestItemAnalysis : public QObject {
    Q_OBJECT
private slots:
    void handWorkedClass();
    void command_data();
    void command();
    void flags_data();
    void flags();
    void thirdsKeepTheLogOrderInTies();
    void regradesOnlyWhenTheKeyChanged();
};

void TestItemAnalysis::handWorkedClass()
{
    const analysis::ItemAnalysis a = figuresOf(classSet, classTests());
    const QList<double> facility{500.0 / 6, 400.0 / 6, 50, 100.0 / 6};
    const QList<double> discrimination{15.811, 0, 44.721, 54.772};
    for (qsizetype i = 0; i < 4; ++i) {
        QCOMPARE(a.questions[i].facility, facility[i]);
        QVERIFY2(std::abs(*a.questions[i].discrimination - discrimination[i]) < 0.001, qPrintable(QString::number(i)));
    }
    QVERIFY(std::abs(*a.test.alpha - 0.45528) < 1e-5);
    QVERIFY(std::abs(*a.test.measurementError - 0.86281) < 1e-5);
    QVERIFY(a.test.uncertain);
}

void TestItemAnalysis::command_data()
{
    QTest::addColumn<QByteArray>("tail");  // after the class's six tests
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("warned");
    TestAnswers other = classTests(QDir::temp().filePath(QStringLiteral("inny.kwz"))).first();
    QTest::newRow("other_set_too") << grading::formatAnswersRecord(other) << 0 << "";
    QTest::newRow("cut_record") << grading::formatAnswersRecord(other).left(40) << 1
                                << "odpowiedzi.txt, wiersz 25: wpis z wiersza 25";
}

void TestItemAnalysis::command()
{
    QFETCH(QByteArray, tail);
    QFETCH(int, exitCode);
    QFETCH(QString, warned);
    QTemporaryDir dir;
    QByteArray set = questionset::formatHeader();
    for (qsizetype i = 0; i < 4; ++i) {
        questionset::Question q{{classSet.questions[i], {}, QStringLiteral("Brak")}};
        for (int k = 0; k < 5; ++k) {
            q.texts.answers[k] = (classSet.answered[i] >> k & 1) ? QStringLiteral("Tak") : QString();
            q.flags[k] = (classSet.key[i] >> k & 1) ? 1 : 2;
        }
        set += questionset::formatQuestion(q);
    }
    testsupport::writeTestFile(dir.filePath(QStringLiteral("klasa.kwz")), set);
    QByteArray log;
    for (const TestAnswers& test : classTests(dir.filePath(QStringLiteral("klasa.kwz"))))
        log += grading::formatAnswersRecord(test);
    testsupport::writeTestFile(dir.filePath(QStringLiteral("odpowiedzi.txt")), log + tail);

    QProcess wiedo;
    wiedo.setWorkingDirectory(dir.path());
    wiedo.start(qEnvironmentVariable("WIEDO_EXE"), {"analysis", "odpowiedzi.txt", "klasa.kwz", "klasa.csv"});
    QVERIFY2(wiedo.waitForFinished(30000), "the program did not end");
    const QString errors = QString::fromUtf8(wiedo.readAllStandardError());
    QCOMPARE(wiedo.exitCode(), exitCode);
    QVERIFY2(warned.isEmpty() ? errors.isEmpty() : errors.contains(warned), qPrintable(errors));
    QCOMPARE(QString::fromUtf8(wiedo.readAllStandardOutput()).split(u'\n'),
             classSummary + QStringList({analysis::uncertainWarning, "Zapisano analizę 4 pytań w pliku klasa.csv.", ""}));
    QCOMPARE(testsupport::fileContents(dir.filePath(QStringLiteral("klasa.csv"))), classTable);
}

void TestItemAnalysis::flags_data()
{
    QTest::addColumn<QList<QString>>("key");
    QTest::addColumn<QList<QString>>("answered");
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QStringList>("flags");  // of the first question
    const QList<QString> a{"A"}, aa{"A", "A"};
    QTest::newRow("very_hard") << a << QList<QString>{"AB"} << QStringList{"B", "B", "B", "B", "B"}
                               << QStringList{"bardzo trudne"};
    QTest::newRow("facility_20_not_hard") << a << QList<QString>{"AB"} << QStringList{"A", "B", "B", "B", "B"}
                                          << QStringList{};
    QTest::newRow("very_easy") << a << QList<QString>{"A"} << QStringList(10, "A") << QStringList{"bardzo łatwe"};
    QTest::newRow("better_students_worse") << aa << QList<QString>{"AB", "AB"} << QStringList{"B|A", "B|A", "A|B", "A|B"}
                                           << QStringList{"sprawdź klucz: lepsi uczniowie odpowiadają gorzej"};
    QTest::newRow("empty_answer_no_distractor") << a << QList<QString>{"ABCE"} << QStringList{"A", "B", "C", "B"}
                                                << QStringList{"odpowiedź E nie zmyla nikogo"};
    QTest::newRow("no_tests") << a << QList<QString>{"ABCDE"} << QStringList{} << QStringList{};
}

void TestItemAnalysis::flags()
{
    QFETCH(QList<QString>, key);
    QFETCH(QList<QString>, answered);
    QFETCH(QStringList, ticked);
    QFETCH(QStringList, flags);
    const SetContents set{QList<QString>(key.size(), QStringLiteral("Pytanie")), masks(key), masks(answered)};
    QCOMPARE(figuresOf(set, tests(ticked, set.key)).questions[0].flags, flags);
}

void TestItemAnalysis::thirdsKeepTheLogOrderInTies()
{
    const SetContents set{{QStringLiteral("Pytanie")}, masks({"A"}), masks({"AB"})};
    const QList<TestAnswers> equal = tests({"B", "", "AB"}, set.key);  // all wrong: one in each third
    const analysis::QuestionFigures q = figuresOf(set, equal).questions[0];
    QVERIFY((q.tickedTop == std::array<std::optional<double>, 5>{0.0, 100.0, 0.0, 0.0, 0.0}));
    QVERIFY((q.tickedBottom == std::array<std::optional<double>, 5>{100.0, 100.0, 0.0, 0.0, 0.0}));
    const analysis::QuestionFigures c = figuresOf(classSet, classTests()).questions[2];
    QCOMPARE(c.tickedTop[2], 100.0);   // the two best of six
    QCOMPARE(c.tickedBottom[2], 50.0);  // the two weakest
    QVERIFY(!figuresOf(set, {}).questions[0].tickedTop[0]);
}

void TestItemAnalysis::regradesOnlyWhenTheKeyChanged()
{
    const grading::Thresholds scale{4, 3, 2, 1, 0, 0};
    const QList<TestAnswers> taken = classTests();
    const std::optional<analysis::Regraded> last = analysis::regrade(taken.last(), classSet, scale);
    QVERIFY(last && last->points == 1 && last->grade == 3);
    QVERIFY(!analysis::regrade(taken.first(), classSet, scale));
    TestAnswers shorter = taken.last();
    shorter.ticked.removeLast();
    shorter.key.removeLast();
    QVERIFY(!analysis::regrade(shorter, classSet, scale));
}

QTEST_GUILESS_MAIN(TestItemAnalysis)
#include "tst_item_analysis.moc"
