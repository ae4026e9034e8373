// The set-to-text conversion: the exact bytes of the text file, the proposed name, the progress steps,
// the text file created anew and put in place whole, damaged sets, and names that would destroy a set.
#include "platform/errors.h"
#include "platform/filetable.h"
#include "sheets/text_export.h"
#include "support/program_fixture.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QtTest>

using testsupport::cp1250;

namespace {

const QByteArray header = "\"Kwiz v 1.0\"\r\n";
// Two questions: small letters with Polish ones, an empty answer D, a comma inside a text.
const QString q1 = QStringLiteral("\"żółw, jeż i ćma?\",\"Ala\",\"b\",\"C\",\"\",\"e\",\"Podpowiedź ą\"\r\n1,2,1,2,2\r\n");
const QString q2 = QStringLiteral("\"Rok 966?\",\"tak\",\"nie\",\"\",\"\",\"\",\"Brak\"\r\n2,1,2,2,2\r\n");

QByteArray numbered(int questions) {
    QByteArray bytes = header;
    for (int i = 1; i <= questions; ++i)
        bytes += QStringLiteral("\"p%1\",\"a\",\"b\",\"c\",\"d\",\"e\",\"h\"\r\n1,2,2,2,2\r\n").arg(i).toLatin1();
    return bytes;
}

}  // namespace

class TestTextExport : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    int counter_ = 0;
    QString withBytes(const QByteArray& bytes) {
        const QString path = dir_.filePath(QStringLiteral("zestaw%1.kwz").arg(++counter_));
        testsupport::writeTestFile(path, bytes);
        return path;
    }
    QString textPath() { return dir_.filePath(QStringLiteral("wynik%1.txt").arg(++counter_)); }

