// The teacher's road after a lesson: three students take a four-question test through the real windows, the
// teacher opens "Wyniki i analiza", sees the three results, their grades and each question's figures, mends a
// key in the editor opened from the analysis, and sees the question flagged and the tests regraded.
#include "analysis/results_table.h"
#include "main/main_session.h"
#include "platform/clock.h"
#include "questionset/questionset.h"
#include "support/program_fixture.h"
#include "support/scripted_dialogs.h"
#include "ui/form.h"
#include "windows/editor/nowe_wiedo.h"
#include "windows/grade/ocena.h"
#include "windows/info/inform.h"
#include "windows/main/wiedo.h"
#include "windows/results/wyniki.h"
#include "windows/signin/open_window.h"

#include <QTest>

using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using mainsession::openFilter;
using mainsession::openTitle;
using mainsession::question;

namespace {

// One student's test: signs in and ticks the given letters for each question.
void takeTest(windows::Wiedo& main, ScriptedDialogs& dialogs, const QString& set, const QString& name,
              const QStringList& ticks) {
    dialogs.expectOpenFile(openTitle, openFilter, set);
    main.otwórz->trigger();
    auto& signIn = ui::forms().get<windows::open_>();
    QVERIFY(signIn.isVisible());
    signIn.Text1->setText(name);
    signIn.Text2->setText(QStringLiteral("Nowak"));
    signIn.Text3->setText(QStringLiteral("3b"));
    QTest::mouseClick(signIn.Command1, Qt::LeftButton);
    ui::forms().queueModalScript(QStringLiteral("Ocena"), [](ui::Form& grade) {
        QTest::mouseClick(static_cast<windows::Ocena&>(grade).Command1, Qt::LeftButton);
    });
    QTest::mouseClick(main.Command1, Qt::LeftButton);
    for (const QString& letters : ticks) {
        for (const QChar letter : letters)
            QTest::mouseClick(main.answerButton(letter.unicode() - u'A'), Qt::LeftButton);
        QTest::mouseClick(main.Command1, Qt::LeftButton);
    }
    QCOMPARE(main.Label10->text(), QStringLiteral("0"));  // graded and reset
}

QString cell(const QAbstractItemModel* model, int row, int column) {
    return model->data(model->index(row, column)).toString();
}

}  // namespace

class tst_TeacherAnalysis : public QObject {
    Q_OBJECT
private slots:
    void threeStudentsThenAMendedKey();
};

void tst_TeacherAnalysis::threeStudentsThenAMendedKey() {
    ProgramFixture fx;
    fx.writeWiedoIni();
    fx.write("Wiedo.cfg", "\"\"\r\n");
    fx.write("ptk.ptk", "4,3,2,1,0,0\r\n");  // 4 points: 6, 3: 5, 2: 4, 1: 3, 0: 1
    const QString set = fx.root() + QStringLiteral("/klasowka.kwz");
    fx.write(set, questionset::formatHeader() + questionset::formatQuestion(question(1, {1, 2, 2, 2, 2})) +
                      questionset::formatQuestion(question(2, {2, 1, 2, 2, 2})) +
                      questionset::formatQuestion(question(3, {1, 2, 1, 2, 2})) +
                      questionset::formatQuestion(question(4, {2, 2, 2, 1, 2})));
    platform::setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(9, 0)));

    ScriptedDialogs dialogs;
    QVERIFY(fx.startUp());
    QTest::mouseClick(ui::forms().get<windows::Inform>().Command1, Qt::LeftButton);
    auto& main = ui::forms().get<windows::Wiedo>();
    takeTest(main, dialogs, set, QStringLiteral("Ala"), {"A", "B", "AC", "D"});  // 4 good
    takeTest(main, dialogs, set, QStringLiteral("Ela"), {"A", "C", "AC", ""});   // 2 good
    takeTest(main, dialogs, set, QStringLiteral("Ola"), {"B", "C", "A", "D"});   // 1 good
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.read("odpowiedzi.txt").count("\"Koniec\"\r\n"), 3);
    QVERIFY(fx.read("odpowiedzi.txt").contains("\"Zaznaczone\",\"A\",\"C\",\"AC\",\"\"\r\n\"Klucz\",\"A\",\"B\",\"AC\",\"D\"\r\n"));

    main.wynikiAnaliza->trigger();
    auto& window = ui::forms().get<windows::Wyniki>();
    QVERIFY(window.isVisible());
    QCOMPARE(window.shown->rowCount(), 3);
    const analysis::GradeFigures grades = analysis::gradeFigures(window.shown->shownRecords());
    QCOMPARE(grades.counts, (std::array<qsizetype, 6>{0, 0, 1, 1, 0, 1}));
    QCOMPARE(grades.median, std::optional<double>(4));
    QCOMPARE(window.gradeChart->bars().at(5).caption, QStringLiteral("1 (33,3%)"));

    // Each question was answered well by two of the three students.
    window.tabs->setCurrentIndex(1);
    window.analysedSetBox->setCurrentIndex(window.analysedSetBox->findData(set));
    window.analyseSet();
    QCOMPARE(window.questions->rowCount(), 4);
    QCOMPARE(cell(window.questions, 0, analysis::QuestionsModel::Facility), QStringLiteral("66,7"));
    QCOMPARE(cell(window.questions, 1, analysis::QuestionsModel::Facility), QStringLiteral("33,3"));

    // Question 2's right answer is C, not B: mended in the editor opened from the analysis.
    ui::forms().queueModalScript(QStringLiteral("NoweWiedo"), [](ui::Form& form) {
        auto& editor = static_cast<windows::NoweWiedo&>(form);
        QCOMPARE(editor.Label11->text(), QStringLiteral("2"));
        editor.Check2->setChecked(false);
        editor.Check3->setChecked(true);
        editor.Command2->click();
        editor.wyjdź_Click();
    });
    const QRect second = window.questionsView->visualRect(window.questionsSorted->index(1, 1));
    dialogs.expectMessage(QStringLiteral("Czy chcesz wyjść z edytora pytań ?"), QStringLiteral("Koniec ?"),
                          platform::Icon::Information, platform::Buttons::YesNo, platform::Answer::Yes);
    // A double click as the system delivers it: a press, then the second press as a double click.
    QTest::mouseClick(window.questionsView->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(window.questionsView->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(cell(window.questions, 1, analysis::QuestionsModel::Facility), QStringLiteral("66,7"));
    QVERIFY2(cell(window.questions, 1, analysis::QuestionsModel::Flags).contains(QStringLiteral("klucz zmieniony po teście")),
             qPrintable(cell(window.questions, 1, analysis::QuestionsModel::Flags)));
    QVERIFY(!cell(window.questions, 0, analysis::QuestionsModel::Flags).contains(QStringLiteral("klucz")));

    // Under the mended key Ala has 3 points (5), Ela 3 (5), Ola 2 (4).
    window.tabs->setCurrentIndex(0);
    window.currentKeyBox->setChecked(true);
    QStringList regraded;
    for (int row = 0; row < 3; ++row)
        regraded << cell(window.results, row, analysis::ResultsModel::FirstName) + u' ' +
                        cell(window.results, row, analysis::ResultsModel::PointsNow) + u' ' +
                        cell(window.results, row, analysis::ResultsModel::GradeNow);
    QCOMPARE(regraded, (QStringList{"Ala 3 5", "Ela 3 5", "Ola 2 4"}));
    WIEDO_VERIFY_DIALOGS(dialogs);
}

QTEST_MAIN(tst_TeacherAnalysis)
#include "tst_teacher_analysis.moc"
