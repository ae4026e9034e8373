#include "windows/signin/open_window.h"

#include "config/files.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/text.h"
#include "questionset/questionset.h"
#include "testing/question_reader.h"
#include "ui/controls.h"
#include "ui/events.h"
#include "ui/gradient.h"
#include "ui/pictures.h"
#include "ui/teacher_gate.h"
#include "windows/main/wiedo.h"
#include "windows/signin/enable_main.h"
#include "windows/temp/temp_window.h"

#include <QPixmap>

namespace windows {

namespace {

// Each part of a name starts with a capital and goes on in lower case, Polish letters included: a part begins
// the text or follows a blank or a hyphen ("Gąsienica-Łęcka", "Jan Paweł").
QString capitalised(const QString& text) {
    QString result = platform::lowerCase(text);
    for (qsizetype i = 0; i < result.size(); ++i) {
        if (i == 0 || result[i - 1] == u' ' || result[i - 1] == u'-')
            result.replace(i, 1, platform::upperCase(result.mid(i, 1)));
    }
    return result;
}

}  // namespace

open_::open_() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("       Wprowadź swoje dane personalne"));
    setWindowIcon(ui::picture(QStringLiteral(":/img/question.png")));
    setOuterSizeTwips(6420, 3090);

    const struct {
        const char* label;
        const char* box;
        QString caption;
        QLabel** labelControl;
        QLineEdit** boxControl;
    } rows[] = {
        {"Label1", "Text1", QStringLiteral("Imię"), &Label1, &Text1},
        {"Label2", "Text2", QStringLiteral("Nazwisko"), &Label2, &Text2},
        {"Label3", "Text3", QStringLiteral("Klasa"), &Label3, &Text3},
    };
    int top = 300;
    for (const auto& row : rows) {
        QLabel* label = ui::make<QLabel>(this, row.label, 240, top + 45, 1140, 285);
        label->setText(row.caption);
        ui::setFontFace(label, QStringLiteral("MS Sans Serif"), 10, true);
        ui::setTextColour(label, Qt::white);
        QLineEdit* box = ui::make<QLineEdit>(this, row.box, 1440, top, 4620, 375);
        ui::setFontFace(box, QStringLiteral("Times New Roman"), 12);
        box->setAccessibleName(row.caption);
        label->setBuddy(box);
        *row.labelControl = label;
        *row.boxControl = box;
        top += 480;
    }
    Command1 = ui::make<QPushButton>(this, "Command1", 240, 1920, 3840, 495);
    Command1->setText(QStringLiteral("Wprowadź personalia"));
    ui::setFontFace(Command1, QStringLiteral("Arial"), 10, true);
    Command2 = ui::make<QPushButton>(this, "Command2", 4200, 1920, 1860, 495);
    Command2->setText(QStringLiteral("&Czyść"));

    // Enter in any of the boxes confirms, as the button does.
    setDefaultButton(Command1);
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    ui::onKeyDown(Command1, [this](int key, int shift) { Command1_KeyDown(key, shift); });
    ui::on(Command2, &QPushButton::clicked, [this] { Command2_Click(); });
}

void open_::Form_Load() {
    ui::paintGradient(*this);
    centre();
}

void open_::Form_Activate() {
    // Every showing starts from the preset; a missing file or missing fields leave the boxes empty.
    const config::Preset preset = config::readPreset(ui::forms().get<TEMP>().Text1->text());
    Text1->setText(preset.firstName);
    Text2->setText(preset.surname);
    Text3->setText(preset.className);
    // The student starts typing the first name: the focus may still be on the button that confirmed last time.
    Text1->setFocus();
}

void open_::Command1_Click() {
    Form();
    Aktyw();
    if (Licz())
        ui::forms().get<Wiedo>().Picture1->setVisible(true);
    Hide();
}

