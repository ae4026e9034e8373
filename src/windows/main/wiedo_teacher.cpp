#include "windows/main/wiedo.h"

#include "config/files.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "windows/options/opcje.h"
#include "windows/scale_editor/punkty.h"
#include "windows/temp/temp_window.h"

namespace windows {

namespace {

using platform::closeEveryFile;

void wrongPassword() {
    platform::beep();
    platform::msgBox(QStringLiteral("Złe hasło !!!"), platform::Buttons::Ok, platform::Icon::Exclamation,
                     QStringLiteral("Złe hasło"));
}

}  // namespace

void Wiedo::Punktacja_Click() {
    closeEveryFile();
    ui::forms().get<Punkty>().ShowModal();
}

void Wiedo::opcje_Click() {
    closeEveryFile();
    QString stored;
    try {
        stored = config::readPassword(ui::forms().get<TEMP>().Text1->text());
    } catch (const platform::FileError&) {
        // A password file that cannot be read might still hold a password: refuse rather than let anyone in.
        wrongPassword();
        return;
    }
    if (!stored.isEmpty()) {
        const auto answer = platform::dialogs().inputBox(
            QStringLiteral("Podaj hasło dostępu do opcji") + u'\r' +
                QStringLiteral("( To co podawałeś podczas pierwszego uruchomienia tego programu )"),
            QStringLiteral("Opcje -> hasło"), QString());
        if (!answer || answer->isEmpty())
            return;
        if (*answer != stored) {
            wrongPassword();
            return;
        }
    }
    auto& options = ui::forms().get<Opcje_>();
    options.Text1->setText(stored);
    options.Show();
}

}  // namespace windows
