// The rule that judges an answered question: good when every correct answer is ticked.
#include "testing/answer_check.h"

#include <QtTest>

using Marks = std::array<bool, 5>;
using Captions = std::array<QString, 5>;
Q_DECLARE_METATYPE(Marks)
Q_DECLARE_METATYPE(Captions)

class TestAnswerCheck : public QObject {
    Q_OBJECT

private slots:
    void judge_data()
    {
        QTest::addColumn<Marks>("marked");
        QTest::addColumn<Captions>("flags");
        QTest::addColumn<bool>("good");
        const Captions aAndC{"1", "2", "1", "2", "2"};
        QTest::newRow("a_and_c_ticked") << Marks{true, false, true, false, false} << aAndC << true;
        QTest::newRow("a_b_c_ticked") << Marks{true, true, true, false, false} << aAndC << true;
        QTest::newRow("only_a_ticked") << Marks{true, false, false, false, false} << aAndC << false;
        QTest::newRow("nothing_ticked") << Marks{} << aAndC << false;
        QTest::newRow("wrong_ones_ticked") << Marks{false, true, false, true, true} << aAndC << false;
        QTest::newRow("all_five_ticked") << Marks{true, true, true, true, true} << aAndC << true;
        const Captions none{"2", "2", "2", "2", "2"};
        QTest::newRow("no_correct_nothing_ticked") << Marks{} << none << true;
        QTest::newRow("no_correct_all_ticked") << Marks{true, true, true, true, true} << none << true;
        // Captions count by their leading number: only a value of exactly 1 marks a correct answer.
        QTest::newRow("empty_caption_not_correct") << Marks{} << Captions{"", "", "", "", ""} << true;
        QTest::newRow("caption_2_not_correct") << Marks{} << Captions{"2", "", "", "", ""} << true;
        QTest::newRow("caption_with_blanks_correct") << Marks{} << Captions{" 1", "", "", "", ""} << false;
        QTest::newRow("caption_01_correct") << Marks{} << Captions{"01", "", "", "", ""} << false;
        QTest::newRow("caption_11_not_correct") << Marks{} << Captions{"11", "", "", "", ""} << true;
    }

    void judge()
    {
        QFETCH(Marks, marked);
        QFETCH(Captions, flags);
        QFETCH(bool, good);
        QCOMPARE(testing::isGood(marked, flags), good);
    }

    void countsCorrectAnswers()
    {
        QCOMPARE(testing::correctCount({"1", "2", "1", "2", "2"}), 2);
        QCOMPARE(testing::correctCount({"1", "1", "1", "1", "1"}), 5);
        QCOMPARE(testing::correctCount({"", "2", "0", "x", "12"}), 0);
    }
};

QTEST_GUILESS_MAIN(TestAnswerCheck)
#include "tst_answer_check.moc"
