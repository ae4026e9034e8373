#include "testing/drawn_order.h"

#include <QRandomGenerator>

#include <algorithm>
#include <numeric>

namespace testing {

namespace {

// Fisher–Yates with the seeded generator, written out so that a seed gives the same order on every system.
template <typename List>
void shuffle(List& items, QRandomGenerator& random)
{
    for (qsizetype i = items.size() - 1; i > 0; --i)
        std::swap(items[i], items[random.bounded(static_cast<quint32>(i + 1))]);
}

}  // namespace

DrawnOrder drawOrder(quint32 seed, int questionCount, bool shuffleQuestions, bool shuffleAnswers)
{
    DrawnOrder order{seed, QList<int>(questionCount), shuffleAnswers};
    std::iota(order.questions.begin(), order.questions.end(), 0);
    if (shuffleQuestions) {
        QRandomGenerator random(seed);
        shuffle(order.questions, random);
    }
    return order;
}

std::array<int, 5> answerPlaces(const DrawnOrder& order, int setIndex, const questionset::QuestionTexts& texts)
{
    QList<int> filled;
    QList<int> empty;
    for (int i = 0; i < 5; ++i)
        (texts.answers[static_cast<std::size_t>(i)].isEmpty() ? empty : filled).append(i);
    if (order.shuffleAnswers) {
        const quint32 seeds[] = {order.seed, static_cast<quint32>(setIndex)};
        QRandomGenerator random(seeds, 2);
        shuffle(filled, random);
    }
    std::array<int, 5> places{};
    std::copy(empty.cbegin(), empty.cend(), std::copy(filled.cbegin(), filled.cend(), places.begin()));
    return places;
}

QString shownLetters(const std::array<int, 5>& places)
{
    QString letters;
    for (const int place : places)
        letters += QChar(u'A' + place);
    return letters;
}

}  // namespace testing
