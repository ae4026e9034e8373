// The main window's own look and small handlers: placement, the run counter in the caption, the fixed
// size, the clock, the counter and personal-data messages, and the help line.
#include "main_session.h"

#include "ui/fit_text.h"
#include "windows/registry.h"

#include <QScrollBar>
#include <QStyleOptionButton>

using platform::Icon;
using questionset::Flags;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::Wiedo;
using namespace mainsession;

namespace {
const Flags AC{1, 2, 1, 2, 2};

// Polish words, long ones among them, strung together up to the length (the last word may be cut).
QString polishText(int length, int first) {
    static const QStringList words{
        QStringLiteral("Konstantynopolitańczykowianeczka"), QStringLiteral("najprawdopodobniej"),
        QStringLiteral("współodpowiedzialność"), QStringLiteral("dziewięćdziesięciokilkuletni"),
        QStringLiteral("przeciwdziałanie"), QStringLiteral("nieprzekraczalności"), QStringLiteral("ówczesnego"),
        QStringLiteral("źdźbło"), QStringLiteral("w"), QStringLiteral("Rzeczypospolitej"),
        QStringLiteral("wielkopolskiego"), QStringLiteral("z"), QStringLiteral("gżegżółką")};
    QString text;
    for (int i = first; text.size() < length; ++i)
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + words[i % words.size()];
    return text.left(length);
}
}

class tst_Wiedo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }
    void cleanup() { testing::QuestionReader::instance().close(); }

    void placedAndCaptioned_data();
    void placedAndCaptioned();
    void sizeSnapsBack();
    void clock();
    void counterMessages_data();
    void counterMessages();
    void helpLine_data();
    void helpLine();
    void helpLineSilentWhenDisabledOrIdle();
    void textsShownWhole_data();
    void textsShownWhole();
    void tickedBoxLooksTicked();
};

void tst_Wiedo::placedAndCaptioned_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("caption");
    const QString base = QStringLiteral("Wiedo v 1.1 -> Liczba uruchomień programu :");
    QTest::newRow("count_0") << QByteArray("-1") << base + QStringLiteral(" 0");
    QTest::newRow("count_7") << QByteArray("6") << base + QStringLiteral(" 7");
    QTest::newRow("count_unreadable") << QByteArray() << QStringLiteral("Wiedo v 1.1");
}

void tst_Wiedo::placedAndCaptioned() {
    QFETCH(QByteArray, stored);
    QFETCH(QString, caption);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    if (stored.isEmpty()) {
        // The counter spoilt after the loader's check, before the main window loads.
        fx.write(QStringLiteral("run.run"), "1\r\n");
        platform::setFixedNow(fixedNow);
        fx.writeWiedoIni();
        fx.write(QStringLiteral("Wiedo.cfg"), "\"\"\r\n");
        fx.write(QStringLiteral("ptk.ptk"), "40,39,34,27,19,12\r\n");
        QVERIFY(fx.startUp());
        fx.write(QStringLiteral("run.run"), "\"siedem\"\r\n");
        QTest::mouseClick(ui::forms().get<windows::Inform>().Command1, Qt::LeftButton);
    } else {
        start(fx, stored);
    }
    Wiedo& w = ui::forms().get<Wiedo>();
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), caption);
    QCOMPARE(w.leftTwips(), 2640);
    QCOMPARE(w.widthTwips(), 6720);
    QCOMPARE(w.heightTwips(), 6765);
    // The background shades from red-violet at the top to dark blue at the bottom.
    const QImage& background = w.persistentImage();
    QVERIFY(background.pixelColor(200, 0).red() >= 250);
    QVERIFY(background.pixelColor(200, background.height() - 1).red() <= 5);
    QCOMPARE(background.pixelColor(200, 0).green(), 11);
    QCOMPARE(background.pixelColor(200, background.height() / 2).blue(), 100);
    QCOMPARE(platform::files().openCount(), 0);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Wiedo::sizeSnapsBack() {
    ProgramFixture fx;
    Wiedo& w = start(fx);
    w.resize(300, 200);
    QCoreApplication::processEvents();
    QCOMPARE(w.widthTwips(), 6720);
    QCOMPARE(w.heightTwips(), 6765);
    w.setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    QVERIFY(w.isMinimized());
    w.setWindowState(Qt::WindowNoState);
    QCoreApplication::processEvents();
    QVERIFY(!w.isMinimized());
    QCOMPARE(w.widthTwips(), 6720);
    QCOMPARE(w.heightTwips(), 6765);
}

