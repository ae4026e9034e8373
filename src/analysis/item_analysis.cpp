#include "analysis/item_analysis.h"

#include "bridges/results_csv.h"
#include "bridges/set_check.h"
#include "platform/errors.h"
#include "questionset/questionset.h"

#include <algorithm>
#include <cmath>

namespace analysis {

using grading::TestAnswers;

namespace {

// One decimal place (or `decimals`), decimal comma; a value that rounds to zero has no minus sign.
QString decimal(double value, int decimals = 1)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(u'-') && std::all_of(text.begin() + 1, text.end(), [](QChar c) { return c == u'0' || c == u'.'; }))
        text.remove(0, 1);
    return text.replace(u'.', u',');
}

}  // namespace

SetContents readSetContents(const QString& path)
{
    if (!questionset::checkHeader(path))
        throw platform::FileError(platform::FileError::Kind::PastEnd, QStringLiteral("no question set"), path, {});
    const bridges::WholeSet whole = bridges::readWholeSet(path);
    if (whole.damaged)
        throw platform::FileError(platform::FileError::Kind::PastEnd, QStringLiteral("damaged question"), path, {});
    SetContents set;
    for (const questionset::Question& q : whole.questions) {
        std::array<bool, 5> correct{};
        std::array<bool, 5> written{};
        for (std::size_t i = 0; i < 5; ++i) {
            correct[i] = q.flags[i] == 1;
            written[i] = !q.texts.answers[i].isEmpty();
        }
        set.questions.append(q.texts.question);
        set.key.append(grading::answerMask(correct));
        set.answered.append(grading::answerMask(written));
    }
    return set;
}

ItemAnalysis analyse(const SetContents& set, const QList<const TestAnswers*>& tests)
{
    const qsizetype p = set.key.size();
    const qsizetype s = tests.size();
    const QList<quint8>& key = set.key;

    // Per test and question the letters ticked, gathered in one block that the sums below read in order;
    // a question the test did not reach is judged wrong and counts for no letter. Per test X, the questions
    // it got right; per question whether a test was taken under another key.
    constexpr quint8 notReached = 0xFF;
    std::vector<quint8> ticked(static_cast<std::size_t>(s * p), notReached);
    std::vector<qsizetype> total(static_cast<std::size_t>(s));
    std::vector<char> keyChanged(static_cast<std::size_t>(p));
    for (qsizetype t = 0; t < s; ++t) {
        const TestAnswers& test = *tests[t];
        const qsizetype reached = std::min(p, test.ticked.size());
        for (qsizetype i = 0; i < reached; ++i) {
            const quint8 mask = test.ticked[i] & 31;
            ticked[static_cast<std::size_t>(t * p + i)] = mask;
            total[static_cast<std::size_t>(t)] += mask == key[i];
        }
        if (test.key != key) {
            for (qsizetype i = 0; i < p; ++i)
                if (i >= test.key.size() || test.key[i] != key[i])
                    keyChanged[static_cast<std::size_t>(i)] = true;
        }
    }
    qint64 sumX = 0;
    qint64 sumXX = 0;
    for (const qint64 X : total) {
        sumX += X;
        sumXX += X * X;
    }

    // Each test's rank by X from the highest, the log's order standing among equal tests: counted per X,
    // as X is a whole number from 0 to p. The top third are the first ranks, the bottom third the last.
    std::vector<qsizetype> nextRank(static_cast<std::size_t>(p + 1));
    for (const qsizetype X : total)
        ++nextRank[static_cast<std::size_t>(X)];
    for (qsizetype X = p, rank = 0; X >= 0; --X) {
        const qsizetype count = nextRank[static_cast<std::size_t>(X)];
        nextRank[static_cast<std::size_t>(X)] = rank;
        rank += count;
    }
    const qsizetype third = std::max<qsizetype>(1, s / 3);

    // Per question how many tests ticked each set of letters, and the sum of X over the tests that got it
    // right: the sums of x_i, R_i = X − x_i and their products follow from these and the sums of X, in
    // whole numbers, so that a figure with no spread is exactly zero and not a rounding's remainder.
    struct Sums {
        qint64 rightX = 0;  // Σ x_i·X
        std::array<qint64, 32> all{}, top{}, bottom{};
    };
    std::vector<Sums> sums(static_cast<std::size_t>(p));
    for (qsizetype t = 0; t < s; ++t) {
        const qsizetype X = total[static_cast<std::size_t>(t)];
        const qsizetype rank = nextRank[static_cast<std::size_t>(X)]++;
        const bool top = rank < third;
        const bool bottom = rank >= s - third;
        for (qsizetype i = 0; i < p; ++i) {
            const quint8 mask = ticked[static_cast<std::size_t>(t * p + i)];
            if (mask == notReached)
                continue;
            Sums& q = sums[static_cast<std::size_t>(i)];
            ++q.all[mask];
            if (top)
                ++q.top[mask];
            if (bottom)
                ++q.bottom[mask];
            q.rightX += mask == key[i] ? X : 0;
        }
    }

    ItemAnalysis result;
    TestFigures& test = result.test;
    test.tests = s;
    test.questions = p;
    test.uncertain = s < 10;
    const qint64 spreadX = s * sumXX - sumX * sumX;  // s(s−1)·var(X)
    if (s > 0) {
        test.mean = double(sumX) / double(s);
        if (p > 0)
            test.meanShare = 100.0 * test.mean / double(p);
    }
    if (s >= 2) {
        test.deviation = std::sqrt(double(spreadX) / double(s) / double(s - 1));
        if (p > 0)
            test.deviationShare = 100.0 * *test.deviation / double(p);
    }

    qint64 itemSpreads = 0;  // s(s−1)·Σ var(x_i)
    for (qsizetype i = 0; i < p; ++i) {
        const Sums& sum = sums[static_cast<std::size_t>(i)];
        const qint64 x = key[i] < 32 ? sum.all[key[i]] : 0;  // Σ x_i: the tests that got the question right
        const qint64 r = sumX - x;                             // Σ R_i
        const qint64 rr = sumXX - 2 * sum.rightX + x;          // Σ R_i², as x_i² = x_i
        const qint64 xr = sum.rightX - x;                      // Σ x_i·R_i
        QuestionFigures q;
        // Tests that ticked letter k, by all the sets of letters that hold it.
        const auto letter = [](const std::array<qint64, 32>& bySet, int k) {
            qint64 n = 0;
            for (int mask = 0; mask < 32; ++mask)
                n += (mask >> k & 1) ? bySet[mask] : 0;
            return n;
        };
        const qint64 spreadx = s * x - x * x;
        const qint64 spreadR = s * rr - r * r;
        itemSpreads += spreadx;
        if (spreadx > 0 && spreadR > 0)
            q.discrimination = 100.0 * double(s * xr - x * r) / std::sqrt(double(spreadx) * double(spreadR));
        if (s == 0) {
            result.questions.append(q);
            continue;
        }
        q.facility = 100.0 * double(x) / double(s);
        for (int k = 0; k < 5; ++k) {
            q.ticked[k] = 100.0 * double(letter(sum.all, k)) / double(s);
            q.tickedTop[k] = 100.0 * double(letter(sum.top, k)) / double(third);
            q.tickedBottom[k] = 100.0 * double(letter(sum.bottom, k)) / double(third);
        }
        // Whole-number comparisons: a facility of exactly 20 or 90 is not flagged.
        if (5 * x < s)
            q.flags << QStringLiteral("bardzo trudne");
        if (10 * x > 9 * s)
            q.flags << QStringLiteral("bardzo łatwe");
        if (q.discrimination && *q.discrimination < 0)
            q.flags << QStringLiteral("sprawdź klucz: lepsi uczniowie odpowiadają gorzej");
        else if (q.discrimination && *q.discrimination < 20)
            q.flags << QStringLiteral("słabo różnicuje");
        const int answered = set.answered.value(i);
        for (int k = 0; k < 5; ++k)
            if ((answered >> k & 1) && !(key[i] >> k & 1) && letter(sum.all, k) == 0)
                q.flags << QStringLiteral("odpowiedź %1 nie zmyla nikogo").arg(QChar(u'A' + k));
        if (keyChanged[static_cast<std::size_t>(i)])
            q.flags << QStringLiteral("klucz zmieniony po teście");
        result.questions.append(q);
    }

    if (s >= 2 && p >= 2 && spreadX > 0) {
        test.alpha = double(p) / double(p - 1) * (1.0 - double(itemSpreads) / double(spreadX));
        test.measurementError = *test.deviation * std::sqrt(1.0 - *test.alpha);
    }
    return result;
}

