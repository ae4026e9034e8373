// The sheets printed for real into PDF files and read back with pdftotext: real text with every Polish
// letter, nine questions a page, long texts wrapped whole.
#include "platform/print/qt_printer.h"
#include "sheets/print_sheets.h"
#include "support/failing_disk.h"
#include "support/test_files.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

std::vector<questionset::Question> polish(int n) {
    std::vector<questionset::Question> out(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        auto& q = out[static_cast<std::size_t>(i - 1)];
        q.texts = {QStringLiteral("Zażółć gęślą jaźń %1").arg(i),
                   {QStringLiteral("Łódź"), QStringLiteral("Źdźbło"), QStringLiteral("Ćma"), {}, QStringLiteral("Śnieg")},
                   QStringLiteral("Wskazówka nr %1: ŻÓŁW").arg(i)};
        q.flags = {1, 2, 1, 2, 2};
    }
    return out;
}

// The text of pages of a PDF in reading order, runs of blanks and line ends made one blank.
QString pdfText(const QString& pdf, int page) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {"-layout", "-enc", "UTF-8", "-f", QString::number(page), "-l",
                                             QString::number(page), pdf, "-"});
    tool.waitForFinished(30000);
    return QString::fromUtf8(tool.readAllStandardOutput()).simplified();
}

}  // namespace

class TestPdfPrint : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString pdf_;
    platform::QtPrinter printer_;
    void printTo(const QString& name) { printer_.setOutputFile(pdf_ = dir_.filePath(name)); }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is missing; scripts/install_deps.sh installs it");
    }

    void questionSheetTenQuestionsTwoPages() {
        printTo(QStringLiteral("Zestaw - test.pdf"));
        sheets::printQuestionSheet(polish(10), printer_);
        QVERIFY(!printer_.lastJobFailed());
        QCOMPARE(printer_.pagesOfLastJob(), 2);
        const QString page1 = pdfText(pdf_, 1);
        QVERIFY2(page1.startsWith("1) Zażółć gęślą jaźń 1 A) Łódź B) Źdźbło C) Ćma D) E) Śnieg 2) ") &&
                     page1.endsWith("9) Zażółć gęślą jaźń 9 A) Łódź B) Źdźbło C) Ćma D) E) Śnieg"), qPrintable(page1));
        QVERIFY2(pdfText(pdf_, 2).startsWith("10) Zażółć gęślą jaźń 10 A) Łódź"), qPrintable(pdfText(pdf_, 2)));
    }

    void longTextsWrapWhole() {
        auto questions = polish(1);
        QStringList words;
        for (int i = 1; i <= 60; ++i)
            words << QStringLiteral("słowo%1").arg(i);
        questions[0].texts.question = words.join(u' ');
        questions[0].texts.answers[4] = "Wieża Eiffla " + words.join(u' ');
        printTo(QStringLiteral("Długie - test.pdf"));
        sheets::printQuestionSheet(questions, printer_);
        QCOMPARE(pdfText(pdf_, 1), "1) " + words.join(u' ') + " A) Łódź B) Źdźbło C) Ćma D) E) Wieża Eiffla " +
                                       words.join(u' '));
    }

    void hintsAndKey() {
        printTo(QStringLiteral("Zestaw - podpowiedzi.pdf"));
        sheets::printHintSheet(polish(2), printer_);
        QCOMPARE(pdfText(pdf_, 1), "Podpowiedzi do testu 1 ) Wskazówka nr 1: ŻÓŁW 2 ) Wskazówka nr 2: ŻÓŁW");
        printTo(QStringLiteral("Zestaw - odpowiedzi.pdf"));
        sheets::printAnswerKey(polish(2), printer_);
        QCOMPARE(pdfText(pdf_, 1), QStringLiteral("Odpowiedzi do testu 1 ) A, C, 2 ) A, C,"));
    }

    // A PDF that does not fit on the disk is not put in place: the old file stays, the cause is named.
    void fullDiskKeepsOldPdf_data() {
        QTest::addColumn<qint64>("room");
        QTest::newRow("full_at_start") << qint64(0);
        QTest::newRow("full_mid_document") << qint64(3000);
    }
    void fullDiskKeepsOldPdf() {
        QFETCH(qint64, room);
        printTo(QStringLiteral("Pełny dysk.pdf"));
        testsupport::writeTestFile(pdf_, "old pdf");
        {
            testsupport::FailingDisk disk(room);
            sheets::printQuestionSheet(polish(10), printer_);
        }
        QVERIFY(printer_.lastJobFailed());
        QVERIFY2(printer_.lastJobFailure().endsWith(QStringLiteral(": brak miejsca na dysku")),
                 qPrintable(printer_.lastJobFailure()));
        QCOMPARE(testsupport::fileContents(pdf_), QByteArray("old pdf"));
        QCOMPARE(QDir(dir_.path()).entryList({QStringLiteral("Pełny*")}, QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Pełny dysk.pdf")});
    }
};

QTEST_MAIN(TestPdfPrint)
#include "tst_pdf_print.moc"
