// The rule that judges an answered question: good when the ticked answers are exactly the correct ones.
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
        QTest::newRow("a_b_c_ticked") << Marks{true, true, true, false, false} << aAndC << false;
        QTest::newRow("only_a_ticked") << Marks{true, false, false, false, false} << aAndC << false;
        QTest::newRow("nothing_ticked") << Marks{} << aAndC << false;
        QTest::newRow("wrong_ones_ticked") << Marks{false, true, false, true, true} << aAndC << false;
        QTest::newRow("all_five_ticked") << Marks{true, true, true, true, true} << aAndC << false;
        QTest::newRow("all_five_correct_all_ticked") << Marks{true, true, true, true, true} << Captions{"1", "1", "1", "1", "1"} << true;
        QTest::newRow("all_five_correct_four_ticked") << Marks{true, true, true, true, false} << Captions{"1", "1", "1", "1", "1"} << false;
        const Captions none{"2", "2", "2", "2", "2"};
        QTest::newRow("no_correct_nothing_ticked") << Marks{} << none << true;
        QTest::newRow("no_correct_all_ticked") << Marks{true, true, true, true, true} << none << false;
        QTest::newRow("no_correct_one_ticked") << Marks{false, false, false, true, false} << none << false;
        // Captions count by their leading number: only a value of exactly 1 marks a correct answer, and an
        // answer with any other flag is one the student must leave unticked.
        QTest::newRow("empty_caption_not_correct") << Marks{} << Captions{"", "", "", "", ""} << true;
        QTest::newRow("caption_2_not_correct") << Marks{} << Captions{"2", "", "", "", ""} << true;
        QTest::newRow("caption_3_ticked_is_wrong") << Marks{true, false, false, false, false} << Captions{"3", "2", "2", "2", "1"} << false;
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
};

QTEST_GUILESS_MAIN(TestAnswerCheck)
#include "tst_answer_check.moc"
