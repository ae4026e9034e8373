// The main window's own look and small handlers: clock, centring, background, run counter in the
// caption, the counter and personal-data messages, the help line, and the grade window's blue showing.
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "platform/text.h"
#include "config/files.h"
#include "records/records.h"
#include "ui/gradient.h"
#include "windows/main/wiedo.h"
#include "windows/temp/temp_window.h"

namespace windows {

namespace {

constexpr int outerWidthTwips = 6720;
constexpr int outerHeightTwips = 6765;

void info(const QString& prompt, const QString& title) {
    platform::msgBox(prompt, platform::Buttons::Ok, platform::Icon::Information, title);
}

}  // namespace

void Wiedo::Form_Load() {
    Label2->setText(platform::timeText(platform::now()));
    centre();
    ui::paintGradient(*this);
    Stsr();
    Timer1->start();
}

void Wiedo::Form_Resize() {
    if (isMinimized() || snappingBack_)
        return;
    if (widthTwips() == outerWidthTwips && heightTwips() == outerHeightTwips)
        return;
    snappingBack_ = true;
    setOuterSizeTwips(outerWidthTwips, outerHeightTwips);
    snappingBack_ = false;
}

void Wiedo::Form_MouseMove() { Podp->setText(QString()); }

void Wiedo::Timer1_Timer() { Label2->setText(platform::timeText(platform::now())); }

void Wiedo::Label2_DblClick() {
    info(QStringLiteral("Uśmiechnij się !!! Jesteś w ukrytej kamerze !!!"), QString());
}

void Wiedo::Label9_Click() { Label10_Click(); }

void Wiedo::Label10_Click() {
    // The question-number button switches the answer hint mode, but only while it is armed.
    const double armed = platform::captionValue(xx->text());
    const double active = platform::captionValue(Tips->text());
    if (armed == 1 && active == 1)
        Tips->setText(QStringLiteral("0"));
    else if (armed == 1 && active == 0)
        Tips->setText(QStringLiteral("1"));
    info(QStringLiteral("Pytanie nr  : ") + Label10->text(), QStringLiteral("Numer pytania"));
}

void Wiedo::Label11_Click() { Label12_Click(); }

void Wiedo::Label12_Click() {
    info(QStringLiteral("Ilość pytań : ") + Label12->text(), QStringLiteral("Ilość pytań"));
}

void Wiedo::Label13_Click() { Label14_Click(); }

void Wiedo::Label14_Click() {
    info(QStringLiteral("Odpowiedzi dobre : ") + Label14->text(), QStringLiteral("Odpowiedzi dobre"));
}

void Wiedo::Label15_Click() { Label16_Click(); }

void Wiedo::Label16_Click() {
    info(QStringLiteral("Odpowiedzi złe : ") + Label16->text(), QStringLiteral("Odpowiedzi złe"));
}

void Wiedo::Label19_Click() {
    info(QStringLiteral("Imię :           ") + Label19->text() + u'\r' + QStringLiteral("Nazwisko :  ") +
             Label20->text() + u'\r' + QStringLiteral("Klasa :         ") + Label21->text(),
         QStringLiteral("Dane personalne"));
}

void Wiedo::Label20_Click() { Label19_Click(); }

void Wiedo::Label21_Click() { Label19_Click(); }

void Wiedo::Stsr() {
    // The loader has made sure the counter exists; should it be unreadable anyway, the caption simply
    // goes without it.
    const QString path = ui::forms().get<TEMP>().Text1->text() + QLatin1String(config::runCounterFileName);
    int number = 0;
    qint16 count = 0;
    try {
        number = platform::files().open(path, platform::OpenMode::Input);
        count = records::readInt16(number);
        platform::files().close(number);
    } catch (const platform::FileError&) {
        if (number != 0)
            platform::files().close(number);
        return;
    }
    setWindowTitle(windowTitle() + QStringLiteral(" -> Liczba uruchomień programu :") +
                   platform::numberTextWithSign(count));
}

void Wiedo::TloModal(ui::Form& window) {
    // The background goes into the window's persistent image before it is shown, so the window becomes
    // active only once, with the modal showing: the grade window grades on activation.
    ui::paintBlueGradient(window);
    window.Hide();
    window.ShowModal();
}

}  // namespace windows
