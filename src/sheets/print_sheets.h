#pragma once
// The three printed sheets of a question set: the question sheet for the students, the hints and the
// answer key. Each is laid out through the platform printer, so the same calls reach paper, a PDF file or
// a test's recording.
#include "platform/printer.h"
#include "questionset/questionset.h"

#include <QString>
#include <vector>

namespace sheets {

enum class Sheet { Questions, Hints, Key };

// Why a set cannot be printed, for the user: nothing has been printed when this is thrown.
struct Refusal {
    QString prompt;
    QString title;
};

// The first `count` questions of the set (none for a count below 1), read whole before anything is printed
// so a set that cannot give them never leaves half a job behind. The header is read but not compared.
// Throws Refusal when the set cannot be opened, is shorter than `count` or is damaged before question
// `count` ends.
std::vector<questionset::Question> questionsToPrint(const QString& setPath, long long count);

// Nine questions a page, each in bold 12 points with its answers A to E in 10 points below it.
void printQuestionSheet(const std::vector<questionset::Question>& questions, platform::Printer& printer);
// The title, then one line per question: its number and its hint.
void printHintSheet(const std::vector<questionset::Question>& questions, platform::Printer& printer);
// The title, then one line per question: its number and the letters of its correct answers.
void printAnswerKey(const std::vector<questionset::Question>& questions, platform::Printer& printer);
void printSheet(Sheet sheet, const std::vector<questionset::Question>& questions, platform::Printer& printer);

// The PDF file a sheet goes to when the system has no printer: "<set name> - test.pdf",
// "<set name> - podpowiedzi.pdf" or "<set name> - odpowiedzi.pdf" in the set's folder, or in
// `fallbackFolder` when the set's folder (or an existing file of that name) cannot be written.
QString pdfPath(const QString& setPath, Sheet sheet, const QString& fallbackFolder);

}  // namespace sheets
