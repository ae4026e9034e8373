// The one Question reader: reads a set record by record, survives "close every open file" by reopening
// where it stood, never reads through a number the file table has handed to another file, and stands
// still when a read fails.
#include "support/test_files.h"
#include "support/failure_of.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "records/records.h"
#include "testing/question_reader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using platform::FileError;
using platform::files;
using platform::OpenMode;
using testing::QuestionReader;

namespace {

using testsupport::failureOf;

const QByteArray headerBytes = "\"Kwiz v 1.0\"\r\n";
const QByteArray q1Bytes = "\"Pierwsze\",\"a\",\"b\",\"c\",\"d\",\"e\",\"h1\"\r\n1,2,1,2,2\r\n";
const QByteArray q2Bytes = "\"Drugie\",\"a2\",\"\",\"\",\"\",\"\",\"h2\"\r\n2,2,2,2,1\r\n";
const QByteArray q3Bytes = "\"Trzecie\",\"x\",\"y\",\"z\",\"v\",\"w\",\"h3\"\r\n2,1,2,2,2\r\n";

}  // namespace

class TestQuestionReader : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int counter_ = 0;
    QuestionReader& reader = QuestionReader::instance();

    QString withBytes(const QByteArray& bytes)
    {
        const QString path = dir_.filePath(QStringLiteral("set%1.kwz").arg(++counter_));
        testsupport::writeTestFile(path, bytes);
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanup()
    {
        reader.close();
        files().abandonAll();
    }

    void readsRecordByRecord()
    {
        reader.open(withBytes(headerBytes + q1Bytes + q2Bytes));
        QVERIFY(reader.isOpen());
        QCOMPARE(reader.readHeader(), QStringLiteral("Kwiz v 1.0"));
        QCOMPARE(reader.readTexts().question, QStringLiteral("Pierwsze"));
        QCOMPARE(reader.readFlags(), (questionset::Flags{1, 2, 1, 2, 2}));
        QVERIFY(!reader.atEnd());
        const questionset::QuestionTexts second = reader.readTexts();
        QCOMPARE(second.answers[0], QStringLiteral("a2"));
        QCOMPARE(second.hint, QStringLiteral("h2"));
        QCOMPARE(reader.readFlags(), (questionset::Flags{2, 2, 2, 2, 1}));
        QVERIFY(reader.atEnd());
        QCOMPARE(reader.length(), headerBytes.size() + q1Bytes.size() + q2Bytes.size());
        QCOMPARE(failureOf([&] { reader.readTexts(); }), QStringLiteral("PastEnd"));
    }

    void closeEveryFileThenGoOnWhereItStood()
    {
        reader.open(withBytes(headerBytes + q1Bytes + q2Bytes + q3Bytes));
        reader.readHeader();
        files().closeAll();
        QVERIFY(!reader.isOpen());
        QCOMPARE(reader.readTexts().question, QStringLiteral("Pierwsze"));
        files().closeAll();
        QCOMPARE(reader.readFlags(), (questionset::Flags{1, 2, 1, 2, 2}));
        files().closeAll();
        QVERIFY(!reader.atEnd());
        QVERIFY(reader.isOpen());
        QCOMPARE(reader.readTexts().question, QStringLiteral("Drugie"));
        reader.readFlags();
        reader.readTexts();
        reader.readFlags();
        files().closeAll();
        QVERIFY(reader.atEnd());
        QCOMPARE(files().openCount(), 1);
    }

    void neverReadsAnotherFilesNumber()
    {
        const QString set = withBytes(headerBytes + q1Bytes + q2Bytes);
        reader.open(set);
        reader.readHeader();
        files().closeAll();

        // After the close the table hands the reader's old number out again: to another file, and then to
        // the same set opened by someone else (a print, say) standing elsewhere in it.
        const int other = files().open(withBytes("\"obcy\",\"plik\"\r\n"), OpenMode::Input);
        QCOMPARE(reader.readTexts().question, QStringLiteral("Pierwsze"));
        QCOMPARE(records::readText(other), QStringLiteral("obcy"));
        files().closeAll();

        const int print = files().open(set, OpenMode::Input);
        QCOMPARE(records::readText(print), QStringLiteral("Kwiz v 1.0"));
        QCOMPARE(reader.readFlags(), (questionset::Flags{1, 2, 1, 2, 2}));
        QCOMPARE(records::readText(print), QStringLiteral("Pierwsze"));
    }

    void failedReadStandsStill_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QString>("failure");
        QTest::newRow("set_ends_inside_texts") << QByteArray("\"Drugie\",\"a\"") << "PastEnd";
        QTest::newRow("flag_not_a_number") << QByteArray("\"Drugie\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n1,nie,2,2,2\r\n") << "NotNumber";
        QTest::newRow("flag_over_255") << QByteArray("\"Drugie\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n1,2,999,2,2\r\n") << "Overflow";
    }

    void failedReadStandsStill()
    {
        QFETCH(QByteArray, tail);
        QFETCH(QString, failure);
        reader.open(withBytes(headerBytes + q1Bytes + tail));
        reader.readHeader();
        reader.readTexts();
        reader.readFlags();
        const bool textsFail = failure == "PastEnd";
        if (!textsFail)
            QCOMPARE(reader.readTexts().question, QStringLiteral("Drugie"));
        QCOMPARE(failureOf([&] { textsFail ? (void)reader.readTexts() : (void)reader.readFlags(); }), failure);
        // The same read fails the same way again, also after the reader was reopened.
        QCOMPARE(failureOf([&] { textsFail ? (void)reader.readTexts() : (void)reader.readFlags(); }), failure);
        QCOMPARE(files().openCount(), 1);
        files().closeAll();
        QCOMPARE(failureOf([&] { textsFail ? (void)reader.readTexts() : (void)reader.readFlags(); }), failure);
        QVERIFY(!reader.atEnd());
    }

    void countsFromWhereItStands_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("next");
        const QByteArray badFlags = "\"P\",\"a\",\"b\",\"c\",\"d\",\"e\",\"h\"\r\n1,300,2,2,2\r\n";
        QTest::newRow("three_whole") << headerBytes + q1Bytes + q2Bytes + q3Bytes << 3 << "none" << "PastEnd";
        QTest::newRow("blank_lines_after_last") << headerBytes + q1Bytes + "\r\n \r\n" << 1 << "none" << "PastEnd";
        QTest::newRow("header_only") << headerBytes << 0 << "none" << "PastEnd";
        QTest::newRow("cut_third") << headerBytes + q1Bytes + q2Bytes + q3Bytes.chopped(6) << 2 << "PastEnd" << "none";
        QTest::newRow("flag_300_second") << headerBytes + q1Bytes + badFlags + q3Bytes << 1 << "Overflow" << "none";
        QTest::newRow("flag_minus_one_first") << headerBytes + QByteArray(badFlags).replace("300", "-1") << 0
                                              << "Overflow" << "none";
        QTest::newRow("flag_letter_first") << headerBytes + QByteArray(badFlags).replace("300", "x") << 0
                                           << "NotNumber" << "none";
        // 19-byte records of empty fields: the length bound (394 / 20) stops the count one short.
        QTest::newRow("length_bound") << headerBytes + QByteArray(",,,,,,\r\n1,1,1,1,1\r\n").repeated(20) << 19
                                      << "none" << "none";
    }

    void countsFromWhereItStands()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(QString, damage);
        QFETCH(QString, next);
        reader.open(withBytes(bytes));
        reader.readHeader();
        const testing::QuestionCount counted = reader.countQuestions();
        QCOMPARE(counted.questions, count);
        QCOMPARE(counted.damage ? QString::fromLatin1(platform::kindName(counted.damage->kind())) : QStringLiteral("none"),
                 damage);
        // The reader stands after the last whole question: what follows is the cut one, or nothing.
        QCOMPARE(failureOf([&] { reader.readTexts(); }), next);
    }

    void closedOrMissingSetCannotBeRead()
    {
        const QString set = withBytes(headerBytes + q1Bytes);
        reader.open(withBytes(headerBytes));
        reader.open(set);  // closes the earlier set
        QCOMPARE(files().openCount(), 1);
        reader.readHeader();
        reader.close();
        QCOMPARE(files().openCount(), 0);
        QCOMPARE(reader.path(), QString());
        QCOMPARE(failureOf([&] { reader.readTexts(); }), QStringLiteral("CannotOpen"));

        reader.open(set);
        reader.readHeader();
        files().closeAll();
        QVERIFY(QFile::remove(set));
        QCOMPARE(failureOf([&] { reader.readTexts(); }), QStringLiteral("CannotOpen"));
        QCOMPARE(failureOf([&] { reader.open(dir_.filePath("nie_ma.kwz")); }), QStringLiteral("CannotOpen"));
        QVERIFY(!reader.isOpen());
        QCOMPARE(reader.path(), QString());
        QCOMPARE(files().openCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestQuestionReader)
#include "tst_question_reader.moc"
