// The comma-separated record encoding: exact bytes written, fields read back one at a time, numbers at the
// edges of their widths, and files that were never written by the program.
#include "support/test_files.h"
#include "support/failure_of.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "records/records.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using platform::FileError;
using platform::files;
using platform::OpenMode;
using records::Field;
using records::Value;

Q_DECLARE_METATYPE(QList<records::Field>)
Q_DECLARE_METATYPE(records::Value::Kind)

namespace {

using testsupport::failureOf;

}  // namespace

class TestRecords : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int fileCounter_ = 0;

    // A fresh file holding the bytes, opened for reading.
    int reader(const QByteArray& bytes)
    {
        const QString path = dir_.filePath(QStringLiteral("in%1.txt").arg(++fileCounter_));
        testsupport::writeTestFile(path, bytes);
        return files().open(path, OpenMode::Input);
    }

    // Every text field of the file, read until PastEnd; the loop is bounded so a reader that stops
    // advancing fails instead of hanging.
    QStringList allTexts(int file, qint64 bound)
    {
        QStringList texts;
        for (qint64 i = 0; i <= bound; ++i) {
            try {
                texts.append(records::readText(file));
            } catch (const FileError& e) {
                if (e.kind() != FileError::Kind::PastEnd)
                    throw;
                return texts;
            }
        }
        QTest::qFail("reader did not reach the end", __FILE__, __LINE__);
        return texts;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanup()
    {
        testsupport::resetFileTable();
    }

    void readTexts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("header") << QByteArray("\"Kwiz v 1.0\"\r\n") << QStringList{"Kwiz v 1.0"};
        QTest::newRow("seven_texts_fourth_empty") << QByteArray("\"Ile?\",\"1\",\"2\",\"\",\"4\",\"5\",\"Brak\"\r\n")
                                                  << QStringList{"Ile?", "1", "2", "", "4", "5", "Brak"};
        QTest::newRow("flags_line") << QByteArray("2,1,2,2,2\r\n") << QStringList{"2", "1", "2", "2", "2"};
        QTest::newRow("comma_inside_quotes") << QByteArray("\"a, b\",c\r\n") << QStringList{"a, b", "c"};
        QTest::newRow("line_break_inside_quotes") << QByteArray("\"x\r\ny\"\r\n\"z\"\r\n") << QStringList{"x\r\ny", "z"};
        QTest::newRow("leading_blanks_skipped") << QByteArray(" \t 2,\t\"t\"") << QStringList{"2", "t"};
        QTest::newRow("blanks_inside_quotes_kept") << QByteArray("\"  a \"") << QStringList{"  a "};
        QTest::newRow("unquoted_trailing_blanks_kept") << QByteArray("ab  ,c") << QStringList{"ab  ", "c"};
        QTest::newRow("junk_after_closing_quote") << QByteArray("\"a\" xyz,\"b\"zz\r\nc") << QStringList{"a", "b", "c"};
        QTest::newRow("quote_inside_unquoted") << QByteArray("ab\"c,d") << QStringList{"ab\"c", "d"};
        QTest::newRow("unterminated_quote") << QByteArray("\"abc,def\r\n") << QStringList{"abc,def\r\n"};
        QTest::newRow("lone_quote_at_end") << QByteArray("a,\"") << QStringList{"a", ""};
        QTest::newRow("nul_bytes") << QByteArray("a\0b,\"\0\"", 7) << QStringList{QString("a") + QChar(0) + "b", QString(QChar(0))};
        QTest::newRow("lone_cr") << QByteArray("a\rb") << QStringList{"a", "b"};
        QTest::newRow("lone_lf") << QByteArray("a\nb") << QStringList{"a", "b"};
        QTest::newRow("lf_cr_is_two_line_ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("cr_lf_after_quote") << QByteArray("\"a\"\r\n\"b\"\r\n") << QStringList{"a", "b"};
        // The reader refills its 64 KiB buffer between the two bytes of the line end or of a quoted field.
        QTest::newRow("cr_lf_split_across_buffers")
            << QByteArray(65535, 'x') + "\r\nb" << QStringList{QString(65535, u'x'), "b"};
        QTest::newRow("quote_at_buffer_end")
            << QByteArray(65535, ' ') + "\"a\r\nb\",c" << QStringList{"a\r\nb", "c"};
        QTest::newRow("no_line_end") << QByteArray("1,2") << QStringList{"1", "2"};
        QTest::newRow("only_cr_lf") << QByteArray("\r\n") << QStringList{""};
        QTest::newRow("empty_fields") << QByteArray(",,\r\n") << QStringList{"", "", ""};
        QTest::newRow("trailing_comma") << QByteArray("a,") << QStringList{"a"};
        QTest::newRow("empty_file") << QByteArray() << QStringList{};
        QTest::newRow("blanks_only") << QByteArray(" \t ") << QStringList{};
    }

    void readTexts()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fields);
        const int file = reader(bytes);
        QCOMPARE(allTexts(file, bytes.size()), fields);
        QVERIFY(files().atEnd(file));
    }

    void readNumbers_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("sixteenBits");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<int>("value");
        const auto row = [](const char* name, const QByteArray& bytes, bool wide, const char* failure, int value) {
            QTest::newRow(name) << bytes << wide << QString::fromLatin1(failure) << value;
        };
        row("flag", "2,", false, "none", 2);
        row("leading_blank", " 2\r\n", false, "none", 2);
        row("leading_zeros", "007", false, "none", 7);
        row("plus_sign", "+7", false, "none", 7);
        row("point_zero", "1.0", false, "none", 1);
        row("half_to_even_down", "2.5", false, "none", 2);
        row("half_to_even_up", "3.5", false, "none", 4);
        row("just_over_half", "2.5000001", false, "none", 3);
        row("negative_fraction_to_zero", "-0.4", false, "none", 0);
        row("empty_is_zero", ",", false, "none", 0);
        row("quoted_number", "\" 12 \"", false, "none", 12);
        row("byte_max", "255", false, "none", 255);
        row("byte_past_max", "256", false, "Overflow", 0);
        row("byte_rounds_past_max", "255.5", false, "Overflow", 0);
        row("byte_negative", "-1", false, "Overflow", 0);
        row("byte_huge", "99999999999999999999999", false, "Overflow", 0);
        row("int16_max", "32767", true, "none", 32767);
        row("int16_past_max", "32768", true, "Overflow", 0);
        row("int16_min", "-32768", true, "none", -32768);
        row("int16_past_min", "-32769", true, "Overflow", 0);
        row("int16_min_half_to_even", "-32768.5", true, "none", -32768);
        row("int16_max_rounds_over", "32767.5", true, "Overflow", 0);
        row("int16_huge_negative", "-99999999999999999999999.5", true, "Overflow", 0);
        row("int16_absurdly_long", QByteArray(100000, '9'), true, "Overflow", 0);
        row("exponent", "1e5", true, "NotNumber", 0);
        row("trailing_letters", "12abc", true, "NotNumber", 0);
        row("word", "abc", false, "NotNumber", 0);
        row("lone_point", ".", false, "NotNumber", 0);
        row("lone_minus", "-", true, "NotNumber", 0);
        row("two_points", "1.2.3", false, "NotNumber", 0);
        row("inner_blank", "1 2", false, "NotNumber", 0);
        row("nul_byte", QByteArray("1\0", 2), false, "NotNumber", 0);
    }

    void readNumbers()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, sixteenBits);
        QFETCH(QString, failure);
        QFETCH(int, value);
        const int file = reader(bytes);
        int got = -99999;
        QCOMPARE(failureOf([&] { got = sixteenBits ? records::readInt16(file) : records::readByte(file); }), failure);
        if (failure == "none")
            QCOMPARE(got, value);
    }

    void readValues_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Value::Kind>("kind");
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("number") << QByteArray("2,") << Value::Kind::Number << 2.0 << "";
        QTest::newRow("negative") << QByteArray("-3\r\n") << Value::Kind::Number << -3.0 << "";
        QTest::newRow("fraction") << QByteArray("1.5") << Value::Kind::Number << 1.5 << "";
        QTest::newRow("blank_padded") << QByteArray(" 7 ,") << Value::Kind::Number << 7.0 << "";
        QTest::newRow("empty_between_commas") << QByteArray(",1") << Value::Kind::Empty << 0.0 << "";
        QTest::newRow("empty_at_line_end") << QByteArray("\r\n") << Value::Kind::Empty << 0.0 << "";
        QTest::newRow("quoted_number_is_text") << QByteArray("\"1\"") << Value::Kind::Text << 0.0 << "1";
        QTest::newRow("quoted_empty_is_text") << QByteArray("\"\",") << Value::Kind::Text << 0.0 << "";
        QTest::newRow("word") << QByteArray("abc\r\n") << Value::Kind::Text << 0.0 << "abc";
        QTest::newRow("exponent_is_text") << QByteArray("1e5") << Value::Kind::Text << 0.0 << "1e5";
        QTest::newRow("huge_number") << QByteArray("99999999999999999999999") << Value::Kind::Number << 1e23 << "";
    }

    void readValues()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Value::Kind, kind);
        QFETCH(double, number);
        QFETCH(QString, text);
        const int file = reader(bytes);
        const Value v = records::readValue(file);
        QCOMPARE(v.kind, kind);
        QCOMPARE(v.number, number);
        QCOMPARE(v.text, text);
        QCOMPARE(v.isNumberOne(), kind == Value::Kind::Number && number == 1.0);
    }

    void emptyValueIsNotOne()
    {
        const int file = reader(",1,\"1\"\r\n");
        QVERIFY(!records::readValue(file).isNumberOne());
        QVERIFY(records::readValue(file).isNumberOne());
        QVERIFY(!records::readValue(file).isNumberOne());
    }

    void formatRecords_data()
    {
        QTest::addColumn<QList<Field>>("fields");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("header") << QList<Field>{Field::text("Kwiz v 1.0")} << QByteArray("\"Kwiz v 1.0\"\r\n");
        QTest::newRow("scale_thresholds") << QList<Field>{Field::number(40), Field::number(39), Field::number(34)}
                                          << QByteArray("40,39,34\r\n");
        QTest::newRow("flags") << QList<Field>{Field::number(2), Field::number(1), Field::number(2), Field::number(2),
                                               Field::number(2)}
                               << QByteArray("2,1,2,2,2\r\n");
        QTest::newRow("negative_and_zero") << QList<Field>{Field::number(-32768), Field::number(0)}
                                           << QByteArray("-32768,0\r\n");
        QTest::newRow("seven_texts_fourth_empty")
            << QList<Field>{Field::text("q"), Field::text("a"), Field::text("b"), Field::text(""), Field::text("d"),
                            Field::text("e"), Field::text("h")}
            << QByteArray("\"q\",\"a\",\"b\",\"\",\"d\",\"e\",\"h\"\r\n");
        QTest::newRow("text_unchanged") << QList<Field>{Field::text(" a, b\r\n")} << QByteArray("\" a, b\r\n\"\r\n");
        QTest::newRow("values") << QList<Field>{Field::value(Value::ofNumber(2)), Field::value(Value::empty()),
                                                Field::value(Value::ofText("x")), Field::value(Value::ofNumber(-1.5))}
                                << QByteArray("2,,\"x\",-1.5\r\n");
        QTest::newRow("polish_letters") << QList<Field>{Field::text(QStringLiteral("ąęŁ"))}
                                        << QByteArray("\"\xB9\xEA\xA3\"\r\n");
        QTest::newRow("no_fields") << QList<Field>{} << QByteArray("\r\n");
    }

    void formatRecords()
    {
        QFETCH(QList<Field>, fields);
        QFETCH(QByteArray, bytes);
        QCOMPARE(records::formatRecord(fields), bytes);
    }

    void plainLines()
    {
        QCOMPARE(records::formatPlainLine(QString()), QByteArray("\r\n"));
        QCOMPARE(records::formatPlainLine(QStringLiteral("Wynik: \"5\", ok")), QByteArray("Wynik: \"5\", ok\r\n"));
        QCOMPARE(records::formatPlainLine(QStringLiteral("Zażółć gęślą jaźń ŻŚ")),
                 QByteArray("Za\xBF\xF3\xB3\xE6 g\xEA\x9C\x6C\xB9 ja\x9F\xF1 \xAF\x8C\r\n"));
    }

    // What the writer puts in a file the reader gives back, field for field.
    void writeThenRead_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("comma") << QStringList{"a, b"};
        QTest::newRow("line_break") << QStringList{"pierwsza\r\ndruga", "x\ny"};
        QTest::newRow("empty_text") << QStringList{""};
        QTest::newRow("leading_and_trailing_blanks") << QStringList{"  a  "};
        QTest::newRow("polish") << QStringList{QStringLiteral("Która odpowiedź jest właściwa? Źle, żółw!")};
        QTest::newRow("question_record") << QStringList{"Stolica Polski?", "Kraków", "Warszawa", "", "Gniezno", "", "Brak"};
        QTest::newRow("megabyte_text") << QStringList{QString(1 << 20, QChar(u'ż')), "end"};
    }

    void writeThenRead()
    {
        QFETCH(QStringList, texts);
        const QString path = dir_.filePath(QStringLiteral("roundtrip.kwz"));
        const int out = files().open(path, OpenMode::Output);
        QList<Field> record;
        for (const QString& t : texts)
            record.append(Field::text(t));
        records::writeRecord(out, record);
        records::writeRecord(out, {Field::number(1), Field::number(2)});
        files().close(out);

        const int in = files().open(path, OpenMode::Input);
        for (const QString& t : texts)
            QCOMPARE(records::readText(in), t);
        QCOMPARE(records::readByte(in), std::uint8_t(1));
        QCOMPARE(records::readInt16(in), std::int16_t(2));
        QVERIFY(files().atEnd(in));
        QCOMPARE(failureOf([&] { records::readText(in); }), QStringLiteral("PastEnd"));
    }

    void valuesWrittenBackUnchanged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("number") << QByteArray("2\r\n");
        QTest::newRow("negative") << QByteArray("-17\r\n");
        QTest::newRow("fraction") << QByteArray("0.25\r\n");
        QTest::newRow("text") << QByteArray("\"Brak\"\r\n");
        QTest::newRow("empty") << QByteArray("\r\n");
    }

    void valuesWrittenBackUnchanged()
    {
        QFETCH(QByteArray, bytes);
        const int file = reader(bytes);
        QCOMPARE(records::formatRecord({Field::value(records::readValue(file))}), bytes);
    }

    void hugeFields_data()
    {
        QTest::addColumn<bool>("quoted");
        QTest::newRow("unquoted_3mb") << false;
        QTest::newRow("quoted_3mb") << true;
    }

    void hugeFields()
    {
        QFETCH(bool, quoted);
        const QByteArray big(3 * 1024 * 1024, 'x');
        const QByteArray q = quoted ? "\"" : "";
        const int file = reader(q + big + q + ",y\r\n");
        const QString text = records::readText(file);
        QCOMPARE(text.size(), big.size());
        QVERIFY(text == QString::fromLatin1(big));
        QCOMPARE(records::readText(file), QStringLiteral("y"));
        QVERIFY(files().atEnd(file));
    }

    // Any bytes at all: every read either gives a field or a FileError, and the reader always reaches the end.
    void binaryBlob_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::newRow("texts") << "text";
        QTest::newRow("values") << "value";
        QTest::newRow("bytes") << "byte";
        QTest::newRow("int16s") << "int16";
    }

    void binaryBlob()
    {
        QFETCH(QString, reader);
        QRandomGenerator random(20240309);
        QByteArray blob(100 * 1024, Qt::Uninitialized);
        for (char& c : blob)
            c = char(random.bounded(256));
        // Make delimiters and quotes common enough to exercise every path.
        for (int i = 0; i < blob.size(); i += 1 + int(random.bounded(40)))
            blob[i] = ",\"\r\n \t0"[random.bounded(7)];
        const int file = this->reader(blob);

        qint64 reads = 0;
        bool reachedEnd = false;
        while (!reachedEnd && reads <= blob.size()) {
            ++reads;
            try {
                if (reader == "text")
                    records::readText(file);
                else if (reader == "value")
                    records::readValue(file);
                else if (reader == "byte")
                    records::readByte(file);
                else
                    records::readInt16(file);
            } catch (const FileError& e) {
                QVERIFY2(e.kind() != FileError::Kind::BadHandle && e.kind() != FileError::Kind::WriteFailed, e.what());
                reachedEnd = e.kind() == FileError::Kind::PastEnd;
            }
        }
        QVERIFY(reachedEnd);
        QVERIFY(files().atEnd(file));
        QVERIFY(reads > 100);  // the blob is cut into many fields, not swallowed whole
    }

    // A question set of tens of megabytes is read in seconds; a reader that copies or rescans its buffer per
    // field would take minutes.
    void largeFileReadsQuickly()
    {
        const QByteArray question =
            "\"Pytanie o wiele dłuższe, niż zwykle\",\"A\",\"B\",\"\",\"D\",\"E\",\"Brak\"\r\n2,1,2,2,2\r\n";
        const int copies = 40 * 1024 * 1024 / question.size();
        const int file = reader(question.repeated(copies));
        QElapsedTimer timer;
        timer.start();
        int read = 0;
        while (!files().atEnd(file)) {
            for (int i = 0; i < 7; ++i)
                records::readText(file);
            for (int i = 0; i < 5; ++i)
                records::readByte(file);
            ++read;
        }
        QCOMPARE(read, copies);
        QVERIFY2(timer.elapsed() < 60000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
