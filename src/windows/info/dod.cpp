#include "windows/info/dod.h"

#include "ui/events.h"
#include "ui/gradient.h"
#include "ui/pictures.h"
#include "windows/info/info_common.h"
#include "windows/info/inform.h"

#include <QPixmap>

namespace windows {
namespace {

// Step layout in twips: two columns, two rows; a number, then the screenshot with its caption below.
constexpr int columnLeft[] = {120, 3720};
constexpr int rowTop[] = {1560, 4800};
constexpr int numberWidth = 360;
constexpr int shotWidth = 3000;
constexpr int shotHeight = 1800;
constexpr int captionGap = 60;
constexpr int captionHeight = 1260;

QLabel* screenshot(QWidget* parent, const char* name, int step, const char* picture, const QString& what) {
    auto* image = ui::make<QLabel>(parent, name, columnLeft[step % 2] + numberWidth, rowTop[step / 2],
                                   shotWidth, shotHeight);
    image->setPixmap(ui::picture(QString::fromLatin1(picture)));
    image->setScaledContents(true);
    image->setAccessibleName(what);
    return image;
}

QLabel* stepCaption(QWidget* parent, const char* name, int step, const QString& text) {
    return infoLabel(parent, name, columnLeft[step % 2] + numberWidth, rowTop[step / 2] + shotHeight + captionGap,
                     shotWidth, captionHeight, text);
}

QLabel* stepNumber(QWidget* parent, const char* name, int step) {
    auto* label = infoLabel(parent, name, columnLeft[step % 2], rowTop[step / 2], numberWidth, 540,
                            QString::number(step + 1), QColor(255, 0, 0));
    ui::setFontFace(label, QStringLiteral("Arial"), 18, true);
    return label;
}

}  // namespace

Dod::Dod() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Dodatkowe informacje na temat programu. Graficzna instrukcja obsługi"));
    setOuterSizeTwips(7320, 8520);
    Image1 = ui::make<QLabel>(this, "Image1", 120, 120, 2670, 1335);
    Image1->setScaledContents(true);
    Image1->setAccessibleName(QStringLiteral("Ilustracja"));

    Image2 = screenshot(this, "Image2", 0, ":/img/dod1.png", QStringLiteral("Menu WIEDO"));
    Image3 = screenshot(this, "Image3", 1, ":/img/dod2.png", QStringLiteral("Okno dialogowe Otwórz"));
    Image4 = screenshot(this, "Image4", 2, ":/img/dod3.png", QStringLiteral("Personalia"));
    Image5 = screenshot(this, "Image5", 3, ":/img/dod4.png", QStringLiteral("Przycisk START"));
    Label6 = stepNumber(this, "Label6", 0);
    Label7 = stepNumber(this, "Label7", 1);
    Label8 = stepNumber(this, "Label8", 2);
    Label9 = stepNumber(this, "Label9", 3);
    Label2 = stepCaption(this, "Label2", 0,
                         QStringLiteral("Klikasz w menu WIEDO. Rozwija się i wybierasz opcję OTWÓRZ PLIK TESTU"));
    Label3 = stepCaption(this, "Label3", 1,
                         QStringLiteral("Fragment okna dialogowego OTWÓRZ. Należy wybrać dowolny plik i "
                                        "kliknąć w przycisk OTWÓRZ"));
    Label4 = stepCaption(this, "Label4", 2, QStringLiteral("Wpisujesz swoje personalia"));
    Label5 = stepCaption(this, "Label5", 3,
                         QStringLiteral("Klikasz w przysisk START, który później zmieni nazwę na NASTĘPNE "
                                        "PYTANIE. Zaznaczasz od 0 do 5 z proponowanych odpowiedzi i tak w "
                                        "kółko aż do otrzymania oceny"));

    Command1 = ui::make<QPushButton>(this, "Command1", 3000, 240, 4080, 495);
    Command1->setText(QStringLiteral("GRAM"));
    Command1->setToolTip(hoverPlay());
    Command1->setEnabled(false);
    Command3 = ui::make<QPushButton>(this, "Command3", 3000, 840, 4080, 495);
    Command3->setText(QStringLiteral("&Wstecz"));
    Command3->setToolTip(QStringLiteral("Kliknij tu, aby wróćić do strony głównej instrukcji obsługi"));
    setDefaultButton(Command1);
    setCancelButton(Command3);
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    ui::on(Command3, &QPushButton::clicked, [this] { Command3_Click(); });
}

void Dod::Form_Load() {
    const Inform& inform = ui::forms().get<Inform>();
    setWindowIcon(inform.windowIcon());
    Image1->setPixmap(inform.Image1->pixmap());
    Command1->setEnabled(true);
    centre();
    ui::paintGradient(*this);
}

void Dod::Command1_Click() {
    Hide();
    ui::forms().get<Inform>().Hide();
    ui::forms().byName(QStringLiteral("Wiedo")).Show();
}

void Dod::Command3_Click() { Hide(); }

}  // namespace windows
