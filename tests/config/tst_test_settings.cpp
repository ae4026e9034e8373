// The lab exam's settings file read back, damaged files as all settings off, and the bytes a save writes.
#include "config/test_settings.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QtTest>

class TestTestSettings : public QObject {
    Q_OBJECT
private slots:
    void read_data() {
        QTest::addColumn<QByteArray>("bytes");  // null: no file
        QTest::addColumn<QString>("settings");
        QTest::newRow("all_set") << QByteArray("1,0,300,1\r\n") << "1,0,300,1";
        QTest::newRow("missing_file") << QByteArray() << "0,0,0,0";
        QTest::newRow("three_fields") << QByteArray("1,1,30\r\n") << "0,0,0,0";
        QTest::newRow("two_for_a_flag") << QByteArray("2,1,30,1\r\n") << "0,0,0,0";
        QTest::newRow("301_minutes") << QByteArray("1,1,301,1\r\n") << "0,0,0,0";
        QTest::newRow("text_for_minutes") << QByteArray("1,1,\"trzydzieści\",1\r\n") << "0,0,0,0";
    }
    void read() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        if (!bytes.isNull())
            testsupport::writeTestFile(folder + QStringLiteral("test.cfg"), bytes);
        const config::TestSettings s = config::readTestSettings(folder);
        QTEST(QStringLiteral("%1,%2,%3,%4").arg(s.shuffleQuestions).arg(s.shuffleAnswers).arg(s.minutes).arg(s.resumable),
              "settings");
        // Saved again, what was read reads back the same.
        config::writeTestSettings(folder, s);
        QCOMPARE(config::readTestSettings(folder), s);
        QCOMPARE(testsupport::resetFileTable(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTestSettings)
#include "tst_test_settings.moc"
