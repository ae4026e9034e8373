#pragma once
// The results log "wyniki.txt" in the program folder: one record of plain lines appended per graded test,
// never rewritten; only its end is read back, to find where its whole records end.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace grading {

struct ResultRecord {
    QString firstName;
    QString surname;
    QString className;
    QString setPath;            // full path of the question set
    QString pointsText;         // the good-answers counter as it stands
    QString questionCountText;  // the question-count caption as it stands
    std::optional<int> grade;   // no "Ocena" line without one
    QDateTime when;
};

// The record's bytes, Windows-1250, every line ended by CR LF; the first line is a lone CR.
QByteArray formatResultRecord(const ResultRecord& record);

// Appends the record to "wyniki.txt" (created when missing) with a single write and pushes it to the disk
// before returning, under the program folder's shared lock. Throws platform::FileError: Busy when another
// copy of the program keeps the lock too long, CannotOpen when the log cannot be opened for appending,
// WriteFailed when the write or the flush fails; the log is then exactly as it was before, so it only
// ever holds whole records. The remainder of a record that a killed copy left at the end is cut off first.
void appendResult(const QString& programFolder, const QByteArray& record);

}  // namespace grading
