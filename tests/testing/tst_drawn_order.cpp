// A student's own order: every drawn order shows each question and each answer once, the empty answers
// last, and the same seed draws the same order.
#include "testing/drawn_order.h"

#include <QtTest>

#include <algorithm>

class tst_DrawnOrder : public QObject {
    Q_OBJECT
private slots:
    void ordersArePermutations_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("questions");
        QTest::addColumn<bool>("answers");
        QTest::newRow("both_shuffled") << quint32(1) << true << true;
        QTest::newRow("both_shuffled_other_seed") << quint32(977) << true << true;
        QTest::newRow("questions_only") << quint32(5) << true << false;
        QTest::newRow("answers_only") << quint32(5) << false << true;
        QTest::newRow("neither") << quint32(5) << false << false;
    }

    void ordersArePermutations() {
        QFETCH(quint32, seed);
        QFETCH(bool, questions);
        QFETCH(bool, answers);
        const testing::DrawnOrder order = testing::drawOrder(seed, 8, questions, answers);
        QCOMPARE(testing::drawOrder(seed, 8, questions, answers), order);
        QList<int> sorted = order.questions;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(order.questions != sorted, questions);

        bool anyAnswerMoved = false;
        for (int filled = 0; filled <= 5; ++filled) {
            questionset::QuestionTexts texts;
            for (int i = 0; i < filled; ++i)
                texts.answers[static_cast<std::size_t>(i)] = QStringLiteral("odpowiedź %1").arg(i);
            const std::array<int, 5> places = testing::answerPlaces(order, filled, texts);
            QCOMPARE(testing::answerPlaces(order, filled, texts), places);  // the same whenever shown
            const QString letters = testing::shownLetters(places);
            QString sortedLetters = letters;
            std::sort(sortedLetters.begin(), sortedLetters.end());
            QCOMPARE(sortedLetters, QStringLiteral("ABCDE"));
            // The filled answers come first, the empty ones after them in their own order.
            for (int place = 0; place < 5; ++place)
                QCOMPARE(places[place] < filled, place < filled);
            QCOMPARE(letters.mid(filled), QStringLiteral("ABCDE").mid(filled));
            anyAnswerMoved = anyAnswerMoved || letters != QStringLiteral("ABCDE");
        }
        QCOMPARE(anyAnswerMoved, answers);
    }
};

QTEST_GUILESS_MAIN(tst_DrawnOrder)
#include "tst_drawn_order.moc"
