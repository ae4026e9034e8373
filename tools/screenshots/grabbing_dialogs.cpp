#include "grabbing_dialogs.h"

#include <QApplication>
#include <QTimer>
#include <exception>

namespace tools {

GrabbingDialogs::GrabbingDialogs() { platform::setDialogs(this); }

GrabbingDialogs::~GrabbingDialogs() { platform::setDialogs(nullptr); }

platform::Answer GrabbingDialogs::messageBox(const platform::MessageBoxRequest& request) {
    answerWhenShown();
    return QtDialogs::messageBox(request);
}

std::optional<QString> GrabbingDialogs::inputBox(const QString& prompt, const QString& title,
                                                 const QString& defaultText, platform::Echo echo) {
    answerWhenShown();
    return QtDialogs::inputBox(prompt, title, defaultText, echo);
}

std::optional<QString> GrabbingDialogs::openFile(const platform::FileDialogRequest& request) {
    answerWhenShown();
    return QtDialogs::openFile(request);
}

std::optional<QString> GrabbingDialogs::saveFile(const platform::FileDialogRequest& request) {
    answerWhenShown();
    return QtDialogs::saveFile(request);
}

bool GrabbingDialogs::printerDialog() {
    answerWhenShown();
    return QtDialogs::printerDialog();
}

void GrabbingDialogs::answerWhenShown() {
    QTimer::singleShot(0, [this] { answer(500); });
}

void GrabbingDialogs::answer(int triesLeft) {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) {
        if (triesLeft > 0)
            QTimer::singleShot(10, [this, triesLeft] { answer(triesLeft - 1); });
        else
            problems_ << QStringLiteral("a dialog was announced but never shown");
        return;
    }
    if (handlers_.empty()) {
        problems_ << QStringLiteral("unexpected dialog \"%1\"").arg(dialog->windowTitle());
        dialog->reject();
        return;
    }
    Handler handler = std::move(handlers_.front());
    handlers_.pop_front();
    try {
        handler(*dialog);
    } catch (const std::exception& e) {
        problems_ << QString::fromStdString(e.what());
    }
    if (dialog->isVisible()) {
        problems_ << QStringLiteral("dialog \"%1\" left open").arg(dialog->windowTitle());
        dialog->reject();
    }
}

}  // namespace tools
