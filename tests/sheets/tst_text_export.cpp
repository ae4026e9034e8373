// The set-to-text conversion: the exact bytes, the progress, damaged sets, a failed write that keeps the
// old file, and names that would destroy a set.
#include "platform/filetable.h"
#include "sheets/text_export.h"
#include "support/program_fixture.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QtTest>

using testsupport::cp1250;

namespace {

const QByteArray header = "\"Kwiz v 1.0\"\r\n";

QByteArray numbered(int n) {
    QByteArray bytes = header;
    for (int i = 1; i <= n; ++i)
        bytes += "\"p" + QByteArray::number(i) + "\",\"a\",\"b\",\"c\",\"d\",\"e\",\"h\"\r\n1,2,2,2,2\r\n";
    return bytes;
}

}  // namespace

class TestTextExport : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString file(const QString& name, const QByteArray& bytes = {}) {
        const QString path = dir_.filePath(name + QString::fromLatin1(QTest::currentDataTag()));
        if (!bytes.isNull())
            testsupport::writeTestFile(path, bytes);
        return path;
    }

private slots:
    void cleanup() { QCOMPARE(testsupport::resetFileTable(), 0); }

    void exactBytes_data() {
        QTest::addColumn<bool>("hints");
        QTest::addColumn<QString>("expected");
        const QString q1 = "ŻÓŁW, JEŻ I ĆMA?\r\na)  Ala\r\nb)  b\r\nc)  C\r\nd)  \r\ne)  e\r\n\r\n";
        const QString q2 = "ROK 966?\r\na)  tak\r\nb)  nie\r\nc)  \r\nd)  \r\ne)  \r\n\r\n";
        QTest::newRow("fourteen lines") << false << q1 + q2;
        QTest::newRow("twenty lines with hints")
            << true << q1 + "Wskazówka :\r\nPodpowiedź ą\r\n\r\n" + q2 + "Wskazówka :\r\nBrak\r\n\r\n";
    }
    void exactBytes() {
        QFETCH(bool, hints);
        QFETCH(QString, expected);
        const QString set = file("zestaw", header + cp1250("\"żółw, jeż i ćma?\",\"Ala\",\"b\",\"C\",\"\",\"e\",\"Podpowiedź "
                                                           "ą\"\r\n1,2,1,2,2\r\n\"Rok 966?\",\"tak\",\"nie\",\"\",\"\",\"\","
                                                           "\"Brak\"\r\n2,1,2,2,2\r\n"));
        const QString out = file("wynik", QByteArray(9000, 'x'));  // an old, longer file: created anew
        const sheets::Conversion done = sheets::convertToText(set, out, hints);
        QVERIFY(done.questions == 2 && done.written == 2 && done.damage.isEmpty());
        QCOMPARE(testsupport::fileContents(out), cp1250(expected));
    }

    void progress_data() {
        QTest::addColumn<int>("questions");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("3") << 3 << QStringList{" 33 %", " 67 %", " 100 %"};
        QTest::newRow("7 ends at 100") << 7 << QStringList{" 14 %", " 29 %", " 43 %", " 57 %", " 71 %", " 86 %", " 100 %"};
    }
    void progress() {
        QFETCH(int, questions);
        QFETCH(QStringList, shown);
        QStringList seen;
        QList<int> counts;
        const sheets::ConversionSteps steps{[&](int n, bool last) { counts << (last ? -n : n); },
                                            [&](double bar) { seen << sheets::progressText(bar); }};
        sheets::convertToText(file("zestaw", numbered(questions)), file("wynik"), false, steps);
        QCOMPARE(seen, shown);
        QCOMPARE(counts.size(), questions + 1);
        QCOMPARE(counts.last(), -questions);
    }

    void damagedSets_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("written");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("lines");
        QTest::newRow("cut in question 3") << numbered(3).chopped(15) << 2 << "pytanie nr 3 nie ma wszystkich pól" << 14;
        QTest::newRow("bad flag in question 2: its lines stay")
            << numbered(1) + "\"p2\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n1,x,2,2,2\r\n" << 1 << "pytanie nr 2 ma niepoprawne" << 14;
        QTest::newRow("header only") << header << 0 << "" << 0;
        QTest::newRow("blank lines at the end") << numbered(2) + "\r\n\r\n" << 2 << "" << 14;
        QTest::newRow("empty: no text file") << QByteArray("") << 0 << "nagłówka" << -1;
    }
    void damagedSets() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, written);
        QFETCH(QString, damage);
        QFETCH(int, lines);
        const QString out = file("wynik");
        const sheets::Conversion done = sheets::convertToText(file("zestaw", bytes), out, false);
        QCOMPARE(done.written, written);
        QVERIFY2(damage.isEmpty() ? done.damage.isEmpty() : done.damage.contains(damage), qPrintable(done.damage));
        QCOMPARE(done.created, lines >= 0);
        QCOMPARE(QFile::exists(out), lines >= 0);
        if (lines >= 0)
            QCOMPARE(testsupport::fileContents(out).count("\r\n"), lines);
    }

    void failedWriteKeepsOldFile() {
        const QString out = file("wynik", "stary plik\r\n");
        platform::files().failWritesAfter(100);
        QVERIFY_THROWS_EXCEPTION(platform::FileError, sheets::convertToText(file("zestaw", numbered(50)), out, true));
        QCOMPARE(testsupport::fileContents(out), QByteArray("stary plik\r\n"));
    }

    void namesThatWouldDestroyASet_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("the set itself, other case") << "ZESTAW.KWZ" << true;
        QTest::newRow("a new .kwz name") << "nowy.Kwz" << true;
        QTest::newRow("another set named .txt") << "ukryty.txt" << true;
        QTest::newRow("a text file") << "zestaw.TXT" << false;
    }
    void namesThatWouldDestroyASet() {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        QTemporaryDir folder;
        testsupport::writeTestFile(folder.filePath(QStringLiteral("zestaw.kwz")), numbered(1));
        testsupport::writeTestFile(folder.filePath(QStringLiteral("ukryty.txt")), numbered(1));
        QCOMPARE(sheets::refusedTextName(folder.filePath(QStringLiteral("zestaw.kwz")), folder.filePath(name)).has_value(),
                 refused);
    }
};

QTEST_MAIN(TestTextExport)
#include "tst_text_export.moc"
