#include "windows/grade/ocena.h"

#include "config/files.h"
#include "grading/answers_log.h"
#include "grading/results_log.h"
#include "grading/scale.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "platform/screen.h"
#include "platform/text.h"
#include "ui/controls.h"
#include "ui/events.h"
#include "ui/pictures.h"
#include "windows/main/wiedo.h"
#include "windows/temp/temp_window.h"

#include <QIcon>
#include <QPixmap>

namespace windows {

namespace {

constexpr int clientWidth = 3900;
constexpr int clientHeight = 1770;
// Where each grade picture waits while hidden; only the first lies inside the window, and the earned
// one is moved there.
constexpr std::array<int, 6> pictureLefts{2640, 3600, 4560, 5520, 6360, 7320};
constexpr int shownPictureLeft = 2640;

const QString gradingErrorTitle = QStringLiteral("Błąd oceny");
const QString scaleUnreadable = QStringLiteral(
    "Nie można odczytać skali ocen z pliku PTK.PTK (brak pliku albo wpis, który nie jest liczbą). "
    "Ocena nie została wystawiona ani zapisana w pliku WYNIKI.TXT. "
    "Nauczyciel może ustawić skalę na nowo poleceniem Punktacja.");
const QString logUnwritable = QStringLiteral(
    "Nie można dopisać wyniku do pliku WYNIKI.TXT w folderze programu (plik lub folder tylko do odczytu "
    "albo brak miejsca na dysku). Ocena jest wystawiona, ale nie została zapisana - zanotuj ją.");

const QString logBusy = QStringLiteral(
    "Plik WYNIKI.TXT zapisuje teraz inna kopia programu (być może na innym komputerze). Wynik czeka na "
    "zapisanie. Czy spróbować jeszcze raz ?");
const QString logNotWritten = QStringLiteral(
    "Wynik nie został zapisany w pliku WYNIKI.TXT. Ocena jest wystawiona - zanotuj ją.");

using platform::closeEveryFile;

void gradingError(const QString& prompt) {
    platform::msgBox(prompt, platform::Buttons::Ok, platform::Icon::Exclamation, gradingErrorTitle);
}

}  // namespace

Ocena::Ocena() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Na taką ocenę zapracowałeś !!!"));
    setFixedSize(platform::toPixels(clientWidth), platform::toPixels(clientHeight));

    OC = ui::make<QLabel>(this, "OC", 120, 120, platform::toTwips(155), platform::toTwips(74));
    OC->setPixmap(ui::picture(QStringLiteral(":/img/oc.png")));
    OC->setToolTip(QStringLiteral("To jest komentarz informujący, że dostałeś jakąś ocenę np. 1"));
    OC->setAccessibleName(QStringLiteral("Ocena :"));

    QLabel** pictures[] = {&o1, &o2, &o3, &o4, &o5, &o6};
    QLabel** icons[] = {&V1, &V2, &V3, &V4, &V5, &V6};
    for (int i = 0; i < 6; ++i) {
        const QString digit = QString::number(i + 1);
        const QByteArray pictureName = "o" + digit.toLatin1();
        *pictures[i] = ui::make<QLabel>(this, pictureName.constData(), pictureLefts[i], 120,
                                        platform::toTwips(63), platform::toTwips(74));
        (*pictures[i])->setPixmap(ui::picture(QStringLiteral(":/img/o%1.png").arg(digit)));
        (*pictures[i])->setAccessibleName(digit);
        (*pictures[i])->setVisible(false);
        const QByteArray iconName = "V" + digit.toLatin1();
        *icons[i] = ui::make<QLabel>(this, iconName.constData(), 120 + i * 600, clientHeight + 240,
                                     platform::toTwips(32), platform::toTwips(32));
        (*icons[i])->setPixmap(ui::picture(QStringLiteral(":/img/v%1.png").arg(digit)));
        (*icons[i])->setAccessibleName(digit);
    }

