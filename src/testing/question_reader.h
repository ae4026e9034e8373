#pragma once
// The one Question reader: the sequential reader on the question set chosen in the main window, open from
// the open command through the test. "Close every open file" closes it; the test then reopens it where it
// stood, so a print or a teacher's command between sign-in and Start never loses the student's questions.
#include "questionset/questionset.h"

#include "platform/errors.h"

#include <QString>
#include <optional>

namespace testing {

// What the sign-in's count found: the whole questions before the end of the set, and the failure of the
// question after them when the set does not end there but holds a question that cannot be read.
struct QuestionCount {
    int questions = 0;
    std::optional<platform::FileError> damage;
};

// What is wrong with question `question` of a set that failed to read it, for the messages that end or
// refuse a test: "Zestaw pytań jest uszkodzony: pytanie nr 2 ...".
QString damageDescription(const platform::FileError& failure, long long question);
inline const QString damagedSetTitle = QStringLiteral("Uszkodzony zestaw pytań");

class QuestionReader {
public:
    static QuestionReader& instance();

    // Opens the set for reading from its start (closing the reader's earlier file). Throws FileError; on a
    // failure the reader is left closed with no path.
    void open(const QString& path);
    QString path() const { return path_; }
    // True while the reader's own file is open in the file table.
    bool isOpen() const;
    // Reopens the file at the offset it stood at when it was last read, when something closed it since.
    // Throws FileError (CannotOpen) when there is no path or the file cannot be opened again.
    void ensureOpen();
    // Closes the file and forgets the path: reads after this throw until the next open.
    void close();

    // Every read first makes sure the file is open. A read that fails throws FileError and leaves the
    // reader where it stood before it (a record is taken whole or not at all).
    QString readHeader();                         // the next field, as text
    questionset::QuestionTexts readTexts();       // seven text fields
    questionset::Flags readFlags();               // five unsigned bytes
    // Counts whole questions from where the reader stands, at most (length / 20) of them, stopping at the
    // end of the set or at the first question that cannot be read; the reader then stands where the
    // reading stopped.
    QuestionCount countQuestions();
    qint64 length();
    // Where the next read starts, and a move there: a lab exam reads the set's questions in its own order.
    qint64 position() const { return offset_; }
    void seek(qint64 offset);
    // Moves past the next question without reading its texts. Throws FileError.
    void skipQuestion();
    // True when nothing but blanks and line ends is left: a set may end in an empty line.
    bool atEnd();

private:
    template <typename Read>
    auto readWhole(Read read);
    bool ownsNumber() const;
    void remember();
    QString path_;
    QString nativePath_;
    int number_ = 0;
    qint64 offset_ = 0;
};

}  // namespace testing
