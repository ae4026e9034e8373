// Text colours of controls as they come out on screen: a box's typed text takes the colour (the answer
// boxes' ticks under a white caption: tst_wiedo's tickedBoxLooksTicked).
#include "ui/controls.h"

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

QTEST_MAIN(tst_Controls)
#include "tst_controls.moc"
