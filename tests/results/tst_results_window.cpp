// The results window as the teacher uses it: opened from the menu behind the password, its filters
// narrowing the table and the chart, damaged records listed, the tests regraded under a changed key,
// the CSV export, and a question of the analysis opened in the editor.
#include "main/main_session.h"

#include "analysis/results_table.h"
#include "bridges/results_csv.h"
#include "grading/answers_log.h"
#include "ui/record_box.h"
#include "ui/teacher_gate.h"
#include "windows/editor/nowe_wiedo.h"
#include "windows/registry.h"
#include "windows/results/wyniki.h"

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::Wyniki;
using namespace mainsession;

namespace {

const QString gatePrompt = ui::optionsQuestion().prompt;
const QString gateTitle = ui::optionsQuestion().title;

struct Test {
    QString first, surname, className, set;
    QDate date;
    int points, grade;
};

// Three questions whose key is now A, B, C.
const QList<questionset::Flags> currentKey{{1, 2, 2, 2, 2}, {2, 1, 2, 2, 2}, {2, 2, 1, 2, 2}};

const QList<Test> tests{
    {"Jan", "Kowalski", "3A", "a.kwz", QDate(2026, 9, 10), 3, 5},
    {"Anna", "Nowak", "3A", "a.kwz", QDate(2026, 9, 12), 2, 3},
    {"Piotr", "Wiśniewski", "3B", "a.kwz", QDate(2026, 12, 1), 1, 2},
    {"Ewa", "Zielińska", "3B", "b.kwz", QDate(2027, 1, 2), 3, 6},
    {"Ola", "Lis", "3A", "b.kwz", QDate(2027, 1, 5), 0, 1},
};

grading::ResultRecord recordOf(const ProgramFixture& fx, const Test& t) {
    return {t.first, t.surname, t.className, fx.root() + QStringLiteral("/zestawy/") + t.set,
            QString::number(t.points), QStringLiteral("3"), t.grade, QDateTime(t.date, QTime(10, 0, 0), Qt::UTC)};
}

grading::TestAnswers answersOf(const grading::ResultRecord& r, const QList<QString>& ticked, const QList<QString>& key) {
    grading::TestAnswers a;
    a.firstName = r.firstName;
    a.surname = r.surname;
    a.className = r.className;
    a.when = r.when;
    a.setPath = r.setPath;
    for (const QString& letters : ticked)
        a.ticked.append(grading::maskOfLetters(letters));
    for (const QString& letters : key)
        a.key.append(grading::maskOfLetters(letters));
    return a;
}

// The log of the tests above; Jan's test was judged under a key whose third answer was D, Anna's and Ewa's
// (who left the window twice) under today's key, and the others have no answers record. Adam Mazur broke his
// test off after two questions and was never graded.
void writeLogs(ProgramFixture& fx, const QByteArray& tail = {}) {
    writeSet(fx, currentKey, QStringLiteral("zestawy/a.kwz"));
    writeSet(fx, currentKey, QStringLiteral("zestawy/b.kwz"));
    QByteArray results;
    for (const Test& t : tests)
        results += grading::formatResultRecord(recordOf(fx, t));
    fx.write(QStringLiteral("wyniki.txt"), results + tail);
    grading::TestAnswers ewa = answersOf(recordOf(fx, tests[3]), {"A", "B", "C"}, {"A", "B", "C"});
    ewa.windowLeft = 2;
    grading::TestAnswers adam = answersOf(recordOf(fx, {"Adam", "Mazur", "3B", "a.kwz", QDate(2027, 1, 6), 0, 0}),
                                          {"A", "C"}, {"A", "B"});
    adam.brokenOffAfter = 2;
    fx.write(QStringLiteral("odpowiedzi.txt"),
             grading::formatAnswersRecord(answersOf(recordOf(fx, tests[0]), {"A", "B", "D"}, {"A", "B", "D"})) +
                 grading::formatAnswersRecord(answersOf(recordOf(fx, tests[1]), {"A", "B", "E"}, {"A", "B", "C"})) +
                 grading::formatAnswersRecord(ewa) + grading::formatAnswersRecord(adam));
}

Wyniki& openWindow(windows::Wiedo& main) {
    main.wynikiAnaliza->trigger();
    return ui::forms().get<Wyniki>();
}

QString column(const Wyniki& w, int column) {
    QStringList cells;
    for (int row = 0; row < w.shown->rowCount(); ++row)
        cells << w.shown->index(row, column).data().toString();
    return cells.join(u',');
}

void choose(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box->setCurrentIndex(index);
}

void closeWindow(Wyniki& w) { QTest::mouseClick(w.closeButton, Qt::LeftButton); }

}  // namespace

class tst_ResultsWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }

    void filtersNarrowRowsAndFigures_data();
    void filtersNarrowRowsAndFigures();
    void damagedRecordIsListed();
    void gate_data();
    void gate();
    void regradedUnderCurrentKey();
    void exportWritesRowsShown();
    void questionOpensInEditor();
};

