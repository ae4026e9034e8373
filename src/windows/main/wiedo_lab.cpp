// A lab exam, as the teacher's settings ask: each student's own order of the questions and answers, a time
// limit, and a count of the times the student left the window. With every setting off none of this acts.
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "testing/question_reader.h"
#include "windows/main/wiedo.h"
#include "windows/signin/enable_main.h"
#include "windows/temp/temp_window.h"

#include <QApplication>
#include <QRandomGenerator>

#include <algorithm>

namespace windows {

namespace {

long long value(const QAbstractButton* caption) {
    return static_cast<long long>(platform::captionValue(caption->text()));
}

QString timeLeftText(qint64 ms) {
    const qint64 seconds = (std::max<qint64>(ms, 0) + 999) / 1000;
    return QStringLiteral("pozostało %1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void removeKeptProgress() {
    try {
        testing::removeProgress();
    } catch (const platform::FileError&) {
        // Left behind, it is offered at the next start and then logged as broken off: nothing is lost.
    }
}

const QString brokenOffTitle = QStringLiteral("Przerwany test");

// The offsets of the next `count` questions of the set, read on from where the Question reader stands.
// Throws FileError.
QList<qint64> findQuestions(int count) {
    testing::QuestionReader& reader = testing::QuestionReader::instance();
    reader.ensureOpen();
    QList<qint64> offsets;
    offsets.reserve(count);
    for (int n = 0; n < count; ++n) {
        offsets.append(reader.position());
        reader.skipQuestion();
    }
    return offsets;
}

}  // namespace

void Wiedo::startLab() {
    lab = config::readTestSettings(ui::forms().get<TEMP>().Text1->text());
    questionOffsets.clear();
    placesJudged.clear();
    drawn = {};
    windowLeft = 0;
    if (lab.shuffleQuestions || lab.shuffleAnswers) {
        // Where each question starts, so that the questions can be read in the order drawn.
        questionOffsets = findQuestions(static_cast<int>(value(Label12)));
        drawn = testing::drawOrder(QRandomGenerator::global()->generate(), static_cast<int>(questionOffsets.size()),
                                   lab.shuffleQuestions, lab.shuffleAnswers);
    }
    testStartedMs = platform::monotonicMs();
    setHashAtStart = lab.resumable ? testing::setHash(CD1.FileName) : QByteArray();
    if (lab.minutes > 0) {
        plainTitle = windowTitle();
        limitStartedMs = testStartedMs;
        lastMinuteTold = false;
        limitTick();
        limitTimer->start();
    }
}

void Wiedo::limitTick() {
    const qint64 left = qint64(lab.minutes) * 60000 - (platform::monotonicMs() - limitStartedMs);
    // First, so that a narrow title bar or a taskbar button never cuts it off.
    setWindowTitle(timeLeftText(left) + QStringLiteral(" – ") + plainTitle);
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
    removeKeptProgress();
    if (limitTimer->isActive() || !plainTitle.isEmpty()) {
        limitTimer->stop();
        setWindowTitle(plainTitle);
        plainTitle.clear();
    }
    questionOffsets.clear();
    placesJudged.clear();
    drawn = {};
}

int Wiedo::setIndexOnScreen() const {
    const int shown = static_cast<int>(value(Label10) - 1 - numberedFrom);
    return ownOrder() ? drawn.questions.value(shown) : shown;
}

int Wiedo::setAnswerAt(int place) const {
    return ownOrder() ? placesOnScreen[static_cast<std::size_t>(place)] : place;
}

int Wiedo::setIndexJudged(qsizetype k) const {
    return ownOrder() ? drawn.questions.at(k) : static_cast<int>(k);
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
    // The logs keep the set's order: the questions judged, sorted by their place in the set.
    QList<std::pair<int, qsizetype>> judged;
    for (qsizetype k = 0; k < lettersTicked.size(); ++k)
        judged.append({setIndexJudged(k), k});
    std::sort(judged.begin(), judged.end());
    for (const auto& [index, k] : judged) {
        answers.ticked.append(lettersTicked.at(k));
        answers.key.append(lettersCorrect.at(k));
        if (!placesJudged.isEmpty())
            answers.answerOrder.append(placesJudged.at(k));
    }
    if (ownOrder() && lab.shuffleQuestions) {
        for (qsizetype k = 0; k < lettersTicked.size(); ++k)
            answers.questionOrder.append(setIndexJudged(k) + 1);
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

void Wiedo::saveLabProgress() {
    // A set opened during the test mixes two sets: such a test is not kept.
    if (!lab.resumable || setHashAtStart.isEmpty() || numberedFrom > 0)
        return;
    testing::TestProgress p;
    p.firstName = Label19->text();
    p.surname = Label20->text();
    p.className = Label21->text();
    p.setPath = CD1.FileName;
    p.setHash = setHashAtStart;
    p.questions = static_cast<int>(value(Label12));
    p.judged = static_cast<int>(value(Label10)) - 1;  // the next question is on screen already
    p.good = static_cast<int>(value(Label14));
    p.wrong = static_cast<int>(value(Label16));
    p.usedMs = platform::monotonicMs() - testStartedMs;
    p.windowLeft = windowLeft;
    p.hints = Tips->text() != QStringLiteral("0");
    if (ownOrder()) {
        p.order = drawn;
        p.answerOrder = placesJudged;
    }
    for (qsizetype k = 0; k < lettersTicked.size(); ++k) {
        p.ticked.insert(setIndexJudged(k), grading::lettersOfMask(lettersTicked.at(k)));
        p.key.insert(setIndexJudged(k), grading::lettersOfMask(lettersCorrect.at(k)));
    }
    try {
        testing::saveProgress(p);
    } catch (const platform::FileError& error) {
        // The test goes on; only finishing it after a crash would be lost, and the teacher should know.
        Podp->setText(QStringLiteral("Stan testu nie został zapisany: %1.").arg(platform::failureMessage(error)));
    }
}

void Wiedo::offerResume() {
    if (std::exchange(progressOffered, true))
        return;
    const std::optional<testing::TestProgress> kept = testing::readProgress();
    if (!kept) {
        removeKeptProgress();  // none, or one that cannot be read whole
        return;
    }
    const QString student = QStringLiteral("%1 %2 (%3)").arg(kept->firstName, kept->surname, kept->className);
    const QString told = QStringLiteral("Test ucznia %1 z zestawu %2 przerwano po pytaniu %3 z %4.")
                             .arg(student, kept->setPath)
                             .arg(kept->judged)
                             .arg(kept->questions);
    const bool allowed = config::readTestSettings(ui::forms().get<TEMP>().Text1->text()).resumable;
    QByteArray hash;
    try {
        hash = testing::setHash(kept->setPath);
    } catch (const platform::FileError&) {
        // A set that is gone has changed as far as this test is concerned.
    }
    platform::closeEveryFile();
    if (!allowed || hash != kept->setHash) {
        platform::msgBox(told + (allowed ? QStringLiteral(" Zestaw pytań zmienił się od tamtej pory, więc testu nie "
                                                          "można dokończyć.")
                                         : QStringLiteral(" Ustawienia testu nie pozwalają dokończyć przerwanego "
                                                          "testu.")) +
                             QStringLiteral(" Test zostanie zapisany w dzienniku odpowiedzi jako przerwany."),
                         platform::Buttons::Ok, platform::Icon::Information, brokenOffTitle);
        logBrokenOff(*kept);
        return;
    }
    if (platform::msgBox(told.chopped(1) + QStringLiteral(". Czy go dokończyć ?"), platform::Buttons::YesNo,
                         platform::Icon::Question, brokenOffTitle) == platform::Answer::Yes)
        resumeTest(*kept);
    else
        logBrokenOff(*kept);
}

void Wiedo::logBrokenOff(const testing::TestProgress& kept) {
    const QString folder = ui::forms().get<TEMP>().Text1->text();
    try {
        grading::appendBrokenOff(folder, grading::formatAnswersRecord(testing::brokenOffAnswers(kept, platform::now())));
    } catch (const platform::FileError& error) {
        // Kept for the next start, so the record is not lost.
        platform::msgBox(QStringLiteral("Przerwany test nie trafił do dziennika odpowiedzi: %1. "
                                        "Program zapyta o niego przy następnym uruchomieniu.")
                             .arg(platform::failureMessage(error)),
                         platform::Buttons::Ok, platform::Icon::Exclamation, brokenOffTitle);
        return;
    }
    removeKeptProgress();
}

void Wiedo::resumeTest(const testing::TestProgress& kept) {
    testing::QuestionReader& reader = testing::QuestionReader::instance();
    try {
        platform::closeEveryFile();
        reader.open(kept.setPath);
        reader.readHeader();
        // In its own order the set is read on from the next question; a drawn order needs to know where
        // each question starts.
        if (kept.order.questions.isEmpty()) {
            for (int n = 0; n < kept.judged; ++n)
                reader.skipQuestion();
            questionOffsets.clear();
        } else {
            questionOffsets = findQuestions(kept.questions);
        }
    } catch (const platform::FileError&) {
        reader.close();
        platform::msgBox(QStringLiteral("Nie mogę odczytać zestawu pytań %1, więc testu nie można dokończyć. Test "
                                        "zostanie zapisany w dzienniku odpowiedzi jako przerwany.")
                             .arg(kept.setPath),
                         platform::Buttons::Ok, platform::Icon::Exclamation, brokenOffTitle);
        questionOffsets.clear();
        logBrokenOff(kept);
        return;
    }
    drawn = kept.order;
    placesJudged = kept.answerOrder;
    CD1.FileName = kept.setPath;
    const qsizetype cut = std::max(kept.setPath.lastIndexOf(u'/'), kept.setPath.lastIndexOf(u'\\'));
    ui::forms().get<TEMP>().Text2->setText(kept.setPath.left(cut + 1));
    EnableMain();
    Label19->setText(kept.firstName);
    Label20->setText(kept.surname);
    Label21->setText(kept.className);
    Label12->setText(platform::numberText(kept.questions));
    Label10->setText(platform::numberText(kept.judged));
    Label14->setText(platform::numberText(kept.good));
    Label16->setText(platform::numberText(kept.wrong));
    Tips->setText(kept.hints ? QStringLiteral("1") : QStringLiteral("0"));
    xx->setText(Tips->text());
    numberedFrom = 0;
    lettersTicked.clear();
    lettersCorrect.clear();
    for (int k = 0; k < kept.ticked.size(); ++k) {
        const int index = kept.order.questions.isEmpty() ? k : kept.order.questions.at(k);
        lettersTicked.append(grading::maskOfLetters(kept.ticked.value(index)));
        lettersCorrect.append(grading::maskOfLetters(kept.key.value(index)));
    }
    windowLeft = kept.windowLeft;
    lab = config::readTestSettings(ui::forms().get<TEMP>().Text1->text());
    setHashAtStart = kept.setHash;
    testStartedMs = platform::monotonicMs() - kept.usedMs;
    Picture1->setVisible(false);
    Command1->setToolTip(QStringLiteral("Kliknij w ten przycisk, aby pojawiło się następne pytanie"));
    Command1->setText(QStringLiteral("Nastepne Pytanie"));
    for (QAction* command : {drukuj, ustdr, druKPod, drukKarO, DrukWsz})
        command->setEnabled(false);
    dlaNauczyciela->setEnabled(false);
    if (lab.minutes > 0) {
        plainTitle = windowTitle();
        limitStartedMs = testStartedMs;
        lastMinuteTold = false;
        limitTimer->start();
    }
    if (kept.judged == kept.questions) {
        // Broken off between the last answer and the grade.
        Command1->setEnabled(false);
        StopI();
        return;
    }
    Labl();
    Odswiez();
    ABCDEh();
    Command1->setEnabled(true);
    if (lab.minutes > 0)
        limitTick();
}

}  // namespace windows