QByteArray analysisTable(const SetContents& set, const ItemAnalysis& analysis)
{
    QByteArray table("\xEF\xBB\xBF");
    table += QStringLiteral("Nr;Pytanie;Łatwość;Różnicowanie;A;B;C;D;E;Uwagi\r\n").toUtf8();
    // With no test there is nothing to show but the questions: an empty cell, not a facility of 0.
    const bool figures = analysis.test.tests > 0;
    for (qsizetype i = 0; i < analysis.questions.size(); ++i) {
        const QuestionFigures& q = analysis.questions[i];
        // Numbers go in as they are: a negative discrimination must stay a number for the spreadsheet.
        table += QByteArray::number(i + 1) + ';' + bridges::tableField(set.questions.value(i)) + ';';
        if (figures)
            table += decimal(q.facility).toUtf8();
        table += ';';
        if (q.discrimination)
            table += decimal(*q.discrimination).toUtf8();
        for (const double share : q.ticked) {
            table += ';';
            if (figures)
                table += decimal(share).toUtf8();
        }
        table += ';' + bridges::tableField(q.flags.join(QStringLiteral(", "))) + "\r\n";
    }
    return table;
}

QStringList testSummary(const TestFigures& test)
{
    const QString none = QStringLiteral("brak");
    return {
        QStringLiteral("Testów: %1").arg(test.tests),
        QStringLiteral("Średni wynik: %1%").arg(decimal(test.meanShare)),
        QStringLiteral("Odchylenie standardowe: %1")
            .arg(test.deviationShare ? decimal(*test.deviationShare) + u'%' : none),
        QStringLiteral("Alfa Cronbacha: %1").arg(test.alpha ? decimal(*test.alpha, 2) : none),
        QStringLiteral("Błąd standardowy pomiaru: %1")
            .arg(test.measurementError ? decimal(*test.measurementError) : none),
    };
}

std::optional<Regraded> regrade(const TestAnswers& test, const SetContents& set, const grading::Thresholds& scale)
{
    const qsizetype p = set.key.size();
    if (test.ticked.size() != p || test.key.size() != p || test.key == set.key)
        return std::nullopt;
    Regraded regraded;
    for (qsizetype i = 0; i < p; ++i)
        regraded.points += test.ticked[i] == set.key[i];
    regraded.grade = grading::computeGrade(regraded.points, scale);
    return regraded;
}

}  // namespace analysis
