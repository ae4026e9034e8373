// The results log: the exact bytes of a record, Polish texts in Windows-1250, a date that ignores the
// regional settings, and a log that only ever grows.
#include "support/test_files.h"
#include "support/failure_of.h"
#include "grading/results_log.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "support/program_fixture.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

using grading::ResultRecord;
using platform::FileError;
using platform::files;
using testsupport::cp1250;

namespace {

using testsupport::failureOf;

ResultRecord sample()
{
    ResultRecord r;
    r.firstName = QStringLiteral("Jan");
    r.surname = QStringLiteral("Kowalski");
    r.className = QStringLiteral("3B");
    r.setPath = QStringLiteral("c:\\testy\\historia.kwz");
    r.pointsText = QStringLiteral("28");
    r.questionCountText = QStringLiteral("40");
    r.grade = 4;
    r.when = QDateTime(QDate(2003, 5, 21), QTime(14, 7, 59));
    return r;
}

const QByteArray sampleWithGrade = "\r\r\n"
                                   "Imie  Jan\r\n"
                                   "Nazwisko Kowalski\r\n"
                                   "Klasa 3B\r\n"
                                   "Data : 05-21-2003\r\n"
                                   "Godzina : 14:07:59\r\n"
                                   "Plik z testami : c:\\testy\\historia.kwz\r\n"
                                   " Liczba punkt\xf3w 28  na 40\r\n"
                                   "Ocena : 4\r\n"
                                   " *********************************************\r\n";

}  // namespace

