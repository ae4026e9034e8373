// A student's own order: every drawn order shows each question and each answer once, the empty answers
// last, and the same seed draws the same order.
#include "testing/drawn_order.h"

#include <QtTest>

#include <algorithm>

namespace {

QList<questionset::Question> setOf(const QList<int>& filledAnswers) {
    QList<questionset::Question> set;
    for (const int filled : filledAnswers) {
        questionset::Question q;
        for (int i = 0; i < filled; ++i)
            q.texts.answers[static_cast<std::size_t>(i)] = QStringLiteral("odpowiedź %1").arg(i);
        set.append(q);
    }
    return set;
}

}  // namespace

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
        const QList<questionset::Question> set = setOf({5, 2, 0, 4, 5, 3, 5, 1});
        const testing::DrawnOrder order = testing::drawOrder(seed, set, questions, answers);
        QCOMPARE(testing::drawOrder(seed, set, questions, answers), order);

        QList<int> sorted = order.questions;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(order.questions != sorted, questions);
        bool anyAnswerMoved = false;
        for (qsizetype q = 0; q < set.size(); ++q) {
            const QString letters = testing::shownLetters(order.answers.at(q));
            QString sortedLetters = letters;
            std::sort(sortedLetters.begin(), sortedLetters.end());
            QCOMPARE(sortedLetters, QStringLiteral("ABCDE"));
            // The filled answers come first, the empty ones after them in their own order.
            const int filled = static_cast<int>(std::count_if(set[q].texts.answers.begin(), set[q].texts.answers.end(),
                                                              [](const QString& a) { return !a.isEmpty(); }));
            for (int place = 0; place < 5; ++place)
                QCOMPARE(order.answers[q][place] < filled, place < filled);
            QVERIFY(letters.mid(filled) == QStringLiteral("ABCDE").mid(filled));
            anyAnswerMoved = anyAnswerMoved || letters != QStringLiteral("ABCDE");
        }
        QCOMPARE(anyAnswerMoved, answers);
    }
};

QTEST_GUILESS_MAIN(tst_DrawnOrder)
#include "tst_drawn_order.moc"
