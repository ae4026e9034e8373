#include "analysis/results_table.h"

#include "platform/errors.h"
#include "questionset/questionset.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <map>

namespace analysis {

namespace {

const QString dash = QStringLiteral("—");

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString optionalDecimal(const std::optional<double>& value) { return value ? decimalText(*value) : dash; }

QVariant optionalNumber(const std::optional<double>& value) { return value ? QVariant(*value) : QVariant(); }

// The program finds files whatever their letter case, so one set may be written both ways in the logs.
bool samePath(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QString questionsInSet(const QString& path) {
    try {
        if (questionset::checkHeader(path))
            return QString::number(questionset::countQuestions(path));
    } catch (const platform::FileError&) {
    }
    return dash;
}

}  // namespace

QString decimalText(double value) {
    QString text = QString::number(value, 'f', 1);
    if (text == QLatin1String("-0.0"))
        text = QStringLiteral("0.0");
    return text.replace(u'.', u',');
}

std::optional<int> pointsOf(const grading::ResultRecord& record) { return wholeNumber(record.pointsText); }
std::optional<int> questionsOf(const grading::ResultRecord& record) {
    return wholeNumber(record.questionCountText);
}

// ---- ResultsModel -------------------------------------------------------------------------------------

ResultsModel::ResultsModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultsModel::setRecords(QList<grading::ResultRecord> records) {
    beginResetModel();
    records_ = std::move(records);
    graded_ = records_.size();
    regraded_.clear();
    windowLeft_.clear();
    endResetModel();
}

void ResultsModel::addAnswers(const AnswersLog& answers) {
    beginResetModel();
    records_.resize(graded_);
    windowLeft_.clear();
    for (const AnsweredTest* test : matchingAnswers(records_, answers))
        windowLeft_ << (test ? test->answers.windowLeft : 0);
    records_ << brokenOffRecords(answers);
    for (const AnsweredTest& test : answers.tests)
        if (test.answers.brokenOffAfter)
            windowLeft_ << test.answers.windowLeft;
    endResetModel();
}

void ResultsModel::setRegraded(QList<std::optional<Regraded>> regraded) {
    regraded_ = std::move(regraded);
    if (showCurrent_ && !records_.isEmpty())
        emit dataChanged(index(0, PointsNow), index(rowCount() - 1, GradeNow));
}

void ResultsModel::showCurrentKey(bool shown) {
    if (shown == showCurrent_)
        return;
    if (shown) {
        beginInsertColumns({}, PointsNow, GradeNow);
        showCurrent_ = true;
        endInsertColumns();
    } else {
        beginRemoveColumns({}, PointsNow, GradeNow);
        showCurrent_ = false;
        endRemoveColumns();
    }
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(records_.size());
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return showCurrent_ ? GradeNow + 1 : plainColumns;
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= records_.size())
        return {};
    const grading::ResultRecord& r = records_.at(index.row());
    const Regraded* now = index.row() < regraded_.size() && regraded_.at(index.row()) ? &*regraded_.at(index.row())
                                                                                      : nullptr;
    const bool display = role == Qt::DisplayRole || role == Qt::AccessibleTextRole;
    if (role == Qt::ToolTipRole && index.column() == Set)
        return r.setPath;
    if (role == Qt::TextAlignmentRole && index.column() >= Date && index.column() != Set)
        return QVariant(Qt::AlignCenter);
    if (!display && role != sortRole)
        return {};
    switch (index.column()) {
    case FirstName:
        return r.firstName;
    case Surname:
        return r.surname;
    case Class:
        return r.className;
    case Date:
        return display ? QVariant(r.when.date().toString(QStringLiteral("dd.MM.yyyy"))) : QVariant(r.when.date());
    case Time:
        return display ? QVariant(r.when.time().toString(QStringLiteral("HH:mm:ss"))) : QVariant(r.when.time());
    case Set: {
        const QString name = QFileInfo(QString(r.setPath).replace(u'\\', u'/')).fileName();
        return display ? name : name.toLower();
    }
    case Points:
        if (role == sortRole)
            return pointsOf(r) ? QVariant(*pointsOf(r)) : QVariant(-1);
        return r.pointsText;
    case Questions:
        if (role == sortRole)
            return questionsOf(r) ? QVariant(*questionsOf(r)) : QVariant(-1);
        return r.questionCountText;
    case Grade:
        if (role == sortRole)
            return r.grade.value_or(isBrokenOff(index.row()) ? -1 : 0);
        return r.grade ? QString::number(*r.grade) : isBrokenOff(index.row()) ? QStringLiteral("przerwany") : dash;
    case WindowLeft: {
        const int left = windowLeft_.value(index.row());
        if (role == sortRole)
            return left;
        return left > 0 ? QString::number(left) : QString();
    }
    case PointsNow:
        if (role == sortRole)
            return now ? now->points : -1;
        return now ? QString::number(now->points) : dash;
    case GradeNow:
        if (role == sortRole)
            return now && now->grade ? *now->grade : 0;
        return now && now->grade ? QString::number(*now->grade) : dash;
    default:
        return {};
    }
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList names{
        QStringLiteral("Imię"),  QStringLiteral("Nazwisko"), QStringLiteral("Klasa"),
        QStringLiteral("Data"),  QStringLiteral("Godzina"),  QStringLiteral("Zestaw"),
        QStringLiteral("Punkty"), QStringLiteral("Pytania"), QStringLiteral("Ocena"),
        QStringLiteral("Opuszczenia okna"), QStringLiteral("Punkty teraz"), QStringLiteral("Ocena teraz")};
    return section >= 0 && section < names.size() ? QVariant(names.at(section)) : QVariant();
}

// ---- filtering ----------------------------------------------------------------------------------------

bool RecordFilter::accepts(const QString& recordClass, const QString& recordSet, const QDate& date) const {
    if (className && recordClass != *className)
        return false;
    if (!setPath.isEmpty() && !samePath(recordSet, setPath))
        return false;
    if (from && date < *from)
        return false;
    if (to && date > *to)
        return false;
    return true;
}

ResultsFilterModel::ResultsFilterModel(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(analysis::sortRole);
    setSortLocaleAware(true);
}

void ResultsFilterModel::setFilter(const RecordFilter& filter) {
    filter_ = filter;
    invalidateRowsFilter();
}

bool ResultsFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const auto* model = static_cast<const ResultsModel*>(sourceModel());
    const grading::ResultRecord& r = model->record(sourceRow);
    return filter_.accepts(r.className, r.setPath, r.when.date());
}

