// The printed sheets: the exact printer calls of the question sheet, the hints and the answer key, the
// questions read whole before a job starts (or a Polish refusal), and where PDF files go.
#include "sheets/print_sheets.h"
#include "support/recording_printer.h"
#include "support/program_fixture.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using questionset::Question;
using testsupport::RecordingPrinter;

namespace {

QByteArray setBytes(int questions, const QByteArray& flags = "1,2,1,2,2") {
    QByteArray bytes = "\"Kwiz v 1.0\"\r\n";
    for (int i = 1; i <= questions; ++i)
        bytes += QStringLiteral("\"Pytanie %1\",\"A%1\",\"B%1\",\"C%1\",\"\",\"E%1\",\"Podpowiedź %1\"\r\n")
                     .arg(i)
                     .toLatin1() +
                 flags + "\r\n";
    return testsupport::cp1250(QString::fromLatin1(bytes));
}

std::vector<Question> questions(int n, questionset::Flags flags = {1, 2, 1, 2, 2}) {
    std::vector<Question> out;
    for (int i = 1; i <= n; ++i) {
        Question q;
        q.texts.question = QStringLiteral("Pytanie %1").arg(i);
        q.texts.answers = {QStringLiteral("A%1").arg(i), QStringLiteral("B%1").arg(i), QStringLiteral("C%1").arg(i),
                           QString(), QStringLiteral("E%1").arg(i)};
        q.texts.hint = i == 2 ? QStringLiteral("Brak") : QStringLiteral("Podpowiedź %1").arg(i);
        q.flags = flags;
        out.push_back(q);
    }
    return out;
}

}  // namespace

class TestPrintSheets : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    int counter_ = 0;
    QString withBytes(const QByteArray& bytes) {
        const QString path = dir_.filePath(QStringLiteral("zestaw%1.kwz").arg(++counter_));
        testsupport::writeTestFile(path, bytes);
        return path;
    }

