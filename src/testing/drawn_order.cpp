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

DrawnOrder drawOrder(quint32 seed, const QList<questionset::Question>& set, bool shuffleQuestions,
                     bool shuffleAnswers)
{
    QRandomGenerator random(seed);
    DrawnOrder order;
    order.questions.resize(set.size());
    std::iota(order.questions.begin(), order.questions.end(), 0);
    if (shuffleQuestions)
        shuffle(order.questions, random);
    for (const questionset::Question& question : set) {
        QList<int> filled;
        QList<int> empty;
        for (int i = 0; i < 5; ++i)
            (question.texts.answers[static_cast<std::size_t>(i)].isEmpty() ? empty : filled).append(i);
        if (shuffleAnswers)
            shuffle(filled, random);
        std::array<int, 5> places{};
        std::copy(empty.cbegin(), empty.cend(), std::copy(filled.cbegin(), filled.cend(), places.begin()));
        order.answers.append(places);
    }
    return order;
}

QString shownLetters(const std::array<int, 5>& places)
{
    QString letters;
    for (const int place : places)
        letters += QChar(u'A' + place);
    return letters;
}

}  // namespace testing
