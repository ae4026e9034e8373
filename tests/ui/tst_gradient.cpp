// The banded background: row by row it must be the picture the painter draws when it outlines each of
// the 256 bands with a pen five pixels wide, at every window height.
#include "platform/screen.h"
#include "ui/form.h"
#include "ui/gradient.h"

#include <QPainter>
#include <QtTest>
#include <cmath>

namespace {

QColor redToBlue(int band) { return QColor(255 - band, 11, 100); }

// The bands as the painter draws them: each rectangle outlined and filled, later bands over earlier ones.
QImage paintedWithPen(QSize size, int innerHeightTwips) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int bandTwips = static_cast<int>(std::lround(innerHeightTwips / 255.0));
    for (int i = 0; i <= 255; ++i) {
        const double top = static_cast<double>(i) * bandTwips / platform::twipsPerPixel;
        const double bottom = static_cast<double>(i + 1) * bandTwips / platform::twipsPerPixel;
        painter.setPen(QPen(redToBlue(i), 5));
        painter.setBrush(redToBlue(i));
        painter.drawRect(QRectF(0, top, size.width(), bottom - top));
    }
    return image;
}

}  // namespace

class tst_Gradient : public QObject {
    Q_OBJECT
private slots:
    void sameAsOutlinedBands_data();
    void sameAsOutlinedBands();
};

void tst_Gradient::sameAsOutlinedBands_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("instructions_window") << QSize(488, 285);
    QTest::newRow("main_window") << QSize(448, 430);
    QTest::newRow("bands_shorter_than_the_window") << QSize(60, 1010);
    QTest::newRow("bands_of_no_height") << QSize(50, 7);
    QTest::newRow("one_pixel") << QSize(1, 1);
}

void tst_Gradient::sameAsOutlinedBands() {
    QFETCH(QSize, size);
    ui::Form form(QStringLiteral("Banded"));
    form.setPalette(QPalette(Qt::white));
    form.resize(size);
    ui::paintBands(form, redToBlue);
    const QImage expected = paintedWithPen(size, form.innerHeightTwips());
    // The window shows the bands straight from their rows before anything asks for the image.
    const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& kept = form.persistentImage();
    for (const QImage* actual : {&shown, &kept}) {
        QCOMPARE(actual->size(), size);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); x += std::max(1, size.width() - 1))
                QVERIFY2(actual->pixel(x, y) == expected.pixel(x, y),
                         qPrintable(QStringLiteral("%1 row %2, column %3: %4 against %5")
                                        .arg(actual == &shown ? "shown" : "kept").arg(y).arg(x)
                                        .arg(QColor(actual->pixel(x, y)).name(), QColor(expected.pixel(x, y)).name())));
    }
}

QTEST_MAIN(tst_Gradient)
#include "tst_gradient.moc"
