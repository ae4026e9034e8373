// A student's own order: every drawn order shows each question and each answer once, the empty answers
// last, and a question's answers in the same order whenever it is shown.
#include "testing/drawn_order.h"

#include <QtTest>

#include <algorithm>

class tst_DrawnOrder : public QObject {
    Q_OBJECT
private slots:
    void ordersArePermutations_data() {
        QTest::addColumn<bool>("questions");
        QTest::addColumn<bool>("answers");
        QTest::newRow("both_shuffled") << true << true;
        QTest::newRow("questions_only") << true << false;
        QTest::newRow("answers_only") << false << true;
        QTest::newRow("neither") << false << false;
    }

    void ordersArePermutations() {
        QFETCH(bool, questions);
        QFETCH(bool, answers);
        const testing::DrawnOrder order = testing::drawOrder(977, 8, questions, answers);
        QList<int> sorted = order.questions;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(order.questions != sorted, questions);

        const QString abcde = QStringLiteral("ABCDE");
        bool anyAnswerMoved = false;
        for (int filled = 0; filled <= 5; ++filled) {
            questionset::QuestionTexts texts;
            for (int i = 0; i < filled; ++i)
                texts.answers[static_cast<std::size_t>(i)] = QStringLiteral("odpowiedź %1").arg(i);
            const QString letters = testing::shownLetters(testing::answerPlaces(order, filled, texts));
            QCOMPARE(testing::shownLetters(testing::answerPlaces(order, filled, texts)), letters);  // whenever shown
            // The filled answers come first, each once, the empty ones after them in their own order.
            QString shownFilled = letters.left(filled);
            std::sort(shownFilled.begin(), shownFilled.end());
            QCOMPARE(shownFilled, abcde.left(filled));
            QCOMPARE(letters.mid(filled), abcde.mid(filled));
            anyAnswerMoved = anyAnswerMoved || letters != abcde;
        }
        QCOMPARE(anyAnswerMoved, answers);
    }
};

QTEST_GUILESS_MAIN(tst_DrawnOrder)
#include "tst_drawn_order.moc"