class TestResultsLog : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString folder() const { return dir_.path() + u'/'; }
    QString logFile() const { return dir_.filePath(QStringLiteral("wyniki.txt")); }
    QByteArray logBytes() const { return testsupport::fileContents(logFile()); }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanup()
    {
        const int leftOpen = testsupport::resetFileTable();
        QFile::remove(logFile());
        QLocale::setDefault(QLocale::c());
        QCOMPARE(leftOpen, 0);
    }

    void recordWithGrade()
    {
        QCOMPARE(grading::formatResultRecord(sample()), sampleWithGrade);
    }

    void recordWithoutGrade()
    {
        ResultRecord r = sample();
        r.grade.reset();
        r.pointsText = QStringLiteral("41");
        QByteArray expected = sampleWithGrade;
        expected.replace("Ocena : 4\r\n", "").replace(" 28  na", " 41  na");
        QCOMPARE(grading::formatResultRecord(r), expected);
        QVERIFY(!grading::formatResultRecord(r).contains("Ocena"));
    }

    void polishTextsInWindows1250()
    {
        ResultRecord r = sample();
        r.firstName = QStringLiteral("Łucja");
        r.surname = QStringLiteral("Żółkiewska-Gęślak");
        r.className = QStringLiteral("ZERÓWKA");
        r.setPath = QStringLiteral("/home/nauczyciel/źródła/ćwiczenia.kwz");
        const QByteArray bytes = grading::formatResultRecord(r);
        QVERIFY(bytes.contains("\r\nImie  " + cp1250(QStringLiteral("Łucja")) + "\r\n"));
        QVERIFY(bytes.contains("\r\nNazwisko \xaf\xf3\xb3kiewska-G\xea\x9c" "lak\r\n"));
        QVERIFY(bytes.contains("\r\nKlasa ZER\xd3WKA\r\n"));
        QVERIFY(bytes.contains("\r\nPlik z testami : " + cp1250(r.setPath) + "\r\n"));
        QVERIFY(!bytes.contains("\xc5"));  // no UTF-8 lead bytes of Polish letters
    }

    void captionsWrittenAsTheyStand()
    {
        ResultRecord r = sample();
        r.firstName = QStringLiteral(" Imię ");
        r.pointsText = QString();
        r.questionCountText = QStringLiteral("12 ");
        const QByteArray bytes = grading::formatResultRecord(r);
        QVERIFY(bytes.contains("\r\nImie   Imi\xea \r\n"));
        QVERIFY(bytes.contains("\r\n Liczba punkt\xf3w   na 12 \r\n"));
    }

    void dateIgnoresRegionalSettings_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("polish") << "pl_PL";
        QTest::newRow("german") << "de_DE";
        QTest::newRow("english_us") << "en_US";
    }

    void dateIgnoresRegionalSettings()
    {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        ResultRecord r = sample();
        r.when = QDateTime(QDate(2004, 1, 9), QTime(7, 5, 3));
        const QByteArray bytes = grading::formatResultRecord(r);
        QVERIFY(bytes.contains("\r\nData : 01-09-2004\r\nGodzina : 07:05:03\r\n"));
        r.when = QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59));
        QVERIFY(grading::formatResultRecord(r).contains("\r\nData : 12-31-1999\r\nGodzina : 23:59:59\r\n"));
    }

    void appendOnlyGrows()
    {
        QVERIFY(!QFile::exists(logFile()));
        const QByteArray first = grading::formatResultRecord(sample());
        grading::appendResult(folder(), first);
        QCOMPARE(logBytes(), first);

        ResultRecord r = sample();
        r.firstName = QStringLiteral("Anna");
        r.grade.reset();
        const QByteArray second = grading::formatResultRecord(r);
        grading::appendResult(folder(), second);
        QCOMPARE(logBytes(), first + second);
    }

    void fullDiskLeavesLogAsItWas_data()
    {
        QTest::addColumn<qsizetype>("taken");
        QTest::newRow("nothing_taken") << qsizetype(0);
        QTest::newRow("lone_cr_taken") << qsizetype(1);
        QTest::newRow("all_but_closing_line") << sampleWithGrade.size() - 20;
        QTest::newRow("all_but_last_byte") << sampleWithGrade.size() - 1;
    }

    void fullDiskLeavesLogAsItWas()
    {
        QFETCH(qsizetype, taken);
        grading::appendResult(folder(), sampleWithGrade);
        files().failWritesAfter(taken);
        QCOMPARE(failureOf([&] { grading::appendResult(folder(), sampleWithGrade); }), QStringLiteral("WriteFailed"));
        files().failWritesAfter(-1);
        QCOMPARE(logBytes(), sampleWithGrade);
        // The next student's record follows the last whole one directly.
        grading::appendResult(folder(), sampleWithGrade);
        QCOMPARE(logBytes(), sampleWithGrade + sampleWithGrade);
    }

    // What a copy killed in the middle of its append left at the end is cut off by the next one; what
    // does not begin like a record is someone's own text and stays.
    void killedCopysRemainderCutOff_data()
    {
        QTest::addColumn<QByteArray>("left");
        QTest::addColumn<bool>("cut");
        QTest::newRow("whole_log") << QByteArray() << false;
        QTest::newRow("lone_cr_line_begun") << QByteArray("\r\r") << true;
        QTest::newRow("cut_in_the_middle") << sampleWithGrade.left(100) << true;
        QTest::newRow("all_but_last_byte") << sampleWithGrade.chopped(1) << true;
        QTest::newRow("teachers_note") << QByteArray("Klasa 3b pisala w sali 12\r\n") << false;
    }

    void killedCopysRemainderCutOff()
    {
        QFETCH(QByteArray, left);
        QFETCH(bool, cut);
        for (const QByteArray& before : {QByteArray(), sampleWithGrade}) {
            QFile log(logFile());
            QVERIFY(log.open(QIODevice::WriteOnly) && log.write(before + left) == before.size() + left.size());
            log.close();
            grading::appendResult(folder(), sampleWithGrade);
            QCOMPARE(logBytes(), before + (cut ? QByteArray() : left) + sampleWithGrade);
        }
    }
};

QTEST_GUILESS_MAIN(TestResultsLog)
#include "tst_results_log.moc"
