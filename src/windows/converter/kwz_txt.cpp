#include "windows/converter/kwz_txt.h"

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "sheets/text_export.h"
#include "testing/question_reader.h"
#include "ui/controls.h"
#include "ui/events.h"
#include "ui/gradient.h"
#include "ui/value_label.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace windows {

namespace {

using platform::FileError;

// A frame of a 60 Hz screen: repainting more often only costs time nobody sees.
constexpr qint64 frameMs = 16;

QLabel* whiteLabel(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
                   int height) {
    auto* label = ui::make<QLabel>(parent, name, left, top, width, height);
    label->setText(text);
    ui::setTextColour(label, Qt::white);
    return label;
}

void nothingChosen() {
    platform::msgBox(QStringLiteral("Nie wybrałeś żadnego pliku"), platform::Buttons::Ok, platform::Icon::Critical,
                     QStringLiteral("Błąd"));
}

}  // namespace

KWZ_Txt::KWZ_Txt() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Konwerter plików z zestawami pytań na pliki tekstowe ( KWZ -> TXT )"));
    setOuterSizeTwips(8700, 5580);

    Drive1 = ui::make<ui::DriveList>(this, "Drive1", 120, 120, 4020, 315);
    Drive1->setAccessibleName(QStringLiteral("Napęd"));
    Dir1 = ui::make<ui::FolderList>(this, "Dir1", 120, 525, 4020, 2400);
    Dir1->setAccessibleName(QStringLiteral("Katalog"));
    File1 = ui::make<ui::FileList>(this, "File1", 4320, 120, 4140, 2805);
    File1->setAccessibleName(QStringLiteral("Zestaw pytań"));
    File1->setPattern(QStringLiteral("*.KWZ"));

    Label1 = whiteLabel(this, "Label1", QStringLiteral("Nazwa pliku TXT"), 120, 3060, 4020, 255);
    Text1 = ui::make<QLineEdit>(this, "Text1", 120, 3330, 4020, 315);
    Text1->setAccessibleName(Label1->text());
    Label1->setBuddy(Text1);
    Check1 = ui::make<QCheckBox>(this, "Check1", 4320, 3360, 255, 255);
    Label6 = ui::make<QPushButton>(this, "Label6", 4620, 3315, 3840, 345);
    Label6->setText(QStringLiteral("Dodaj do pliku podpowiedzi"));
    Label6->setFlat(true);
    Label6->setStyleSheet(QStringLiteral("QPushButton { color: white; text-align: left; border: none; }"));
    Check1->setAccessibleName(Label6->text());

    Label4 = whiteLabel(this, "Label4", QStringLiteral("  Liczba pytań :"), 120, 3825, 1800, 255);
    Label5 = whiteLabel(this, "Label5", QStringLiteral("0"), 1920, 3825, 2220, 255);
    ui::showValue(Label5, valueCaption(Label5), Label5->text());
    Label2 = whiteLabel(this, "Label2", QStringLiteral("  Procent zaawansowania :"), 4320, 3825, 2820, 255);
    Label3 = whiteLabel(this, "Label3", QStringLiteral("0 %"), 7140, 3825, 1320, 255);
    ui::showValue(Label3, valueCaption(Label3), Label3->text());
    ProgressBar1 = ui::make<QProgressBar>(this, "ProgressBar1", 120, 4200, 8340, 300);
    ProgressBar1->setRange(0, 100);
    ui::showProgressInBlocks(ProgressBar1);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(Label2->text().trimmed());

    Command1 = ui::make<QPushButton>(this, "Command1", 1800, 4665, 2040, 435);
    Command1->setText(QStringLiteral("&Konwertuj"));
    Command2 = ui::make<QPushButton>(this, "Command2", 4860, 4665, 2040, 435);
    Command2->setText(QStringLiteral("&Anuluj"));

    // The lists start on the current drive and folder.
    Dir1->setPath(platform::currentFolder());
    Drive1->setDrive(Dir1->drive());
    File1->setPath(Dir1->path());

    ui::on(Drive1, &ui::DriveList::driveChanged, [this] { Drive1_Change(); });
    ui::on(Dir1, &ui::FolderList::pathChanged, [this] { Dir1_Change(); });
    ui::on(File1, &ui::FileList::fileClicked, [this] { File1_Click(); });
    ui::on(Label6, &QPushButton::clicked, [this] { Label6_Click(); });
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    ui::on(Command2, &QPushButton::clicked, [this] { Command2_Click(); });
}

void KWZ_Txt::Form_Load() {
    centre();
    ui::paintGradient(*this);
}

