#pragma once
// The tables behind the teacher's results window: the records of the results log with their regrading
// under the current key, the filter over them (class, set, date range), the grade figures of the rows
// shown, and the item statistics of a set as a table. Qt Core only, so they are tested without a window.
#include "analysis/answers_reader.h"
#include "analysis/item_analysis.h"
#include "grading/results_log.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QSortFilterProxyModel>
#include <array>
#include <optional>

namespace analysis {

// The role that gives each cell's value for sorting: a date as a QDate, numbers as numbers.
inline constexpr int sortRole = Qt::UserRole + 1;

// "12,5": one decimal place, decimal comma.
QString decimalText(double value);

// A record's points and questions as the log holds them, as numbers; empty when the caption is no number.
std::optional<int> pointsOf(const grading::ResultRecord& record);
std::optional<int> questionsOf(const grading::ResultRecord& record);

// ---- the results log --------------------------------------------------------------------------------

class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        FirstName, Surname, Class, Date, Time, Set, Points, Questions, Grade, WindowLeft, PointsNow, GradeNow
    };
    static constexpr int plainColumns = 10;

    explicit ResultsModel(QObject* parent = nullptr);

    void setRecords(QList<grading::ResultRecord> records);
    // What the answers log adds to the records: each one's times the window was left, from the answers record
    // of the same test, and the tests broken off and never graded, as rows of their own after the records.
    void addAnswers(const AnswersLog& answers);
    // A row of a test broken off and never graded: its Ocena is "przerwany" and it counts in no figure.
    bool isBrokenOff(int row) const { return row >= graded_; }
    // Per record, its points and grade under the current key where that key differs from the test's own;
    // the list runs parallel to the records.
    void setRegraded(QList<std::optional<Regraded>> regraded);
    // With the current key's columns shown, "Punkty teraz" and "Ocena teraz" follow the others.
    void showCurrentKey(bool shown);
    bool currentKeyShown() const { return showCurrent_; }

    const QList<grading::ResultRecord>& records() const { return records_; }
    const grading::ResultRecord& record(int row) const { return records_.at(row); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<grading::ResultRecord> records_;
    QList<std::optional<Regraded>> regraded_;
    QList<int> windowLeft_;  // per row; 0 where the window was never left or no answers record is known
    qsizetype graded_ = 0;   // the rows of the results log; those after them are broken off
    bool showCurrent_ = false;
};

// Which records are shown: no class or an empty set means every one; a date range holds both its ends.
struct RecordFilter {
    std::optional<QString> className;
    QString setPath;
    std::optional<QDate> from;
    std::optional<QDate> to;
    bool accepts(const QString& className, const QString& setPath, const QDate& date) const;
};

class ResultsFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ResultsFilterModel(QObject* parent = nullptr);
    void setFilter(const RecordFilter& filter);
    const RecordFilter& filter() const { return filter_; }
    // The records of graded tests shown, in the order shown; the broken-off tests' rows are left out.
    QList<grading::ResultRecord> shownRecords() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    RecordFilter filter_;
};

// The grades of a set of records: how many got each grade 1–6, the mean and median grade of the graded
// ones, and the mean share of points (percent) of those whose counts are numbers with questions.
struct GradeFigures {
    std::array<qsizetype, 6> counts{};  // counts[0] for grade 1
    qsizetype graded = 0;
    std::optional<double> mean;
    std::optional<double> median;
    std::optional<double> meanShare;
};
GradeFigures gradeFigures(const QList<grading::ResultRecord>& records);

// The distinct classes and sets of the records, sorted for the filter lists.
QStringList classesOf(const QList<grading::ResultRecord>& records);
QStringList setsOf(const QList<grading::ResultRecord>& records);

// Per record, the answers record of the same test (the same names, class, date, time and set), when the
// answers log holds one; tests broken off and never graded match no record.
QList<const AnsweredTest*> matchingAnswers(const QList<grading::ResultRecord>& records, const AnswersLog& answers);

// The tests of the answers log broken off and never graded, as records of the results table with no grade:
// the good answers among those judged for points and the set's count of questions ("—" for a set that cannot
// be read now).
QList<grading::ResultRecord> brokenOffRecords(const AnswersLog& answers);

// Each record regraded under the set's current key and the scale, when the answers log holds the same test
// (the same names, class, date, time and set); the sets are read once each. A set that
// cannot be read leaves its tests as they were and is named in `unreadable`.
QList<std::optional<Regraded>> regradeAll(const QList<grading::ResultRecord>& records, const AnswersLog& answers,
                                          const grading::Thresholds& scale, QStringList* unreadable = nullptr);

// ---- item statistics ----------------------------------------------------------------------------------

// The tests of the answers log that pass the filter (its class and dates; its set is ignored) and that
// `wiedo analysis` takes of the set at `setPath`; like testsOfSet, they stand in `log`.
QList<const grading::TestAnswers*> chosenTests(const AnswersLog& log, const QString& setPath, const SetContents& set,
                                              const RecordFilter& filter);

class QuestionsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Text, Facility, Discrimination, A, B, C, D, E, Flags };
    static constexpr int columns = 10;

    explicit QuestionsModel(QObject* parent = nullptr);
    void setAnalysis(SetContents set, ItemAnalysis analysis);
    const ItemAnalysis& analysis() const { return analysis_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    SetContents set_;
    ItemAnalysis analysis_;
};

}  // namespace analysis
