#include "windows/scale_editor/punkty.h"

#include "config/files.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "platform/text.h"
#include "ui/controls.h"
#include "ui/events.h"
#include "ui/gradient.h"
#include "ui/outline_effect.h"
#include "windows/scale_editor/scale_preview.h"
#include "windows/temp/temp_window.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>

namespace windows {
namespace {

const QColor magenta(255, 0, 255);
const QColor red(255, 0, 0);
const QColor darkRed(192, 0, 0);
const QColor outlineColour(255, 255, 255);
const QString fontFace = QStringLiteral("MS Sans Serif");

bool onlyDigits(const QString& text) {
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

qsizetype nonDigits(const QString& text) {
    return std::count_if(text.begin(), text.end(), [](QChar c) { return c < u'0' || c > u'9'; });
}

// Lets only the digits 0 to 9 into a box. Every other typed character (Backspace and Enter included)
// and the copy, cut and paste chords are discarded with a beep; an edit that brings in anything but
// digits some other way (the context menu's paste, a drop) is undone with a beep. Delete and the cursor
// keys type nothing and keep working; a text the program puts in the box is never touched.
class DigitsOnly : public QObject {
public:
    explicit DigitsOnly(QLineEdit* box) : QObject(box), box_(box) {
        box->installEventFilter(this);
        // A user's edit is told before the change itself, so accepted_ still holds the text before it.
        connect(box, &QLineEdit::textEdited, this, [this] { checkEdit(); });
        connect(box, &QLineEdit::textChanged, this, [this] { accepted_ = box_->text(); });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
                key->matches(QKeySequence::Paste))
                return refuse();
            if (key->key() == Qt::Key_Delete || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
                return false;
            return onlyDigits(key->text()) ? false : refuse();
        }
        if (event->type() == QEvent::InputMethod)
            return onlyDigits(static_cast<QInputMethodEvent*>(event)->commitString()) ? false : refuse();
        return false;
    }

private:
    static bool refuse() {
        platform::beep();
        return true;
    }
    void checkEdit() {
        if (nonDigits(box_->text()) <= nonDigits(accepted_))
            return;
        platform::beep();
        box_->setText(accepted_);
    }

    QLineEdit* box_;
    QString accepted_;
};


}  // namespace

Punkty::Punkty() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Punktacja") + QString(20, u' '));
    // The design's rows and buttons end at 2775 twips; the preview below them makes the window taller
    // (by a height whose gradient bands reach the bottom edge).
    setOuterSizeTwips(4095, 5970);

    struct Row {
        const char* label;
        QString caption;
        const char* box;
        const char* unit;
        QLabel** labelControl;
        QLineEdit** boxControl;
        QLabel** unitControl;
    };
    const Row rows[] = {
        {"Label1", QStringLiteral("Celujący") + QString(17, u' ') + QStringLiteral("do"), "Text1", "Label3",
         &Label1, &Text1, &Label3},
        {"Label2", QStringLiteral("Bardzo dobry") + QString(11, u' ') + QStringLiteral("do"), "Text2",
         "Label4", &Label2, &Text2, &Label4},
        {"Label9", QStringLiteral("Dobry") + QString(21, u' ') + QStringLiteral("do"), "Text3", "Label5",
         &Label9, &Text3, &Label5},
        {"Label10", QStringLiteral("Dostateczny") + QString(12, u' ') + QStringLiteral("do"), "Text4",
         "Label6", &Label10, &Text4, &Label6},
        {"Label11", QStringLiteral("Mierny") + QString(20, u' ') + QStringLiteral("do"), "Text5", "Label7",
         &Label11, &Text5, &Label7},
        {"Label12", QStringLiteral("Niedostateczny") + QString(8, u' ') + QStringLiteral("do"), "Text6",
         "Label8", &Label12, &Text6, &Label8},
    };
    int top = 120;
    for (const Row& row : rows) {
        QLabel* label = ui::make<QLabel>(this, row.label, 120, top, 2175, 285);
        label->setText(row.caption);
        QLineEdit* box = ui::make<QLineEdit>(this, row.box, 2400, top, 450, 285);
        box->setAccessibleName(row.caption);
        label->setBuddy(box);
        new DigitsOnly(box);
        QLabel* unit = ui::make<QLabel>(this, row.unit, 3000, top, 855, 285);
        unit->setText(QStringLiteral("Punktów"));
        for (QWidget* control : {static_cast<QWidget*>(label), static_cast<QWidget*>(box),
                                 static_cast<QWidget*>(unit)})
            ui::setFontFace(control, fontFace, 8);
        *row.labelControl = label;
        *row.boxControl = box;
        *row.unitControl = unit;
        top += 360;
    }
    for (QWidget* control : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Text1),
                             static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label2),
                             static_cast<QWidget*>(Text2), static_cast<QWidget*>(Label4)})
        ui::setTextColour(control, magenta);
    for (QWidget* control : {static_cast<QWidget*>(Label11), static_cast<QWidget*>(Text5),
                             static_cast<QWidget*>(Label12), static_cast<QWidget*>(Text6),
                             static_cast<QWidget*>(Label8)})
        ui::setTextColour(control, red);
    ui::setTextColour(Label7, darkRed);
    ui::setTextColour(Label5, Qt::black);
    ui::setTextColour(Label6, Qt::black);
    // Magenta and red vanish into the red end of the gradient: those labels get an outline and keep their
    // colour (the boxes have a white ground of their own).
    for (QLabel* label : {Label1, Label3, Label2, Label4, Label11, Label7, Label12, Label8})
        ui::outlineText(label, outlineColour);

    Command1 = ui::make<QPushButton>(this, "Command1", 120, 2400, 1695, 375);
    Command1->setText(QStringLiteral("&Standart"));
    ui::setFontFace(Command1, fontFace, 8);
    Command3 = ui::make<QPushButton>(this, "Command3", 2040, 2400, 1815, 375);
    Command3->setText(QStringLiteral("Powrót"));
    ui::setFontFace(Command3, fontFace, 8);

    Podglad = ui::make<ScalePreview>(this, "Podglad", 120, 2880, 3735, 2550);
    ui::setFontFace(Podglad, fontFace, 8);
    ui::setTextColour(Podglad->warning, Qt::white);

    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    ui::on(Command3, &QPushButton::clicked, [this] { Command3_Click(); });
    for (QLineEdit* box : boxes())
        connect(box, &QLineEdit::textChanged, this, [this] { updatePreview(); });
    updatePreview();
}

