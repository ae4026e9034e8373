// The terminal commands run in the test's process: on a disk that fills up they end with a failure and
// leave the old output byte for byte; they never write over their input nor over what is not a plain
// file, and they refuse an input that is no plain file or is too large.
#include "app/commands.h"
#include "support/failing_disk.h"
#include "support/test_files.h"
#include "questionset/questionset.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void refusesOrFailsLeavingOutput_data();
    void refusesOrFailsLeavingOutput();
};

void TestCommands::refusesOrFailsLeavingOutput_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("input");   // a file of the test's folder, or an absolute path
    QTest::addColumn<QString>("output");
    QTest::addColumn<qint64>("room");     // bytes the disk takes, -1: no limit
    QTest::newRow("import_full_disk") << "import" << "quiz.gift" << "out.kwz" << qint64(40);
    QTest::newRow("export_full_disk") << "export" << "set.kwz" << "out.gift" << qint64(40);
    QTest::newRow("results_full_disk") << "results" << "wyniki.txt" << "out.csv" << qint64(3);
    QTest::newRow("import_into_input") << "import" << "quiz.gift" << "quiz.gift" << qint64(-1);
    QTest::newRow("export_into_link_to_set") << "export" << "set.kwz" << "link.kwz" << qint64(-1);
    QTest::newRow("results_into_log") << "results" << "wyniki.txt" << "./wyniki.txt" << qint64(-1);
    QTest::newRow("import_into_device") << "import" << "quiz.gift" << "/dev/null" << qint64(-1);
    QTest::newRow("import_into_folder") << "import" << "quiz.gift" << "sub" << qint64(-1);
    QTest::newRow("import_from_device") << "import" << "/dev/zero" << "out.kwz" << qint64(-1);
    QTest::newRow("export_from_device") << "export" << "/dev/zero" << "out.gift" << qint64(-1);
    QTest::newRow("import_too_large") << "import" << "huge.gift" << "out.kwz" << qint64(-1);
    QTest::newRow("import_broken_xml") << "import" << "quiz.xml" << "out.kwz" << qint64(-1);
}

void TestCommands::refusesOrFailsLeavingOutput() {
    QFETCH(QString, command);
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(qint64, room);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    testsupport::writeTestFile("quiz.gift", "Stolica Polski? {=Warszawa ~Kraków}\n");
    // A sound question, then a fault: a broken XML file is refused whole.
    testsupport::writeTestFile("quiz.xml", "<?xml version=\"1.0\"?>\n<quiz><question type=\"truefalse\"><questiontext><text>Q"
                                           "</text></questiontext><answer fraction=\"100\"><text>true</text></answer><answer>"
                                           "<text>false</text></answer></question>\n<question></quiz>\n");
    testsupport::writeTestFile("set.kwz", questionset::formatHeader() + questionset::formatQuestion({}));
    testsupport::writeTestFile("wyniki.txt", "\r\nImie  Jan\r\n");
    for (const char* name : {"out.kwz", "out.gift", "out.csv"})
        testsupport::writeTestFile(name, "old output");
    QVERIFY(QFile::link("set.kwz", "link.kwz") && QDir().mkdir("sub"));
    QFile huge("huge.gift");
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(app::maxInputBytes + 1));
    huge.close();
    const QStringList before = QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    const bool plainInput = !input.startsWith(u'/');  // a device is never read whole
    const QByteArray inputBefore = plainInput ? testsupport::fileContents(input) : QByteArray();
    const QByteArray outputBefore = testsupport::fileContents(output);

    std::optional<testsupport::FailingDisk> disk;
    if (room >= 0)
        disk.emplace(room);
    const QStringList arguments{QStringLiteral("wiedo"), input, output};
    const int status = command == "import" ? app::runImport(arguments)
                       : command == "export" ? app::runExport(arguments)
                                             : app::runResults(arguments);
    disk.reset();
    QCOMPARE(status, 2);
    QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    QCOMPARE(testsupport::fileContents(output), outputBefore);
    if (plainInput)
        QCOMPARE(testsupport::fileContents(input), inputBefore);
    QVERIFY(QFileInfo("link.kwz").isSymLink());
}

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
