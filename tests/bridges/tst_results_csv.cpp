// The results log as a spreadsheet table: the bytes of the table for real-looking logs, damaged and cut
// records left out with their line, fields a spreadsheet would misread, and `wiedo results` run for real.
#include "bridges/results_csv.h"
#include "support/program_fixture.h"
#include "support/test_files.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using testsupport::cp1250;

namespace {

const QByteArray bom("\xEF\xBB\xBF");
const QByteArray heading("Imię;Nazwisko;Klasa;Data;Godzina;Plik z testami;Punkty;Pytania;Ocena\r\n");
const QByteArray stars(" *********************************************");

// One record's lines as the grade window writes them, without their line ends.
QList<QByteArray> recordLines(const QString& first, const QString& surname, const QString& date,
                              const QString& points, const QString& grade)
{
    QList<QByteArray> lines{"\r",
                            cp1250(QStringLiteral("Imie  ") + first),
                            cp1250(QStringLiteral("Nazwisko ") + surname),
                            "Klasa 3A",
                            cp1250(QStringLiteral("Data : ") + date),
                            "Godzina : 14:07:59",
                            "Plik z testami : C:\\WIEDO\\historia.kwz",
                            cp1250(QStringLiteral(" Liczba punktów ") + points)};
    if (!grade.isEmpty())
        lines << cp1250(QStringLiteral("Ocena : ") + grade);
    lines << stars;
    return lines;
}

QByteArray joined(const QList<QByteArray>& lines, const QByteArray& end = "\r\n")
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + end;
    return bytes;
}

const QList<QByteArray> kowalski =
    recordLines(QStringLiteral("Jan"), QStringLiteral("Kowalski"), QStringLiteral("05-21-2003"),
                QStringLiteral("28  na 40"), QStringLiteral("4"));
const QByteArray kowalskiRow("Jan;Kowalski;3A;2003-05-21;14:07:59;C:\\WIEDO\\historia.kwz;28;40;4\r\n");
const QList<QByteArray> zolc =
    recordLines(QStringLiteral("Łucja"), QStringLiteral("Żółć-Źdźbło"), QStringLiteral("12-31-2024"),
                QStringLiteral("41  na 40"), QString());
const QByteArray zolcRow("Łucja;Żółć-Źdźbło;3A;2024-12-31;14:07:59;C:\\WIEDO\\historia.kwz;41;40;\r\n");

}  // namespace

class tst_ResultsCsv : public QObject {
    Q_OBJECT
private slots:
    void table_data();
    void table();
    void field_data();
    void field();
    void command_data();
    void command();
};

void tst_ResultsCsv::table_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QList<int>>("faultLines");

    QTest::newRow("with_grade") << joined(kowalski) << kowalskiRow << QList<int>{};
    QTest::newRow("without_grade_polish_letters") << joined(kowalski + zolc) << kowalskiRow + zolcRow << QList<int>{};
    // The grade window was stopped after the date: the record ends at the end of the file.
    QTest::newRow("cut_record") << joined(kowalski + zolc.first(5)) << kowalskiRow << QList<int>{15};
    QTest::newRow("cut_inside_last_line")
        << joined(kowalski) + joined(zolc).chopped(20) << kowalskiRow << QList<int>{19};
    QList<QByteArray> noClass = zolc;
    noClass.removeAt(3);
    QTest::newRow("damaged_record_in_middle")
        << joined(kowalski + noClass + kowalski) << kowalskiRow + kowalskiRow << QList<int>{14};
    QList<QByteArray> badGrade = kowalski;
    badGrade[8] = "Ocena : 7";
    QTest::newRow("grade_out_of_range") << joined(badGrade + zolc) << zolcRow << QList<int>{9};
    QList<QByteArray> badDate = kowalski;
    badDate[4] = "Data : 02-30-2003";
    QTest::newRow("impossible_date") << joined(badDate + zolc) << zolcRow << QList<int>{5};
    QList<QByteArray> badPoints = kowalski;
    badPoints[7] = cp1250(QStringLiteral(" Liczba punktów dużo  na 40"));
    QTest::newRow("points_not_a_number") << joined(badPoints) << QByteArray() << QList<int>{8};
    // Two records that lost their separator run into each other: the first is left out, the second read.
    QList<QByteArray> noSeparator = kowalski;
    noSeparator.removeLast();
    QTest::newRow("missing_separator") << joined(noSeparator + zolc) << zolcRow << QList<int>{10};
    // A lone log after an editor's clean-up: LF alone, the lone CR gone, no line end after the last line.
    QTest::newRow("lone_cr_line_ends")
        << joined(kowalski.mid(1) + noClass.mid(1) + zolc.mid(1), "\r") << kowalskiRow + zolcRow << QList<int>{12};
    QTest::newRow("lone_log_lf_only") << joined(kowalski, "\n") << kowalskiRow << QList<int>{};
    QTest::newRow("lone_log_cr_line_lost")
        << joined(kowalski.mid(1)).chopped(2) << kowalskiRow << QList<int>{};
    QTest::newRow("empty_question_count")
        << joined(recordLines(QStringLiteral("Jan"), QStringLiteral("Kowalski"), QStringLiteral("05-21-2003"),
                              QStringLiteral("0  na "), QStringLiteral("1")))
        << QByteArray("Jan;Kowalski;3A;2003-05-21;14:07:59;C:\\WIEDO\\historia.kwz;0;;1\r\n") << QList<int>{};
    QTest::newRow("stray_text_before") << QByteArray("notatka\r\nnauczyciela\r\n") + joined(kowalski)
                                       << kowalskiRow << QList<int>{1};
    QTest::newRow("empty_log") << QByteArray() << QByteArray() << QList<int>{};
}

