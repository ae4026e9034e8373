#include "bridges/results_csv.h"

#include "bridges/lines.h"
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

// A place in the log: the line that begins at byte `at`, the line `index` (from 0). The log's lines end
// as every text's do (lines.h), so that an editor's LF, a lone CR and the record's own first line, a lone
// CR written with CR LF, each end one line. The lines are decoded one at a time as they are read, so the
// log costs no more memory than its bytes.
struct Place {
    qsizetype at = 0;
    qsizetype index = 0;
};

class Lines {
public:
    explicit Lines(QByteArrayView bytes) : bytes_(bytes) {}

    bool atEnd(Place p) const { return p.at >= bytes_.size(); }
    QString text(Place p) const
    {
        const qsizetype end = nextLineEnd(bytes_, p.at);
        return platform::decode1250(bytes_.data() + p.at, end - p.at);
    }
    Place next(Place p) const
    {
        const qsizetype end = nextLineEnd(bytes_, p.at);
        return {end < bytes_.size() ? end + lineEndLength(bytes_, end) : end, p.index + 1};
    }

private:
    QByteArrayView bytes_;
};

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
    RecordReader(const Lines& lines, Place first) : lines_(lines), at_(first) {}

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
            return fault(taken_, QStringLiteral("niepoprawna data „%1” (oczekiwano mm-dd-rrrr)").arg(dateText));
        if (!take(timeLine, &timeText, QStringLiteral("godziny („Godzina : gg:mm:ss”)")))
            return std::nullopt;
        const std::optional<QTime> time = timeOf(timeText);
        if (!time)
            return fault(taken_, QStringLiteral("niepoprawna godzina „%1” (oczekiwano gg:mm:ss)").arg(timeText));
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
            return fault(taken_, QStringLiteral("niepoprawny wiersz punktów „%1”").arg(points));
        r.pointsText = points.left(digits);
        r.questionCountText = count.toString();
        if (!lines_.atEnd(at_)) {
            const QString line = lines_.text(at_);
            if (line.startsWith(gradeLine)) {
                const QStringView grade = QStringView(line).mid(gradeLine.size());
                if (grade.size() != 1 || grade[0] < u'1' || grade[0] > u'6')
                    return fault(at_, QStringLiteral("niepoprawna ocena „%1” (oczekiwano cyfry od 1 do 6)")
                                          .arg(grade.toString()));
                r.grade = grade[0].unicode() - u'0';
                at_ = lines_.next(at_);
            }
        }
        if (lines_.atEnd(at_))
            return cut();
        if (lines_.text(at_) != separatorLine)
            return fault(at_, QStringLiteral("brak wiersza gwiazdek kończącego wpis"));
        at_ = lines_.next(at_);
        return r;
    }

    Place at() const { return at_; }
    std::optional<LogFault> failure() const { return failure_; }

private:
    bool take(const QString& start, QString* rest, const QString& what)
    {
        if (lines_.atEnd(at_)) {
            cut();
            return false;
        }
        const QString line = lines_.text(at_);
        if (!line.startsWith(start)) {
            fault(at_, QStringLiteral("brak wiersza %1").arg(what));
            return false;
        }
        *rest = line.mid(start.size());
        taken_ = at_;
        at_ = lines_.next(at_);
        return true;
    }

    std::nullopt_t fault(Place line, const QString& what)
    {
        failure_ = LogFault{line.index + 1, what};
        at_ = line;
        return std::nullopt;
    }

    std::nullopt_t cut()
    {
        failure_ = LogFault{at_.index, QStringLiteral("wpis urywa się na końcu pliku")};
        return std::nullopt;
    }

    const Lines& lines_;
    Place at_;
    Place taken_;  // the line taken last
    std::optional<LogFault> failure_;
};

}  // namespace

ResultsLog parseResultsLog(QByteArrayView bytes)
{
    ResultsLog log;
    const Lines lines(bytes);
    Place i;
    qsizetype strayFrom = -1;  // the first line of a run of lines that belong to no record
    bool inDamaged = false;    // the rest of a record already reported is not reported again
    const auto endStray = [&] {
        if (strayFrom >= 0)
            log.faults.append({strayFrom + 1, QStringLiteral("tekst poza wpisem, pominięty")});
        strayFrom = -1;
    };
    while (!lines.atEnd(i)) {
        const QString line = lines.text(i);
        // Between records only the lone CR that starts one, or what an editor left of it.
        if (isBlankLine(line)) {
            endStray();
            inDamaged = false;
            i = lines.next(i);
            continue;
        }
        if (!line.startsWith(firstNameLine)) {
            if (strayFrom < 0 && !inDamaged)
                strayFrom = i.index;
            i = lines.next(i);
            continue;
        }
        endStray();
        inDamaged = false;
        const Place start = i;
        RecordReader reader(lines, i);
        if (std::optional<ResultRecord> record = reader.read()) {
            log.records.append(*record);
        } else {
            LogFault fault = *reader.failure();
            fault.what = QStringLiteral("wpis z wiersza %1 pominięty: %2").arg(start.index + 1).arg(fault.what);
            log.faults.append(fault);
            inDamaged = true;
        }
        // A fault stops at the line that showed it, which may begin the next record; never stay put.
        i = reader.at().index > start.index ? reader.at() : lines.next(start);
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
