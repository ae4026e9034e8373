#pragma once
// The GIFT text format of the e-learning platforms, for multiple-choice questions: "=" a right answer,
// "~" a wrong one, "~%50%" a weighted one (a positive weight is a right answer), "####" the general
// feedback (the set's hint), "::title::", "//" comment lines, the escapes \~ \= \# \{ \} \: \\ and \n.
// Questions are separated by blank lines.
#include "bridges/imported.h"

#include <functional>

namespace bridges {

// Every question of a GIFT text. A true/false question becomes "Prawda" and "Fałsz". Other question kinds
// (matching, numeric, short answer, essay, a description without answers) and malformed ones come back
// with the reason they are left out. The title is dropped (a set has no place for it); text after the
// answer block makes the blank "_____" of a missing-word question. A format marker before a text says how
// it is written (the question's holds for its answers and hint unless they carry their own), and an HTML
// text becomes the text a reader sees.
Found readGift(const QString& text);

// The same from the bytes of a UTF-8 file (sound UTF-8 without a byte order mark): each question goes to
// `take` as soon as it is read, so that only the question at hand is ever held decoded.
void readGift(QByteArrayView utf8, QList<Warning>& warnings, const std::function<void(FoundQuestion&)>& take);

struct Exported {
    QByteArray bytes;         // UTF-8, CR LF
    QList<Warning> warnings;  // `line` is the number of the question in the set
    int written = 0;
    int skipped = 0;
};

// The questions as GIFT that the platforms import as the same questions: one right answer as "=", several
// as equal positive weights, the wrong ones then as equal negative weights; empty answers left out; the
// hint as general feedback unless it is "Brak"; line breaks as \n; "[plain]" before a text that begins like a
// format marker. Each question is titled "Pytanie N".
// Warnings name what will not come back unchanged (a flag other than 1 and 2 among them); a question
// with no answer at all is left out.
Exported writeGift(const QList<questionset::Question>& questions);

}  // namespace bridges
