#include "windows/test_settings/ustawienia_testu.h"

#include "config/test_settings.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/paths.h"
#include "ui/controls.h"
#include "ui/events.h"
#include "ui/gradient.h"
#include "windows/temp/temp_window.h"

namespace windows {

namespace {

QString programFolder() { return ui::forms().get<TEMP>().Text1->text(); }

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, int top) {
    auto* box = ui::make<QCheckBox>(parent, name, 240, top, 4920, 315);
    box->setText(caption);
    ui::setTextColour(box, Qt::white);
    return box;
}

// What the teacher is told when the file could not be written, with the system's reason where it gave one.
QString saveFailure(const platform::FileError& error) {
    if (error.kind() == platform::FileError::Kind::Busy)
        return QStringLiteral("Plik test.cfg zapisuje teraz inna kopia programu. Spróbuj jeszcze raz za chwilę. "
                              "Ustawienia testu nie zostały zmienione.");
    const QString cause = platform::causeText(error.cause());
    return QStringLiteral("Nie mogę zapisać ustawień testu w pliku test.cfg w katalogu programu%1. Ustawienia "
                          "testu nie zostały zmienione.")
        .arg(cause.isEmpty() ? QStringLiteral(". Sprawdź, czy katalog programu istnieje i czy można w nim zapisywać")
                             : QStringLiteral(": ") + cause);
}

}  // namespace

UstawieniaTestu::UstawieniaTestu() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Ustawienia testu"));
    setOuterSizeTwips(5520, 3180);

    Check1 = checkBox(this, "Check1", QStringLiteral("Losowa kolejność &pytań"), 240);
    Check2 = checkBox(this, "Check2", QStringLiteral("Losowa kolejność &odpowiedzi"), 600);
    Label1 = ui::make<QLabel>(this, "Label1", 240, 1005, 3720, 285);
    Label1->setText(QStringLiteral("&Czas na test (minuty, 0 – bez limitu)"));
    ui::setTextColour(Label1, Qt::white);
    Spin1 = ui::make<QSpinBox>(this, "Spin1", 4080, 975, 1020, 345);
    Spin1->setRange(0, config::longestTimeLimit);
    Spin1->setAccessibleName(QStringLiteral("Czas na test w minutach, 0 – bez limitu"));
    Label1->setBuddy(Spin1);
    Check3 = checkBox(this, "Check3", QStringLiteral("Przerwany test można &dokończyć"), 1440);
    Command1 = ui::make<QPushButton>(this, "Command1", 1560, 2010, 1680, 435);
    Command1->setText(QStringLiteral("&Zapisz"));
    Command2 = ui::make<QPushButton>(this, "Command2", 3420, 2010, 1680, 435);
    Command2->setText(QStringLiteral("&Anuluj"));
    setDefaultButton(Command1);
    setCancelButton(Command2);
    for (QWidget* control : std::initializer_list<QWidget*>{Check1, Check2, Spin1, Check3, Command1, Command2})
        control->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(Check1, Check2);
    setTabOrder(Check2, Spin1);
    setTabOrder(Spin1, Check3);
    setTabOrder(Check3, Command1);
    setTabOrder(Command1, Command2);

    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    ui::on(Command2, &QPushButton::clicked, [this] { Command2_Click(); });
}

void UstawieniaTestu::Form_Load() {
    centre();
    ui::paintGradient(*this);
    const QString folder = programFolder();
    const config::TestSettings settings = config::readTestSettings(folder);
    Check1->setChecked(settings.shuffleQuestions);
    Check2->setChecked(settings.shuffleAnswers);
    Spin1->setValue(settings.minutes);
    // Finishing a broken-off test is what a teacher wants unless told otherwise; the file itself says "off"
    // until the first save, so that nothing changes for a program folder nobody has set up.
    Check3->setChecked(platform::fileExists(folder + QLatin1String(config::testSettingsFileName)) ? settings.resumable
                                                                                                   : true);
    Check1->setFocus();
}

void UstawieniaTestu::Command1_Click() {
    const config::TestSettings settings{Check1->isChecked(), Check2->isChecked(), Spin1->value(),
                                        Check3->isChecked()};
    try {
        config::writeTestSettings(programFolder(), settings);
    } catch (const platform::FileError& error) {
        platform::msgBox(saveFailure(error), platform::Buttons::Ok, platform::Icon::Exclamation,
                         QStringLiteral("Błąd zapisu"));
        return;
    }
    ui::forms().unload(*this);
}

void UstawieniaTestu::Command2_Click() { ui::forms().unload(*this); }

}  // namespace windows
