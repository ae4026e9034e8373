// The printed sheets: the exact printer calls of each sheet, and the questions read whole before a job
// starts or a Polish refusal.
#include "sheets/print_sheets.h"
#include "support/program_fixture.h"
#include "support/recording_printer.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QtTest>

using questionset::Flags;
using testsupport::RecordingPrinter;

namespace {

std::vector<questionset::Question> questions(int n, Flags flags = {1, 2, 1, 2, 2}) {
    std::vector<questionset::Question> out(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        auto& t = out[static_cast<std::size_t>(i - 1)].texts;
        t.question = QStringLiteral("Pytanie %1").arg(i);
        t.answers = {QStringLiteral("A%1").arg(i), QStringLiteral("B%1").arg(i), {}, {}, QStringLiteral("E%1").arg(i)};
        t.hint = i == 2 ? QStringLiteral("Brak") : QStringLiteral("Podpowiedź %1").arg(i);
        out[static_cast<std::size_t>(i - 1)].flags = flags;
    }
    return out;
}

QByteArray setBytes(int n) {
    QByteArray bytes = "\"Kwiz v 1.0\"\r\n";
    for (int i = 1; i <= n; ++i)
        bytes += "\"Pytanie " + QByteArray::number(i) + "\",\"a\",\"b\",\"\",\"\",\"e\",\"h\"\r\n1,2,1,2,2\r\n";
    return bytes;
}

}  // namespace

class TestPrintSheets : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void cleanup() { QCOMPARE(testsupport::resetFileTable(), 0); }

    void questionSheetCalls() {
        RecordingPrinter printer;
        sheets::printQuestionSheet(questions(1), printer);
        QStringList expected{"size 12", "bold", "line [ 1) Pytanie 1]", "size 10", "plain"};
        const QStringList answers{"A1", "B1", "", "", "E1"};
        for (int x = 0; x < 5; ++x)
            expected << "bold" << QStringLiteral("item [                %1)  %2]").arg(QChar(u'A' + x), x == 4 ? " " : "")
                     << "plain" << "line [" + answers[x] + "]";
        QCOMPARE(printer.calls, expected << "line []" << "end");
    }

    void nineQuestionsAPage_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("breaksAfter");
        QTest::newRow("8") << 8 << QList<int>{};
        QTest::newRow("10: question 10 on page 2") << 10 << QList<int>{9};
        QTest::newRow("18") << 18 << QList<int>{9, 18};
    }
    void nineQuestionsAPage() {
        QFETCH(int, count);
        QFETCH(QList<int>, breaksAfter);
        RecordingPrinter printer;
        sheets::printQuestionSheet(questions(count), printer);
        QList<int> breaks;
        int question = 0;
        for (const QString& call : printer.calls) {
            question += call.contains(QLatin1String(") Pytanie "));
            if (call == QLatin1String("new page"))
                breaks << question;
        }
        QCOMPARE(breaks, breaksAfter);
    }

    void hintSheet() {
        RecordingPrinter printer;
        sheets::printHintSheet(questions(2), printer);
        QCOMPARE(printer.calls, (QStringList{"size 20", "bold", "line [" + QString(39, u' ') + "Podpowiedzi do testu]",
                                             "line []", "size 10", "plain", "line [ 1 ) Podpowiedź 1]",
                                             "line [ 2 ) Brak]", "end"}));
    }

    void answerKey_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<Flags>("flags");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("A and C") << 1 << Flags{1, 2, 1, 2, 2} << " 1 ) A, C, ";
        QTest::newRow("E without a comma") << 1 << Flags{2, 2, 2, 2, 1} << " 1 ) E ";
        QTest::newRow("B and E of question 3") << 3 << Flags{2, 1, 2, 2, 1} << " 3 ) B, E ";
        QTest::newRow("none: the number only") << 1 << Flags{2, 2, 2, 2, 2} << " 1 ) ";
        QTest::newRow("only 1 is correct") << 12 << Flags{0, 1, 3, 2, 2} << " 12 ) B, ";
    }
    void answerKey() {
        QFETCH(int, count);
        QFETCH(Flags, flags);
        QFETCH(QString, lastLine);
        RecordingPrinter printer;
        sheets::printAnswerKey(questions(count, flags), printer);
        QCOMPARE(printer.calls.mid(0, 6), (QStringList{"bold", "size 20", "line [" + QString(31, u' ') +
                                                       "Odpowiedzi do testu]", "line []", "size 10", "plain"}));
        QCOMPARE(printer.lines().size(), 2 + count);
        QCOMPARE(printer.lines().last(), lastLine);
    }

    void readWholeFirst_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<long long>("count");
        QTest::addColumn<QString>("refusal");  // title, then what the prompt says
        QTest::newRow("exact") << setBytes(3) << 3LL << "";
        QTest::newRow("empty line at the end, count 0") << setBytes(2) + "\r\n" << 0LL << "";
        QTest::newRow("count above the set") << setBytes(3) + "\r\n" << 5LL
                                             << "Za mało pytań w zestawie|Liczba pytań w zestawie: 3, do wydruku: 5.";
        QTest::newRow("cut in question 3") << setBytes(3).chopped(12) << 3LL
                                           << "Uszkodzony zestaw pytań|pytanie nr 3 nie ma wszystkich pól";
        QTest::newRow("bad flag in question 2") << setBytes(1) + "\"Pytanie 2\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n1,x,1,2,2\r\n"
                                                << 2LL << "Uszkodzony zestaw pytań|ma niepoprawne oznaczenia";
        QTest::newRow("empty file") << QByteArray() << 0LL << "Uszkodzony zestaw pytań|nagłówka";
    }
    void readWholeFirst() {
        QFETCH(QByteArray, bytes);
        QFETCH(long long, count);
        QFETCH(QString, refusal);
        const QString path = dir_.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".kwz");
        testsupport::writeTestFile(path, bytes);
        try {
            QCOMPARE(static_cast<long long>(sheets::questionsToPrint(path, count).size()), count);
            QCOMPARE(refusal, QString());
        } catch (const sheets::Refusal& r) {
            QCOMPARE(r.title, refusal.section(u'|', 0, 0));
            QVERIFY2(r.prompt.contains(refusal.section(u'|', 1)) &&
                         r.prompt.endsWith(QStringLiteral("Nic nie zostało wydrukowane.")), qPrintable(r.prompt));
        }
    }

    void pdfBesideTheSetOrInDocuments() {
        const QString set = dir_.filePath(QStringLiteral("Historia Polski.kwz"));
        testsupport::writeTestFile(set, setBytes(1));
        QCOMPARE(sheets::pdfPath(set, sheets::Sheet::Hints, QStringLiteral("/dok")),
                 dir_.filePath(QStringLiteral("Historia Polski - podpowiedzi.pdf")));
        // A set whose folder is gone since it was chosen.
        QCOMPARE(sheets::pdfPath(dir_.filePath(QStringLiteral("nie_ma/x.kwz")), sheets::Sheet::Key, QStringLiteral("/dok")),
                 QStringLiteral("/dok/x - odpowiedzi.pdf"));
    }
};

QTEST_MAIN(TestPrintSheets)
#include "tst_print_sheets.moc"
