// The program's real message and input boxes are at least as wide as their titles need, so the frame
// never cuts a title short.
#include "platform/dialogs.h"
#include "platform/gui/qt_dialogs.h"
#include "ui/controls.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QTest>
#include <QTimer>

using platform::QtDialogs;

namespace {

const QStringList titles{QStringLiteral("Złe hasło"), QStringLiteral("Numer pytania"),
                         QStringLiteral("Odpowiedzi dobre"),
                         QStringLiteral("Znasz swoją wiedzę, czy jej nie znasz ?")};

// Waits for the box to open, notes its width and closes it.
int widthOfNextBox(const std::function<void()>& open) {
    int width = -1;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            width = box->width();
            box->reject();
        }
    });
    poll.start();
    open();
    return width;
}

}  // namespace

class tst_QtDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::useProgramStyle(); }
    void minimumWidthForTitle_data();
    void minimumWidthForTitle();
    void boxesAsWideAsTheirTitle_data();
    void boxesAsWideAsTheirTitle();
};

void tst_QtDialogs::minimumWidthForTitle_data() {
    QTest::addColumn<QString>("title");
    for (const QString& title : titles)
        QTest::newRow(qPrintable(title)) << title;
    QTest::newRow("empty") << QString();
}

void tst_QtDialogs::minimumWidthForTitle() {
    QFETCH(QString, title);
    const QFont font = platform::titleBarFont();
    const int width = platform::minimumWidthForTitle(title, font);
    // The whole title and room beside it for the close button and the frame's edges.
    QVERIFY(width >= QFontMetrics(font).horizontalAdvance(title) + 100);
    QVERIFY(width <= QFontMetrics(font).horizontalAdvance(title) + 200);
    // A larger title font needs more room.
    QFont larger = font;
    larger.setPointSizeF(font.pointSizeF() * 2);
    if (!title.isEmpty())
        QVERIFY(platform::minimumWidthForTitle(title, larger) > width);
}

void tst_QtDialogs::boxesAsWideAsTheirTitle_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("input");
    for (const QString& title : titles) {
        QTest::addRow("message %s", qPrintable(title)) << title << false;
        QTest::addRow("input %s", qPrintable(title)) << title << true;
    }
}

// The prompts are short, so without the title's claim the boxes would be narrower than their titles.
void tst_QtDialogs::boxesAsWideAsTheirTitle() {
    QFETCH(QString, title);
    QFETCH(bool, input);
    QtDialogs dialogs;
    const int width = widthOfNextBox([&] {
        if (input)
            dialogs.inputBox(QStringLiteral("Podaj hasło "), title, QString());
        else
            dialogs.messageBox({QStringLiteral("Źle"), title, platform::Icon::Exclamation, platform::Buttons::Ok});
    });
    QVERIFY(width >= platform::minimumWidthForTitle(title, platform::titleBarFont()));
}

QTEST_MAIN(tst_QtDialogs)
#include "tst_qt_dialogs.moc"
