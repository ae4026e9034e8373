#include "testing/test_progress.h"

#include "platform/filetable.h"
#include "platform/opened_file.h"
#include "platform/paths.h"
#include "records/records.h"

#include <QCryptographicHash>

#include <algorithm>
#include <limits>

namespace testing {

namespace {

using records::Field;
const QString progressWord = QStringLiteral("Stan testu");

// A field that must be a whole number from `low` to `high`. Throws FileError otherwise.
int readNumber(int file, long long low, long long high) {
    const records::Value value = records::readValue(file);
    if (value.kind != records::Value::Kind::Number || value.number < low || value.number > high ||
        value.number != static_cast<double>(static_cast<long long>(value.number)))
        throw platform::FileError(platform::FileError::Kind::NotNumber, QStringLiteral("a damaged progress file"));
    return static_cast<int>(value.number);
}

void expectWord(int file, const QString& word) {
    if (records::readText(file) != word)
        throw platform::FileError(platform::FileError::Kind::NotNumber, QStringLiteral("a damaged progress file"));
}

QString lettersOnly(const QString& text) {
    for (const QChar c : text)
        if (c < u'A' || c > u'E')
            throw platform::FileError(platform::FileError::Kind::NotNumber, QStringLiteral("a damaged progress file"));
    return text;
}

}  // namespace

QString progressFilePath() { return QStringLiteral("c:\\test.stan"); }

QByteArray setHash(const QString& setPath) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    platform::OpenedFile set(setPath, platform::OpenMode::Input);
    for (QByteArrayView part; !(part = platform::files().buffered(set.number())).isEmpty();) {
        hash.addData(part);
        platform::files().consume(set.number(), part.size());
    }
    return hash.result().toHex();
}

QByteArray formatProgress(const TestProgress& p) {
    QByteArray bytes = records::formatRecord(
        {Field::text(progressWord), Field::number(p.questions), Field::number(p.judged), Field::number(p.good),
         Field::number(p.wrong), Field::number(p.usedMs), Field::number(p.windowLeft), Field::number(p.hints ? 1 : 0)});
    bytes += records::formatRecord({Field::text(p.firstName), Field::text(p.surname), Field::text(p.className)});
    bytes += records::formatRecord({Field::text(p.setPath), Field::text(QString::fromLatin1(p.setHash))});
    QList<Field> order{Field::text(grading::answersQuestionOrderWord), Field::number(p.order.seed),
                       Field::number(p.order.shuffleAnswers ? 1 : 0), Field::number(p.order.questions.size())};
    for (const int q : p.order.questions)
        order.append(Field::number(q));
    bytes += records::formatRecord(order);
    QList<Field> places{Field::text(grading::answersAnswerOrderWord), Field::number(p.answerOrder.size())};
    for (const QString& shown : p.answerOrder)
        places.append(Field::text(shown));
    bytes += records::formatRecord(places);
    QList<Field> answers{Field::text(grading::answersStartWord), Field::number(p.ticked.size())};
    for (auto it = p.ticked.cbegin(); it != p.ticked.cend(); ++it)
        answers << Field::number(it.key()) << Field::text(it.value()) << Field::text(p.key.value(it.key()));
    bytes += records::formatRecord(answers);
    return bytes;
}

void saveProgress(const TestProgress& progress) {
    platform::OpenedFile file(progressFilePath(), platform::OpenMode::Output);
    platform::files().write(file.number(), formatProgress(progress));
    file.commit();
}

std::optional<TestProgress> readProgress() {
    if (!platform::fileExists(progressFilePath()))
        return std::nullopt;
    TestProgress p;
    try {
        platform::OpenedFile file(progressFilePath(), platform::OpenMode::Input);
        const int f = file.number();
        constexpr int most = 1 << 20;
        expectWord(f, progressWord);
        p.questions = readNumber(f, 1, most);
        p.judged = readNumber(f, 0, p.questions);
        p.good = readNumber(f, 0, p.judged);
        p.wrong = readNumber(f, 0, p.judged - p.good);
        p.usedMs = readNumber(f, 0, std::numeric_limits<int>::max());
        p.windowLeft = readNumber(f, 0, most);
        p.hints = readNumber(f, 0, 1) == 1;
        p.firstName = records::readText(f);
        p.surname = records::readText(f);
        p.className = records::readText(f);
        p.setPath = records::readText(f);
        p.setHash = records::readText(f).toLatin1();
        expectWord(f, grading::answersQuestionOrderWord);
        const records::Value seed = records::readValue(f);
        if (seed.kind != records::Value::Kind::Number || seed.number < 0 || seed.number > 4294967295.0)
            return std::nullopt;
        p.order.seed = static_cast<quint32>(seed.number);
        p.order.shuffleAnswers = readNumber(f, 0, 1) == 1;
        const int drawnQuestions = readNumber(f, 0, p.questions);
        for (int i = 0; i < drawnQuestions; ++i)
            p.order.questions.append(readNumber(f, 0, p.questions - 1));
        expectWord(f, grading::answersAnswerOrderWord);
        const int placed = readNumber(f, 0, p.judged);
        for (int i = 0; i < placed; ++i) {
            const QString letters = lettersOnly(records::readText(f));
            if (letters.size() != 5)
                return std::nullopt;
            p.answerOrder.append(letters);
        }
        expectWord(f, grading::answersStartWord);
        const int answered = readNumber(f, 0, p.questions);
        for (int i = 0; i < answered; ++i) {
            const int index = readNumber(f, 0, p.questions - 1);
            p.ticked.insert(index, lettersOnly(records::readText(f)));
            p.key.insert(index, lettersOnly(records::readText(f)));
        }
    } catch (const platform::FileError&) {
        return std::nullopt;
    }
    const bool drawnWhole = p.order.questions.isEmpty() || p.order.questions.size() == p.questions;
    if (!drawnWhole || p.ticked.size() > p.judged)
        return std::nullopt;
    return p;
}

void removeProgress() {
    if (platform::fileExists(progressFilePath()))
        platform::files().remove(progressFilePath());
}

grading::TestAnswers brokenOffAnswers(const TestProgress& p, const QDateTime& when) {
    grading::TestAnswers answers;
    answers.firstName = p.firstName;
    answers.surname = p.surname;
    answers.className = p.className;
    answers.when = when;
    answers.setPath = p.setPath;
    for (const QString& letters : p.ticked)
        answers.ticked.append(grading::maskOfLetters(letters));
    for (const QString& letters : p.key)
        answers.key.append(grading::maskOfLetters(letters));
    if (!p.order.questions.isEmpty()) {
        QList<std::pair<int, qsizetype>> judged;  // the set's index of each question judged, in the order shown
        for (qsizetype k = 0; k < p.ticked.size(); ++k)
            judged.append({p.order.questions.at(k), k});
        for (const auto& [index, k] : judged)
            answers.questionOrder.append(index + 1);
        std::sort(judged.begin(), judged.end());
        for (const auto& [index, k] : judged)
            if (k < p.answerOrder.size())
                answers.answerOrder.append(p.answerOrder.at(k));
    }
    answers.windowLeft = p.windowLeft;
    answers.brokenOffAfter = p.judged;
    return answers;
}

}  // namespace testing
