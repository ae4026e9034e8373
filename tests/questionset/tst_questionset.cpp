// Question set files: the exact bytes the writers produce, what the header check, the count and the
// question reader make of sound, cut and damaged sets, and no file left open on any path.
#include "support/test_files.h"
#include "support/failure_of.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "questionset/questionset.h"
#include "records/records.h"
#include "support/program_fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using platform::FileError;
using platform::files;
using questionset::Question;
using testsupport::cp1250;

namespace {

using testsupport::failureOf;

Question makeQuestion(const QString& text, questionset::Flags flags, const QString& hint = QStringLiteral("Brak"))
{
    Question q;
    q.texts.question = text;
    q.texts.answers = {text + QStringLiteral(" A"), text + QStringLiteral(" B"), QString(),
                       text + QStringLiteral(" D"), QString()};
    q.texts.hint = hint;
    q.flags = flags;
    return q;
}

const QByteArray headerBytes = "\"Kwiz v 1.0\"\r\n";
const QByteArray q1Bytes = "\"Ile to 2+2?\",\"3\",\"4\",\"\",\"cztery\",\"\",\"Brak\"\r\n1,2,2,1,2\r\n";
const QByteArray q2Bytes = "\"Stolica?\",\"Kraków\",\"Warszawa\",\"Gniezno\",\"\",\"\",\"dawniej\"\r\n2,1,2,2,2\r\n";
const QByteArray q3Bytes = "\"a, b\",\"x\",\"y\",\"z\",\"v\",\"w\",\"h\"\r\n2,2,2,2,1\r\n";

}  // namespace

