#pragma once
// The teacher's password gate: the question the options ask, and the same question before the commands that
// show a set's answers (the question editor, the printed key), so that a student cannot read the key. With no
// password stored in "Wiedo.cfg" every gate is open and asks nothing.
#include "platform/dialogs.h"

#include <QString>

namespace ui {

struct PasswordQuestion {
    QString prompt;
    QString title;
    platform::Echo echo = platform::Echo::Shown;
};

// The options' own question.
PasswordQuestion optionsQuestion();

enum class GateAnswer {
    Open,       // no password is stored, or the right one was typed
    Cancelled,  // an empty answer or Cancel: nothing more is said
    Refused,    // a wrong password (or an unreadable password file): the beep and "Złe hasło !!!" were given
};

// Reads the password stored in the program folder and, when there is one, asks for it. The password read is
// given back through `stored` when asked for.
GateAnswer askTeacherPassword(const QString& programFolder, const PasswordQuestion& question,
                              QString* stored = nullptr);

}  // namespace ui