void tst_ResultsWindow::filtersNarrowRowsAndFigures_data() {
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("set");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("surnames");
    QTest::addColumn<QString>("counts");
    QTest::addColumn<QString>("meanAndMedian");
    // Mazur's broken-off test is listed but counts in no figure.
    QTest::newRow("everything") << "" << "" << QDate() << QDate() << "Kowalski,Nowak,Wiśniewski,Zielińska,Lis,Mazur"
                                << "1,1,1,0,1,1" << "Średnia ocen: 3,4.\nMediana ocen: 3,0.\nŚredni wynik: 60,0%";
    QTest::newRow("one_class") << "3A" << "" << QDate() << QDate() << "Kowalski,Nowak,Lis" << "1,0,1,0,1,0"
                               << "Średnia ocen: 3,0.\nMediana ocen: 3,0.";
    QTest::newRow("one_set") << "" << "b.kwz" << QDate() << QDate() << "Zielińska,Lis" << "1,0,0,0,0,1"
                             << "Średnia ocen: 3,5.\nMediana ocen: 3,5.";
    QTest::newRow("date_range_over_new_year") << "" << "" << QDate(2026, 12, 1) << QDate(2027, 1, 2)
                                              << "Wiśniewski,Zielińska" << "0,1,0,0,0,1"
                                              << "Średnia ocen: 4,0.\nMediana ocen: 4,0.";
    QTest::newRow("class_and_set_with_no_test") << "3B" << "b.kwz" << QDate(2026, 9, 1) << QDate(2026, 9, 30)
                                                << "" << "0,0,0,0,0,0" << "Średnia ocen: —.\nMediana ocen: —.";
}