private slots:
    void cleanup() { QCOMPARE(testsupport::resetFileTable(), 0); }

    void exactBytes_data() {
        QTest::addColumn<bool>("hints");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("without hints: fourteen lines")
            << false << 14
            << QStringLiteral("ŻÓŁW, JEŻ I ĆMA?\r\na)  Ala\r\nb)  b\r\nc)  C\r\nd)  \r\ne)  e\r\n\r\n"
                              "ROK 966?\r\na)  tak\r\nb)  nie\r\nc)  \r\nd)  \r\ne)  \r\n\r\n");
        QTest::newRow("with hints: twenty lines")
            << true << 20
            << QStringLiteral("ŻÓŁW, JEŻ I ĆMA?\r\na)  Ala\r\nb)  b\r\nc)  C\r\nd)  \r\ne)  e\r\n\r\nWskazówka :\r\n"
                              "Podpowiedź ą\r\n\r\n"
                              "ROK 966?\r\na)  tak\r\nb)  nie\r\nc)  \r\nd)  \r\ne)  \r\n\r\nWskazówka :\r\nBrak\r\n\r\n");
    }
    void exactBytes() {
        QFETCH(bool, hints);
        QFETCH(int, lines);
        QFETCH(QString, expected);
        const QString set = withBytes(header + cp1250(q1 + q2));
        const QString out = textPath();
        const sheets::Conversion done = sheets::convertToText(set, out, hints);
        QCOMPARE(done.questions, 2);
        QCOMPARE(done.written, 2);
        QVERIFY(done.damage.isEmpty());
        const QByteArray bytes = testsupport::fileContents(out);
        QCOMPARE(bytes, cp1250(expected));
        QCOMPARE(bytes.count("\r\n"), lines);
    }

    void proposedName_data() {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("text");
        QTest::newRow("capitals") << "HISTORIA.KWZ" << "HISTORIA.TXT";
        QTest::newRow("small letters") << "przyroda.kwz" << "przyroda.TXT";
        QTest::newRow("last four characters, whatever they are") << "zestaw1.dane" << "zestaw1..TXT";
        QTest::newRow("short name") << "ab" << ".TXT";
    }
    void proposedName() {
        QFETCH(QString, set);
        QFETCH(QString, text);
        QCOMPARE(sheets::textFileName(set), text);
    }

    void progress_data() {
        QTest::addColumn<int>("questions");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("three") << 3 << QStringList{" 33 %", " 67 %", " 100 %"};
        QTest::newRow("two") << 2 << QStringList{" 50 %", " 100 %"};
        QTest::newRow("one") << 1 << QStringList{" 100 %"};
        QTest::newRow("seven ends at 100") << 7
                                          << QStringList{" 14 %", " 29 %", " 43 %", " 57 %", " 71 %", " 86 %", " 100 %"};
    }
    void progress() {
        QFETCH(int, questions);
        QFETCH(QStringList, shown);
        QStringList seen;
        QList<int> counts;
        sheets::ConversionSteps steps;
        steps.counted = [&](int count, bool last) {
            if (!last)
                counts << count;
            else
                QCOMPARE(count, questions);
        };
        steps.progressed = [&](double bar) { seen << sheets::progressText(bar); };
        sheets::convertToText(withBytes(numbered(questions)), textPath(), false, steps);
        QCOMPARE(seen, shown);
        QCOMPARE(counts.size(), questions);
        QCOMPARE(counts.last(), questions);
    }

    void barNeverPassesHundred_data() {
        QTest::addColumn<double>("bar");
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("next");
        QTest::newRow("below") << 50.0 << 25.0 << 75.0;
        QTest::newRow("capped") << 90.0 << 33.4 << 100.0;
        QTest::newRow("full stays") << 100.0 << 10.0 << 100.0;
    }
    void barNeverPassesHundred() {
        QFETCH(double, bar);
        QFETCH(double, step);
        QFETCH(double, next);
        QCOMPARE(sheets::nextProgress(bar, step), next);
    }

    void textFileCreatedAnew() {
        const QString out = textPath();
        testsupport::writeTestFile(out, QByteArray(5000, 'x'));
        sheets::convertToText(withBytes(numbered(1)), out, false);
        QCOMPARE(testsupport::fileContents(out), QByteArray("P1\r\na)  a\r\nb)  b\r\nc)  c\r\nd)  d\r\ne)  e\r\n\r\n"));
    }

    void failedWriteKeepsOldFile() {
        const QString out = textPath();
        testsupport::writeTestFile(out, "stary plik\r\n");
        const QString set = withBytes(numbered(50));
        platform::files().failWritesAfter(100);
        try {
            sheets::convertToText(set, out, true);
            QFAIL("a failed write was not reported");
        } catch (const platform::FileError& error) {
            QCOMPARE(error.kind(), platform::FileError::Kind::WriteFailed);
        }
        platform::files().failWritesAfter(-1);
        QCOMPARE(testsupport::fileContents(out), QByteArray("stary plik\r\n"));
    }

    void damagedSets_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("written");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("textLines");
        QTest::newRow("cut inside question 3") << numbered(3).chopped(15) << 2
                                               << "pytanie nr 3 nie ma wszystkich pól" << 14;
        QTest::newRow("bad flag in question 2: its lines stay")
            << QByteArray(numbered(2)).replace("\"p2\",\"a\",\"b\",\"c\",\"d\",\"e\",\"h\"\r\n1,2", "\"p2\",\"a\",\"b\",\"c\",\"d\",\"e\",\"h\"\r\n1,x")
            << 1 << "pytanie nr 2 ma niepoprawne oznaczenia" << 14;
        QTest::newRow("header only: empty text file") << header << 0 << "" << 0;
        QTest::newRow("blank lines after the last question") << numbered(2) + "\r\n\r\n" << 2 << "" << 14;
    }
    void damagedSets() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, written);
        QFETCH(QString, damage);
        QFETCH(int, textLines);
        const QString out = textPath();
        const sheets::Conversion done = sheets::convertToText(withBytes(bytes), out, false);
        QCOMPARE(done.written, written);
        QVERIFY(done.created);
        if (damage.isEmpty())
            QVERIFY2(done.damage.isEmpty(), qPrintable(done.damage));
        else
            QVERIFY2(done.damage.contains(damage), qPrintable(done.damage));
        QCOMPARE(testsupport::fileContents(out).count("\r\n"), textLines);
    }

    void noHeaderNoTextFile() {
        const QString out = textPath();
        const sheets::Conversion done = sheets::convertToText(withBytes(QByteArray()), out, false);
        QVERIFY(!done.created);
        QVERIFY(done.damage.contains(QStringLiteral("nagłówka")));
        QVERIFY(!QFile::exists(out));
    }

    void namesThatWouldDestroyASet_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("the set itself") << "zestaw.kwz" << true;
        QTest::newRow("the set, other letter case") << "ZESTAW.KWZ" << true;
        QTest::newRow("a new .kwz name") << "nowy.Kwz" << true;
        QTest::newRow("another set under a .txt name") << "ukryty.txt" << true;
        QTest::newRow("a text file") << "zestaw.TXT" << false;
        QTest::newRow("an existing plain text file") << "notatki.txt" << false;
    }
    void namesThatWouldDestroyASet() {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        QTemporaryDir folder;
        testsupport::writeTestFile(folder.filePath(QStringLiteral("zestaw.kwz")), numbered(1));
        testsupport::writeTestFile(folder.filePath(QStringLiteral("ukryty.txt")), numbered(1));
        testsupport::writeTestFile(folder.filePath(QStringLiteral("notatki.txt")), "Kwiz v 1.0 to nie nagłówek\r\n");
        const auto why = sheets::refusedTextName(folder.filePath(QStringLiteral("zestaw.kwz")), folder.filePath(name));
        QCOMPARE(why.has_value(), refused);
    }
};

QTEST_MAIN(TestTextExport)
#include "tst_text_export.moc"
