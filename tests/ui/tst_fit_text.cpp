// Fitting a text into a control: the font steps down only as far as the readable minimum, the text wraps
// and then scrolls, nothing is dropped, and controls of one group share a size.
#include "ui/controls.h"
#include "ui/fit_label.h"
#include "ui/fit_text.h"
#include "ui/wrapping_button.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace {

QFont atPoints(double points) {
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    return font;
}

int advance(const QString& text, double points) { return QFontMetrics(atPoints(points)).horizontalAdvance(text); }

// Polish words until the text is wider than the pixels at the point size.
QString wordsWiderThan(int pixels, double points) {
    static const QStringList words{QStringLiteral("Rzeczpospolita"), QStringLiteral("obojga"),
                                   QStringLiteral("narodów"), QStringLiteral("współodpowiedzialność"),
                                   QStringLiteral("źdźbło"), QStringLiteral("gżegżółka")};
    QString text;
    for (int i = 0; advance(text, points) <= pixels; ++i)
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + words[i % words.size()];
    return text;
}

}  // namespace

class tst_FitText : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::useProgramStyle(); }
    void pointSize_data();
    void pointSize();
    void groupSharesTheSmallestFit();
    void scrollsOnlyWhatCannotShrink();
    void mnemonics_data();
    void mnemonics();
};

void tst_FitText::pointSize_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("designed");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");
    const int line10 = QFontMetrics(atPoints(10)).lineSpacing();
    QTest::newRow("fits_as_designed") << QStringLiteral("Pytanie") << 10.0 << QSize(300, line10 + 2) << 10.0 << 10.0;
    // One line at a smaller size comes before wrapping.
    const QString oneLine = wordsWiderThan(150, 9);
    QTest::newRow("one_line_smaller") << oneLine << 10.0 << QSize(advance(oneLine, 9) + 2, 3 * line10) << 9.0
                                      << 9.5;
    // No single line holds it, but wrapped it fits at its own size.
    const QString twoLines = wordsWiderThan(320, 10);
    QTest::newRow("wrapped_as_designed") << twoLines << 10.0 << QSize(220, 4 * line10) << 10.0 << 10.0;
    // Too long for its own size even wrapped, yet well above the minimum: neither end is taken.
    const int line11 = QFontMetrics(atPoints(11)).lineSpacing();
    QTest::newRow("wrapped_between") << wordsWiderThan(1000, 14) << 14.0 << QSize(300, 4 * line11) << 10.5 << 13.0;
    QTest::newRow("never_below_minimum") << wordsWiderThan(5000, 9) << 10.0 << QSize(300, 2 * line10) << 9.0 << 9.0;
    QTest::newRow("small_design_kept") << wordsWiderThan(5000, 9) << 8.0 << QSize(300, 2 * line10) << 8.0 << 8.0;
}

void tst_FitText::pointSize() {
    QFETCH(QString, text);
    QFETCH(double, designed);
    QFETCH(QSize, area);
    QFETCH(double, lowest);
    QFETCH(double, highest);
    const double size = ui::fittingPointSize(text, atPoints(designed), area);
    QVERIFY2(size >= lowest && size <= highest, qPrintable(QString::number(size)));
}

void tst_FitText::groupSharesTheSmallestFit() {
    QWidget window;
    ui::FitGroup group;
    QList<ui::WrappingButton*> buttons;
    for (int i = 0; i < 3; ++i) {
        auto* button = new ui::WrappingButton(&window);
        button->setGeometry(0, i * 40, 300, 30);
        button->setFont(atPoints(11));
        button->setText(QStringLiteral("Odpowiedź %1").arg(i));
        button->fit()->setGroup(&group);
        buttons << button;
    }
    for (auto* button : buttons)
        QCOMPARE(button->fit()->pointSize(), 11.0);
    const QString longer = wordsWiderThan(310, 10);
    buttons[1]->setText(longer);
    const double shrunk = buttons[1]->fit()->ownPointSize();
    QVERIFY(shrunk < 11);
    for (auto* button : buttons)
        QCOMPARE(button->fit()->pointSize(), shrunk);
    // The next question's answers are short again: all of them grow back.
    buttons[1]->setText(QStringLiteral("Krótka"));
    for (auto* button : buttons)
        QCOMPARE(button->fit()->pointSize(), 11.0);
}

void tst_FitText::scrollsOnlyWhatCannotShrink() {
    ui::FitLabel label;
    label.setGeometry(0, 0, 200, 40);
    label.setFont(atPoints(10));
    const QString huge = wordsWiderThan(4000, 9);
    label.setText(huge);
    ui::TextFit* fit = label.fit();
    QVERIFY(fit->scrolls());
    QCOMPARE(fit->pointSize(), ui::minimumReadablePoints);
    QCOMPARE(fit->lines().join(QString()), huge);
    QVERIFY(fit->lines().size() > 2);
    QCOMPARE(fit->scrollBar()->maximum(), fit->textHeight() - fit->textArea().height());
    // The control's helper is found among its children, and a control without one has none.
    QCOMPARE(ui::textFitOf(&label), fit);
    QWidget plain;
    new QObject(&plain);
    QCOMPARE(ui::textFitOf(&plain), nullptr);
    // The wheel over the text scrolls it.
    QWheelEvent wheel(QPointF(20, 20), label.mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&label, &wheel);
    QVERIFY(fit->scrollBar()->value() > 0);
    label.setText(QStringLiteral("Krótki tekst"));
    QVERIFY(!fit->scrolls());
    QVERIFY(!fit->scrollBar()->isVisibleTo(&label));
    QCOMPARE(fit->pointSize(), 10.0);
}

void tst_FitText::mnemonics_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("underlined");
    QTest::newRow("start") << QStringLiteral("&S  t  a  r  t") << QStringLiteral("S  t  a  r  t") << 0;
    QTest::newRow("inside") << QStringLiteral("Po&wrót") << QStringLiteral("Powrót") << 2;
    QTest::newRow("ampersand") << QStringLiteral("A && B") << QStringLiteral("A & B") << -1;
    QTest::newRow("trailing") << QStringLiteral("Koniec &") << QStringLiteral("Koniec &") << -1;
}

void tst_FitText::mnemonics() {
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QFETCH(int, underlined);
    int marked = -2;
    QCOMPARE(ui::withoutMnemonic(caption, &marked), shown);
    QCOMPARE(marked, underlined);
    ui::WrappingButton button;
    button.setGeometry(0, 0, 300, 30);
    button.setText(caption);
    QCOMPARE(button.fit()->lines().join(QString()), shown);
}

QTEST_MAIN(tst_FitText)
#include "tst_fit_text.moc"