QList<grading::ResultRecord> ResultsFilterModel::shownRecords() const {
    const auto* model = static_cast<const ResultsModel*>(sourceModel());
    QList<grading::ResultRecord> shown;
    shown.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row) {
        const int source = mapToSource(index(row, 0)).row();
        if (!model->isBrokenOff(source))
            shown << model->record(source);
    }
    return shown;
}

// ---- figures ------------------------------------------------------------------------------------------

GradeFigures gradeFigures(const QList<grading::ResultRecord>& records) {
    GradeFigures figures;
    QList<int> grades;
    double shareSum = 0;
    qsizetype shares = 0;
    for (const grading::ResultRecord& r : records) {
        if (r.grade && *r.grade >= 1 && *r.grade <= 6) {
            ++figures.counts[static_cast<std::size_t>(*r.grade - 1)];
            grades << *r.grade;
        }
        const std::optional<int> points = pointsOf(r);
        const std::optional<int> questions = questionsOf(r);
        if (points && questions && *questions > 0) {
            shareSum += 100.0 * *points / *questions;
            ++shares;
        }
    }
    figures.graded = grades.size();
    if (!grades.isEmpty()) {
        std::sort(grades.begin(), grades.end());
        double sum = 0;
        for (int g : grades)
            sum += g;
        figures.mean = sum / grades.size();
        const qsizetype middle = grades.size() / 2;
        figures.median = grades.size() % 2 ? grades.at(middle) : (grades.at(middle - 1) + grades.at(middle)) / 2.0;
    }
    if (shares > 0)
        figures.meanShare = shareSum / shares;
    return figures;
}

QStringList classesOf(const QList<grading::ResultRecord>& records) {
    QStringList classes;
    for (const grading::ResultRecord& r : records)
        classes << r.className;
    classes.removeDuplicates();
    classes.sort(Qt::CaseInsensitive);
    return classes;
}

QStringList setsOf(const QList<grading::ResultRecord>& records) {
    QStringList sets;
    for (const grading::ResultRecord& r : records)
        if (std::none_of(sets.begin(), sets.end(), [&](const QString& s) { return samePath(s, r.setPath); }))
            sets << r.setPath;
    sets.sort(Qt::CaseInsensitive);
    return sets;
}

// ---- regrading ----------------------------------------------------------------------------------------

QList<const AnsweredTest*> matchingAnswers(const QList<grading::ResultRecord>& records, const AnswersLog& answers) {
    // Tests by their moment, so that a long log is not searched whole for every record.
    QMultiHash<QDateTime, const AnsweredTest*> byTime;
    for (const AnsweredTest& test : answers.tests)
        if (!test.answers.brokenOffAfter)
            byTime.insert(test.answers.when, &test);
    QList<const AnsweredTest*> matched;
    matched.reserve(records.size());
    for (const grading::ResultRecord& r : records) {
        const AnsweredTest* found = nullptr;
        for (auto it = byTime.find(r.when); it != byTime.end() && it.key() == r.when; ++it) {
            const grading::TestAnswers& a = (*it)->answers;
            if (a.surname == r.surname && a.firstName == r.firstName && a.className == r.className &&
                samePath(a.setPath, r.setPath))
                found = *it;
        }
        matched << found;
    }
    return matched;
}

