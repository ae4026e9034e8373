#pragma once
// The results log "wyniki.txt" read back for the teacher, and written as a table for a spreadsheet.
// The program itself never reads the log; this is the one reader of it, and it takes a record whole or not
// at all: a record with a missing, extra or changed line is reported and left out.
#include "grading/results_log.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace bridges {

// A place in the log that could not be read as a whole record: the line (from 1) where the fault shows,
// and what is wrong, in Polish.
struct LogFault {
    qsizetype line = 0;
    QString what;
};

struct ResultsLog {
    QList<grading::ResultRecord> records;  // `when` in UTC: the log holds a wall-clock time, no zone
    QList<LogFault> faults;
};

// Reads the bytes of a results log (Windows-1250). Besides the lines formatResultRecord() writes it
// takes what an editor may have made of them: LF alone or a lone CR as the line end, the record's first
// line (a lone CR) reduced to an empty line, and no line end after the last line. It holds no more than
// the bytes and the records: a line is decoded when it is read.
ResultsLog parseResultsLog(QByteArrayView bytes);

// The table: a byte order mark, then a heading row and one row per record, UTF-8, fields separated by
// semicolons, CR LF after every row.
QByteArray resultsTable(const QList<grading::ResultRecord>& records);

// One field of the table as written: quoted when it holds a semicolon, a quote or a line break, and a
// text the spreadsheet would take for a formula made plain text by a leading apostrophe.
QByteArray tableField(const QString& text);

}  // namespace bridges
