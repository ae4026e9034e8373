#pragma once
// The result record the lab's appending copies write for a student's name: the helper appends it and the
// lab test expects it byte for byte, so both take it from here.
#include "grading/results_log.h"

#include <QDateTime>

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

}  // namespace lab
