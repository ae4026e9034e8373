#pragma once
// The question editor's record operations on a set file. The file is the store: nothing of the set is
// kept in memory between operations, and every move reads the set from its start.
//   - a question typed at the end is appended in place (a whole question or nothing);
//   - a question changed in the middle is written by copying the set into the working copy "temp.tmp"
//     and building a new version of the set from it, put in place in one step;
//   - the first, a previous and the last question are read from the start of the set.
// Every failure is an EditorError naming what went wrong; the set is then left exactly as it was.
#include "questionset/questionset.h"

#include <QString>
#include <optional>

namespace questionset {

class EditorError {
public:
    enum class Reason {
        CannotOpen,     // the set (or the working copy) cannot be opened
        CutShort,       // the set ends inside a question, or holds fewer questions than asked for
        BadFlags,       // a flag is not a number from 0 to 255
        CountMismatch,  // the set holds another number of questions than the counters say
        WriteFailed,    // full disk, no right to write, the new version could not be put in place
        Busy,           // another copy of the program is using the working copy
    };
    explicit EditorError(Reason reason, const QString& cause = {}) : reason_(reason), cause_(cause) {}
    Reason reason() const { return reason_; }
    // The system's reason for a failed write in the user's words ("brak miejsca na dysku"); may be empty.
    QString cause() const { return cause_; }

private:
    Reason reason_;
    QString cause_;
};

// The editor's counters are signed 16-bit: no set it writes may grow past this many questions.
constexpr int maxQuestions = 32767;

// Adds the question's two records at the end of the set, in place, and waits until they are on the disk.
// A write that fails is cut back, so the set is either the old one or the old one and the whole question.
// The set must exist and end with a whole question (seven quoted texts and a line of flags after the
// line of flags before, or after the header) or be the header alone; CutShort otherwise, the set unchanged.
void appendInPlace(const QString& path, const Question& question);

// The working copy, "temp.tmp" in the current folder, and the lock that keeps a second copy of the
// program from using it at the same time.
QString workingCopyPath();
// Empties the working copy unless another copy of the program is using it (then it is left alone).
void emptyWorkingCopy();
// Deletes the working copy unless another copy of the program is using it; a failure is passed over.
void removeWorkingCopy();

// What a rewrite leaves behind: question `current` + 1 of the new set, when the set holds one.
struct Rewritten {
    std::optional<Question> following;
};

// Replaces question `current` of the set with `question`, for the editor's counters `current` < `count`.
// The set must hold `count` questions, or `count` - 1 while a new question is being typed at the end.
// The working copy holds the complete old set during the rewrite and is emptied afterwards.
Rewritten rewriteInPlace(const QString& path, int current, int count, const Question& question);

// Question n of the set (from 1).
Question readForEditor(const QString& path, int n);

// The last question of the set and how many there are (read from the start); no question when the set
// holds only its header.
struct LastQuestion {
    int count = 0;
    std::optional<Question> question;
};
LastQuestion readLast(const QString& path);

}  // namespace questionset
