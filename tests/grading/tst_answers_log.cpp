// The answers log: the exact bytes of a record, and a test that is in both logs or in neither.
#include "grading/answers_log.h"
#include "grading/results_log.h"
#include "platform/filetable.h"
#include "support/failure_of.h"
#include "support/test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using platform::files;

namespace {

grading::TestAnswers sample()
{
    return {QStringLiteral("Łucja"), QStringLiteral("Nowak \"Mała\""), QStringLiteral("3B"),
            QDateTime(QDate(2026, 12, 9), QTime(8, 5, 3)), QStringLiteral("c:\\testy\\historia.kwz"),
            {0b101, 0, 0b11111},
            {0b1, 0b10, 0}};
}

const QByteArray sampleBytes = "\"Odpowiedzi\",\"\xa3ucja\",\"Nowak \x94Ma\xb3" "a\x94\",\"3B\",\"12-09-2026\","
                               "\"08:05:03\",\"c:\\testy\\historia.kwz\",3\r\n"
                               "\"Zaznaczone\",\"AC\",\"\",\"ABCDE\"\r\n"
                               "\"Klucz\",\"A\",\"B\",\"\"\r\n"
                               "\"Koniec\"\r\n";

const QByteArray resultBytes = grading::formatResultRecord({QStringLiteral("Jan"), QStringLiteral("Nowak"),
                                                            QStringLiteral("3B"), QStringLiteral("c:\\t.kwz"),
                                                            QStringLiteral("2"), QStringLiteral("3"), 5, {}});

}  // namespace

class TestAnswersLog : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString folder() const { return dir_.path() + u'/'; }
    QByteArray bytesOf(const char* name) const { return testsupport::fileContents(dir_.filePath(QLatin1String(name))); }

private slots:
    void cleanup()
    {
        files().failWritesAfter(-1);
        QFile::remove(dir_.filePath(QStringLiteral("odpowiedzi.txt")));
        QFile::remove(dir_.filePath(QStringLiteral("wyniki.txt")));
        QCOMPARE(testsupport::resetFileTable(), 0);
    }

    void recordBytes()
    {
        QCOMPARE(grading::formatAnswersRecord(sample()), sampleBytes);
        QCOMPARE(grading::answerLetters({true, false, true, false, true}), QStringLiteral("ACE"));
        grading::TestAnswers lab = sample();
        lab.questionOrder = {3, 1, 2};
        lab.answerOrder = {QStringLiteral("CAB"), QStringLiteral("ABCDE"), QStringLiteral("EDCBA")};
        lab.windowLeft = 2;
        lab.brokenOffAfter = 1;
        QCOMPARE(grading::formatAnswersRecord(lab),
                 sampleBytes.chopped(10) + "\"Kolejno\x9c\xe6 pyta\xf1\",3,1,2\r\n"
                 "\"Kolejno\x9c\xe6 odpowiedzi\",\"CAB\",\"ABCDE\",\"EDCBA\"\r\n"
                 "\"Opuszczenia okna\",2\r\n\"Przerwany\",1\r\n\"Koniec\"\r\n");
    }

    // A failure anywhere in either append leaves both logs as they were; the next test then follows the last
    // whole records directly.
    void bothOrNeither_data()
    {
        QTest::addColumn<qint64>("room");
        QTest::newRow("answers_cut_at_once") << qint64(0);
        QTest::newRow("answers_cut_in_the_middle") << qint64(40);
        QTest::newRow("result_not_begun") << qint64(sampleBytes.size());
        QTest::newRow("result_all_but_last_byte") << qint64(sampleBytes.size() + resultBytes.size() - 1);
    }

    void bothOrNeither()
    {
        QFETCH(qint64, room);
        grading::appendTest(folder(), resultBytes, sampleBytes);
        files().failWritesAfter(room);
        QCOMPARE(testsupport::failureOf([&] { grading::appendTest(folder(), resultBytes, sampleBytes); }),
                 QStringLiteral("WriteFailed"));
        files().failWritesAfter(-1);
        QCOMPARE(bytesOf("odpowiedzi.txt"), sampleBytes);
        QCOMPARE(bytesOf("wyniki.txt"), resultBytes);
        grading::appendTest(folder(), resultBytes, sampleBytes);
        QCOMPARE(bytesOf("odpowiedzi.txt"), sampleBytes + sampleBytes);
    }

    // What a killed copy left of its answers record is cut off by the next test; a teacher's note stays.
    void killedCopysRemainderCutOff_data()
    {
        QTest::addColumn<QByteArray>("left");
        QTest::addColumn<bool>("cut");
        QTest::newRow("first_word_begun") << QByteArray("\"Odpow") << true;
        QTest::newRow("all_but_end_line") << sampleBytes.chopped(10) << true;
        QTest::newRow("teachers_note") << QByteArray("3B pisala w sali 12\r\n") << false;
    }

    void killedCopysRemainderCutOff()
    {
        QFETCH(QByteArray, left);
        QFETCH(bool, cut);
        QFile log(dir_.filePath(QStringLiteral("odpowiedzi.txt")));
        QVERIFY(log.open(QIODevice::WriteOnly) && log.write(sampleBytes + left) == sampleBytes.size() + left.size());
        log.close();
        grading::appendTest(folder(), resultBytes, sampleBytes);
        QCOMPARE(bytesOf("odpowiedzi.txt"), sampleBytes + (cut ? QByteArray() : left) + sampleBytes);
    }
};

QTEST_GUILESS_MAIN(TestAnswersLog)
#include "tst_answers_log.moc"