    // It only carries the points over from the main window: a bare number in the corner would puzzle
    // the student, so it is not shown.
    STP = ui::make<QLabel>(this, "STP", 3660, 120, 195, 195);
    STP->setText(QStringLiteral("1"));
    STP->setVisible(false);

    Command1 = ui::make<QPushButton>(this, "Command1", 120, 1320, 3615, 375);
    Command1->setIcon(QIcon(ui::picture(QStringLiteral(":/img/ocena_button.png"))));
    Command1->setIconSize(QSize(200, 20));
    Command1->setAccessibleName(QStringLiteral("Zamknij ocenę"));
    Command1->setEnabled(false);
    setDefaultButton(Command1);
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
}

QLabel* Ocena::gradePicture(int grade) const {
    QLabel* const all[] = {o1, o2, o3, o4, o5, o6};
    return all[grade - 1];
}

QLabel* Ocena::gradeIcon(int grade) const {
    QLabel* const all[] = {V1, V2, V3, V4, V5, V6};
    return all[grade - 1];
}

void Ocena::Form_Load() {
    graded_ = false;
    centre();
}

void Ocena::Form_Activate() {
    if (graded_)
        return;
    graded_ = true;

    Wiedo& main = ui::forms().get<Wiedo>();
    const QString folder = ui::forms().get<TEMP>().Text1->text();
    main.Label14->setText(STP->text());
    closeEveryFile();
    platform::beep();
    for (int grade = 1; grade <= 6; ++grade) {
        gradePicture(grade)->setVisible(false);
        gradePicture(grade)->move(platform::toPixels(pictureLefts[grade - 1]), gradePicture(grade)->y());
    }

    grading::Thresholds scale;
    try {
        scale = grading::readScale(folder);
    } catch (const platform::FileError&) {
        // Without a scale there is no grade to log; the button still resets the main window.
        closeEveryFile();
        gradingError(scaleUnreadable);
        Command1->setEnabled(true);
        return;
    }
    const std::optional<int> grade = grading::computeGrade(platform::captionValue(main.Label14->text()), scale);

    grading::ResultRecord record;
    record.firstName = main.Label19->text();
    record.surname = main.Label20->text();
    record.className = main.Label21->text();
    record.setPath = main.CD1.FileName;
    record.pointsText = main.Label14->text();
    record.questionCountText = main.Label12->text();
    record.grade = grade;
    record.when = platform::now();
    grading::TestAnswers answers = main.testAnswers();
    answers.when = record.when;
    // Another copy of the program (a lab's shared folder) may be writing the log: the record waits in
    // memory for as many tries as the teacher wants, so the student's result is not lost.
    QString notLogged;
    for (;;) {
        try {
            grading::appendTest(folder, grading::formatResultRecord(record), grading::formatAnswersRecord(answers));
        } catch (const platform::FileError& error) {
            if (error.kind() != platform::FileError::Kind::Busy) {
                notLogged = logUnwritable;
            } else if (platform::msgBox(logBusy, platform::Buttons::YesNo, platform::Icon::Question,
                                        QStringLiteral("Plik wyników zajęty")) == platform::Answer::Yes) {
                continue;
            } else {
                notLogged = logNotWritten;
            }
        }
        break;
    }
    closeEveryFile();

    if (grade) {
        QLabel* picture = gradePicture(*grade);
        picture->move(platform::toPixels(shownPictureLeft), picture->y());
        picture->setVisible(true);
        setWindowIcon(QIcon(gradeIcon(*grade)->pixmap()));
    }
    // The grade stands even when the log could not take it: the student has earned it, and the teacher
    // learns from the message that it has to be noted by hand.
    if (!notLogged.isEmpty())
        gradingError(notLogged);
    Command1->setEnabled(true);
}

void Ocena::closeBoxClicked() {
    // The button is enabled once the test is graded and disabled by its first click: one reset per test.
    if (Command1->isEnabled())
        Command1_Click();
}

void Ocena::Command1_Click() {
    Command1->setEnabled(false);
    ui::forms().get<Wiedo>().resetAfterTest();
    ui::forms().unload(*this);
}

}  // namespace windows
