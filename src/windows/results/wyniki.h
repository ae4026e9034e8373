#pragma once
// The teacher's window of results: every record of the results log in a table that can be sorted and
// narrowed to a class, a set and a range of dates, with the grades of the rows shown as a chart and in
// figures; beside them the tests broken off and never graded, and the times each test's window was left; the records regraded under a changed key; and, from the answers log, each question's facility,
// discrimination and answer shares. Not modal: the teacher keeps it open beside the main window.
#include "analysis/results_table.h"
#include "ui/form.h"
#include "windows/results/bar_chart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

namespace windows {

class Wyniki : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("Wyniki");
    Wyniki();
    void Form_Load() override;

    // Reads the results and answers logs of the program folder again and shows them.
    void reload();
    // The rows shown: the filter's choices taken, the table, the chart and the figures brought up to date.
    void applyFilter();
    void currentKeyToggled(bool shown);
    void exportCsv();
    void printResults();
    // The analysis tab: the chosen set's questions over the answers records that pass its filter.
    void analyseSet();
    // A question of the analysis opened in the question editor, behind the teacher's gate.
    void editQuestion(const QModelIndex& index);

    QString programFolder() const;

    QTabWidget* tabs;
    // ---- "Wyniki"
    QComboBox* classBox;
    QComboBox* setBox;
    QCheckBox* datesBox;
    QDateEdit* fromDate;
    QDateEdit* toDate;
    QCheckBox* currentKeyBox;
    QTableView* resultsView;
    analysis::ResultsModel* results;
    analysis::ResultsFilterModel* shown;
    BarChart* gradeChart;
    QLabel* figuresLabel;
    QLabel* faultsLabel;
    QListWidget* faultsList;
    QLabel* noteLabel;
    QPushButton* exportButton;
    QPushButton* printButton;
    // ---- "Analiza pytań"
    QComboBox* analysedSetBox;
    QComboBox* analysedClassBox;
    QCheckBox* analysedDatesBox;
    QDateEdit* analysedFrom;
    QDateEdit* analysedTo;
    QTableView* questionsView;
    analysis::QuestionsModel* questions;
    QSortFilterProxyModel* questionsSorted;
    QLabel* summaryLabel;
    BarChart* facilityChart;
    // ---- both
    QPushButton* refreshButton;
    QPushButton* closeButton;

private:
    QWidget* makeResultsTab();
    QWidget* makeAnalysisTab();
    void regrade();
    analysis::AnswersLog answers_;
    QString answersProblem_;  // why the answers log could not be read; empty when it was (or is missing)
    bool answersMissing_ = false;
};

}  // namespace windows