void tst_ResultsWindow::filtersNarrowRowsAndFigures() {
    QFETCH(QString, className);
    QFETCH(QString, set);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    windows::Wiedo& main = start(fx);
    writeLogs(fx);
    Wyniki& w = openWindow(main);
    QVERIFY(w.isVisible() && !w.isShowingModal());
    if (!className.isEmpty())
        choose(w.classBox, className);
    if (!set.isEmpty())
        choose(w.setBox, set);
    if (from.isValid()) {
        w.datesBox->setChecked(true);
        w.fromDate->setDate(from);
        w.toDate->setDate(to);
    }
    // In date order, the year's turn included: the dates sort as dates, not as their dd.MM.yyyy texts.
    QTEST(column(w, analysis::ResultsModel::Surname), "surnames");
    QStringList counts;
    for (const windows::BarChart::Bar& bar : w.gradeChart->bars())
        counts << QString::number(bar.value);
    QTEST(counts.join(u','), "counts");
    QFETCH(QString, meanAndMedian);
    QVERIFY2(w.figuresLabel->text().contains(meanAndMedian), qPrintable(w.figuresLabel->text()));
    closeWindow(w);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_ResultsWindow::damagedRecordIsListed() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    windows::Wiedo& main = start(fx);
    // A record cut short after its class line, as a crash in the middle of a copy could leave it.
    writeLogs(fx, "\r\r\nImie  Adam\r\nNazwisko Mazur\r\nKlasa 3C\r\n");
    Wyniki& w = openWindow(main);
    QCOMPARE(w.results->rowCount(), tests.size() + 1);
    QCOMPARE(w.faultsList->count(), 1);
    QCOMPARE(w.faultsList->item(0)->text(),
             QStringLiteral("wiersz 54: wpis z wiersza 52 pominięty: wpis urywa się na końcu pliku"));
    QVERIFY(w.faultsList->isVisibleTo(&w));
    closeWindow(w);
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_ResultsWindow::gate_data() {
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QString>("typed");  // "" for Cancel
    QTest::addColumn<bool>("opens");
    QTest::newRow("no_password_stored") << QByteArray() << "" << true;
    QTest::newRow("right_password") << QByteArray("Tajne") << "Tajne" << true;
    QTest::newRow("wrong_password") << QByteArray("Tajne") << "tajne" << false;
    QTest::newRow("cancelled") << QByteArray("Tajne") << "" << false;
}

void tst_ResultsWindow::gate() {
    QFETCH(QByteArray, password);
    QFETCH(QString, typed);
    QFETCH(bool, opens);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    windows::Wiedo& main = start(fx);
    writeLogs(fx);
    fx.write(QStringLiteral("Wiedo.cfg"), "\"" + password + "\"\r\n");
    if (!password.isEmpty())
        dialogs.expectInput(gatePrompt, gateTitle, typed.isEmpty() ? std::nullopt : std::optional<QString>(typed));
    if (!typed.isEmpty() && typed != QString::fromLatin1(password))
        dialogs.expectMessage(QStringLiteral("Złe hasło !!!"), QStringLiteral("Złe hasło"), Icon::Exclamation);
    main.wynikiAnaliza->trigger();
    WIEDO_VERIFY_DIALOGS(dialogs);
    ui::Form* shown = ui::forms().findLoaded(Wyniki::formName);
    QCOMPARE(shown != nullptr && shown->isVisible(), opens);
    if (opens)
        closeWindow(*static_cast<Wyniki*>(shown));
    QCOMPARE(fx.leftovers(), QString());
}

void tst_ResultsWindow::regradedUnderCurrentKey() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    windows::Wiedo& main = start(fx);
    writeLogs(fx);
    fx.write(QStringLiteral("ptk.ptk"), "5,4,3,2,1,0\r\n");
    Wyniki& w = openWindow(main);
    QCOMPARE(w.shown->columnCount(), analysis::ResultsModel::plainColumns);
    w.currentKeyBox->click();
    QCOMPARE(w.shown->headerData(analysis::ResultsModel::PointsNow, Qt::Horizontal).toString(),
             QStringLiteral("Punkty teraz"));
    // Jan answered D where the key now says C: two points, and 2 points are a 3 on this scale. Anna's key
    // has not changed since, and the other tests have no answers to judge again.
    QCOMPARE(column(w, analysis::ResultsModel::PointsNow), QStringLiteral("2,—,—,—,—,—"));
    QCOMPARE(column(w, analysis::ResultsModel::GradeNow), QStringLiteral("3,—,—,—,—,—"));
    QCOMPARE(column(w, analysis::ResultsModel::Points), QStringLiteral("3,2,1,3,0,1"));
    QCOMPARE(column(w, analysis::ResultsModel::Grade), QStringLiteral("5,3,2,6,1,przerwany"));
    QCOMPARE(column(w, analysis::ResultsModel::WindowLeft), QStringLiteral(",,,2,,"));
    w.currentKeyBox->click();
    QCOMPARE(w.shown->columnCount(), analysis::ResultsModel::plainColumns);
    closeWindow(w);
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_ResultsWindow::exportWritesRowsShown() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    windows::Wiedo& main = start(fx);
    writeLogs(fx);
    Wyniki& w = openWindow(main);
    choose(w.classBox, QStringLiteral("3B"));
    const QString target = fx.path(QStringLiteral("klasa 3B"));
    dialogs.expectSaveFile(QStringLiteral("Eksportuj wyniki do pliku CSV"),
                           QStringLiteral("Pliki CSV ( *.csv )|*.csv|Wszystkie pliki ( *.* )|*.*"), target);
    QTest::mouseClick(w.exportButton, Qt::LeftButton);
    WIEDO_VERIFY_DIALOGS(dialogs);
    const QByteArray expected = QByteArray("\xEF\xBB\xBF") +
                                "Imię;Nazwisko;Klasa;Data;Godzina;Plik z testami;Punkty;Pytania;Ocena\r\n" +
                                "Piotr;Wiśniewski;3B;2026-12-01;10:00:00;" + fx.root().toUtf8() +
                                "/zestawy/a.kwz;1;3;2\r\n" + "Ewa;Zielińska;3B;2027-01-02;10:00:00;" +
                                fx.root().toUtf8() + "/zestawy/b.kwz;3;3;6\r\n";
    QCOMPARE(fx.read(QStringLiteral("klasa 3B.csv")), expected);
    closeWindow(w);
}

void tst_ResultsWindow::questionOpensInEditor() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    windows::Wiedo& main = start(fx);
    writeLogs(fx);
    Wyniki& w = openWindow(main);
    w.tabs->setCurrentIndex(1);
    QCOMPARE(w.analysedSetBox->currentText(), QStringLiteral("a.kwz"));
    QCOMPARE(w.questionsSorted->rowCount(), 3);
    // Sorted by facility the third question, which Jan and Anna both missed, comes first.
    w.questionsView->sortByColumn(analysis::QuestionsModel::Facility, Qt::AscendingOrder);
    const QModelIndex hardest = w.questionsSorted->index(0, analysis::QuestionsModel::Text);
    QCOMPARE(hardest.data().toString(), QStringLiteral("Pytanie 3"));
    fx.write(QStringLiteral("Wiedo.cfg"), "\"Tajne\"\r\n");
    dialogs.expectInput(gatePrompt, gateTitle, QStringLiteral("Tajne"));
    QString onScreen;
    ui::forms().queueModalScript(windows::NoweWiedo::formName, [&](ui::Form& editor) {
        auto& e = static_cast<windows::NoweWiedo&>(editor);
        onScreen = e.Label11->text() + u' ' + e.Text1->text();
        e.Hide();
    });
    w.questionsView->setCurrentIndex(hardest);
    QTest::keyClick(w.questionsView, Qt::Key_Return);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(onScreen, QStringLiteral("3 Pytanie 3"));
    closeWindow(w);
}

QTEST_MAIN(tst_ResultsWindow)
#include "tst_results_window.moc"
