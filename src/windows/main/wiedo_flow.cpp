// The test itself: the Start/next button shows the questions one by one from the Question reader,
// judges each answer when the student moves on, counts good and wrong answers and at the end hands the
// good answers to the grade window.
#include "config/files.h"
#include "grading/answers_log.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "platform/text.h"
#include "testing/answer_check.h"
#include "testing/question_reader.h"
#include "ui/fit_text.h"
#include "windows/main/wiedo.h"
#include "windows/temp/temp_window.h"

namespace windows {

namespace {

// The Shared state as the work file keeps it. Throws FileError when the file is gone or damaged.
void restoreSharedState() {
    const auto [programFolder, setFolder] = config::readWorkFile();
    TEMP& temp = ui::forms().get<TEMP>();
    temp.Text1->setText(programFolder);
    temp.Text2->setText(setFolder);
}

using platform::FileError;

const QString gradeWindowName = QStringLiteral("Ocena");
const QString startCaption = QStringLiteral("&S  t  a  r  t");
const QString startTip = QStringLiteral("Kliknij w ten przycisk, aby rozpocząć grę");
const QString abortedNote = QStringLiteral(" Test zostaje przerwany bez oceny.");

// A question set that cannot be read on: the test ends without a grade, with this message.
struct BrokenSet {
    QString prompt;
    QString title;
};

// The set has no question left where the next one was to be read.
struct SetEnded {};

long long value(const QAbstractButton* caption) {
    return static_cast<long long>(platform::captionValue(caption->text()));
}

using platform::closeEveryFile;

using testing::damagedSetTitle;

BrokenSet brokenSet(const FileError& error, long long question) {
    if (error.kind() == FileError::Kind::CannotOpen || error.kind() == FileError::Kind::BadHandle)
        return {QStringLiteral("Nie mogę otworzyć zestawu pytań %1.").arg(testing::QuestionReader::instance().path()) +
                    abortedNote,
                QStringLiteral("Brak zestawu pytań")};
    return {testing::damageDescription(error, question) + abortedNote, damagedSetTitle};
}

}  // namespace

// ---- Start/next ------------------------------------------------------------------------------------

void Wiedo::Command1_Click() {
    if (auto* stp = ui::forms().byName(gradeWindowName).findChild<QLabel*>(QStringLiteral("STP")))
        stp->setText(Label14->text());
    Command1->setEnabled(false);
    tekty_Click();
    try {
        if (value(Label10) == 0) {
            // The sign-in leaves an empty count for a set without a whole question.
            if (value(Label12) < 1) {
                platform::msgBox(QStringLiteral("Wybrany zestaw nie zawiera żadnego pytania, więc test nie może "
                                                "się rozpocząć. Otwórz inny zestaw pytań."),
                                 platform::Buttons::Ok, platform::Icon::Exclamation,
                                 QStringLiteral("Pusty zestaw pytań"));
                Zeruj();
                return;
            }
            PierPyt();
            Command1->setEnabled(true);
            return;
        }
        PtK();
        if (Label12->text() == Label10->text()) {
            StopI();
            return;
        }
        Labl();
        Odswiez();
        ABCDEh();
        saveLabProgress();
        Command1->setEnabled(true);
    } catch (const BrokenSet& broken) {
        platform::msgBox(broken.prompt, platform::Buttons::Ok, platform::Icon::Exclamation, broken.title);
        Zeruj();
    } catch (const SetEnded&) {
        // Questions of the current set already shown; the question just numbered was not there.
        const long long shown = value(Label10) - 1 - numberedFrom;
        if (numberedFrom > 0 && shown >= value(Label12)) {
            // A set opened during a running test, numbered on from the old number, read to its end.
            Label10->setText(platform::numberText(value(Label10) - 1));
            StopI();
            return;
        }
        platform::msgBox(QStringLiteral("Zestaw pytań jest uszkodzony: brakuje pytania nr %1 i następnych.")
                                 .arg(shown + 1) +
                             abortedNote,
                         platform::Buttons::Ok, platform::Icon::Exclamation, damagedSetTitle);
        Zeruj();
    }
}

void Wiedo::Picture1_Click() {
    // The logo is a second Start/next button, and only while the real one can be pressed.
    if (Command1->isEnabled())
        Command1_Click();
}

// ---- procedures ------------------------------------------------------------------------------------

void Wiedo::PierPyt() {
    Label10->setText(QStringLiteral("0"));
    lettersTicked.clear();
    lettersCorrect.clear();
    try {
        startLab();
    } catch (const FileError& error) {
        throw brokenSet(error, questionOffsets.size() + 1);
    }
    Picture1->setVisible(false);
    TEMP& temp = ui::forms().get<TEMP>();
    try {
        config::writeWorkFile(temp.Text1->text(), temp.Text2->text());
    } catch (const FileError&) {
        // The loader's copy of the work file stays in place; the check at every click reads that one.
    }
    Command1->setToolTip(QStringLiteral("Kliknij w ten przycisk, aby pojawiło się następne pytanie"));
    Command1->setText(QStringLiteral("Nastepne Pytanie"));
    Labl();
    Odswiez();
    ABCDEh();
    for (QAction* command : {drukuj, ustdr, druKPod, drukKarO, DrukWsz})
        command->setEnabled(false);
    dlaNauczyciela->setEnabled(false);
}

void Wiedo::Labl() {
    const long long question = value(Label10) + 1;
    Label10->setText(platform::numberText(question));
    if (Label10->text() == Label12->text())
        Command1->setText(QStringLiteral("Wystaw ocene"));
    questionset::QuestionTexts texts;
    testing::QuestionReader& reader = testing::QuestionReader::instance();
    try {
        // Printing or a teacher's command may have closed the reader since the last question.
        reader.ensureOpen();
        if (ownOrder()) {
            // The student's own order: the set's question drawn for this number, its answers at their places.
            const int index = setIndexOnScreen();
            reader.seek(questionOffsets.at(index));
            const questionset::QuestionTexts own = reader.readTexts();
            flagsOnScreen = reader.readFlags();
            placesOnScreen = testing::answerPlaces(drawn, index, own);
            texts = own;
            for (std::size_t place = 0; place < 5; ++place)
                texts.answers[place] = own.answers[static_cast<std::size_t>(placesOnScreen[place])];
        } else {
            if (reader.atEnd())
                throw SetEnded{};
            texts = reader.readTexts();
        }
    } catch (const FileError& error) {
        // A question that cannot be shown cannot be judged either: going on would judge the answers on
        // screen against the next question's flags.
        throw brokenSet(error, question - numberedFrom);
    }
    Label1->setText(texts.question);
    for (int i = 0; i < 5; ++i)
        answerButton(i)->setText(texts.answers[static_cast<std::size_t>(i)]);
    Label3->setText(texts.hint);
    Label1->setToolTip(Label1->text());
    for (int i = 0; i < 5; ++i)
        answerButton(i)->setToolTip(answerButton(i)->text());
    Label3->setToolTip(Label3->text());
}

void Wiedo::Odswiez() {
    // The controls show the new question at once, yet in one synchronous paint of the window: a repaint
    // of each would flush the window 24 times and paint the controls that overlap twice.
    QRegion changed;
    for (QWidget* control : std::initializer_list<QWidget*>{
             Label1,  Label3,  Label4,  Label5,  Label6,  Label7,  Label8,  Check1,  Check2,  Check3,
             Check4,  Check5,  Label9,  Label10, Label11, Label12, Label13, Label14, Label15, Label16,
             Label19, Label20, Label21, Command1}) {
        if (!control->isVisible())
            continue;
        changed += QRect(control->mapTo(this, QPoint(0, 0)), control->size());
        // The text is laid out before the paint, not in it: a scroll bar that comes, goes or changes
        // its range then joins this one paint instead of asking for a second one after it, and the
        // five answers settle their shared size before any of them is painted.
        if (ui::TextFit* fit = ui::textFitOf(control))
            fit->scrolls();
    }
    if (!changed.isEmpty())
        repaint(changed.boundingRect());
}

void Wiedo::ABCDEh() {
    questionset::Flags flags{};
    if (ownOrder()) {
        for (std::size_t place = 0; place < 5; ++place)
            flags[place] = flagsOnScreen[static_cast<std::size_t>(placesOnScreen[place])];
    } else {
        try {
            flags = testing::QuestionReader::instance().readFlags();
        } catch (const FileError& error) {
            throw brokenSet(error, value(Label10) - numberedFrom);
        }
    }
    for (int i = 0; i < 5; ++i)
        flagLabel(i)->setText(platform::numberText(flags[static_cast<std::size_t>(i)]));
}

void Wiedo::PtK() {
    std::array<bool, 5> marked{};
    std::array<QString, 5> flags;
    for (int i = 0; i < 5; ++i) {
        marked[static_cast<std::size_t>(i)] = answerBox(i)->checkState() == Qt::Checked;
        flags[static_cast<std::size_t>(i)] = flagLabel(i)->text();
    }
    // The question a set opened during the test found on screen belongs to the set before it. The logs keep
    // the set's own letters, whatever places the student saw them at.
    if (value(Label10) > numberedFrom) {
        std::array<bool, 5> ticked{};
        std::array<bool, 5> correct{};
        for (int place = 0; place < 5; ++place) {
            const auto letter = static_cast<std::size_t>(setAnswerAt(place));
            ticked[letter] = marked[static_cast<std::size_t>(place)];
            correct[letter] = testing::isCorrectFlag(flags[static_cast<std::size_t>(place)]);
        }
        lettersTicked.append(grading::answerMask(ticked));
        lettersCorrect.append(grading::answerMask(correct));
        if (ownOrder() && drawn.shuffleAnswers)
            placesJudged.append(testing::shownLetters(placesOnScreen));
    }
    QPushButton* counter = testing::isGood(marked, flags) ? Label14 : Label16;
    counter->setText(platform::numberText(value(counter) + 1));
    for (int i = 0; i < 5; ++i)
        answerBox(i)->setCheckState(Qt::Unchecked);
}

void Wiedo::StopI() {
    ui::Form& grade = ui::forms().byName(gradeWindowName);
    if (auto* stp = grade.findChild<QLabel*>(QStringLiteral("STP")))
        stp->setText(Label14->text());
    closeEveryFile();
    try {
        restoreSharedState();
    } catch (const FileError&) {
        // Read moments ago by the click's own check; the Shared state already holds the same folders.
    }
    closeEveryFile();
    Tips->setText(QStringLiteral("0"));
    xx->setText(QStringLiteral("0"));
    // The test is over: nothing is left to finish after a crash, and no time runs on.
    limitTimer->stop();
    try {
        testing::removeProgress();
    } catch (const FileError&) {
        // Offered at the next start and then logged as broken off: nothing is lost.
    }
    platform::beep();
    TloModal(grade);
}

void Wiedo::resetAfterTest() {
    for (QWidget* control : std::initializer_list<QWidget*>{
             Command1, Check1,  Check2,  Check3,  Check4,  Check5,  Label1,  Label3,  Label4,  Label5,
             Label6,   Label7,  Label8,  Label9,  Label10, Label11, Label12, Label13, Label14, Label15,
             Label16,  Label19, Label20, Label21})
        control->setEnabled(false);
    for (QAction* command : {drukuj, ustdr, druKPod, drukKarO, DrukWsz})
        command->setEnabled(true);
    dlaNauczyciela->setEnabled(true);
    for (QPushButton* counter : {Label10, Label12, Label14, Label16})
        counter->setText(QStringLiteral("0"));
    Label19->setText(QStringLiteral("Imie"));
    Label20->setText(QStringLiteral("Nazwisko"));
    Label21->setText(QStringLiteral("Klasa"));
    for (int i = 0; i < 5; ++i) {
        flagLabel(i)->setText(QString());
        answerBox(i)->setCheckState(Qt::Unchecked);
        answerButton(i)->setText(QString());
    }
    Label1->setText(QString());
    Label3->setText(QString());
    // The help line spoke of the test just ended.
    Podp->setText(QString());
    numberedFrom = 0;
    lettersTicked.clear();
    lettersCorrect.clear();
    endLab();
}

void Wiedo::Zeruj() {
    closeEveryFile();
    resetAfterTest();
    for (int i = 0; i < 5; ++i)
        answerButton(i)->setToolTip(QString());
    Label1->setToolTip(QString());
    Label3->setToolTip(QString());
    Tips->setText(QStringLiteral("0"));
    xx->setText(QStringLiteral("0"));
    Command1->setText(startCaption);
    Command1->setToolTip(startTip);
}

// ---- the work file ---------------------------------------------------------------------------------

void Wiedo::tekty_Click() {
    try {
        restoreSharedState();
    } catch (const FileError&) {
        platform::msgBox(QStringLiteral("Ktoś skasował plik przejściowy C:\\TEST.TMP. Za karę kończę działanie "
                                        "programu"),
                         platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Błąd tymczasowy"));
        closeEveryFile();
        // The closing question decides; answered No, the program runs on.
        ui::forms().unload(*this);
    }
}

// ---- answers ---------------------------------------------------------------------------------------

void Wiedo::AnswerButton_Click(int index) {
    QCheckBox* box = answerBox(index);
    box->setCheckState(box->checkState() != Qt::Unchecked ? Qt::Unchecked : Qt::Checked);
}

void Wiedo::Label1_Click() {
    for (int i = 0; i < 5; ++i)
        answerBox(i)->setCheckState(Qt::Unchecked);
}

void Wiedo::AnswerButton_MouseMove(int index) {
    Podp->setText(answerButton(index)->text());
    if (Tips->text() != QLatin1String("1"))
        return;
    const QString flag = flagLabel(index)->text();
    if (flag == QLatin1String("1"))
        answerBox(index)->setCheckState(Qt::Checked);
    else if (flag == QLatin1String("2"))
        answerBox(index)->setCheckState(Qt::Unchecked);
}

}  // namespace windows
