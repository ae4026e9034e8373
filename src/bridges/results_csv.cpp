#include "bridges/results_csv.h"

#include "platform/codepage.h"

#include <QDate>
#include <QTime>

#include <algorithm>
#include <optional>

namespace bridges {

using grading::ResultRecord;

namespace {

// The fixed starts of the record's lines, as formatResultRecord writes them.
const QString firstNameLine = QStringLiteral("Imie  ");
const QString surnameLine = QStringLiteral("Nazwisko ");
const QString classLine = QStringLiteral("Klasa ");
const QString dateLine = QStringLiteral("Data : ");
const QString timeLine = QStringLiteral("Godzina : ");
const QString setLine = QStringLiteral("Plik z testami : ");
const QString pointsLine = QStringLiteral(" Liczba punktów ");
const QString pointsJoint = QStringLiteral("  na ");
const QString gradeLine = QStringLiteral("Ocena : ");
const QString separatorLine = QStringLiteral(" ") + QString(45, u'*');

// The log's lines. A line ends at LF; the CR before it belongs to the line end, so the record's first
// line, a lone CR written with CR LF, reads as "\r", and the same line after an editor's clean-up as "".
QList<QString> linesOf(QByteArrayView bytes)
{
    QList<QString> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const bool ended = end >= 0;
        if (!ended)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(start, end - start);
        if (ended && line.endsWith('\r'))
            line.chop(1);
        lines << platform::decode1250(line.data(), line.size());
        start = end + 1;
    }
    return lines;
}

bool isBlankLine(const QString& line)
{
    for (const QChar c : line)
        if (c != u' ' && c != u'\t' && c != u'\r')
            return false;
    return true;
}

bool allDigits(QStringView text)
{
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

int number(QStringView digits)
{
    int value = 0;
    for (const QChar c : digits)
        value = value * 10 + (c.unicode() - u'0');
    return value;
}

// "mm-dd-yyyy", a real day.
std::optional<QDate> dateOf(QStringView text)
{
    if (text.size() != 10 || text[2] != u'-' || text[5] != u'-' || !allDigits(text.mid(0, 2))
        || !allDigits(text.mid(3, 2)) || !allDigits(text.mid(6, 4)))
        return std::nullopt;
    const QDate date(number(text.mid(6, 4)), number(text.mid(0, 2)), number(text.mid(3, 2)));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// "hh:mm:ss" on a 24-hour clock.
std::optional<QTime> timeOf(QStringView text)
{
    if (text.size() != 8 || text[2] != u':' || text[5] != u':' || !allDigits(text.mid(0, 2))
        || !allDigits(text.mid(3, 2)) || !allDigits(text.mid(6, 2)))
        return std::nullopt;
    const QTime time(number(text.mid(0, 2)), number(text.mid(3, 2)), number(text.mid(6, 2)));
    if (!time.isValid())
        return std::nullopt;
    return time;
}

// Reads one record from `first`, the line after its lone CR (or the line that starts it without one).
// Returns the index of the line after the record, or the fault; a fault leaves the caller at the line
// where it showed, which may start the next record.
class RecordReader {
public:
    RecordReader(const QList<QString>& lines, qsizetype first) : lines_(lines), at_(first) {}

    std::optional<ResultRecord> read()
    {
        ResultRecord r;
        QString dateText;
        QString timeText;
        QString points;
        if (!take(firstNameLine, &r.firstName, QStringLiteral("imienia („Imie  …”)"))
            || !take(surnameLine, &r.surname, QStringLiteral("nazwiska („Nazwisko …”)"))
            || !take(classLine, &r.className, QStringLiteral("klasy („Klasa …”)"))
            || !take(dateLine, &dateText, QStringLiteral("daty („Data : mm-dd-rrrr”)")))
            return std::nullopt;
        const std::optional<QDate> date = dateOf(dateText);
        if (!date)
            return fault(at_ - 1, QStringLiteral("niepoprawna data „%1” (oczekiwano mm-dd-rrrr)").arg(dateText));
        if (!take(timeLine, &timeText, QStringLiteral("godziny („Godzina : gg:mm:ss”)")))
            return std::nullopt;
        const std::optional<QTime> time = timeOf(timeText);
        if (!time)
            return fault(at_ - 1, QStringLiteral("niepoprawna godzina „%1” (oczekiwano gg:mm:ss)").arg(timeText));
        r.when = QDateTime(*date, *time, Qt::UTC);
        if (!take(setLine, &r.setPath, QStringLiteral("pliku z testami („Plik z testami : …”)"))
            || !take(pointsLine, &points, QStringLiteral("punktów („ Liczba punktów … na …”)")))
            return std::nullopt;
        // The points and the question count are counters of the main window: digits, the count empty
        // when the set held no question.
        qsizetype digits = 0;
        while (digits < points.size() && points[digits] >= u'0' && points[digits] <= u'9')
            ++digits;
        const QStringView count = QStringView(points).mid(digits + pointsJoint.size());
        if (digits == 0 || !QStringView(points).mid(digits).startsWith(pointsJoint) || !allDigits(count))
            return fault(at_ - 1, QStringLiteral("niepoprawny wiersz punktów „%1”").arg(points));
        r.pointsText = points.left(digits);
        r.questionCountText = count.toString();
        if (at_ < lines_.size() && lines_[at_].startsWith(gradeLine)) {
            const QStringView grade = QStringView(lines_[at_]).mid(gradeLine.size());
            if (grade.size() != 1 || grade[0] < u'1' || grade[0] > u'6')
                return fault(at_, QStringLiteral("niepoprawna ocena „%1” (oczekiwano cyfry od 1 do 6)")
                                      .arg(grade.toString()));
            r.grade = grade[0].unicode() - u'0';
            ++at_;
        }
        if (at_ >= lines_.size())
            return cut();
        if (lines_[at_] != separatorLine)
            return fault(at_, QStringLiteral("brak wiersza gwiazdek kończącego wpis"));
        ++at_;
        return r;
    }

    qsizetype at() const { return at_; }
    std::optional<LogFault> failure() const { return failure_; }

private:
    bool take(const QString& start, QString* rest, const QString& what)
    {
        if (at_ >= lines_.size()) {
            cut();
            return false;
        }
        if (!lines_[at_].startsWith(start)) {
            fault(at_, QStringLiteral("brak wiersza %1").arg(what));
            return false;
        }
        *rest = lines_[at_].mid(start.size());
        ++at_;
        return true;
    }

    std::nullopt_t fault(qsizetype line, const QString& what)
    {
        failure_ = LogFault{line + 1, what};
        at_ = line;
        return std::nullopt;
    }

    std::nullopt_t cut()
    {
        failure_ = LogFault{lines_.size(), QStringLiteral("wpis urywa się na końcu pliku")};
        at_ = lines_.size();
        return std::nullopt;
    }

    const QList<QString>& lines_;
    qsizetype at_;
    std::optional<LogFault> failure_;
};

}  // namespace

ResultsLog parseResultsLog(QByteArrayView bytes)
{
    ResultsLog log;
    const QList<QString> lines = linesOf(bytes);
    qsizetype i = 0;
    qsizetype strayFrom = -1;  // the first line of a run of lines that belong to no record
    bool inDamaged = false;    // the rest of a record already reported is not reported again
    const auto endStray = [&] {
        if (strayFrom >= 0)
            log.faults.append({strayFrom + 1, QStringLiteral("tekst poza wpisem, pominięty")});
        strayFrom = -1;
    };
    while (i < lines.size()) {
        // Between records only the lone CR that starts one, or what an editor left of it.
        if (isBlankLine(lines[i])) {
            endStray();
            inDamaged = false;
            ++i;
            continue;
        }
        if (!lines[i].startsWith(firstNameLine)) {
            if (strayFrom < 0 && !inDamaged)
                strayFrom = i;
            ++i;
            continue;
        }
        endStray();
        inDamaged = false;
        const qsizetype start = i;
        RecordReader reader(lines, i);
        if (std::optional<ResultRecord> record = reader.read()) {
            log.records.append(*record);
        } else {
            LogFault fault = *reader.failure();
            fault.what = QStringLiteral("wpis z wiersza %1 pominięty: %2").arg(start + 1).arg(fault.what);
            log.faults.append(fault);
            inDamaged = true;
        }
        // A fault stops at the line that showed it, which may begin the next record; never stay put.
        i = std::max(reader.at(), start + 1);
    }
    endStray();
    return log;
}

QByteArray tableField(const QString& text)
{
    QString field = text;
    // A spreadsheet takes a cell starting with one of these for a formula (blanks before it do not
    // stop it): a student's name must stay a name.
    qsizetype first = 0;
    while (first < field.size() && (field[first] == u' ' || field[first] == u'\t'))
        ++first;
    static const QString formulaStarts = QStringLiteral("=+-@\t\r\n");
    if (first < field.size() && formulaStarts.contains(field[first]))
        field.prepend(u'\'');
    if (field.contains(u';') || field.contains(u'"') || field.contains(u'\r') || field.contains(u'\n')
        || field.contains(u'\t')) {
        field.replace(u'"', QStringLiteral("\"\""));
        field = u'"' + field + u'"';
    }
    return field.toUtf8();
}

QByteArray resultsTable(const QList<ResultRecord>& records)
{
    QByteArray table("\xEF\xBB\xBF");
    const auto row = [&table](const QList<QString>& fields) {
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i > 0)
                table += ';';
            table += tableField(fields[i]);
        }
        table += "\r\n";
    };
    row({QStringLiteral("Imię"), QStringLiteral("Nazwisko"), QStringLiteral("Klasa"), QStringLiteral("Data"),
         QStringLiteral("Godzina"), QStringLiteral("Plik z testami"), QStringLiteral("Punkty"),
         QStringLiteral("Pytania"), QStringLiteral("Ocena")});
    for (const ResultRecord& r : records)
        row({r.firstName, r.surname, r.className, r.when.date().toString(Qt::ISODate),
             r.when.time().toString(QStringLiteral("HH:mm:ss")), r.setPath, r.pointsText, r.questionCountText,
             r.grade ? QString::number(*r.grade) : QString()});
    return table;
}

}  // namespace bridges
