// The screen saver: the emblem's rows and wraps, the falling title and address on a 12000 x 9000 twip
// screen, the grace time of the mouse against a key, and the menu command that shows it.
#include "main/main_session.h"
#include "platform/screen.h"
#include "windows/registry.h"
#include "windows/screensaver/ssaver.h"
#include <QScreen>

using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::SSaver;

namespace {

struct Emblem {
    int x, y;
    bool operator==(const Emblem&) const = default;
};

// X and Y as the step placed them: the body's left edge and top.
Emblem emblemOf(const SSaver& s) { return {SSaver::leftOf(s.Shape2), SSaver::topOf(s.Shape2)}; }

// The emblem's state as a step finds it: its row in Label3, its inner panel's left edge.
void putEmblem(SSaver& s, int x, int y) {
    s.Label3->setText(QString::number(y));
    s.Shape1->setProperty("leftTwips", x + 120);
}

}  // namespace

Q_DECLARE_METATYPE(Emblem)

class tst_SSaver : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        windows::registerAll();
        platform::setScreenSizeTwips(QSize(12000, 9000));
    }
    void cleanup() { ui::forms().unload(SSaver::formName); }

    void firstStepFromTheDesign();
    void emblemRows_data();
    void emblemRows();
    void fallingTitleAndAddress();
    void mouseAfterGraceKeyAtOnce_data();
    void mouseAfterGraceKeyAtOnce();
    void menuShowsItFullScreenAndPositionsCarryOver();
    // Where no window manager acts on the full-screen state, the window's own geometry is what shows.
    void coversTheScreenWithoutWindowManager() {
        QCOMPARE(ui::forms().get<SSaver>().geometry(), QGuiApplication::primaryScreen()->geometry());
    }
};

void tst_SSaver::firstStepFromTheDesign() {
    auto& s = ui::forms().get<SSaver>();
    s.Timer1_Timer();
    QCOMPARE(emblemOf(s), (Emblem{841, 120}));
    QCOMPARE(SSaver::leftOf(s.Shape1), 961);
    QCOMPARE(SSaver::topOf(s.Shape1), 240);
    QCOMPARE(SSaver::leftOf(s.Label5), 961);
    QCOMPARE(SSaver::topOf(s.Label5), 735);
    QCOMPARE(SSaver::leftOf(s.Label2), 721);
    QCOMPARE(SSaver::topOf(s.Label2), 855);
    s.Timer1_Timer();
    QCOMPARE(emblemOf(s), (Emblem{962, 120}));  // 121 twips a step
}

void tst_SSaver::emblemRows_data() {
    QTest::addColumn<Emblem>("before");  // where the last step put the emblem; the next is 121 to the right
    QTest::addColumn<Emblem>("after");
    QTest::addColumn<QString>("label3");
    QTest::newRow("short_of_the_edge") << Emblem{10678, 1420} << Emblem{10799, 1420} << "1420";
    QTest::newRow("edge_next_row") << Emblem{10679, 1420} << Emblem{200, 2720} << "2720";
    QTest::newRow("last_row_back_to_start") << Emblem{10679, 7300} << Emblem{200, 200} << "200";
    QTest::newRow("row_above_last_goes_down") << Emblem{10679, 7299} << Emblem{200, 8599} << "8599";
    QTest::newRow("last_row_short_of_edge") << Emblem{5000, 7300} << Emblem{5121, 7300} << "7300";
}

void tst_SSaver::emblemRows() {
    QFETCH(Emblem, before);
    QFETCH(Emblem, after);
    QFETCH(QString, label3);
    auto& s = ui::forms().get<SSaver>();
    putEmblem(s, before.x, before.y);
    s.Timer1_Timer();
    QCOMPARE(emblemOf(s), after);
    QCOMPARE(s.Label3->text(), label3);
    QCOMPARE(s.Timer1->interval(), 80);
}

