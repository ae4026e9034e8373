#include "bridges/aiken.h"

#include "bridges/lines.h"

#include <QRegularExpression>
#include <cstdint>

namespace bridges {

namespace {

// "ANSWER: B" (any letter case, blanks before the colon): what follows the colon.
std::optional<QStringView> answerKey(QStringView line)
{
    if (line.size() < 7 || line.first(6).compare(u"ANSWER", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QStringView rest = line.sliced(6).trimmed();
    if (!rest.startsWith(u':'))
        return std::nullopt;
    return rest.sliced(1).trimmed();
}

// "A. text" or "A) text": the letter and the text.
bool answerLine(QStringView line, QChar* letter, QStringView* text)
{
    if (line.size() < 2 || line[0] < u'A' || line[0] > u'Z' || (line[1] != u'.' && line[1] != u')'))
        return false;
    if (line.size() > 2 && !line[2].isSpace())
        return false;
    *letter = line[0];
    *text = line.sliced(2).trimmed();
    return true;
}

struct Open {
    FoundQuestion question;
    QStringList textLines;
    QString letters;    // of the answers kept, in their order
    QString emptyOnes;  // letters of empty answers, left out
    QString repeated;
    std::uint32_t seen = 0;  // a bit per letter A to Z
};

}  // namespace

Found readAiken(const QString& text)
{
    Found found;
    std::optional<Open> open;
    auto close = [&](const QString& skipReason) {
        FoundQuestion& q = open->question;
        q.text = open->textLines.join(u'\n');
        q.skipReason = skipReason;
        if (q.skipReason.isEmpty() && !open->repeated.isEmpty())
            q.skipReason = QStringLiteral("litera %1 powtarza się wśród odpowiedzi").arg(open->repeated);
        if (!open->emptyOnes.isEmpty())
            found.warnings.append({q.line, QStringLiteral("puste odpowiedzi pominięto.")});
        found.questions.append(std::move(q));
        open.reset();
    };
    auto markRight = [&](QStringView key) -> QString {
        static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
        const auto tokens = key.split(separators, Qt::SkipEmptyParts);
        if (tokens.isEmpty())
            return QStringLiteral("wiersz „ANSWER:” nie podaje litery poprawnej odpowiedzi");
        for (QStringView token : tokens) {
            if (token.size() != 1 || !token[0].isLetter() || token[0].unicode() >= 0x80)
                return QStringLiteral("wiersz „ANSWER:” podaje „%1” zamiast litery").arg(token);
            const QChar letter = token[0].toUpper();
            if (open->emptyOnes.contains(letter))
                return QStringLiteral("poprawna odpowiedź %1 jest pusta").arg(letter);
            const qsizetype at = open->letters.indexOf(letter);
            if (at < 0)
                return QStringLiteral("wiersz „ANSWER:” podaje literę %1, której nie ma wśród odpowiedzi").arg(letter);
            open->question.answers[at].correct = true;
        }
        return {};
    };
    forEachLine(text, [&](QStringView line, int number) {
        const QStringView t = line.trimmed();
        if (t.isEmpty())
            return true;
        if (const auto key = answerKey(t)) {
            if (!open)
                found.warnings.append({number, QStringLiteral("wiersz „ANSWER:” bez pytania pominięto.")});
            else if (open->question.answers.isEmpty() && open->emptyOnes.isEmpty())
                close(QStringLiteral("nie ma żadnej odpowiedzi"));
            else
                close(markRight(*key));
            return true;
        }
        QChar letter;
        QStringView answer;
        const bool isAnswer = open && answerLine(t, &letter, &answer);
        if (isAnswer) {
            // The letters are kept once each, so a flood of answer lines costs no more than reading it.
            const std::uint32_t bit = 1u << (letter.unicode() - u'A');
            const bool seen = open->seen & bit;
            open->seen |= bit;
            if (seen)
                open->repeated = letter;
            if (answer.isEmpty()) {
                if (!seen)
                    open->emptyOnes += letter;
            } else {
                if (!seen)
                    open->letters += letter;
                open->question.answers.append({answer.toString(), false});
            }
            return true;
        }
        if (open && (!open->question.answers.isEmpty() || !open->emptyOnes.isEmpty()))
            close(QStringLiteral("nie kończy go wiersz „ANSWER:”"));
        if (!open) {
            open.emplace();
            open->question.line = number;
        }
        open->textLines.append(t.toString());
        return true;
    });
    if (open)
        close(QStringLiteral("nie kończy go wiersz „ANSWER:”"));
    return found;
}

}  // namespace bridges
