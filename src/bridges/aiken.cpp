#include "bridges/aiken.h"

#include "bridges/lines.h"

#include <cstdint>

namespace bridges {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

struct Open {
    FoundQuestion question;
    QString letters;    // of the answers kept, in their order
    QString emptyOnes;  // letters of empty answers, left out
    QString repeated;
    std::uint32_t seen = 0;  // a bit per letter A to Z
};

// The words of the key: what stands between blanks, commas and semicolons.
QList<QByteArrayView> keyTokens(QByteArrayView key)
{
    QList<QByteArrayView> tokens;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= key.size(); ++i) {
        if (i == key.size() || isBlank(key[i]) || key[i] == ',' || key[i] == ';') {
            if (i > from)
                tokens.append(key.sliced(from, i - from));
            from = i + 1;
        }
    }
    return tokens;
}

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::optional<QByteArrayView> aikenKey(QByteArrayView line)
{
    if (line.size() < 7 || qstrnicmp(line.data(), "ANSWER", 6) != 0)
        return std::nullopt;
    const QByteArrayView rest = line.sliced(6).trimmed();
    if (!rest.startsWith(':'))
        return std::nullopt;
    return rest.sliced(1).trimmed();
}

bool isAikenAnswer(QByteArrayView line)
{
    return line.size() >= 2 && line[0] >= 'A' && line[0] <= 'Z' && (line[1] == '.' || line[1] == ')')
        && (line.size() == 2 || isBlank(line[2]));
}

void readAiken(QByteArrayView utf8, QList<Warning>& warnings, const std::function<void(FoundQuestion&)>& take)
{
    std::optional<Open> open;
    auto close = [&](const QString& skipReason) {
        FoundQuestion& q = open->question;
        q.skipReason = skipReason;
        if (q.skipReason.isEmpty() && !open->repeated.isEmpty())
            q.skipReason = QStringLiteral("litera %1 powtarza się wśród odpowiedzi").arg(open->repeated);
        if (!open->emptyOnes.isEmpty())
            warnings.append({q.line, emptyAnswersLeftOut});
        take(q);
        open.reset();
    };
    auto markRight = [&](QByteArrayView key) -> QString {
        const QList<QByteArrayView> tokens = keyTokens(key);
        if (tokens.isEmpty())
            return QStringLiteral("wiersz „ANSWER:” nie podaje litery poprawnej odpowiedzi");
        for (QByteArrayView token : tokens) {
            if (token.size() != 1 || !isAsciiLetter(token[0]))
                return QStringLiteral("wiersz „ANSWER:” podaje „%1” zamiast litery").arg(textOfUtf8(token));
            const QChar letter = QChar(QLatin1Char(token[0])).toUpper();
            if (open->emptyOnes.contains(letter))
                return QStringLiteral("poprawna odpowiedź %1 jest pusta").arg(letter);
            const qsizetype at = open->letters.indexOf(letter);
            if (at < 0)
                return QStringLiteral("wiersz „ANSWER:” podaje literę %1, której nie ma wśród odpowiedzi").arg(letter);
            // Past the fifth answer the question is left out for their number anyway.
            if (at < open->question.answers.size())
                open->question.answers[at].correct = true;
        }
        return {};
    };
    forEachLine(utf8, [&](QByteArrayView line, int number) {
        const QByteArrayView t = line.trimmed();
        if (t.isEmpty())
            return true;
        if (const auto key = aikenKey(t)) {
            if (!open)
                warnings.append({number, QStringLiteral("wiersz „ANSWER:” bez pytania pominięto.")});
            else if (open->question.answerCount == 0 && open->emptyOnes.isEmpty())
                close(QStringLiteral("nie ma żadnej odpowiedzi"));
            else
                close(markRight(*key));
            return true;
        }
        if (open && isAikenAnswer(t)) {
            // The letters are kept once each and the texts of the first five answers only, so a flood of
            // answer lines costs no more than reading it.
            const QChar letter = QLatin1Char(t[0]);
            const std::uint32_t bit = 1u << (t[0] - 'A');
            const bool seen = open->seen & bit;
            open->seen |= bit;
            if (seen)
                open->repeated = letter;
            const QByteArrayView answer = t.sliced(2).trimmed();
            if (answer.isEmpty()) {
                if (!seen)
                    open->emptyOnes += letter;
            } else {
                if (!seen)
                    open->letters += letter;
                addAnswer(open->question, textOfUtf8(answer), false);
            }
            return true;
        }
        if (open && (open->question.answerCount > 0 || !open->emptyOnes.isEmpty()))
            close(QStringLiteral("nie kończy go wiersz „ANSWER:”"));
        if (!open) {
            open.emplace();
            open->question.line = number;
        } else {
            open->question.text += QStringLiteral("\r\n");
        }
        open->question.text += textOfUtf8(t);
        return true;
    });
    if (open)
        close(QStringLiteral("nie kończy go wiersz „ANSWER:”"));
}

Found readAiken(const QString& text)
{
    Found found;
    readAiken(text.toUtf8(), found.warnings, [&](FoundQuestion& q) { found.questions.append(std::move(q)); });
    return found;
}

}  // namespace bridges
