#include "windows/info/inform.h"

#include "ui/events.h"
#include "ui/gradient.h"
#include "ui/pictures.h"
#include "windows/info/info_common.h"

#include <QPainter>
#include <QPixmap>

namespace windows {
namespace {

const QString caption = QStringLiteral("Instrukcja obsługi programu :");

// One side of the red frame, one pixel thick. It paints itself red without being opaque to the window
// below it, so the window paints its gradient in one piece rather than around four holes.
class RedLine : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(255, 0, 0)); }
};

QFrame* redLine(QWidget* parent, const char* name, int left, int top, int width, int height) {
    return ui::make<RedLine>(parent, name, left, top, width, height);
}

}  // namespace

Inform::Inform() : ui::Form(formName) {
    setWindowTitle(caption);
    setOuterSizeTwips(7440, 4680);
    Label1 = infoLabel(this, "Label1", 120, 120, 6960, 375, QStringLiteral("Instrukcja obsługi :"));
    ui::setFontFace(Label1, QStringLiteral("Arial"), 12, true);
    Label2 = infoLabel(this, "Label2", 2880, 600, 4320, 1335,
                       QStringLiteral("Aby włączyć test trzeba najpierw wybrać z czego chcemy być pytani. Aby "
                                      "otworzyć jakiś zestaw z testami trzeba wybrać z menu WIEDO, wtedy "
                                      "rozwinie"));
    Label3 = infoLabel(
        this, "Label3", 120, 2040, 7080, 1440,
        QStringLiteral("się menu z kilkoma opcjami. Potem trzeba wybrać opcję OTWÓRZ PLIK TESTU. Pojawi się "
                       "wtedy okienko dialogowe Otwórz. Wybierz plik z pytaniami testowymi, klikasz w przycisk "
                       "OTWÓRZ. Wtedy zniknie okno dialogowe OTWÓRZ i musisz kilknąć w przycisk START. Potem "
                       "zaznaczaj odpowiednie pola i klikaj w przycisk NASTĘPNE PYTANIE"));
    Image1 = ui::make<QLabel>(this, "Image1", 0, 600, 2670, 1335);
    Image1->setPixmap(ui::picture(QStringLiteral(":/img/inform.png")));
    Image1->setScaledContents(true);
    Image1->setAccessibleName(QStringLiteral("Ilustracja"));
    // The frame from (0, 600) to (2640, 1920), drawn over the illustration's edge.
    Line1 = redLine(this, "Line1", 0, 600, 2655, 15);
    Line2 = redLine(this, "Line2", 2640, 600, 15, 1335);
    Line3 = redLine(this, "Line3", 0, 1920, 2655, 15);
    Line4 = redLine(this, "Line4", 0, 600, 15, 1335);

    Command1 = ui::make<QPushButton>(this, "Command1", 120, 3600, 3480, 495);
    Command1->setText(QStringLiteral("GRAM !!!"));
    Command1->setToolTip(hoverPlay());
    Command3 = ui::make<QPushButton>(this, "Command3", 3720, 3600, 3480, 495);
    Command3->setText(QStringLiteral("&Nic z tego nie rozumiem"));
    setDefaultButton(Command1);
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    ui::on(Command3, &QPushButton::clicked, [this] { Command3_Click(); });
}

void Inform::Form_Load() {
    centre();
    ui::paintGradient(*this);
}

// Leaving the instructions by the title bar leads on to the main window, as "GRAM !!!" does.
void Inform::closeBoxClicked() { Command1_Click(); }

void Inform::Command1_Click() {
    Hide();
    ui::forms().byName(QStringLiteral("Wiedo")).Show();
}

void Inform::Command3_Click() {
    ui::forms().byName(QStringLiteral("Dod")).ShowModal();
    setWindowTitle(caption);
}

}  // namespace windows
