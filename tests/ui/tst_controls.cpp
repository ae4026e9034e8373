// Text colours of controls as they come out on screen: a coloured caption keeps a check box's tick
// readable, and a box's typed text takes the colour.
#include "ui/controls.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStyleOptionButton>
#include <QtTest>

namespace {

// The darkest lightness (0 black .. 255 white) inside the area.
int darkest(const QImage& image, const QRect& area) {
    int result = 255;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            result = std::min(result, QColor(image.pixel(x, y)).lightness());
    return result;
}

// The inside of the box's square, without its frame.
QRect insideOfSquare(QCheckBox& box) {
    QStyleOptionButton option;
    option.initFrom(&box);
    option.text = box.text();
    return box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box).adjusted(3, 3, -3, -3);
}

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
    void whiteCaptionKeepsTheTickVisible();
    void boxTextTakesTheColour();
};

// The answer boxes of the main window have white captions on the gradient; the tick on the box's white
// square must still stand out, or a student cannot see what he has marked.
void tst_Controls::whiteCaptionKeepsTheTickVisible() {
    QCheckBox box(QStringLiteral("A"));
    box.resize(60, 30);
    ui::setTextColour(&box, Qt::white);
    const QRect inside = insideOfSquare(box);
    QVERIFY(!inside.isEmpty());
    const QImage empty = box.grab().toImage();
    box.setChecked(true);
    const QImage ticked = box.grab().toImage();
    QVERIFY2(darkest(empty, inside) > 200, "the empty square is not light");
    QVERIFY2(darkest(ticked, inside) < 128,
             qPrintable(QStringLiteral("the tick is too light: %1").arg(darkest(ticked, inside))));
}

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
