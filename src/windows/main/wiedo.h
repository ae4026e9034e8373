#pragma once
// The main window: the question on screen with its five answers and the hint, the counters, the
// student's data, the clock, the help line and the menu bar. The state of a running test lives in its
// controls: counters are captions, flags are hidden labels.
#include "config/test_settings.h"
#include "grading/answers_log.h"
#include "questionset/questionset.h"
#include "testing/drawn_order.h"
#include "testing/test_progress.h"
#include "ui/form.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace windows {

// What the window's common dialog keeps between uses: the path last chosen is the current question set.
struct CommonDialog {
    QString FileName;
    QString InitDir;
};

class Wiedo : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("Wiedo");
    Wiedo();

    // ---- layout, counters and hover help (wiedo.cpp)
    void Form_Load() override;
    void Form_Resize() override;
    void Form_MouseMove();
    void Timer1_Timer();
    void Label2_DblClick();
    void Label9_Click();
    void Label10_Click();
    void Label11_Click();
    void Label12_Click();
    void Label13_Click();
    void Label14_Click();
    void Label15_Click();
    void Label16_Click();
    void Label19_Click();
    void Label20_Click();
    void Label21_Click();
    void Stsr();
    // Paints the window blue to black, hides it and shows it modally.
    static void TloModal(ui::Form& window);

    // ---- question flow and answer checking (wiedo_flow.cpp)
    void Command1_Click();
    void Picture1_Click();
    void Label1_Click();
    void AnswerButton_Click(int index);      // Label4 .. Label8, index 0 .. 4
    void AnswerButton_MouseMove(int index);  // help line, then the hint mode
    void PierPyt();
    void Labl();
    void Odswiez();
    void ABCDEh();
    void PtK();
    void StopI();
    void tekty_Click();  // the work-file check
    // Ends a test that cannot go on (a damaged or empty set) without a grade: the window goes back to
    // the state it has after a graded test.
    void Zeruj();
    // The main window after a test: test controls disabled, counters "0", names reset, print commands and
    // the teacher's menu enabled (the grade window's button runs it too).
    void resetAfterTest();

    // ---- menu commands (wiedo_menu.cpp; the teacher's gates in wiedo_teacher.cpp)
    void otwórz_Click();
    // The open command's work on a chosen path: header check, the Question reader, the sign-in window.
    // Throws platform::FileError when the file cannot be read.
    void openSet(const QString& path);
    // A question set named on the command line, opened when the window first becomes active.
    static inline QString commandLineSet;
    void Form_Activate() override;
    void edytujwiedo_Click();
    void Punktacja_Click();
    void opcje_Click();
    void wynikiAnaliza_Click();
    void ustawieniaTestu_Click();
    void drukuj_Click();
    void druKPod_Click();
    void drukKarO_Click();
    void DrukWsz_Click();
    void ustdr_Click();
    // Prints the sheets of the current set, one job each (wiedo_print.cpp).
    void Drukuj(std::initializer_list<int> sheets);
    // The teacher's password gate before a printed answer key.
    bool keyPrintAllowed();
    void koniec_Click();
    void KWZ_to_txt_Click();
    void SS_Click();
    void mnuBitmap1_Click();
    void mnuBitmap2_Click();
    void mnuBitmap3_Click();
    void Form_Unload(bool& cancel) override;
    void changeEvent(QEvent* event) override;

    // ---- controls
    QLabel* Label1;           // question text
    QPushButton* Label3;      // hint text
    QPushButton* Label4;      // answers A .. E
    QPushButton* Label5;
    QPushButton* Label6;
    QPushButton* Label7;
    QPushButton* Label8;
    QCheckBox* Check1;        // marks A .. E
    QCheckBox* Check2;
    QCheckBox* Check3;
    QCheckBox* Check4;
    QCheckBox* Check5;
    QPushButton* Label9;      // "Pytanie nr"
    QPushButton* Label10;     // question number
    QPushButton* Label11;     // "Ilość pytań"
    QPushButton* Label12;     // number of questions
    QPushButton* Label13;     // "Odp. dobre"
    QPushButton* Label14;     // good answers
    QPushButton* Label15;     // "Odp. złe"
    QPushButton* Label16;     // wrong answers
    QPushButton* Label19;     // first name, surname, class
    QPushButton* Label20;
    QPushButton* Label21;
    QPushButton* Command1;    // Start / next
    QLabel* Picture1;         // logo; a click runs Command1
    QLabel* Label2;           // clock
    QLabel* Podp;             // help line
    QLabel* xx;               // hint mode armed
    QLabel* Tips;             // hint mode active
    QLabel* Ap;               // flags of answers A .. E
    QLabel* Bp;
    QLabel* Cp;
    QLabel* Dp;
    QLabel* Ep;
    QTimer* Timer1;
    CommonDialog CD1;
    // The question number on screen when the current set was signed in: 0, or the number a set opened
    // during a running test goes on from. A set that ends sooner than its count says is damaged.
    long long numberedFrom = 0;
    // The answers judged so far, in the order shown, for the answers log: the letters ticked and the letters
    // that were correct, in the set's own letters (grading::answerMask). They start again with each set
    // signed in.
    QList<quint8> lettersTicked;
    QList<quint8> lettersCorrect;
    // The set's index of the question judged `k`-th (from 0).
    int setIndexJudged(qsizetype k) const;

    // ---- a lab exam (wiedo_lab.cpp): the teacher's settings, taken when a test starts
    config::TestSettings lab;
    // Where each question of the set starts, for an order drawn for this student; empty when the set is read
    // one question at a time in its own order, as a test without shuffles always is.
    QList<qint64> questionOffsets;
    testing::DrawnOrder drawn;
    bool ownOrder() const { return !questionOffsets.isEmpty(); }
    // The question on screen in the student's own order: its answers' places and its flags.
    std::array<int, 5> placesOnScreen{0, 1, 2, 3, 4};
    questionset::Flags flagsOnScreen{};
    // With shuffled answers, the letters in the order shown of each question judged, in the order shown.
    QList<QString> placesJudged;
    qint64 limitStartedMs = 0;
    QTimer* limitTimer;
    bool lastMinuteTold = false;
    QString plainTitle;
    int windowLeft = 0;  // times the window stopped being the active one during this test
    // Reads the settings and, with them on, draws the order, reads the set whole and starts the clock.
    void startLab();
    void limitTick();
    // The time is up: the question on screen is judged, the rest count as wrong, and the test is graded.
    void timeUp();
    void endLab();
    // The set's index of the question on screen, and its answer shown at place `place` (0 for A).
    int setIndexOnScreen() const;
    int setAnswerAt(int place) const;
    bool testRunning() const;
    // The answers record of the test as it stands, for the answers log.
    grading::TestAnswers testAnswers() const;
    // A broken-off test: its progress kept after each judged question when the settings allow finishing it,
    // offered once at the first showing of the window, and finished or logged as broken off.
    qint64 testStartedMs = 0;
    QByteArray setHashAtStart;
    bool progressOffered = false;
    void saveLabProgress();
    void offerResume();
    void resumeTest(const testing::TestProgress& kept);
    void logBrokenOff(const testing::TestProgress& kept);

    // ---- menus
    QMenuBar* menuBar;
    QMenu* tekty_;
    QAction* otwórz;
    QMenu* dlaNauczyciela;
    QAction* edytujwiedo;
    QAction* Punktacja;
    QAction* opcje;
    QAction* wynikiAnaliza;
    QAction* ustawieniaTestu;
    QMenu* Drukowanie;
    QAction* drukuj;
    QAction* druKPod;
    QAction* drukKarO;
    QAction* DrukWsz;
    QAction* pd;
    QAction* ustdr;
    QAction* p1;
    QAction* koniec;
    QMenu* narzędzia;
    QAction* KWZ_to_txt;
    QMenu* inne;
    QAction* SS;
    QMenu* pomoc;
    QAction* mnuBitmap1;
    QAction* mnuBitmap2;
    QAction* mnuBitmap3;

    // Answer controls by index 0 .. 4 (A .. E).
    QPushButton* answerButton(int index) const;
    QCheckBox* answerBox(int index) const;
    QLabel* flagLabel(int index) const;

private:

    bool snappingBack_ = false;  // Form_Resize sets the size it is answering
};

}  // namespace windows
