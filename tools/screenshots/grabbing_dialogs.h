#pragma once
// The program's real dialogs (Qt's message box and file dialogs), with a hand that answers them: each
// dialog the program opens is given, once it is on screen, to the next handler queued, which may take
// its picture and must close it. A dialog nobody expected is closed at once and noted.
#include "platform/gui/qt_dialogs.h"

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

namespace tools {

class GrabbingDialogs : public platform::QtDialogs {
public:
    GrabbingDialogs();  // installs itself
    ~GrabbingDialogs() override;

    using Handler = std::function<void(QDialog&)>;
    void expect(Handler handler) { handlers_.push_back(std::move(handler)); }
    bool allShown() const { return handlers_.empty(); }
    // What went wrong, one line each; empty when nothing did.
    QString problems() const { return problems_.join(u'\n'); }
    void noteProblem(const QString& problem) { problems_ << problem; }

    platform::Answer messageBox(const platform::MessageBoxRequest& request) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText, platform::Echo echo = platform::Echo::Shown) override;
    std::optional<QString> openFile(const platform::FileDialogRequest& request) override;
    std::optional<QString> saveFile(const platform::FileDialogRequest& request) override;
    bool printerDialog() override;
    void beep() override {}

private:
    // Looks for the dialog about to open and hands it on, from inside its own event loop.
    void answerWhenShown();
    void answer(int triesLeft);

    std::deque<Handler> handlers_;
    QStringList problems_;
};

}  // namespace tools
