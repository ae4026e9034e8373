// The lab exam's settings file: the bytes a save writes, read back, and damaged files read as all off.
#include "config/test_settings.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QtTest>

using config::TestSettings;

class TestTestSettings : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void roundTrip() {
        const QString folder = dir_.path() + u'/';
        config::writeTestSettings(folder, {true, false, 300, true});
        QCOMPARE(testsupport::fileContents(dir_.filePath(QStringLiteral("test.cfg"))), QByteArray("1,0,300,1\r\n"));
        QVERIFY((config::readTestSettings(folder) == TestSettings{true, false, 300, true}));
    }

    void damagedMeansAllOff_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing_file") << QByteArray();
        QTest::newRow("three_fields") << QByteArray("1,1,30\r\n");
        QTest::newRow("two_for_a_flag") << QByteArray("2,1,30,1\r\n");
        QTest::newRow("301_minutes") << QByteArray("1,1,301,1\r\n");
        QTest::newRow("text_for_minutes") << QByteArray("1,1,\"trzydzieści\",1\r\n");
    }
    void damagedMeansAllOff() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        if (!bytes.isNull())
            testsupport::writeTestFile(dir.filePath(QStringLiteral("test.cfg")), bytes);
        QVERIFY(config::readTestSettings(dir.path() + u'/') == TestSettings{});
        QCOMPARE(testsupport::resetFileTable(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTestSettings)
#include "tst_test_settings.moc"
