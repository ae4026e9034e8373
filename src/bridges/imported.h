#pragma once
// What the readers of other question formats (GIFT, Aiken) share: the question as they found it, the
// step that turns it into a question of a set, and the reading of the file's bytes. Everything returns
// values; the import command only reads and writes the files and prints the warnings.
#include "questionset/questionset.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace bridges {

// A remark about the input, tied to the line (from 1) where the question it concerns begins; line 0 is
// the file as a whole. In the export, `line` is the number of the question in the set instead.
struct Warning {
    int line = 0;
    QString message;
    bool operator==(const Warning&) const = default;
};

struct FoundAnswer {
    QString text;  // line breaks as CR LF
    bool correct = false;
};

// One question as a reader found it, its texts as the set holds them (line breaks as CR LF). A question
// that is not multiple choice, or that the reader could not make sense of, carries the reason it is left out.
struct FoundQuestion {
    int line = 0;
    QString text;
    QList<FoundAnswer> answers;  // the first five
    qsizetype answerCount = 0;   // every answer found
    std::optional<QString> hint;  // none when the file gives no hint
    QString skipReason;
};

// An answer a reader found: the first five are kept, every one is counted.
void addAnswer(FoundQuestion& q, QString text, bool correct);

// A true/false question's answers as a set holds them: A "Prawda" and B "Fałsz".
void setTrueFalse(FoundQuestion& q, bool trueIsRight, bool falseIsRight);

// What the readers say about the answers they leave out.
inline const QString emptyAnswersLeftOut = QStringLiteral("puste odpowiedzi pominięto.");
inline const QString answerFeedbackLeftOut =
    QStringLiteral("informacje zwrotne przy odpowiedziach pominięto (zestaw ich nie ma).");

struct Found {
    QList<FoundQuestion> questions;
    QList<Warning> warnings;
};

struct Imported {
    QList<questionset::Question> questions;  // unless they went only into the set's bytes
    QList<Warning> warnings;  // in the order of the lines, unless they went out as they were found
    int taken = 0;
    int skipped = 0;
    QByteArray setBytes;  // the set holding the questions, as setBytes() makes it
};

// The hint a set holds when the file gives none: the editor stores the same.
inline const QString noHint = QStringLiteral("Brak");

// Every question of a reader's findings turned into set questions, the rest counted as skipped (with the
// reason among the warnings): no answers, more than five, or a character that Windows-1250 has not. Double
// quotes, which a set's text field cannot hold, become the Polish quotes „ and ”
// (with a warning). The texts are moved out of `found`, not copied.
Imported collect(Found found);

// The same, one question at a time as a reader finds it: the set's bytes are made while the question's
// texts are still at hand.
class Collector {
public:
    // `expectedBytes`: room taken for the set at once (the size of the file read will do). Unless
    // `keepQuestions`, a question taken goes only into the set's bytes and is counted.
    explicit Collector(qsizetype expectedBytes = 0, bool keepQuestions = true);
    // Warnings about the question, and the reason it is skipped, go to `warnings`.
    void add(FoundQuestion& found, QList<Warning>& warnings);
    // The warnings of the whole reading, sorted by line, join the result.
    Imported finish(QList<Warning> warnings);

private:
    Imported imported_;
    bool keepQuestions_;
};

enum class Format { Unknown, Gift, Aiken, QuizXml };

// Tells the formats apart by the content of a file, reading no further than needed. The XML export comes
// first: its first element is <quiz>, or it begins with an XML declaration (see isQuizXml). Otherwise the
// bytes are UTF-8 text, and the first block (lines between blank lines) that shows its kind decides: an
// Aiken question (answer lines ended by an "ANSWER:" line) makes the file Aiken, even with braces in its
// text; a block with an unescaped "{" and no Aiken answer lines makes it GIFT. Without either, any "{" makes
// it GIFT, and nothing makes it Unknown. Comment lines ("//") count for neither.
Format detectFormat(QByteArrayView bytes);
Format detectFormat(const QString& text);

// The text of a UTF-8 file (a byte order mark dropped), or the number of the line (from 1) that holds the
// first byte that is not UTF-8 text: a byte outside UTF-8, or a NUL (a file in UTF-16 holds them). The
// encoding is never guessed: such a file is refused.
struct Decoded {
    QString text;
    int badLine = 0;  // 0 when the bytes were sound
};
Decoded decodeUtf8(const QByteArray& bytes);

// The whole import of a file's bytes: telling the format apart and reading it, one question decoded at a
// time. `failure` is set (and nothing imported) when GIFT or Aiken bytes are not UTF-8 text, an XML export
// is not well-formed, or the format is none of the three; the XML decodes itself as its byte order mark or
// declaration says. With `warn`, each warning goes there in the order of the lines (as soon as it is found,
// and for XML once the whole file has proved sound), and the result holds only the counts and the set's
// bytes: the memory the import takes is then the file's bytes, the set's bytes and the question at hand,
// however many questions the file holds.
struct Import {
    Format format = Format::Unknown;
    Imported result;
    QString failure;
};
Import importBytes(const QByteArray& bytes, const std::function<void(const Warning&)>& warn = {});

// The bytes of a set holding the questions: the header, then each question's two records.
QByteArray setBytes(const QList<questionset::Question>& questions);

}  // namespace bridges
