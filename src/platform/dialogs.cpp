#include "platform/dialogs.h"

#include <stdexcept>

namespace platform {
namespace {
Dialogs* current = nullptr;
Dialogs* fallback = nullptr;
}  // namespace

void installDefaultDialogs(Dialogs* implementation) { fallback = implementation; }

Dialogs& dialogs() {
    if (current)
        return *current;
    if (fallback)
        return *fallback;
    throw std::logic_error("no dialog implementation installed");
}

void setDialogs(Dialogs* implementation) { current = implementation; }

Answer msgBox(const QString& prompt, Buttons buttons, Icon icon, const QString& title) {
    return dialogs().messageBox({prompt, title, icon, buttons});
}

void beep() { dialogs().beep(); }

const char* iconName(Icon icon) {
    switch (icon) {
    case Icon::None: return "none";
    case Icon::Critical: return "critical";
    case Icon::Question: return "question";
    case Icon::Exclamation: return "exclamation";
    case Icon::Information: return "information";
    }
    return "?";
}

const char* buttonsName(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok: return "OK";
    case Buttons::YesNo: return "Yes/No";
    case Buttons::YesNoCancel: return "Yes/No/Cancel";
    }
    return "?";
}

const char* answerName(Answer answer) {
    switch (answer) {
    case Answer::Ok: return "OK";
    case Answer::Yes: return "Yes";
    case Answer::No: return "No";
    case Answer::Cancel: return "Cancel";
    }
    return "?";
}

}  // namespace platform