void tst_SSaver::fallingTitleAndAddress() {
    auto& s = ui::forms().get<SSaver>();
    // The address falls 120 a step while its top is above H - 250 = 8750.
    s.Label1->setProperty("topTwips", 8640);
    s.Timer1_Timer();
    QCOMPARE(SSaver::topOf(s.Label1), 8760);
    QCOMPARE(s.Label6->text(), QStringLiteral("0"));
    QVERIFY(s.Label4->isHidden());
    // Landed: it slides right by 50 and lets the title fall.
    s.Timer1_Timer();
    QCOMPARE(SSaver::topOf(s.Label1), 8760);
    QCOMPARE(SSaver::leftOf(s.Label1), 290);
    QCOMPARE(s.Label6->text(), QStringLiteral("1"));
    QVERIFY(!s.Label4->isHidden());
    // The title falls 120 a step and goes back to 10 when it reaches H - 500 = 8500.
    s.Label4->setProperty("topTwips", 8260);
    s.Timer1_Timer();
    QCOMPARE(SSaver::topOf(s.Label4), 8380);
    s.Timer1_Timer();
    QCOMPARE(SSaver::topOf(s.Label4), 10);
    // In the centre the address stays.
    const int centre = 6000 - platform::toTwips(s.Label1->width()) / 2;
    s.Label1->setProperty("leftTwips", centre);
    s.Timer1_Timer();
    QCOMPARE(SSaver::leftOf(s.Label1), centre);
}

void tst_SSaver::mouseAfterGraceKeyAtOnce_data() {
    QTest::addColumn<bool>("graceOver");
    QTest::addColumn<QString>("what");  // "move", "button", "key"
    QTest::addColumn<bool>("ends");
    QTest::newRow("move_in_grace") << false << "move" << false;
    QTest::newRow("move_after_grace") << true << "move" << true;
    QTest::newRow("button_in_grace") << false << "button" << true;
    QTest::newRow("key_in_grace") << false << "key" << true;
}

void tst_SSaver::mouseAfterGraceKeyAtOnce() {
    QFETCH(bool, graceOver);
    QFETCH(QString, what);
    QFETCH(bool, ends);
    auto& s = ui::forms().get<SSaver>();
    bool visibleAfter = false;
    ui::forms().queueModalScript(SSaver::formName, [&](ui::Form&) {
        QVERIFY(s.Timer1->isActive() && s.Timer3->isActive());
        if (graceOver)
            s.Timer3_Timer();
        QCOMPARE(s.Label7->text(), graceOver ? QStringLiteral("1") : QStringLiteral("0"));
        if (what == QLatin1String("key")) {
            QTest::keyClick(&s, Qt::Key_Space);
        } else {
            const QPoint at(s.width() - 5, s.height() - 5);  // the background
            QMouseEvent move(QEvent::MouseMove, QPointF(at), s.mapToGlobal(QPointF(at)), Qt::NoButton,
                             what == QLatin1String("button") ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&s, &move);
        }
        visibleAfter = s.isVisible();
        if (visibleAfter)
            s.KoniecSS();
    });
    s.ShowModal();
    QCOMPARE(visibleAfter, !ends);
    QVERIFY(!s.Timer1->isActive() && !s.Timer3->isActive());
    QCOMPARE(s.Label7->text(), QStringLiteral("0"));
    QVERIFY(ui::forms().findLoaded(SSaver::formName));  // hidden, not unloaded
}

void tst_SSaver::menuShowsItFullScreenAndPositionsCarryOver() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    windows::Wiedo& main = mainsession::start(fx);
    Emblem reached{};
    ui::forms().queueModalScript(SSaver::formName, [&](ui::Form& form) {
        auto& s = static_cast<SSaver&>(form);
        QVERIFY(s.windowState().testFlag(Qt::WindowFullScreen));
        QCOMPARE(s.windowTitle(), QStringLiteral("Screen Saver") + QString(21, u' '));
        QCOMPARE(s.cursor().pixmap().toImage().pixelColor(16, 16).alpha(), 0);
        QCOMPARE(SSaver::leftOf(s.Label4), 6000 - platform::toTwips(s.Label4->width()) / 2);
        QCOMPARE(SSaver::topOf(s.Label4), -100);
        for (int i = 0; i < 3; ++i)
            s.Timer1_Timer();
        reached = emblemOf(s);
        QTest::keyClick(&s, Qt::Key_Escape);
    });
    main.SS->trigger();
    QCOMPARE(reached, (Emblem{1083, 120}));
    ui::forms().queueModalScript(SSaver::formName, [&](ui::Form& form) {
        auto& s = static_cast<SSaver&>(form);
        QCOMPARE(SSaver::topOf(s.Label4), -100);  // parked again
        s.Timer1_Timer();
        reached = emblemOf(s);
        s.KoniecSS();
    });
    main.SS->trigger();
    QCOMPARE(reached, (Emblem{1204, 120}));
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

QTEST_MAIN(tst_SSaver)
#include "tst_ssaver.moc"
