#pragma once
// The question set file: the header "Kwiz v 1.0", then per question one record of seven texts (question,
// answers A to E, hint) and one record of five flags (1 correct, 2 not correct).
// Every operation opens the file, does its work and closes it again on every path; all of them throw
// platform::FileError (CannotOpen, PastEnd, Overflow, NotNumber, WriteFailed as the kind says).
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

namespace questionset {

inline const QString header = QStringLiteral("Kwiz v 1.0");

struct QuestionTexts {
    QString question;
    std::array<QString, 5> answers;
    QString hint;
    bool operator==(const QuestionTexts&) const = default;
};
using Flags = std::array<std::uint8_t, 5>;

struct Question {
    QuestionTexts texts;
    Flags flags{2, 2, 2, 2, 2};
    bool operator==(const Question&) const = default;
};

// Creates the file, or empties it, holding only the header record. The old file stays as it was when the
// new one cannot be written.
void createEmptySet(const QString& path);

// True when the first field is exactly "Kwiz v 1.0" (letter case and blanks count). A file that cannot be
// opened (CannotOpen) or holds no field at all (PastEnd) throws: it is no question set, but the callers
// report an unreadable file differently from a wrong one.
bool checkHeader(const QString& path);

// The number of whole questions after the header. Reads at most (length / 20) questions and stops early at
// the end of the file or at the first question that cannot be read whole (a set cut inside a question, a
// flag that is not a byte), so a damaged tail is simply not counted. Only an unopenable file throws.
// `counted`, when given, hears the running count after each question (the editor and the converter show it).
int countQuestions(const QString& path, const std::function<void(int)>& counted = {});

// Question n (from 1). A set with fewer than n questions, or one that ends inside question n, throws
// PastEnd; a flag that is not a number from 0 to 255 throws NotNumber or Overflow.
Question readQuestion(const QString& path, int n);

// Adds the two records of one question at the end of the set, in place (the cost does not grow with the
// set), and waits until they are on the disk. A write that fails is cut back, so a full disk never leaves
// a half question behind that would shift every question appended later. The set must exist
// (CannotOpen otherwise).
void appendQuestion(const QString& path, const Question& question);

// The pieces the readers and writers of the program share, on a file number of the file table.
QuestionTexts readTexts(int file);   // seven text fields
Flags readFlags(int file);           // five unsigned bytes
Question readQuestionAt(int file);   // texts, then flags
// One question's seven texts as the file holds them (Windows-1250 bytes, unconverted) and its flags, for
// readers that look at every question of a large set without showing it.
struct QuestionBytes {
    std::array<QByteArrayView, 7> texts;  // question, answers A to E, hint
    Flags flags{};
    bool inPlace = false;  // the texts are views into the bytes as read, one after another in file order
};
// Reads one question exactly as readQuestionAt() would, failing the same way, and hands it to `use` while
// its texts are at hand, without converting or copying them: the views last only during the call.
void readQuestionBytes(int file, const std::function<void(const QuestionBytes&)>& use);
// Moves past one question, failing exactly as reading its texts and flags would, without converting the
// texts; counting a large set costs little more than scanning its bytes.
void skipQuestion(int file);
QByteArray formatHeader();           // the header record
QByteArray formatQuestion(const Question& question);  // the texts record and the flags record

}  // namespace questionset
