#pragma once
// The question set checker: reads a set the way the test reads it and lists what a teacher should fix
// before students meet it. Qt Core only; opens no window.
#include "questionset/questionset.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace bridges {

// The room a text has in its control of the main window, shown whole without a scroll bar: lines of at
// most `charsPerLine` characters, at most `lines` of them. The window never cuts a text (it shrinks it to
// the smallest readable size, wraps it, and then scrolls it), so a text beyond its room is one the student
// has to scroll. The figures were measured with the window's own fitting code on ordinary Polish text with
// long words, and a window test keeps them true; text in capitals or of wide letters takes more room.
struct TextRoom {
    int charsPerLine;
    int lines;
};
inline constexpr TextRoom questionRoom{45, 4};  // Label1: up to four lines of the question
inline constexpr TextRoom answerRoom{53, 1};    // Label4 .. Label8: one line per answer
inline constexpr TextRoom hintRoom{60, 1};      // Label3: one line of the hint

// The lines the text takes when each holds at most `charsPerLine` characters; each of its own line breaks
// (CR LF, CR or LF) starts a new line. The text is Windows-1250, one byte per character. Counting stops
// once more than `enough` lines are found.
qsizetype linesNeeded(QByteArrayView text, int charsPerLine, qsizetype enough = -1);
bool fitsRoom(QByteArrayView text, TextRoom room);
// The same, with the lines of the text's own when they were counted (0 when its length alone decided).
struct RoomVerdict {
    bool fits;
    int ownLines;
};
RoomVerdict roomFor(QByteArrayView text, TextRoom room);

// What a finding is about; its words come from describe(), so a set with thousands of findings costs
// nothing to check until they are shown.
struct Finding {
    enum class Kind {
        WrongHeader,      // the file's first field is SetCheck::firstField
        EmptyFile,
        NoQuestions,
        CutShort,         // the set ends inside the question
        DamagedFlags,     // a flag that is not a number from 0 to 255
        OddFlag,          // `answer` has the flag `value`, neither 1 nor 2
        NoCorrectAnswer,
        AllCorrect,
        EmptyCorrectAnswer,  // `answer` is blank and marked correct
        PastTestBound,    // the set holds more questions than the test reads: it reads the first `value`
        Duplicate,        // repeats question `value`
        TooLong,          // the texts whose bits are set in `answer` (bit 0 the question, 1 to 5 the answers,
                          // 6 the hint); their lengths from SetCheck::longTexts[value] on, one per text
    };
    int question = 0;  // from 1; 0 for the whole set
    Kind kind = Kind::NoQuestions;
    int answer = 0;    // 0 to 4 for A to E; for TooLong the texts
    int value = 0;
};

struct SetCheck {
    bool readable = true;  // false: the file could not be opened or read at all
    int questions = 0;     // whole questions read, every one of them
    QList<Finding> findings;
    QString firstField;    // the start of the file's first field when it is not the header
    // For the TooLong findings: per text, its length, and its own lines (0 when not counted) times 2^24.
    QList<int> longTexts;
};

// The finding in Polish, for the teacher.
QString describe(const Finding& finding, const SetCheck& check);

SetCheck checkSet(const QString& path);

// Every question of a set as the test reads them, to the end of the file: blanks, line ends and an old
// editor's end mark after the last question end it as they end it for the test. `damaged` when anything
// else follows the questions read whole. Throws platform::FileError: CannotOpen, or PastEnd for a file
// without even a header field.
struct WholeSet {
    QList<questionset::Question> questions;
    bool damaged = false;
};
WholeSet readWholeSet(const QString& path);

}  // namespace bridges