QList<grading::ResultRecord> brokenOffRecords(const AnswersLog& answers) {
    QHash<QString, QString> counts;  // by the path as lower case: a set is read once
    QList<grading::ResultRecord> records;
    for (const AnsweredTest& test : answers.tests) {
        const grading::TestAnswers& a = test.answers;
        if (!a.brokenOffAfter)
            continue;
        int good = 0;
        for (qsizetype i = 0; i < std::min(a.ticked.size(), a.key.size()); ++i)
            good += a.ticked.at(i) == a.key.at(i) ? 1 : 0;
        const QString key = a.setPath.toLower();
        if (!counts.contains(key))
            counts.insert(key, questionsInSet(a.setPath));
        records << grading::ResultRecord{a.firstName, a.surname, a.className, a.setPath, QString::number(good),
                                         counts.value(key), std::nullopt, a.when};
    }
    return records;
}

QList<std::optional<Regraded>> regradeAll(const QList<grading::ResultRecord>& records, const AnswersLog& answers,
                                          const grading::Thresholds& scale, QStringList* unreadable) {
    const QList<const AnsweredTest*> matched = matchingAnswers(records, answers);
    std::map<QString, std::optional<SetContents>> sets;  // by the path as lower case
    QList<std::optional<Regraded>> result;
    result.reserve(records.size());
    for (qsizetype i = 0; i < records.size(); ++i) {
        const grading::ResultRecord& r = records.at(i);
        const AnsweredTest* found = matched.at(i);
        if (!found) {
            result << std::nullopt;
            continue;
        }
        const QString key = r.setPath.toLower();
        auto set = sets.find(key);
        if (set == sets.end()) {
            std::optional<SetContents> contents;
            try {
                contents = readSetContents(r.setPath);
            } catch (const platform::FileError&) {
                if (unreadable)
                    *unreadable << r.setPath;
            }
            set = sets.emplace(key, std::move(contents)).first;
        }
        result << (set->second ? regrade(found->answers, *set->second, scale) : std::nullopt);
    }
    return result;
}

// ---- item statistics ----------------------------------------------------------------------------------

QList<const grading::TestAnswers*> chosenTests(const AnswersLog& log, const QString& setPath, const SetContents& set,
                                               const RecordFilter& filter) {
    RecordFilter byClassAndDate = filter;
    byClassAndDate.setPath.clear();
    // Of the very tests `wiedo analysis` takes of the set, those of the class and dates.
    QList<const grading::TestAnswers*> chosen = testsOfSet(log, setPath, set.questions.size());
    chosen.removeIf([&byClassAndDate](const grading::TestAnswers* test) {
        return !byClassAndDate.accepts(test->className, test->setPath, test->when.date());
    });
    return chosen;
}

QuestionsModel::QuestionsModel(QObject* parent) : QAbstractTableModel(parent) {}

void QuestionsModel::setAnalysis(SetContents set, ItemAnalysis analysis) {
    beginResetModel();
    set_ = std::move(set);
    analysis_ = std::move(analysis);
    endResetModel();
}

int QuestionsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(analysis_.questions.size());
}

int QuestionsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns; }

QVariant QuestionsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= analysis_.questions.size())
        return {};
    const QuestionFigures& q = analysis_.questions.at(index.row());
    const int column = index.column();
    const QString text = index.row() < set_.questions.size() ? set_.questions.at(index.row()) : QString();
    if (role == Qt::ToolTipRole && column == Text)
        return text;
    if (role == Qt::ToolTipRole && column == Flags && !q.flags.isEmpty())
        return q.flags.join(u'\n');
    if (role == Qt::TextAlignmentRole && column != Text && column != Flags)
        return QVariant(Qt::AlignCenter);
    const bool display = role == Qt::DisplayRole || role == Qt::AccessibleTextRole;
    if (!display && role != sortRole)
        return {};
    switch (column) {
    case Number:
        return index.row() + 1;
    case Text:
        return display ? QVariant(text.simplified()) : QVariant(text.toLower());
    case Facility:
        return display ? QVariant(decimalText(q.facility)) : QVariant(q.facility);
    case Discrimination:
        return display ? QVariant(optionalDecimal(q.discrimination)) : optionalNumber(q.discrimination);
    case Flags:
        return q.flags.join(QStringLiteral(", "));
    default: {
        const double share = q.ticked.at(static_cast<std::size_t>(column - A));
        return display ? QVariant(decimalText(share)) : QVariant(share);
    }
    }
}

QVariant QuestionsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList names{QStringLiteral("Nr"),     QStringLiteral("Pytanie"), QStringLiteral("Łatwość"),
                                   QStringLiteral("Różnicowanie"), QStringLiteral("A"),  QStringLiteral("B"),
                                   QStringLiteral("C"),      QStringLiteral("D"),       QStringLiteral("E"),
                                   QStringLiteral("Uwagi")};
    return section >= 0 && section < names.size() ? QVariant(names.at(section)) : QVariant();
}

}  // namespace analysis
