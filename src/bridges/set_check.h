#pragma once
// The question set checker: reads a set the way the test reads it and lists what a teacher should fix
// before students meet it. Qt Core only; opens no window.
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
inline constexpr TextRoom answerRoom{50, 1};    // Label4 .. Label8: one line per answer
inline constexpr TextRoom hintRoom{55, 1};      // Label3: one line of the hint

// The lines the text takes when each holds at most `charsPerLine` characters; each of its own line breaks
// (CR LF, CR or LF) starts a new line. The text is Windows-1250, one byte per character.
qsizetype linesNeeded(QByteArrayView text, int charsPerLine);
bool fitsRoom(QByteArrayView text, TextRoom room);

struct Finding {
    int question = 0;  // from 1; 0 for the whole set
    QString what;      // Polish, for the teacher
};

struct SetCheck {
    bool readable = true;  // false: the file could not be opened or read at all
    int questions = 0;     // whole questions read, as the test would count them
    QList<Finding> findings;
};

SetCheck checkSet(const QString& path);

}  // namespace bridges