void tst_Wiedo::clock() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    QCOMPARE(w.Label2->text(), QStringLiteral("14:07:59"));
    platform::setFixedNow(QDateTime(QDate(2003, 5, 21), QTime(9, 5, 1)));
    QTRY_COMPARE_WITH_TIMEOUT(w.Label2->text(), QStringLiteral("09:05:01"), 2500);
    dialogs.expectMessage(QStringLiteral("Uśmiechnij się !!! Jesteś w ukrytej kamerze !!!"), QString(),
                          Icon::Information);
    QTest::mouseDClick(w.Label2, Qt::LeftButton);
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Wiedo::counterMessages_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");
    const QString number = QStringLiteral("Pytanie nr  : 4");
    const QString count = QStringLiteral("Ilość pytań : 5");
    const QString good = QStringLiteral("Odpowiedzi dobre : 3");
    const QString wrong = QStringLiteral("Odpowiedzi złe : 0");
    const QString person = QStringLiteral("Imię :           Albert\rNazwisko :  Bezimienny\rKlasa :         ZERÓWKA");
    QTest::newRow("Label9") << "Label9" << number << "Numer pytania";
    QTest::newRow("Label10") << "Label10" << number << "Numer pytania";
    QTest::newRow("Label11") << "Label11" << count << QStringLiteral("Ilość pytań");
    QTest::newRow("Label12") << "Label12" << count << QStringLiteral("Ilość pytań");
    QTest::newRow("Label13") << "Label13" << good << "Odpowiedzi dobre";
    QTest::newRow("Label14") << "Label14" << good << "Odpowiedzi dobre";
    QTest::newRow("Label15") << "Label15" << wrong << QStringLiteral("Odpowiedzi złe");
    QTest::newRow("Label16") << "Label16" << wrong << QStringLiteral("Odpowiedzi złe");
    QTest::newRow("Label19") << "Label19" << person << "Dane personalne";
    QTest::newRow("Label20") << "Label20" << person << "Dane personalne";
    QTest::newRow("Label21") << "Label21" << person << "Dane personalne";
}

void tst_Wiedo::counterMessages() {
    QFETCH(QString, button);
    QFETCH(QString, prompt);
    QFETCH(QString, title);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, {AC, AC, AC, AC, AC}));
    next(w);
    for (int i = 0; i < 3; ++i) {  // three good answers
        tick(w, {0, 2});
        next(w);
    }
    dialogs.expectMessage(prompt, title, Icon::Information);
    QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Wiedo::helpLine_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("help");
    for (int x = 0; x < 5; ++x) {
        const QString letter(QChar(u'A' + x));
        QTest::addRow("Check%d", x + 1)
            << QStringLiteral("Check%1").arg(x + 1)
            << QStringLiteral("Jeśli uważasz, że odpowiedź %1 jest dobra, to zaznacz to pole").arg(letter);
        QTest::addRow("Label%d", x + 4) << QStringLiteral("Label%1").arg(x + 4) << letter + u'1';
    }
    QTest::newRow("Label1") << "Label1" << "Pytanie 1";
    QTest::newRow("Label3") << "Label3" << QStringLiteral("Podpowiedź 1");
    QTest::newRow("Label19") << "Label19" << "Albert";
    QTest::newRow("Label20") << "Label20" << "Bezimienny";
    QTest::newRow("Label21") << "Label21" << QStringLiteral("ZERÓWKA");
}