void tst_ResultsCsv::table()
{
    QFETCH(QByteArray, log);
    QFETCH(QByteArray, rows);
    QFETCH(QList<int>, faultLines);
    const bridges::ResultsLog parsed = bridges::parseResultsLog(log);
    QCOMPARE(bridges::resultsTable(parsed.records), bom + heading + rows);
    QList<int> lines;
    for (const bridges::LogFault& fault : parsed.faults)
        lines << static_cast<int>(fault.line);
    QCOMPARE(lines, faultLines);
}

void tst_ResultsCsv::field_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("plain") << "Kowalski" << QByteArray("Kowalski");
    QTest::newRow("polish") << "Żaneta" << QByteArray("Żaneta");
    QTest::newRow("semicolon") << "3;B" << QByteArray("\"3;B\"");
    QTest::newRow("quote") << "Jan \"Janek\"" << QByteArray("\"Jan \"\"Janek\"\"\"");
    QTest::newRow("line_break") << "a\r\nb" << QByteArray("\"a\r\nb\"");
    QTest::newRow("formula_equals") << "=HYPERLINK(\"x\")" << QByteArray("\"'=HYPERLINK(\"\"x\"\")\"");
    QTest::newRow("formula_plus") << "+48 123" << QByteArray("'+48 123");
    QTest::newRow("formula_minus") << "-2+3" << QByteArray("'-2+3");
    QTest::newRow("formula_at") << "@SUMA(A1)" << QByteArray("'@SUMA(A1)");
    QTest::newRow("formula_after_blanks") << "  =1+1" << QByteArray("'  =1+1");
    QTest::newRow("formula_tab") << "\t=1" << QByteArray("\"'\t=1\"");
    QTest::newRow("inner_equals_kept") << "Anna=Maria" << QByteArray("Anna=Maria");
    QTest::newRow("empty") << "" << QByteArray();
}

void tst_ResultsCsv::field()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    QCOMPARE(bridges::tableField(text), written);
}

void tst_ResultsCsv::command_data()
{
    QTest::addColumn<QByteArray>("log");  // "<none>": no log at all
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QByteArray>("table");  // "<missing>": no table written
    QTest::newRow("written") << joined(kowalski + zolc) << 0 << "Zapisano 2 wpisy do pliku"
                             << bom + heading + kowalskiRow + zolcRow;
    QTest::newRow("cut_record_reported") << joined(kowalski + zolc.first(4)) << 1
                                         << "wiersz 14: wpis z wiersza 12 pominięty" << bom + heading + kowalskiRow;
    QTest::newRow("missing_log") << QByteArray("<none>") << 2 << "nie mogę odczytać dziennika wyników"
                                 << QByteArray("<missing>");
}

void tst_ResultsCsv::command()
{
    QFETCH(QByteArray, log);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QFETCH(QByteArray, table);
    QTemporaryDir dir;
    const QString logPath = dir.filePath(QStringLiteral("wyniki.txt"));
    const QString tablePath = dir.filePath(QStringLiteral("wyniki.csv"));
    if (log != "<none>")
        testsupport::writeTestFile(logPath, log);
    QProcess wiedo;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));  // no window may be asked for
    wiedo.setProcessEnvironment(environment);
    wiedo.setProcessChannelMode(QProcess::MergedChannels);
    wiedo.start(qEnvironmentVariable("WIEDO_EXE"), {QStringLiteral("results"), logPath, tablePath});
    QVERIFY2(wiedo.waitForFinished(30000), "the program did not end");
    const QString output = QString::fromUtf8(wiedo.readAll());
    QCOMPARE(wiedo.exitCode(), exitCode);
    QVERIFY2(output.contains(said), qPrintable(output));
    QCOMPARE(testsupport::fileContents(tablePath), table);
}

QTEST_GUILESS_MAIN(tst_ResultsCsv)
#include "tst_results_csv.moc"
