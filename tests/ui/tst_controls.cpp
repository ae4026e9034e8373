// Text colours of controls as they come out on screen: a box's typed text takes the colour (the answer
// boxes' ticks under a white caption: tst_wiedo's tickedBoxLooksTicked); and the faces that stand in for
// the designed ones.
#include "ui/controls.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QtTest>

namespace {

bool hasPixelNear(const QImage& image, const QColor& colour, int tolerance) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            if (std::abs(c.red() - colour.red()) <= tolerance && std::abs(c.green() - colour.green()) <= tolerance &&
                std::abs(c.blue() - colour.blue()) <= tolerance)
                return true;
        }
    return false;
}

}  // namespace

class tst_Controls : public QObject {
    Q_OBJECT
private slots:
    void boxTextTakesTheColour();
    void standInIsWhatTheSystemPicks_data();
    void standInIsWhatTheSystemPicks();
};

void tst_Controls::boxTextTakesTheColour() {
    QLineEdit box(QStringLiteral("40"));
    box.resize(80, 30);
    QFont font = box.font();
    font.setPointSize(16);
    font.setBold(true);
    box.setFont(font);
    const QColor magenta(255, 0, 255);
    QVERIFY(!hasPixelNear(box.grab().toImage(), magenta, 40));
    ui::setTextColour(&box, magenta);
    QVERIFY(hasPixelNear(box.grab().toImage(), magenta, 40));
}

void tst_Controls::standInIsWhatTheSystemPicks_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("standIn");  // named where it is installed and the family is not
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("bold");
    QTest::newRow("arial") << "Arial" << "Liberation Sans" << 9 << false;
    QTest::newRow("arial_bold_12") << "Arial" << "Liberation Sans" << 12 << true;
    QTest::newRow("times_new_roman") << "Times New Roman" << "Liberation Serif" << 10 << false;
    QTest::newRow("installed_face_kept") << "DejaVu Sans" << QString() << 9 << false;
    QTest::newRow("face_without_stand_in") << "Wingdings" << QString() << 9 << false;
}

void tst_Controls::standInIsWhatTheSystemPicks() {
    QFETCH(QString, family);
    QFETCH(QString, standIn);
    QFETCH(int, points);
    QFETCH(bool, bold);
    const QStringList installed = QFontDatabase::families();
    const bool standsIn = !standIn.isEmpty() && installed.contains(standIn) && !installed.contains(family);
    const QString face = ui::installedFace(family);
    QCOMPARE(face, standsIn ? standIn : family);
    // The window looks as it did when the system chose the substitute itself.
    QFont designed(family, points, bold ? QFont::Bold : QFont::Normal);
    designed.setStyleStrategy(QFont::NoFontMerging);
    QFont named = designed;
    named.setFamily(face);
    QCOMPARE(QFontInfo(named).family(), QFontInfo(designed).family());
    QCOMPARE(QFontInfo(named).bold(), QFontInfo(designed).bold());
}

QTEST_MAIN(tst_Controls)
#include "tst_controls.moc"
