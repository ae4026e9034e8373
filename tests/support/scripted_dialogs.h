#pragma once
// The test double of the program's dialogs: the test lists the dialogs it expects, in order, with the
// answers to give. Any unexpected, missing or different dialog (prompt, title, icon, buttons) is a
// failure that names what was seen.
#include "platform/dialogs.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

namespace testsupport {

class ScriptedDialogs : public platform::Dialogs {
public:
    ScriptedDialogs();   // installs itself
    ~ScriptedDialogs() override;

    // Runs inside the dialog before it answers (to change files while a message is on screen, say).
    using During = std::function<void()>;

    ScriptedDialogs& expectMessage(const QString& prompt, const QString& title, platform::Icon icon,
                                   platform::Buttons buttons = platform::Buttons::Ok,
                                   platform::Answer answer = platform::Answer::Ok, During during = {});
    ScriptedDialogs& expectInput(const QString& prompt, const QString& title,
                                 std::optional<QString> answer, During during = {});
    // An input box that hides what is typed (a password).
    ScriptedDialogs& expectHiddenInput(const QString& prompt, const QString& title, std::optional<QString> answer);
    ScriptedDialogs& expectOpenFile(const QString& title, const QString& filter,
                                    std::optional<QString> path, During during = {});
    ScriptedDialogs& expectSaveFile(const QString& title, const QString& filter,
                                    std::optional<QString> path, During during = {});
    ScriptedDialogs& expectPrinterDialog(bool accept);

    // True when every expected dialog was shown as expected and nothing else was.
    bool ok() const { return failures_.isEmpty() && expected_.empty(); }
    // What went wrong, and every dialog seen, for the failure message.
    QString report() const;
    QStringList seen() const { return seen_; }
    int beeps() const { return beeps_; }
    // The initial folders the file dialogs were opened in, in order.
    QStringList fileDialogFolders() const { return folders_; }
    void clear();

    platform::Answer messageBox(const platform::MessageBoxRequest& request) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText, platform::Echo echo = platform::Echo::Shown) override;
    std::optional<QString> openFile(const platform::FileDialogRequest& request) override;
    std::optional<QString> saveFile(const platform::FileDialogRequest& request) override;
    bool printerDialog() override;
    void beep() override { ++beeps_; }

private:
    enum class Kind { Message, Input, Open, Save, Printer };
    struct Expected {
        Kind kind;
        QString prompt, title;
        platform::Icon icon = platform::Icon::None;
        platform::Buttons buttons = platform::Buttons::Ok;
        platform::Answer answer = platform::Answer::Ok;
        std::optional<QString> text;
        bool accept = false;
        During during;
        platform::Echo echo = platform::Echo::Shown;
    };
    std::optional<Expected> next(Kind kind, const QString& description);
    static QString kindName(Kind kind);

    std::deque<Expected> expected_;
    QStringList failures_;
    QStringList seen_;
    QStringList folders_;
    int beeps_ = 0;
};

}  // namespace testsupport

// Fails the running test with the dialogs' report unless every dialog went as scripted.
#define WIEDO_VERIFY_DIALOGS(dialogs) QVERIFY2((dialogs).ok(), qPrintable((dialogs).report()))
