// The lab exam's settings file: what a save writes, and every damaged file read back as all settings off.
#include "config/test_settings.h"
#include "support/test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using config::TestSettings;

Q_DECLARE_METATYPE(TestSettings)

class TestTestSettings : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString folder() const { return dir_.path() + u'/'; }
    QString filePath() const { return dir_.filePath(QStringLiteral("test.cfg")); }

private slots:
    void cleanup()
    {
        QFile::remove(filePath());
        QCOMPARE(testsupport::resetFileTable(), 0);
    }

    void roundTrip_data()
    {
        QTest::addColumn<TestSettings>("settings");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("all_off") << TestSettings{} << QByteArray("0,0,0,0\r\n");
        QTest::newRow("all_on_longest") << TestSettings{true, true, 300, true} << QByteArray("1,1,300,1\r\n");
        QTest::newRow("answers_only") << TestSettings{false, true, 45, false} << QByteArray("0,1,45,0\r\n");
    }
    void roundTrip()
    {
        QFETCH(TestSettings, settings);
        QFETCH(QByteArray, bytes);
        config::writeTestSettings(folder(), settings);
        QCOMPARE(testsupport::fileContents(filePath()), bytes);
        QVERIFY(config::readTestSettings(folder()) == settings);
    }

    void damaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing_file") << QByteArray();
        QTest::newRow("three_fields") << QByteArray("1,1,30\r\n");
        QTest::newRow("two_for_a_flag") << QByteArray("2,1,30,1\r\n");
        QTest::newRow("301_minutes") << QByteArray("1,1,301,1\r\n");
        QTest::newRow("negative_minutes") << QByteArray("1,1,-5,1\r\n");
        QTest::newRow("fraction_of_a_minute") << QByteArray("1,1,2.5,1\r\n");
        QTest::newRow("text_for_minutes") << QByteArray("1,1,\"trzydzieści\",1\r\n");
        QTest::newRow("empty_flag") << QByteArray("1,,30,1\r\n");
        QTest::newRow("empty_file") << QByteArray("");
    }
    void damaged()
    {
        QFETCH(QByteArray, bytes);
        if (!bytes.isNull()) {
            QFile file(filePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        QVERIFY(config::readTestSettings(folder()) == TestSettings{});
    }
};

QTEST_GUILESS_MAIN(TestTestSettings)
#include "tst_test_settings.moc"