class TestQuestionSet : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int counter_ = 0;

    QString fresh() { return dir_.filePath(QStringLiteral("set%1.kwz").arg(++counter_)); }
    QString withBytes(const QByteArray& bytes)
    {
        const QString path = fresh();
        testsupport::writeTestFile(path, bytes);
        return path;
    }
    static QByteArray contents(const QString& path) { return testsupport::fileContents(path); }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void cleanup()
    {
        // Every operation closes what it opened, whether it succeeded or threw.
        const int leftOpen = files().openCount();
        files().failWritesAfter(-1);
        files().abandonAll();
        QCOMPARE(leftOpen, 0);
    }

    void appendedSetHasExactBytes()
    {
        // Seven records: the header and two per question; Polish letters in Windows-1250.
        const QByteArray set = headerBytes + q1Bytes + cp1250(QString::fromUtf8(q2Bytes)) + q3Bytes;
        const QString source = withBytes(set);
        const QString copy = withBytes(headerBytes + q3Bytes);
        questionset::createEmptySet(copy);
        QCOMPARE(contents(copy), headerBytes);
        for (int n = 1; n <= 3; ++n)
            questionset::appendQuestion(copy, questionset::readQuestion(source, n));
        QCOMPARE(contents(copy), set);

        const Question q2 = questionset::readQuestion(source, 2);
        QCOMPARE(q2.texts.question, QStringLiteral("Stolica?"));
        QCOMPARE(q2.texts.answers, (std::array<QString, 5>{"Kraków", "Warszawa", "Gniezno", "", ""}));
        QCOMPARE(q2.texts.hint, QStringLiteral("dawniej"));
        QCOMPARE(q2.flags, (questionset::Flags{2, 1, 2, 2, 2}));
        QCOMPARE(questionset::readQuestion(source, 3).texts.question, QStringLiteral("a, b"));
    }

    void textsReadBackUnchanged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("comma") << QStringLiteral("a, b");
        QTest::newRow("line_break") << QStringLiteral("pierwsza\r\ndruga");
        QTest::newRow("polish_letters") << QStringLiteral("Zażółć gęślą jaźń ĄĘŁŃÓŚŹŻ");
        QTest::newRow("blanks_kept") << QStringLiteral("  środek  ");
    }

    void textsReadBackUnchanged()
    {
        QFETCH(QString, text);
        const QString path = fresh();
        questionset::createEmptySet(path);
        const Question q = makeQuestion(text, {1, 2, 1, 2, 2}, text);
        questionset::appendQuestion(path, q);
        questionset::appendQuestion(path, makeQuestion(QStringLiteral("po"), {2, 2, 2, 2, 2}));
        QCOMPARE(questionset::readQuestion(path, 1), q);
        QCOMPARE(questionset::countQuestions(path), 2);
        QVERIFY(contents(path).contains("\r\n1,2,1,2,2\r\n"));
    }

    void checkHeader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("result");
        QTest::newRow("exact") << headerBytes + q1Bytes << "true";
        QTest::newRow("header_only_no_line_end") << QByteArray("\"Kwiz v 1.0\"") << "true";
        QTest::newRow("unquoted_header") << QByteArray("Kwiz v 1.0\r\n") << "true";
        QTest::newRow("other_case") << QByteArray("\"kwiz v 1.0\"\r\n") << "false";
        QTest::newRow("trailing_blank") << QByteArray("\"Kwiz v 1.0 \"\r\n") << "false";
        QTest::newRow("binary") << QByteArray("\x00\x01\xff\"\r", 5) << "false";
        QTest::newRow("empty_file") << QByteArray() << "PastEnd";
    }

    void checkHeader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, result);
        const QString path = withBytes(bytes);
        QString got;
        const QString failure = failureOf([&] { got = questionset::checkHeader(path) ? "true" : "false"; });
        QCOMPARE(failure == "none" ? got : failure, result);
    }

    void countQuestions_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::newRow("header_only") << headerBytes << 0;
        QTest::newRow("three_questions") << headerBytes + q1Bytes + q2Bytes + q3Bytes << 3;
        QTest::newRow("no_line_end_after_last_flags") << headerBytes + q1Bytes + q2Bytes.chopped(2) << 2;
        QTest::newRow("cut_inside_texts") << headerBytes + q1Bytes + q2Bytes.left(20) << 1;
        QTest::newRow("cut_inside_flags") << headerBytes + q1Bytes + q2Bytes.chopped(5) << 1;
        QTest::newRow("flag_not_a_number") << headerBytes + q1Bytes + QByteArray(q2Bytes).replace("2,1,2", "2,x,2") << 1;
        QTest::newRow("flag_too_big") << headerBytes + QByteArray(q1Bytes).replace("1,2,2", "1,256,2") + q2Bytes << 0;
        QTest::newRow("shorter_than_20_bytes") << QByteArray("\"Kwiz v 1.0\"\r\n1,2\r\n") << 0;
        QTest::newRow("empty_file") << QByteArray() << 0;
        // Records of bare empty fields take 19 bytes, fewer than the bound assumes: 14 + 20 * 19 = 394
        // bytes allow 19 rounds.
        QTest::newRow("length_bound_cuts_tiny_records") << headerBytes + QByteArray(",,,,,,\r\n1,1,1,1,1\r\n").repeated(20) << 19;
    }

    void countQuestions()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QList<int> heard;
        QCOMPARE(questionset::countQuestions(withBytes(bytes), [&](int n) { heard << n; }), count);
        QCOMPARE(heard.size(), count);
        if (count > 0)
            QCOMPARE(heard.last(), count);
    }

    void readQuestionFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("failure");
        const QByteArray three = headerBytes + q1Bytes + q2Bytes + q3Bytes;
        QTest::newRow("last_question") << three << 3 << "none";
        QTest::newRow("missing_file") << QByteArray("<missing>") << 1 << "CannotOpen";
        QTest::newRow("beyond_last") << three << 4 << "PastEnd";
        QTest::newRow("number_zero") << three << 0 << "PastEnd";
        QTest::newRow("cut_inside_asked_question") << headerBytes + q1Bytes + q2Bytes.chopped(4) << 2 << "PastEnd";
        QTest::newRow("cut_after_asked_question") << headerBytes + q1Bytes + q2Bytes.chopped(4) << 1 << "none";
        QTest::newRow("flag_not_a_number") << headerBytes + QByteArray(q1Bytes).replace("1,2,2", "1,tak,2") << 1 << "NotNumber";
        QTest::newRow("bad_flag_in_earlier_question") << headerBytes + QByteArray(q1Bytes).replace("1,2,2", "1,-1,2") + q2Bytes << 2 << "Overflow";
    }

    void readQuestionFailures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, n);
        QFETCH(QString, failure);
        const QString path = bytes == "<missing>" ? dir_.filePath("nie_ma.kwz") : withBytes(bytes);
        QCOMPARE(failureOf([&] { questionset::readQuestion(path, n); }), failure);
        if (bytes == "<missing>") {
            QCOMPARE(failureOf([&] { questionset::countQuestions(path); }), failure);
            QCOMPARE(failureOf([&] { questionset::checkHeader(path); }), failure);
            QCOMPARE(failureOf([&] { questionset::appendQuestion(path, Question{}); }), failure);
            QVERIFY(!QFile::exists(path));
        }
    }

    void appendGrowsTheSetInPlace()
    {
        const QString path = withBytes(headerBytes + q1Bytes);
        QFile opened(path);
        QVERIFY(opened.open(QIODevice::ReadOnly));
        questionset::appendQuestion(path, makeQuestion(QStringLiteral("nowe"), {1, 1, 1, 1, 1}));
        // A handle opened before sees the new question: the set itself grew, no new version replaced it.
        QCOMPARE(opened.readAll(), contents(path));
        QVERIFY(contents(path).size() > headerBytes.size() + q1Bytes.size());
    }

    void failedAppendKeepsTheOldSet()
    {
        const QString path = withBytes(headerBytes + q1Bytes);
        // The disk fills up part-way through the appended question: the old set stays whole.
        files().failWritesAfter(10);
        QCOMPARE(failureOf([&] { questionset::appendQuestion(path, makeQuestion("nowe", {1, 1, 1, 1, 1})); }),
                 QStringLiteral("WriteFailed"));
        files().failWritesAfter(-1);
        QCOMPARE(contents(path), headerBytes + q1Bytes);

        files().failWritesAfter(5);
        QCOMPARE(failureOf([&] { questionset::createEmptySet(path); }), QStringLiteral("WriteFailed"));
        files().failWritesAfter(-1);
        QCOMPARE(contents(path), headerBytes + q1Bytes);
    }

    void countingAgreesWithTheRecordReader_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("oddPercent");
        QTest::newRow("plain_sets") << 1u << 0;
        QTest::newRow("rare_odd_fields") << 2u << 1;
        QTest::newRow("odd_fields") << 3u << 10;
        QTest::newRow("mostly_odd") << 4u << 60;
    }

    // Counting takes a quicker road through the buffered bytes than the record reader; on sets of any
    // bytes, crossing many buffer boundaries, both must stop at the same question.
    void countingAgreesWithTheRecordReader()
    {
        QFETCH(quint32, seed);
        QFETCH(int, oddPercent);
        QRandomGenerator random(seed);
        const auto odd = [&] { return static_cast<int>(random.bounded(100)) < oddPercent; };
        const auto pick = [&](const QList<QByteArray>& from) { return from.at(random.bounded(static_cast<int>(from.size()))); };
        const QList<QByteArray> texts = {"\"tekst\"", "\"a, b\"", "\"w\r\ndwóch\"", "\"\"", "  \"odstęp\"", "goły",
                                         "\"cut\"śmieci", "", "\"\r\"", "\t\"tab\""};
        const QList<QByteArray> oddFlags = {" 1", "2 ", "001", "255", "+1", "1.5", "\"2\"", "", "-0", "\t7"};
        const QList<QByteArray> badFlags = {"256", "x", "1e2", "99999", "-1", "\"a\""};
        const QList<QByteArray> delimiters = {"\r\n", "\r", "\n", ","};
        QByteArray bytes = headerBytes;
        while (bytes.size() < 300 * 1024) {
            for (int i = 0; i < 7; ++i)
                bytes += (odd() ? pick(texts) : QByteArray("\"tekst pytania\"")) + (i < 6 ? QByteArray(",") : odd() ? pick(delimiters) : QByteArray("\r\n"));
            for (int i = 0; i < 5; ++i)
                bytes += (oddPercent > 0 && random.bounded(200000) == 0 ? pick(badFlags)
                          : odd()                                        ? pick(oddFlags)
                          : QByteArray(random.bounded(2) ? "1" : "2"))
                    + (i < 4 ? QByteArray(",") : odd() ? pick(delimiters) : QByteArray("\r\n"));
        }
        if (oddPercent > 0)
            bytes.chop(random.bounded(30));
        const QString path = withBytes(bytes);

        int expected = 0;
        Question last;
        QList<Question> read;
        {
            const int file = files().open(path, platform::OpenMode::Input);
            try {
                records::readText(file);
                const long long bound = files().length(file) / 20;
                for (long long i = 0; i < bound && !files().atEnd(file); ++i) {
                    Question q;
                    q.texts = questionset::readTexts(file);
                    q.flags = questionset::readFlags(file);
                    last = q;
                    read << q;
                    ++expected;
                }
            } catch (const FileError&) {
            }
            files().close(file);
        }
        qInfo("%d questions", expected);
        QVERIFY(expected > 1000);  // well past the first buffer of bytes
        QCOMPARE(questionset::countQuestions(path), expected);
        if (expected > 0)
            QCOMPARE(questionset::readQuestion(path, expected), last);

        // The texts as bytes, through the same quick road: the same questions, stopping at the same one.
        int asBytes = 0;
        const int file = files().open(path, platform::OpenMode::Input);
        try {
            records::readText(file);
            const long long bound = files().length(file) / 20;
            for (long long i = 0; i < bound && !files().atEnd(file); ++i) {
                questionset::QuestionBytes q;
                std::array<QByteArray, 7> texts;
                questionset::readQuestionBytes(file, [&](const questionset::QuestionBytes& seen) {
                    q.flags = seen.flags;
                    for (std::size_t t = 0; t < 7; ++t)
                        texts[t] = seen.texts[t].toByteArray();
                });
                QVERIFY(asBytes < read.size());
                const Question& same = read.at(asBytes);
                const QByteArray textsFound[] = {cp1250(same.texts.question), cp1250(same.texts.answers[0]),
                                                 cp1250(same.texts.answers[1]), cp1250(same.texts.answers[2]),
                                                 cp1250(same.texts.answers[3]), cp1250(same.texts.answers[4]),
                                                 cp1250(same.texts.hint)};
                for (std::size_t t = 0; t < 7; ++t)
                    QCOMPARE(texts[t], textsFound[t]);
                QCOMPARE(q.flags, same.flags);
                ++asBytes;
            }
        } catch (const FileError&) {
        }
        files().close(file);
        QCOMPARE(asBytes, expected);
    }

    void countsALargeSetQuickly()
    {
        // About 40 MB of short questions, the most fields per megabyte a set can hold.
        const QByteArray one = "\"P\",\"a\",\"b\",\"c\",\"d\",\"e\",\"h\"\r\n1,2,2,2,2\r\n";
        const int questions = 40 * 1024 * 1024 / one.size();
        const QString path = withBytes(headerBytes + one.repeated(questions));
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(questionset::countQuestions(path), questions);
        qInfo("counted %d questions in %lld ms", questions, static_cast<long long>(timer.elapsed()));
        QCOMPARE(questionset::readQuestion(path, questions).texts.hint, QStringLiteral("h"));
        QFile::remove(path);
    }
};

QTEST_GUILESS_MAIN(TestQuestionSet)
#include "tst_questionset.moc"
