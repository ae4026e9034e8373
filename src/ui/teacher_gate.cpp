#include "ui/teacher_gate.h"

#include "config/files.h"
#include "platform/errors.h"

namespace ui {

PasswordQuestion optionsQuestion() {
    return {QStringLiteral("Podaj hasło dostępu do opcji") + u'\r' +
                QStringLiteral("( To co podawałeś podczas pierwszego uruchomienia tego programu )"),
            QStringLiteral("Opcje -> hasło")};
}

namespace {

void wrongPassword() {
    platform::beep();
    platform::msgBox(QStringLiteral("Złe hasło !!!"), platform::Buttons::Ok, platform::Icon::Exclamation,
                     QStringLiteral("Złe hasło"));
}

}  // namespace

GateAnswer askTeacherPassword(const QString& programFolder, const PasswordQuestion& question, QString* storedOut) {
    QString stored;
    try {
        stored = config::readPassword(programFolder);
    } catch (const platform::FileError&) {
        // A password file that cannot be read might still hold a password: refuse rather than let anyone in.
        wrongPassword();
        return GateAnswer::Refused;
    }
    if (stored.isEmpty()) {
        if (storedOut)
            storedOut->clear();
        return GateAnswer::Open;
    }
    const auto answer = platform::dialogs().inputBox(question.prompt, question.title, QString(), question.echo);
    if (!answer || answer->isEmpty())
        return GateAnswer::Cancelled;
    if (*answer != stored) {
        wrongPassword();
        return GateAnswer::Refused;
    }
    if (storedOut)
        *storedOut = stored;
    return GateAnswer::Open;
}

}  // namespace ui
