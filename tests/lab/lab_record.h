#pragma once
// What the lab's helper copies write and the lab test expects byte for byte, so both take it from here:
// the result record for a student's name, the question a rewrite puts in the middle of a set, and the
// boxes of a grading scale being saved.
#include "grading/results_log.h"
#include "questionset/questionset.h"

#include <QDateTime>
#include <array>

namespace lab {

inline QByteArray recordFor(const QString& name) {
    grading::ResultRecord record;
    record.firstName = name;
    record.surname = QStringLiteral("Żółć");
    record.className = QStringLiteral("3B");
    record.setPath = QStringLiteral("c:\\testy\\historia.kwz");
    record.pointsText = QStringLiteral("28");
    record.questionCountText = QStringLiteral("40");
    record.grade = 4;
    record.when = QDateTime(QDate(2026, 12, 8), QTime(8, 0));
    return grading::formatResultRecord(record);
}

// The rewriting copy puts these two versions of question 2 in place turn and turn about.
inline questionset::Question rewrittenQuestion(long long round) {
    questionset::Question q;
    q.texts.question = round % 2 ? QStringLiteral("Pytanie poprawione") : QStringLiteral("PYTANIE POPRAWIONE");
    q.texts.answers = {QStringLiteral("tak"), QStringLiteral("nie"), {}, {}, {}};
    q.texts.hint = QStringLiteral("Brak");
    q.flags = {1, 2, 2, 2, 2};
    return q;
}

// The scale-saving copy saves these two scales turn and turn about.
inline std::array<QString, 6> scaleBoxes(long long round) {
    if (round % 2)
        return {QStringLiteral("40"), QStringLiteral("39"), QStringLiteral("34"), QStringLiteral("27"),
                QStringLiteral("19"), QStringLiteral("12")};
    return {QStringLiteral("60"), QStringLiteral("55"), QStringLiteral("45"), QStringLiteral("35"),
            QStringLiteral("25"), QStringLiteral("15")};
}

}  // namespace lab
