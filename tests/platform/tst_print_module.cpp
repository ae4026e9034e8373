// The printing module the program carries: loaded from the program's own bytes on first use, it prints
// a real PDF; and the program does not load Qt's printing library at start.
#include "platform/gui/print_loader.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestPrintModule : public QObject {
    Q_OBJECT
private slots:
    void printsThroughTheCarriedModule();
    void programStartsWithoutThePrintingLibrary();
};

void TestPrintModule::printsThroughTheCarriedModule() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is missing; scripts/install_deps.sh installs it");
    QVERIFY2(platform::printModule(), "the module the test carries was not loaded");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("zestaw.pdf"));
    platform::LazyPrinter printer;
    printer.setOutputFile(pdf);
    printer.setBold(true);
    printer.print(QStringLiteral("Zażółć gęślą jaźń"), true);
    printer.endDoc();
    QVERIFY(!printer.lastJobFailed());
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    QVERIFY(tool.waitForFinished(30000));
    const QString text = QString::fromUtf8(tool.readAllStandardOutput()).simplified();
    QVERIFY2(text == QStringLiteral("Zażółć gęślą jaźń"), qPrintable(text));
}

void TestPrintModule::programStartsWithoutThePrintingLibrary() {
    const QString exe = qEnvironmentVariable("WIEDO_EXE");
    if (exe.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("readelf")).isEmpty())
        QSKIP("WIEDO_EXE is not set or readelf is missing");
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"), {QStringLiteral("--dynamic"), exe});
    QVERIFY(readelf.waitForFinished(30000));
    const QByteArray dynamic = readelf.readAllStandardOutput();
    QVERIFY2(dynamic.contains("libQt6Widgets"), dynamic.constData());
    QVERIFY2(!dynamic.contains("PrintSupport"), "the program loads Qt's printing library at every start");
}

QTEST_MAIN(TestPrintModule)
#include "tst_print_module.moc"