void tst_Wiedo::helpLine() {
    QFETCH(QString, control);
    QFETCH(QString, help);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, {AC}));
    next(w);
    QWidget* target = w.findChild<QWidget*>(control);
    QVERIFY(target);
    hover(target);
    QCOMPARE(w.Podp->text(), help);
    // A move over the background clears it: the space left of the Start button.
    QVERIFY(!w.childAt(QPoint(w.Command1->x() - 5, w.Command1->y() + 2)));
    hover(&w, QPoint(w.Command1->x() - 5, w.Command1->y() + 2));
    QCOMPARE(w.Podp->text(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Wiedo::helpLineSilentWhenDisabledOrIdle() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    // Before sign-in the test controls are disabled: the pointer over them is over the background.
    for (QWidget* disabled : std::initializer_list<QWidget*>{w.Check1, w.Label4, w.Label1, w.Label3}) {
        hover(w.Label19);
        QCOMPARE(w.Podp->text(), QStringLiteral("Imię"));
        hover(disabled);
        QVERIFY2(w.Podp->text().isEmpty(), qPrintable(disabled->objectName() + u' ' + w.Podp->text()));
    }
    // The help line of a finished test does not stay in the idle window.
    openAndSignIn(w, dialogs, writeSet(fx, {AC}));
    next(w);
    hover(w.Label5);
    QCOMPARE(w.Podp->text(), QStringLiteral("B1"));
    closeGradeWindowWhenShown();
    next(w);
    QCOMPARE(w.Podp->text(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Wiedo::textsShownWhole_data() {
    QTest::addColumn<int>("questionLength");
    QTest::addColumn<QList<int>>("answerLengths");
    QTest::addColumn<int>("hintLength");
    QTest::addColumn<bool>("designedSizes");
    QTest::newRow("short") << 20 << QList<int>{10, 12, 14, 16, 18} << 20 << true;
    QTest::newRow("255_characters") << 255 << QList<int>{255, 255, 255, 255, 255} << 255 << false;
    QTest::newRow("one_long_answer") << 60 << QList<int>{15, 255, 15, 15, 15} << 40 << false;
}

// Whatever the length, every word of the question, the answers, the hint and the help line is on screen or
// in reach of the control's scroll bar, never below the readable size, and the answers share one size.
void tst_Wiedo::textsShownWhole() {
    QFETCH(int, questionLength);
    QFETCH(QList<int>, answerLengths);
    QFETCH(int, hintLength);
    QFETCH(bool, designedSizes);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    questionset::Question q;
    q.texts.question = polishText(questionLength, 0);
    for (int x = 0; x < 5; ++x)
        q.texts.answers[static_cast<std::size_t>(x)] = polishText(answerLengths[x], x + 1);
    q.texts.hint = polishText(hintLength, 7);
    q.flags = AC;
    const QString path = fx.root() + QStringLiteral("/dlugie.kwz");
    questionset::createEmptySet(path);
    questionset::appendQuestion(path, q);
    openAndSignIn(w, dialogs, path);
    next(w);
    QCOMPARE(w.Label1->text(), q.texts.question);
    const int longest = static_cast<int>(std::max_element(answerLengths.begin(), answerLengths.end()) -
                                         answerLengths.begin());
    hover(w.answerButton(longest));
    QCOMPARE(w.Podp->text(), q.texts.answers[static_cast<std::size_t>(longest)]);
    QCOMPARE(w.widthTwips(), 6720);
    QCOMPARE(w.heightTwips(), 6765);

    QList<QWidget*> controls{w.Label1, w.Label3, w.Podp};
    for (int x = 0; x < 5; ++x)
        controls << w.answerButton(x);
    for (QWidget* control : controls) {
        const QString name = control->objectName();
        ui::TextFit* fit = ui::textFitOf(control);
        QVERIFY2(fit, qPrintable(name));
        const QString text = control->property("text").toString();
        QVERIFY2(fit->lines().join(QString()) == text, qPrintable(name));
        QVERIFY2(fit->pointSize() >= ui::minimumReadablePoints, qPrintable(name));
        QVERIFY2(control->rect().contains(fit->textArea()), qPrintable(name));
        QVERIFY2(fit->widestLine() <= fit->textArea().width(), qPrintable(name));
        if (fit->scrolls()) {
            QVERIFY2(!designedSizes, qPrintable(name));
            // Scrolling only once the text cannot shrink any further.
            QCOMPARE(fit->pointSize(), std::min(control->font().pointSizeF(), ui::minimumReadablePoints));
            QVERIFY2(fit->scrollBar()->isVisibleTo(control), qPrintable(name));
            QVERIFY2(!fit->scrollBar()->geometry().intersects(fit->textArea()), qPrintable(name));
            QCOMPARE(fit->scrollBar()->maximum(), fit->textHeight() - fit->textArea().height());
        } else {
            QVERIFY2(!fit->scrollBar()->isVisibleTo(control), qPrintable(name));
            QVERIFY2(fit->textHeight() <= fit->textArea().height(), qPrintable(name));
        }
        if (designedSizes)
            QVERIFY2(fit->pointSize() == control->font().pointSizeF(), qPrintable(name));
    }
    double smallest = 100;
    for (int x = 0; x < 5; ++x)
        smallest = std::min(smallest, ui::textFitOf(w.answerButton(x))->ownPointSize());
    for (int x = 0; x < 5; ++x)
        QCOMPARE(ui::textFitOf(w.answerButton(x))->pointSize(), smallest);
    WIEDO_VERIFY_DIALOGS(dialogs);
}

// On the gradient a ticked box shows a dark mark in a light box, and an enabled box is as light as
// an unticked box of any other window.
void tst_Wiedo::tickedBoxLooksTicked() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, {AC}));
    next(w);
    QCheckBox* box = w.Check2;
    QVERIFY(box->isEnabled());
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    const auto shades = [&] {
        const QImage image = box->grab(indicator).toImage();
        int dark = 0;
        int light = 0;
        for (int y = 2; y < image.height() - 2; ++y)
            for (int x = 2; x < image.width() - 2; ++x) {
                const int lightness = QColor(image.pixel(x, y)).lightness();
                dark += lightness < 90;
                light += lightness > 200;
            }
        return std::pair{dark, light};
    };
    const auto [darkUnticked, lightUnticked] = shades();
    box->setChecked(true);
    const auto [darkTicked, lightTicked] = shades();
    const int inside = (indicator.width() - 4) * (indicator.height() - 4);
    QVERIFY2(lightUnticked > inside / 2, qPrintable(QString::number(lightUnticked)));
    QVERIFY2(darkTicked >= darkUnticked + inside / 8, qPrintable(QStringLiteral("%1 %2").arg(darkTicked).arg(darkUnticked)));
    QVERIFY(lightTicked > inside / 4);
    WIEDO_VERIFY_DIALOGS(dialogs);
}

QTEST_MAIN(tst_Wiedo)
#include "tst_wiedo.moc"