private slots:
    void cleanup() { QCOMPARE(testsupport::resetFileTable(), 0); }

    void questionSheetOfOneQuestion() {
        RecordingPrinter printer;
        sheets::printQuestionSheet(questions(1), printer);
        const QStringList expected{
            "size 12", "bold", "line [ 1) Pytanie 1]", "size 10", "plain",
            "bold", "item [                A)  ]", "plain", "line [A1]",
            "bold", "item [                B)  ]", "plain", "line [B1]",
            "bold", "item [                C)  ]", "plain", "line [C1]",
            "bold", "item [                D)  ]", "plain", "line []",
            "bold", "item [                E)   ]", "plain", "line [E1]",
            "line []", "end"};
        QCOMPARE(printer.calls, expected);
    }

    void nineQuestionsAPage_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("pageBreaksAfter");  // question numbers
        QTest::newRow("eight") << 8 << QList<int>{};
        QTest::newRow("ten: question 10 on page 2") << 10 << QList<int>{9};
        QTest::newRow("eighteen") << 18 << QList<int>{9, 18};
        QTest::newRow("nineteen") << 19 << QList<int>{9, 18};
    }
    void nineQuestionsAPage() {
        QFETCH(int, count);
        QFETCH(QList<int>, pageBreaksAfter);
        RecordingPrinter printer;
        sheets::printQuestionSheet(questions(count), printer);
        QList<int> breaks;
        int lastQuestion = 0;
        for (const QString& call : printer.calls) {
            if (call.startsWith(QLatin1String("line [ ")) && call.contains(QLatin1String(") Pytanie ")))
                lastQuestion = call.section(u')', 0, 0).mid(7).toInt();
            if (call == QLatin1String("new page"))
                breaks << lastQuestion;
        }
        QCOMPARE(breaks, pageBreaksAfter);
        QCOMPARE(printer.calls.last(), QStringLiteral("end"));
        QCOMPARE(printer.count(QStringLiteral("end")), 1);
    }

    void hintSheet() {
        RecordingPrinter printer;
        sheets::printHintSheet(questions(3), printer);
        QCOMPARE(printer.calls.mid(0, 4), (QStringList{"size 20", "bold",
                                                       "line [" + QString(39, u' ') + "Podpowiedzi do testu]",
                                                       "line []"}));
        QCOMPARE(printer.calls.mid(4, 2), (QStringList{"size 10", "plain"}));
        QCOMPARE(printer.lines().mid(2),
                 (QStringList{" 1 ) Podpowiedź 1", " 2 ) Brak", " 3 ) Podpowiedź 3"}));
        QCOMPARE(printer.calls.last(), QStringLiteral("end"));
    }

    void answerKeyLine_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<questionset::Flags>("flags");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("A and C") << 1 << questionset::Flags{1, 2, 1, 2, 2} << " 1 ) A, C, ";
        QTest::newRow("E alone, no comma") << 1 << questionset::Flags{2, 2, 2, 2, 1} << " 1 ) E ";
        QTest::newRow("B and E of question 3") << 3 << questionset::Flags{2, 1, 2, 2, 1} << " 3 ) B, E ";
        QTest::newRow("none correct: only the number") << 1 << questionset::Flags{2, 2, 2, 2, 2} << " 1 ) ";
        QTest::newRow("all") << 1 << questionset::Flags{1, 1, 1, 1, 1} << " 1 ) A, B, C, D, E ";
        QTest::newRow("0 is not correct") << 1 << questionset::Flags{0, 2, 2, 1, 2} << " 1 ) D, ";
        QTest::newRow("question 12") << 12 << questionset::Flags{1, 2, 2, 2, 2} << " 12 ) A, ";
    }
    void answerKeyLine() {
        QFETCH(int, count);
        QFETCH(questionset::Flags, flags);
        QFETCH(QString, lastLine);
        RecordingPrinter printer;
        sheets::printAnswerKey(questions(count, flags), printer);
        QCOMPARE(printer.calls.mid(0, 4), (QStringList{"bold", "size 20",
                                                       "line [" + QString(31, u' ') + "Odpowiedzi do testu]",
                                                       "line []"}));
        QCOMPARE(printer.lines().size(), 2 + count);
        QCOMPARE(printer.lines().last(), lastLine);
    }

    void readWholeBeforePrinting_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<long long>("count");
        QTest::addColumn<int>("read");
        QTest::addColumn<QString>("refusalTitle");
        QTest::addColumn<QString>("promptHas");
        QTest::newRow("exact count") << setBytes(3) << 3LL << 3 << "" << "";
        QTest::newRow("fewer asked") << setBytes(3) << 2LL << 2 << "" << "";
        QTest::newRow("empty line at the end") << setBytes(2) + "\r\n" << 2LL << 2 << "" << "";
        QTest::newRow("count 0: titles only") << setBytes(2) << 0LL << 0 << "" << "";
        QTest::newRow("header only, count 0") << setBytes(0) << 0LL << 0 << "" << "";
        QTest::newRow("count above the set") << setBytes(3) << 5LL << 0 << "Za mało pytań w zestawie"
                                             << "Liczba pytań w zestawie: 3, do wydruku: 5.";
        QTest::newRow("blank tail, count above") << setBytes(2) + "\r\n\r\n" << 3LL << 0 << "Za mało pytań w zestawie"
                                                 << "Liczba pytań w zestawie: 2, do wydruku: 3.";
        QTest::newRow("cut inside question 3") << setBytes(3).chopped(12) << 3LL << 0 << "Uszkodzony zestaw pytań"
                                               << "pytanie nr 3 nie ma wszystkich pól";
        QTest::newRow("bad flag in question 2") << setBytes(1) + setBytes(1).mid(14).replace("1,2,1", "1,x,1")
                                                << 2LL << 0 << "Uszkodzony zestaw pytań"
                                                << "pytanie nr 2 ma niepoprawne oznaczenia";
        QTest::newRow("empty file") << QByteArray() << 0LL << 0 << "Uszkodzony zestaw pytań" << "nagłówka";
    }
    void readWholeBeforePrinting() {
        QFETCH(QByteArray, bytes);
        QFETCH(long long, count);
        QFETCH(int, read);
        QFETCH(QString, refusalTitle);
        QFETCH(QString, promptHas);
        const QString path = withBytes(bytes);
        try {
            const auto got = sheets::questionsToPrint(path, count);
            QVERIFY2(refusalTitle.isEmpty(), "no refusal");
            QCOMPARE(static_cast<int>(got.size()), read);
            if (read > 0)
                QCOMPARE(got.back().texts.question, QStringLiteral("Pytanie %1").arg(read));
        } catch (const sheets::Refusal& refusal) {
            QCOMPARE(refusal.title, refusalTitle);
            QVERIFY2(refusal.prompt.contains(promptHas), qPrintable(refusal.prompt));
            QVERIFY(refusal.prompt.endsWith(QStringLiteral("Nic nie zostało wydrukowane.")));
        }
    }

    void missingSetRefused() {
        try {
            sheets::questionsToPrint(dir_.filePath(QStringLiteral("nie_ma.kwz")), 1);
            QFAIL("a missing set was read");
        } catch (const sheets::Refusal& refusal) {
            QCOMPARE(refusal.title, QStringLiteral("Brak zestawu pytań"));
        }
    }

    void pdfFiles_data() {
        QTest::addColumn<bool>("folderThere");
        QTest::addColumn<int>("sheet");
        QTest::addColumn<QString>("expectedName");
        QTest::addColumn<bool>("beside");
        QTest::newRow("test") << true << int(sheets::Sheet::Questions) << "Historia Polski - test.pdf" << true;
        QTest::newRow("hints") << true << int(sheets::Sheet::Hints) << "Historia Polski - podpowiedzi.pdf" << true;
        QTest::newRow("key") << true << int(sheets::Sheet::Key) << "Historia Polski - odpowiedzi.pdf" << true;
        QTest::newRow("folder gone since the set was chosen") << false << int(sheets::Sheet::Key) << "Historia Polski - odpowiedzi.pdf"
                                          << false;
    }
    void pdfFiles() {
        QFETCH(bool, folderThere);
        QFETCH(int, sheet);
        QFETCH(QString, expectedName);
        QFETCH(bool, beside);
        QTemporaryDir root;
        const QString sets = root.filePath(QStringLiteral("zestawy"));
        const QString documents = root.filePath(QStringLiteral("Dokumenty"));
        QDir().mkpath(sets);
        const QString set = sets + QStringLiteral("/Historia Polski.kwz");
        testsupport::writeTestFile(set, setBytes(1));
        if (!folderThere)
            QVERIFY(QDir(sets).removeRecursively());
        const QString path = sheets::pdfPath(set, static_cast<sheets::Sheet>(sheet), documents);
        QCOMPARE(path, (beside ? sets : documents) + u'/' + expectedName);
    }
};

QTEST_MAIN(TestPrintSheets)
#include "tst_print_sheets.moc"