void open_::Command1_KeyDown(int keyCode, int shift) {
    // Shift+Ctrl+Alt+Q signs in with the answer hints armed and switched on. The hints tick the correct
    // answers, so with a password stored only the teacher gets them; anyone else is signed in as by a click.
    if (keyCode != 81 || shift != 7)
        return;
    const ui::PasswordQuestion question{QStringLiteral("Podaj hasło nauczyciela"),
                                        QStringLiteral("Tryb podpowiedzi -> hasło"), platform::Echo::Hidden};
    if (ui::askTeacherPassword(ui::forms().get<TEMP>().Text1->text(), question) == ui::GateAnswer::Open) {
        Wiedo& main = ui::forms().get<Wiedo>();
        main.Tips->setText(QStringLiteral("1"));
        main.xx->setText(QStringLiteral("1"));
    }
    Command1_Click();
}

void open_::Command2_Click() {
    Text1->setText(QString());
    Text2->setText(QString());
    Text3->setText(QString());
}

void open_::Form() {
    // Only a box with no characters at all gets the default; blanks are the student's own text.
    if (Text1->text().isEmpty())
        Text1->setText(QStringLiteral("Albert"));
    if (Text2->text().isEmpty())
        Text2->setText(QStringLiteral("Bezimienny"));
    if (Text3->text().isEmpty())
        Text3->setText(QStringLiteral("zerówka"));
    Text1->setText(capitalised(Text1->text()));
    Text2->setText(capitalised(Text2->text()));
    Text3->setText(platform::upperCase(Text3->text()));
}

void open_::Aktyw() {
    EnableMain();
    Wiedo& main = ui::forms().get<Wiedo>();
    main.Label19->setText(Text1->text());
    main.Label20->setText(Text2->text());
    main.Label21->setText(Text3->text());
}

bool open_::Licz() {
    Wiedo& main = ui::forms().get<Wiedo>();
    testing::QuestionReader& reader = testing::QuestionReader::instance();
    const QString path = main.CD1.FileName;
    testing::QuestionCount count;
    try {
        reader.ensureOpen();
        // At most (length / 20) questions, stopping at the end of the set or at a damaged question.
        count = reader.countQuestions();
    } catch (const platform::FileError&) {
        // The set is gone since it was chosen: reopening it below says so.
    }
    reader.close();
    // The question flow reads the questions from here on, starting with the first one.
    QString refusal;
    QString title;
    try {
        reader.open(path);
        if (reader.readHeader() != questionset::header)
            throw platform::FileError(platform::FileError::Kind::PastEnd, QStringLiteral("no header"));
        if (count.damage) {
            refusal = testing::damageDescription(*count.damage, count.questions + 1) +
                      QStringLiteral(" Test nie może się rozpocząć. Popraw zestaw albo otwórz inny zestaw pytań.");
            title = testing::damagedSetTitle;
        }
    } catch (const platform::FileError& error) {
        if (error.kind() == platform::FileError::Kind::CannotOpen) {
            refusal = QStringLiteral("Nie mogę otworzyć zestawu pytań %1: plik został usunięty, przeniesiony albo "
                                     "nie można go odczytać. Test nie może się rozpocząć. Otwórz zestaw pytań "
                                     "jeszcze raz.")
                          .arg(path);
            title = QStringLiteral("Brak zestawu pytań");
        } else {
            refusal = QStringLiteral("Zestaw pytań %1 jest pusty albo nie jest już plikiem testu. Test nie może "
                                     "się rozpocząć. Otwórz inny zestaw pytań.")
                          .arg(path);
            title = QStringLiteral("Pusty zestaw pytań");
        }
    }
    if (!refusal.isEmpty()) {
        reader.close();
        platform::msgBox(refusal, platform::Buttons::Ok, platform::Icon::Exclamation, title);
        main.Zeruj();
        return false;
    }
    main.numberedFrom = static_cast<long long>(platform::captionValue(main.Label10->text()));
    main.lettersTicked.clear();
    main.lettersCorrect.clear();
    // The new set is read in its own order; the time limit, if any, runs on.
    main.questionOffsets.clear();
    main.placesJudged.clear();
    main.Label12->setText(count.questions == 0 ? QString() : platform::numberText(count.questions));
    main.Command1->setText(QStringLiteral("&S  t  a  r  t"));
    return true;
}

}  // namespace windows
