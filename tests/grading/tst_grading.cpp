// The Grading scale: the grade rule in its test order, both file layouts, the editor's writer, and what
// the readers make of damaged files.
#include "support/test_files.h"
#include "support/failure_of.h"
#include "grading/scale.h"
#include "platform/errors.h"
#include "platform/filetable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using grading::Thresholds;
using platform::FileError;
using platform::files;
using Grade = std::optional<int>;
using Boxes = std::array<QString, 6>;
Q_DECLARE_METATYPE(Thresholds)
Q_DECLARE_METATYPE(Grade)
Q_DECLARE_METATYPE(Boxes)

namespace {

using testsupport::failureOf;

const Thresholds defaults{40, 39, 34, 27, 19, 12};

}  // namespace

class TestGrading : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString folder() const { return dir_.path() + u'/'; }
    QString scaleFile() const { return dir_.filePath(QStringLiteral("ptk.ptk")); }
    void putScale(const QByteArray& bytes) const { testsupport::writeTestFile(scaleFile(), bytes); }
    QByteArray scaleBytes() const { return testsupport::fileContents(scaleFile()); }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanup()
    {
        const int leftOpen = testsupport::resetFileTable();
        QFile::remove(scaleFile());
        QCOMPARE(leftOpen, 0);
    }

    void grade_data()
    {
        QTest::addColumn<Thresholds>("scale");
        QTest::addColumn<double>("points");
        QTest::addColumn<Grade>("grade");
        const std::pair<int, int> bounds[] = {{40, 6}, {39, 5}, {35, 5}, {34, 4}, {28, 4}, {27, 3},
                                              {20, 3}, {19, 2}, {13, 2}, {12, 1}, {0, 1}};
        for (const auto& [points, grade] : bounds)
            QTest::addRow("default_%d_gives_%d", points, grade) << defaults << double(points) << Grade(grade);
        QTest::newRow("default_41_no_grade") << defaults << 41.0 << Grade();
        QTest::newRow("default_negative_no_grade") << defaults << -1.0 << Grade();
        // Non-whole points between a threshold and one above it fall into no range.
        QTest::newRow("between_39_and_40_no_grade") << defaults << 39.5 << Grade();
        QTest::newRow("between_12_and_13_no_grade") << defaults << 12.25 << Grade();
        QTest::newRow("fraction_inside_range") << defaults << 36.5 << Grade(5);

        const Thresholds equalTop{30, 30, 25, 20, 15, 10};
        QTest::newRow("equal_top_30_gives_5") << equalTop << 30.0 << Grade(5);
        QTest::newRow("equal_top_31_no_grade") << equalTop << 31.0 << Grade();
        const Thresholds rising{10, 20, 5, 4, 3, 2};
        QTest::newRow("rising_8_gives_5") << rising << 8.0 << Grade(5);
        QTest::newRow("rising_15_gives_5") << rising << 15.0 << Grade(5);
        QTest::newRow("rising_5_gives_4") << rising << 5.0 << Grade(4);
        QTest::newRow("rising_21_no_grade") << rising << 21.0 << Grade();
        const Thresholds zeros{0, 0, 0, 0, 0, 0};
        QTest::newRow("all_zero_0_gives_1") << zeros << 0.0 << Grade(1);
        QTest::newRow("all_zero_1_no_grade") << zeros << 1.0 << Grade();
    }

    void grade()
    {
        QFETCH(Thresholds, scale);
        QFETCH(double, points);
        QFETCH(Grade, grade);
        QCOMPARE(grading::computeGrade(points, scale), grade);
    }

    void layoutsReadTheSame_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Thresholds>("scale");
        QTest::newRow("default_layout") << QByteArray("40,39,34,27,19,12\r\n") << defaults;
        QTest::newRow("editor_layout") << QByteArray("40\r\n39\r\n34\r\n27\r\n19\r\n12\r\n") << defaults;
        QTest::newRow("more_than_six_fields") << QByteArray("1,2,3,4,5,6,7,8\r\nśmieci\r\n") << Thresholds{1, 2, 3, 4, 5, 6};
        QTest::newRow("seventh_field_not_a_number") << QByteArray("1,2,3,4,5,6,abc") << Thresholds{1, 2, 3, 4, 5, 6};
        QTest::newRow("blanks_around_numbers") << QByteArray(" 40, 39 ,34,27,19,12\r\n") << defaults;
        QTest::newRow("empty_field_is_0") << QByteArray("40,,34,27,19,12\r\n") << Thresholds{40, 0, 34, 27, 19, 12};
        QTest::newRow("quoted_numbers") << QByteArray("\"40\",\"39\",34,27,19,12\r\n") << defaults;
        QTest::newRow("fraction_and_sign") << QByteArray("40.5,39,34,27,19,-1\r\n") << Thresholds{40.5, 39, 34, 27, 19, -1};
    }

    void layoutsReadTheSame()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Thresholds, scale);
        putScale(bytes);
        QCOMPARE(grading::readScale(folder()), scale);
    }

    void writtenLayoutsGradeAlike()
    {
        grading::writeDefaultScale(folder());
        QCOMPARE(scaleBytes(), QByteArray("40,39,34,27,19,12\r\n"));
        const Thresholds fromDefault = grading::readScale(folder());
        const Boxes defaultTexts = grading::readScaleTexts(folder());

        grading::writeEditorScale(folder(), {"40", "39", "34", "27", "19", "12"});
        QCOMPARE(scaleBytes(), QByteArray("40\r\n39\r\n34\r\n27\r\n19\r\n12\r\n"));
        QCOMPARE(grading::readScale(folder()), fromDefault);
        QCOMPARE(grading::readScaleTexts(folder()), defaultTexts);
        QCOMPARE(defaultTexts, (Boxes{"40", "39", "34", "27", "19", "12"}));
        for (int p = -1; p <= 45; ++p)
            QCOMPARE(grading::computeGrade(p, fromDefault), grading::computeGrade(p, defaults));
    }

    void brokenScales_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<QString>("texts");
        QTest::newRow("word_instead_of_number") << QByteArray("40,abc,34,27,19,12\r\n") << "NotNumber" << "none";
        QTest::newRow("quoted_word") << QByteArray("40,\"czterdzieści\",34,27,19,12\r\n") << "NotNumber" << "none";
        QTest::newRow("number_then_letters") << QByteArray("40,39x,34,27,19,12\r\n") << "NotNumber" << "none";
        QTest::newRow("five_fields") << QByteArray("40,39,34,27,19\r\n") << "PastEnd" << "PastEnd";
        QTest::newRow("empty_file") << QByteArray() << "PastEnd" << "PastEnd";
        QTest::newRow("binary") << QByteArray("\x00\xff\x01\r", 4) << "NotNumber" << "PastEnd";
    }

    void brokenScales()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, numbers);
        QFETCH(QString, texts);
        putScale(bytes);
        QCOMPARE(failureOf([&] { grading::readScale(folder()); }), numbers);
        QCOMPARE(failureOf([&] { grading::readScaleTexts(folder()); }), texts);
    }

    void missingScaleCannotBeOpened()
    {
        QCOMPARE(failureOf([&] { grading::readScale(folder()); }), QStringLiteral("CannotOpen"));
        QCOMPARE(failureOf([&] { grading::readScaleTexts(folder()); }), QStringLiteral("CannotOpen"));
    }

    void textsAsTheyStand()
    {
        putScale("\"czterdzie\x9c" "ci\",39 ,\"\",,007,12\r\n");
        QCOMPARE(grading::readScaleTexts(folder()), (Boxes{QStringLiteral("czterdzieści"), "39 ", "", "", "007", "12"}));
    }

    void editorBoxesToNumbers_data()
    {
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty_box_is_0") << Boxes{"", "39", "34", "27", "19", ""} << QByteArray("0\r\n39\r\n34\r\n27\r\n19\r\n0\r\n");
        QTest::newRow("leading_zeros") << Boxes{"007", "0", "00", "27", "19", "12"} << QByteArray("7\r\n0\r\n0\r\n27\r\n19\r\n12\r\n");
        QTest::newRow("leading_number_of_text") << Boxes{"12abc", " 5", "x9", "27", "19", "12"} << QByteArray("12\r\n5\r\n0\r\n27\r\n19\r\n12\r\n");
        QTest::newRow("any_order_kept") << Boxes{"1", "2", "3", "50", "40", "30"} << QByteArray("1\r\n2\r\n3\r\n50\r\n40\r\n30\r\n");
        QTest::newRow("fraction_read_from_file") << Boxes{"40.5", "39", "34", "27", "19", "12"} << QByteArray("40.5\r\n39\r\n34\r\n27\r\n19\r\n12\r\n");
    }

    void editorBoxesToNumbers()
    {
        QFETCH(Boxes, boxes);
        QFETCH(QByteArray, bytes);
        grading::writeEditorScale(folder(), boxes);
        QCOMPARE(scaleBytes(), bytes);
        QCOMPARE(failureOf([&] { grading::readScale(folder()); }), QStringLiteral("none"));
    }

    void failedSaveKeepsTheOldScale()
    {
        putScale("40,39,34,27,19,12\r\n");
        files().failWritesAfter(7);
        QCOMPARE(failureOf([&] { grading::writeEditorScale(folder(), {"1", "2", "3", "4", "5", "6"}); }),
                 QStringLiteral("WriteFailed"));
        files().failWritesAfter(-1);
        QCOMPARE(scaleBytes(), QByteArray("40,39,34,27,19,12\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestGrading)
#include "tst_grading.moc"
