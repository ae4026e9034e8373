// The sheets printed for real, into PDF files through Qt's printing, and read back with pdftotext: the
// text must be real text with every Polish letter, nine questions a page.
#include "platform/gui/qt_printer.h"
#include "sheets/print_sheets.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

std::vector<questionset::Question> polishQuestions(int n) {
    std::vector<questionset::Question> out;
    for (int i = 1; i <= n; ++i) {
        questionset::Question q;
        q.texts.question = QStringLiteral("Zażółć gęślą jaźń %1").arg(i);
        q.texts.answers = {QStringLiteral("Łódź"), QStringLiteral("Źdźbło"), QStringLiteral("Ćma"), QString(),
                           QStringLiteral("Śnieg")};
        q.texts.hint = QStringLiteral("Wskazówka nr %1: ŻÓŁW").arg(i);
        q.flags = {1, 2, 1, 2, 2};
        out.push_back(q);
    }
    return out;
}

// The text of some pages of a PDF, blanks and line ends each run made one blank.
QString pdfText(const QString& pdf, int firstPage, int lastPage) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-f"), QString::number(firstPage),
                QStringLiteral("-l"), QString::number(lastPage), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return QStringLiteral("<pdftotext failed: %1>").arg(QString::fromLocal8Bit(tool.readAllStandardError()));
    return QString::fromUtf8(tool.readAllStandardOutput()).simplified();
}

}  // namespace

class TestPdfPrint : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; scripts/install_deps.sh installs it");
    }

    void questionSheetTenQuestionsTwoPages() {
        const QString pdf = dir_.filePath(QStringLiteral("Zestaw - test.pdf"));
        platform::QtPrinter printer;
        printer.setOutputFile(pdf);
        sheets::printQuestionSheet(polishQuestions(10), printer);
        QVERIFY(!printer.lastJobFailed());
        QCOMPARE(printer.pagesOfLastJob(), 2);
        const QString page1 = pdfText(pdf, 1, 1);
        const QString page2 = pdfText(pdf, 2, 2);
        QVERIFY2(page1.startsWith(QStringLiteral("1) Zażółć gęślą jaźń 1 A) Łódź B) Źdźbło C) Ćma D) E) Śnieg 2) ")),
                 qPrintable(page1));
        QVERIFY2(page1.contains(QStringLiteral("9) Zażółć gęślą jaźń 9")), qPrintable(page1));
        QVERIFY2(!page1.contains(QStringLiteral("jaźń 10")), qPrintable(page1));
        QVERIFY2(page2.startsWith(QStringLiteral("10) Zażółć gęślą jaźń 10 A) Łódź")), qPrintable(page2));
    }

    void longTextsWrapWhole() {
        const QString pdf = dir_.filePath(QStringLiteral("Długie - test.pdf"));
        auto questions = polishQuestions(1);
        QStringList words;
        for (int i = 1; i <= 60; ++i)
            words << QStringLiteral("słowo%1").arg(i);
        questions[0].texts.question = words.join(u' ');
        questions[0].texts.answers[4] = QStringLiteral("Wieża Eiffla ") + words.join(u' ');
        platform::QtPrinter printer;
        printer.setOutputFile(pdf);
        sheets::printQuestionSheet(questions, printer);
        const QString text = pdfText(pdf, 1, 1);
        QVERIFY2(text.startsWith(QStringLiteral("1) ") + words.join(u' ') + QStringLiteral(" A) Łódź")), qPrintable(text));
        QVERIFY2(text.endsWith(QStringLiteral("E) Wieża Eiffla ") + words.join(u' ')), qPrintable(text));
    }

    void hintsAndKey() {
        const QString hints = dir_.filePath(QStringLiteral("Zestaw - podpowiedzi.pdf"));
        const QString key = dir_.filePath(QStringLiteral("Zestaw - odpowiedzi.pdf"));
        platform::QtPrinter printer;
        printer.setOutputFile(hints);
        sheets::printHintSheet(polishQuestions(2), printer);
        printer.setOutputFile(key);
        sheets::printAnswerKey(polishQuestions(2), printer);
        QCOMPARE(pdfText(hints, 1, 1),
                 QStringLiteral("Podpowiedzi do testu 1 ) Wskazówka nr 1: ŻÓŁW 2 ) Wskazówka nr 2: ŻÓŁW"));
        QCOMPARE(pdfText(key, 1, 1), QStringLiteral("Odpowiedzi do testu 1 ) A, C, 2 ) A, C,"));
    }
};

QTEST_MAIN(TestPdfPrint)
#include "tst_pdf_print.moc"
