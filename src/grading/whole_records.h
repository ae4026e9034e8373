#pragma once
// The append step both logs share: under the program folder's lock, first cut off what a killed copy left
// of its record at the log's end, then write the new record whole and push it to the disk.
#include "platform/filetable.h"

#include <QByteArray>
#include <QString>

namespace grading {

// How a log's records look at their two ends, so that a remainder can be told from a teacher's own note.
struct RecordMarks {
    QByteArray start;
    QByteArray end;
};

RecordMarks resultRecordMarks();
RecordMarks answersRecordMarks();

// Where the log's whole records end: the length of the log, or the start of a cut record at its end.
qint64 wholeRecordsEnd(const QString& path, const RecordMarks& marks);

// Appends `record` to the log open for appending as `file`, after cutting off a remainder; returns the log's
// length before the record, for a caller that has to take it back. Throws platform::FileError.
qint64 appendWhole(int file, const QString& path, const QByteArray& record, const RecordMarks& marks);

}  // namespace grading