std::array<QLineEdit*, 6> Punkty::boxes() const { return {Text1, Text2, Text3, Text4, Text5, Text6}; }

grading::Thresholds Punkty::boxThresholds() const {
    grading::Thresholds thresholds{};
    const auto all = boxes();
    for (std::size_t i = 0; i < all.size(); ++i)
        thresholds[i] = platform::captionValue(all[i]->text());
    return thresholds;
}

QString Punkty::scaleFolder() const {
    return folder.isEmpty() ? ui::forms().get<TEMP>().Text1->text() : folder;
}

void Punkty::updatePreview() { Podglad->showScale(boxThresholds()); }

void Punkty::Form_Load() {
    centre();
    ui::paintGradient(*this);
}

void Punkty::Form_Activate() {
    try {
        const QString stored = config::readPassword(scaleFolder());
        if (!stored.isEmpty()) {
            const auto answer = platform::dialogs().inputBox(QStringLiteral("Podaj hasło "),
                                                             QStringLiteral("Hasło"), QString());
            if (!answer || answer->isEmpty()) {
                platform::closeEveryFile();
                Hide();
                return;
            }
            if (*answer != stored) {
                platform::msgBox(QStringLiteral("Złe hasło"), platform::Buttons::Ok,
                                 platform::Icon::Exclamation, QStringLiteral("Złe hasło"));
                Hide();
                platform::closeEveryFile();
                return;
            }
        }
        const auto all = boxes();
        grading::readScaleTexts(scaleFolder(), [&all](std::size_t i, const QString& text) { all[i]->setText(text); });
    } catch (const platform::FileError&) {
        // Either file may have failed; the teacher is told about both. The boxes filled before the failure
        // keep their new text and the others what they held, and "Powrót" saves whatever they show.
        platform::msgBox(QStringLiteral("Nie mogę znaleźć pliku konfiguracyjnego programu ( Wiedo.cfg ) lub "
                                        "jest on uszkodzony. Zainstaluj program ponownie"),
                         platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Błąd"));
        platform::msgBox(QStringLiteral("Nie mogę znaleźć pliku konfiguracyjnego ( ptk.ptk ) !!!"),
                         platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Błąd"));
        return;
    }
    platform::closeEveryFile();
}

void Punkty::closeBoxClicked() { Hide(); }

void Punkty::Command1_Click() {
    const auto all = boxes();
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i]->setText(QString::number(grading::defaultThresholds[i]));
}

void Punkty::Command3_Click() {
    std::array<QString, 6> texts;
    const auto all = boxes();
    for (std::size_t i = 0; i < all.size(); ++i)
        texts[i] = all[i]->text();
    try {
        grading::writeEditorScale(scaleFolder(), texts);
    } catch (const platform::FileError& error) {
        // The window stays open with the boxes as they are: "Powrót" tries again.
        platform::msgBox(error.kind() == platform::FileError::Kind::Busy
                             ? QStringLiteral("Plik ptk.ptk zapisuje teraz inna kopia programu. Spróbuj jeszcze raz "
                                              "za chwilę. Punktacja w pliku nie została zmieniona.")
                             : QStringLiteral("Nie mogę zapisać punktacji do pliku ptk.ptk. Sprawdź, czy dysk nie "
                                              "jest pełny i czy katalog programu nie jest tylko do odczytu. "
                                              "Punktacja w pliku nie została zmieniona."),
                         platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Błąd zapisu"));
        return;
    }
    platform::closeEveryFile();
    Hide();
}

}  // namespace windows
