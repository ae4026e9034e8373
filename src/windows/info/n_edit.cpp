#include "windows/info/n_edit.h"

#include "ui/events.h"
#include "ui/gradient.h"
#include "ui/pictures.h"
#include "windows/info/info_common.h"

#include <QPixmap>

namespace windows {
namespace {

QFrame* decorativeLine(QWidget* parent, const char* name, int top) {
    auto* line = ui::make<QFrame>(parent, name, 120, top, 6960, 30);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

N_edit::N_edit() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Instrukcja obsługi edytora pytań"));
    setWindowIcon(ui::picture(QStringLiteral(":/img/app.png")));
    setOuterSizeTwips(7320, 4620);
    Label2 = infoLabel(this, "Label2", 120, 120, 6960, 375, QStringLiteral("Instrukcja obsługi edytora testów"));
    ui::setFontFace(Label2, QStringLiteral("Arial"), 12, true);
    Line1 = decorativeLine(this, "Line1", 555);
    Label1 = infoLabel(
        this, "Label1", 120, 660, 6960, 2640,
        QStringLiteral(
            "Edytor pytań jest programem, który umożliwia układanie zestawów z pytaniami. Możemy je również "
            "zmieniać. ABy utworzyć nowy zestaw należy z menu Pytania wybrać opcję Nowy zestaw. Pojawi się "
            "okno, w którym podamy nazwę zestawu pytań np. Historia. Potem wpisujemy w odpowiednie pola "
            "pytanie, 5 proponowanych odpowiedzi i podpowiedź. Jeśli któraś z zaznaczony podpowiedzi jest "
            "dobrą, to zaznaczamy pole Dobra odpowiedź. Aby utworzyć następne pytanie klikamy w przycisk "
            "następny rekord. Aby edytować poprzednie pytanie klikamy w przycisk poprzedni rekord. Aby "
            "edytować zestaw z pytaniami wybieramy opcję Otwórz z menu Pytania"),
        QColor(0, 0, 0));
    Line2 = decorativeLine(this, "Line2", 3390);
    Command1 = ui::make<QPushButton>(this, "Command1", 2040, 3600, 3240, 495);
    Command1->setText(QStringLiteral("Miłej zabawy !!!"));
    Command1->setToolTip(hoverPlay());
    setDefaultButton(Command1);
    setCancelButton(Command1);
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
}

// Painted, not centred: the window opens where the editor's menu leaves it.
void N_edit::Form_Load() { ui::paintGradient(*this); }

void N_edit::Command1_Click() { Hide(); }

}  // namespace windows
