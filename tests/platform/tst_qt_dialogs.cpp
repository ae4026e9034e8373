// The program's real message and input boxes are at least as wide as their titles need, so the frame
// never cuts a title short.
#include "platform/dialogs.h"
#include "platform/gui/qt_dialogs.h"
#include "platform/gui/qt_language.h"
#include "ui/controls.h"
#include "ui/qt_texts.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QTest>
#include <QAbstractButton>
#include <QTimer>

using platform::QtDialogs;

namespace {

const QStringList titles{QStringLiteral("Złe hasło"), QStringLiteral("Numer pytania"),
                         QStringLiteral("Odpowiedzi dobre"),
                         QStringLiteral("Znasz swoją wiedzę, czy jej nie znasz ?")};

// Waits for the box to open and hands it to `look`, which closes it.
void inspectNextBox(const std::function<void()>& open, const std::function<void(QDialog&)>& look) {
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            look(*box);
        }
    });
    poll.start();
    open();
}

int widthOfNextBox(const std::function<void()>& open) {
    int width = -1;
    inspectNextBox(open, [&width](QDialog& box) {
        width = box.width();
        box.reject();
    });
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
    void buttonsSpeakPolish();
    void printerDialogSpeaksPolish();
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

// The Yes/No question answers with the button the user clicks; the input box's buttons are Polish too.
void tst_QtDialogs::buttonsSpeakPolish() {
    QtDialogs dialogs;
    QStringList seen;
    const auto clickButton = [&seen](const QString& clicked) {
        return [&seen, clicked](QDialog& box) {
            QAbstractButton* target = nullptr;
            for (QAbstractButton* button : box.findChildren<QAbstractButton*>()) {
                seen << button->text();
                if (button->text() == clicked)
                    target = button;
            }
            if (target)
                target->click();
            else
                box.reject();
        };
    };
    platform::Answer answer = platform::Answer::Ok;
    inspectNextBox([&] {
        answer = dialogs.messageBox({QStringLiteral("Czy chcesz opuścić ten program ?"), QStringLiteral("Koniec ?"),
                                     platform::Icon::Information, platform::Buttons::YesNo});
    }, clickButton(QStringLiteral("&Nie")));
    QCOMPARE(answer, platform::Answer::No);
    QCOMPARE(seen, (QStringList{"&Tak", "&Nie"}));
    seen.clear();
    std::optional<QString> typed;
    inspectNextBox([&] { typed = dialogs.inputBox(QStringLiteral("Podaj hasło "), QStringLiteral("Hasło"), {}); },
                   clickButton(QStringLiteral("Anuluj")));
    QVERIFY(!typed);
    seen.sort();
    QCOMPARE(seen, (QStringList{"Anuluj", "OK"}));
}

// The words Qt's own translation lacks for the printer dialog are Polish too.
void tst_QtDialogs::printerDialogSpeaksPolish() {
    QVERIFY(platform::installPolishQtTexts(*qApp));
    ui::installMissingQtTexts(*qApp);
    QStringList seen;
    inspectNextBox([] { QtDialogs().printerDialog(); }, [&seen](QDialog& dialog) {
        for (const QWidget* w : dialog.findChildren<QWidget*>())
            seen << w->property("text").toString() << w->property("title").toString();
        dialog.reject();
    });
    for (const char* english : {"Pages", "Double Sided Printing", "Off", "Long side binding", "Short side binding"})
        QVERIFY2(!seen.contains(QLatin1String(english)), english);
    QVERIFY(seen.contains(QStringLiteral("Drukowanie dwustronne")));
}

QTEST_MAIN(tst_QtDialogs)
#include "tst_qt_dialogs.moc"
