#pragma once
// A question set as a plain text file a teacher can edit or print elsewhere: per question the question in
// capitals, its answers a) to e), optionally the hint, and an empty line. Windows-1250, CR LF; correct
// answers are not marked.
#include "questionset/questionset.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace sheets {

// The text file name proposed for a set: the set's file name without its last four characters, then
// ".TXT" (HISTORIA.KWZ gives HISTORIA.TXT).
QString textFileName(const QString& setFileName);

// The progress bar after one more question: the step added while the bar is below 100, never beyond 100.
double nextProgress(double bar, double step);
// The percentage as the converter shows it: the whole number with a blank before it, then " %" (" 50 %").
QString progressText(double bar);

// Why a text file name must not be written: it names the set being converted, or another question set
// (a typing slip must never overwrite one). Nothing when the name is fine.
std::optional<QString> refusedTextName(const QString& setPath, const QString& textPath);

struct ConversionSteps {
    std::function<void(int count, bool last)> counted;  // the running count of the counting pass
    std::function<void(double bar)> progressed;  // the bar (0 to 100) after each question written
};

struct Conversion {
    int questions = 0;  // whole questions the counting pass found
    int written = 0;    // questions written to the text file
    QString damage;     // empty, or what is wrong with the set (Polish); the text file holds what came before
    bool created = false;  // the text file was written (not so for a set without even a header)
};

// Counts the set's questions, then writes the text file: created anew, and put in place only when it was
// written whole, so an old file of that name survives a failed write. The header is read, not compared.
// A set cut short or damaged still gives the questions before the damage, and says so in `damage`; a set
// without even a header gives no text file. Throws platform::FileError: CannotOpen (the set or the text
// file cannot be opened), WriteFailed (the text file could not be written; nothing replaced).
Conversion convertToText(const QString& setPath, const QString& textPath, bool withHints,
                         const ConversionSteps& steps = {});

}  // namespace sheets
