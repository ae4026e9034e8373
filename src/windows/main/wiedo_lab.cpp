// A lab exam, as the teacher's settings ask: each student's own order of the questions and answers, a time
// limit, and a count of the times the student left the window. With every setting off none of this acts.
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "testing/question_reader.h"
#include "windows/main/wiedo.h"
#include "windows/temp/temp_window.h"

#include <QApplication>
#include <QRandomGenerator>

namespace windows {

namespace {

long long value(const QAbstractButton* caption) {
    return static_cast<long long>(platform::captionValue(caption->text()));
}

QString timeLeftText(qint64 ms) {
    const qint64 seconds = (std::max<qint64>(ms, 0) + 999) / 1000;
    return QStringLiteral("pozostało %1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

void Wiedo::startLab() {
    lab = config::readTestSettings(ui::forms().get<TEMP>().Text1->text());
    drawnSet.clear();
    drawn = {};
    windowLeft = 0;
    if (lab.shuffleQuestions || lab.shuffleAnswers) {
        // The order is drawn over the whole set, so the set is read whole once, here.
        testing::QuestionReader& reader = testing::QuestionReader::instance();
        const long long count = value(Label12);
        reader.ensureOpen();
        for (long long n = 0; n < count; ++n) {
            questionset::Question question;
            question.texts = reader.readTexts();
            question.flags = reader.readFlags();
            drawnSet.append(question);
        }
        drawn = testing::drawOrder(QRandomGenerator::global()->generate(), drawnSet, lab.shuffleQuestions,
                                   lab.shuffleAnswers);
    }
    if (lab.minutes > 0) {
        plainTitle = windowTitle();
        limitStartedMs = platform::monotonicMs();
        lastMinuteTold = false;
        limitTick();
        limitTimer->start();
    }
}

void Wiedo::limitTick() {
    const qint64 left = qint64(lab.minutes) * 60000 - (platform::monotonicMs() - limitStartedMs);
    setWindowTitle(plainTitle + QStringLiteral(" – ") + timeLeftText(left));
    if (left <= 60000 && !lastMinuteTold) {
        lastMinuteTold = true;
        Podp->setText(QStringLiteral("Została ostatnia minuta testu."));
    }
    // A click being handled or a message on screen finishes first; the next tick ends the test.
    if (left <= 0 && Command1->isEnabled() && QApplication::activeModalWidget() == nullptr)
        timeUp();
}

void Wiedo::timeUp() {
    limitTimer->stop();
    Command1->setEnabled(false);
    PtK();
    // The questions not yet shown count as wrong.
    Label16->setText(platform::numberText(value(Label16) + value(Label12) - value(Label10)));
    Label10->setText(Label12->text());
    platform::msgBox(QStringLiteral("Czas na test minął. Pytania, na które nie zdążyłeś odpowiedzieć, liczą się "
                                    "jako złe odpowiedzi."),
                     platform::Buttons::Ok, platform::Icon::Information, QStringLiteral("Koniec czasu"));
    StopI();
}

void Wiedo::endLab() {
    if (limitTimer->isActive() || !plainTitle.isEmpty()) {
        limitTimer->stop();
        setWindowTitle(plainTitle);
        plainTitle.clear();
    }
    drawnSet.clear();
    drawn = {};
}

int Wiedo::setIndexOnScreen() const {
    const int shown = static_cast<int>(value(Label10) - 1 - numberedFrom);
    return drawnSet.isEmpty() ? shown : drawn.questions.value(shown);
}

int Wiedo::setAnswerAt(int place) const {
    return drawnSet.isEmpty() ? place : drawn.answers[setIndexOnScreen()][static_cast<std::size_t>(place)];
}

bool Wiedo::testRunning() const {
    return value(Label10) > 0 && Command1->isEnabled();
}

grading::TestAnswers Wiedo::testAnswers() const {
    grading::TestAnswers answers;
    answers.firstName = Label19->text();
    answers.surname = Label20->text();
    answers.className = Label21->text();
    answers.setPath = CD1.FileName;
    answers.ticked = lettersTicked.values();
    answers.key = lettersCorrect.values();
    if (lab.shuffleQuestions && !drawnSet.isEmpty()) {
        for (qsizetype k = 0; k < lettersTicked.size(); ++k)
            answers.questionOrder.append(drawn.questions.at(k) + 1);
    }
    if (lab.shuffleAnswers && !drawnSet.isEmpty()) {
        for (const int index : lettersTicked.keys())
            answers.answerOrder.append(testing::shownLetters(drawn.answers.at(index)));
    }
    answers.windowLeft = windowLeft;
    return answers;
}

void Wiedo::changeEvent(QEvent* event) {
    // Another program or another window took over; the program's own messages do not count.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && testRunning() &&
        QApplication::activeModalWidget() == nullptr)
        ++windowLeft;
    ui::Form::changeEvent(event);
}

}  // namespace windows
