// The program's command line, run for real: help, the version and a wrong option are answered in Polish
// on the terminal without a window (the run has no display, so asking for one would fail).
#include <QProcess>
#include <QtTest>

class tst_CommandLine : public QObject {
    Q_OBJECT
private slots:
    void answeredOnTheTerminal_data();
    void answeredOnTheTerminal();
};

void tst_CommandLine::answeredOnTheTerminal_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("said");
    QTest::newRow("help") << "--help" << 0
                          << QStringList{"Sposób użycia:", "[zestaw.kwz]", "Wyświetla tę pomoc.",
                                         "Wyświetla numer wersji."};
    QTest::newRow("question_mark") << "-?" << 0 << QStringList{"Sposób użycia:"};
    QTest::newRow("version") << "--version" << 0 << QStringList{"wiedo 1.1"};
    QTest::newRow("unknown_option") << "--drukuj" << 1 << QStringList{"Nieznana opcja \"drukuj\""};
    QTest::newRow("mistyped_command") << "imprt" << 2 << QStringList{"nie ma polecenia „imprt”"};
}

void tst_CommandLine::answeredOnTheTerminal() {
    QFETCH(QString, argument);
    QFETCH(int, exitCode);
    QFETCH(QStringList, said);
    QProcess wiedo;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    wiedo.setProcessEnvironment(environment);
    wiedo.setProcessChannelMode(QProcess::MergedChannels);
    wiedo.start(qEnvironmentVariable("WIEDO_EXE"), {argument});
    QVERIFY2(wiedo.waitForFinished(30000), "the program did not end");
    const QString output = QString::fromUtf8(wiedo.readAll());
    QVERIFY2(wiedo.exitStatus() == QProcess::NormalExit, qPrintable(output));
    QCOMPARE(wiedo.exitCode(), exitCode);
    for (const QString& text : said)
        QVERIFY2(output.contains(text), qPrintable(output));
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_command_line.moc"