void KWZ_Txt::Form_Activate() {
    // A folder of a single set has it selected as well, so the text file's name is proposed at once.
    if (File1->count() > 0)
        File1->select(0);
}

void KWZ_Txt::Drive1_Change() {
    const auto root = ui::driveRoot(Drive1->drive());
    if (root && Dir1->showDrive(Drive1->drive()))
        return;
    platform::msgBox(QStringLiteral("Włóż dyskietkę !!!"), platform::Buttons::Ok, platform::Icon::Exclamation,
                     QStringLiteral("Brak dyskietki"));
    Drive1->setDrive(Dir1->drive());
}

void KWZ_Txt::Dir1_Change() {
    File1->setPath(Dir1->path());
    // A folder of a single set selects nothing: the name typed before stays until that set is clicked.
    if (File1->count() > 1)
        File1->select(0);
}

void KWZ_Txt::File1_Click() { Text1->setText(sheets::textFileName(File1->fileName())); }

void KWZ_Txt::Label6_Click() { Check1->setChecked(!Check1->isChecked()); }

// What assistive technology reads before a value label's number.
QString KWZ_Txt::valueCaption(const QLabel* label) const {
    return label == Label5 ? QStringLiteral("Liczba pytań") : QStringLiteral("Procent zaawansowania");
}

void KWZ_Txt::show(QLabel* label, const QString& text, bool last) {
    if (label->text() == text && !last)
        return;
    ui::showValue(label, valueCaption(label), text);
    if (last || !sinceRepaint_.isValid() || sinceRepaint_.elapsed() >= frameMs) {
        label->repaint();
        ProgressBar1->repaint();
        ++repaints_;
        sinceRepaint_.start();
    }
}

void KWZ_Txt::Command1_Click() {
    const QString name = File1->fileName();
    const QString textName = Text1->text();
    if (name.isEmpty() || textName.trimmed().isEmpty()) {
        nothingChosen();
        return;
    }
    const QString setPath = QDir(File1->path()).filePath(name);
    if (const auto refused = sheets::refusedTextName(setPath, textName)) {
        platform::msgBox(*refused, platform::Buttons::Ok, platform::Icon::Exclamation,
                         QStringLiteral("Zła nazwa pliku"));
        return;
    }
    repaints_ = 0;
    sinceRepaint_.invalidate();
    sheets::ConversionSteps steps;
    steps.counted = [this](int count, bool last) { show(Label5, platform::numberText(count), last); };
    steps.progressed = [this](double bar) {
        ProgressBar1->setValue(static_cast<int>(std::lround(bar)));
        show(Label3, sheets::progressText(ProgressBar1->value()), false);
    };
    sheets::Conversion done;
    try {
        done = sheets::convertToText(setPath, textName, Check1->isChecked(), steps);
    } catch (const FileError& error) {
        if (error.kind() == FileError::Kind::WriteFailed) {
            const QString cause = platform::causeText(error.cause());
            platform::msgBox(QStringLiteral("Nie mogę zapisać pliku %1%2. Poprzedni plik o tej nazwie został bez zmian.")
                                 .arg(textName, cause.isEmpty() ? QString() : QStringLiteral(": ") + cause),
                             platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Błąd zapisu"));
        } else if (QFileInfo::exists(setPath)) {
            nothingChosen();  // the text file's name or folder cannot be used
        }
        // A set that vanished from its folder since it was listed ends the command without a word.
        return;
    }
    if (!done.damage.isEmpty()) {
        const QString kept = !done.created ? QStringLiteral("Plik %1 nie został utworzony.").arg(textName)
                             : done.written > 0
                                 ? QStringLiteral("Plik %1 zawiera pytania od 1 do %2.").arg(textName).arg(done.written)
                                 : QStringLiteral("Plik %1 nie zawiera żadnego pytania.").arg(textName);
        platform::msgBox(done.damage + u'\r' + kept, platform::Buttons::Ok, platform::Icon::Exclamation,
                         testing::damagedSetTitle);
        return;
    }
    ProgressBar1->setValue(100);
    show(Label3, sheets::progressText(ProgressBar1->value()), true);
    Reset();
}

void KWZ_Txt::Reset() {
    Text1->clear();
    ui::showValue(Label5, valueCaption(Label5), QStringLiteral("0"));
    ui::showValue(Label3, valueCaption(Label3), QStringLiteral("0 %"));
    Dir1->refresh();
    File1->refresh();
    for (int value : {50, 10, 0})
        ProgressBar1->setValue(value);
}

void KWZ_Txt::Command2_Click() { Hide(); }

}  // namespace windows
