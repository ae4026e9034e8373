#pragma once
// Every modal dialog of the program behind one interface: message box, input box, open and save file
// dialogs, the printer dialog and the beep. The program uses the Qt implementation; tests install a
// scripted one that checks each dialog against what the test expects.
#include <QString>
#include <optional>

namespace platform {

enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };
// Whether an input box shows what is typed, or a star for each character (a password).
enum class Echo { Shown, Hidden };

struct MessageBoxRequest {
    QString prompt;
    QString title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
};

struct FileDialogRequest {
    QString title;
    QString filter;         // "Description|*.ext|Description|*.*"
    QString initialFolder;  // program path (Windows-style or native)
    QString fileName;       // proposed name (save dialog)
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer messageBox(const MessageBoxRequest& request) = 0;
    // Empty optional for Cancel; the system treats Cancel and an empty answer alike.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText, Echo echo = Echo::Shown) = 0;
    // The chosen native path, or empty optional for Cancel.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    // True when the user confirmed the printer dialog.
    virtual bool printerDialog() = 0;
    virtual void beep() = 0;
};

Dialogs& dialogs();
// Installs another implementation (tests); nullptr goes back to the default one. Not owned.
void setDialogs(Dialogs* implementation);
// The default implementation (the Qt dialogs, installed by the program's start). Not owned.
void installDefaultDialogs(Dialogs* implementation);

// Short forms used throughout the program.
Answer msgBox(const QString& prompt, Buttons buttons, Icon icon, const QString& title);
void beep();

const char* iconName(Icon icon);
const char* buttonsName(Buttons buttons);
const char* answerName(Answer answer);

}  // namespace platform
