// The information windows: captions, exact texts and hover texts, the painted background, centring,
// nothing clipped, and the ways between the instructions, the graphical instructions and the main window.
#include "platform/dialogs.h"
#include "support/program_fixture.h"
#include "support/scripted_dialogs.h"
#include "ui/form.h"
#include "windows/info/autor.h"
#include "windows/info/dod.h"
#include "windows/info/inform.h"
#include "windows/info/n_edit.h"
#include "windows/info/oprg.h"
#include "windows/registry.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using platform::Icon;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;

namespace {

const QString playHover = QStringLiteral("Kliknij tu, aby rozpocząć wspaniałą zabawę !!!");

ui::Form& window(const QString& name) { return ui::forms().byName(name); }

bool visible(const QString& name) {
    ui::Form* form = ui::forms().findLoaded(name);
    return form && form->isVisible();
}

QWidget* control(const QString& formName, const QString& controlName) {
    return window(formName).findChild<QWidget*>(controlName);
}

QString textOf(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    return QStringLiteral("<no text>");
}

}  // namespace

class tst_Info : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }

    void captionsAndCentring_data();
    void captionsAndCentring();
    void texts_data();
    void texts();
    void textColours_data();
    void textColours();
    void gradient_data();
    void gradient();
    void nothingClipped_data();
    void nothingClipped();
    void buttonsHideTheirWindow_data();
    void buttonsHideTheirWindow();
    void gramLeadsToMainWindow_data();
    void gramLeadsToMainWindow();
    void graphicalInstructionsAndBack();
    void gramInGraphicalInstructionsClosesBoth();
    void authorChord_data();
    void authorChord();
};

void tst_Info::captionsAndCentring_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("centred");
    QTest::newRow("instructions") << "Inform" << "Instrukcja obsługi programu :" << true;
    QTest::newRow("graphical_instructions")
        << "Dod" << "Dodatkowe informacje na temat programu. Graficzna instrukcja obsługi" << true;
    QTest::newRow("author") << "Autor_" << "O autorze" << true;
    QTest::newRow("editor_instructions") << "N_edit" << "Instrukcja obsługi edytora pytań" << false;
    QTest::newRow("about") << "oPrg" << "O programie Kwiz v 1.1" << true;
}

void tst_Info::captionsAndCentring() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, centred);
    ProgramFixture fx;  // screen 12000 x 9000 twips
    ui::Form& form = window(name);
    QCOMPARE(form.windowTitle(), caption);
    const bool atCentre = std::abs(form.leftTwips() - (12000 - form.widthTwips()) / 2) <= 15 &&
                          std::abs(form.topTwips() - (9000 - form.heightTwips()) / 2) <= 15;
    QCOMPARE(atCentre, centred);
    // Every window fits on the screen.
    QVERIFY(form.widthTwips() <= 12000 && form.heightTwips() <= 9000);
}

void tst_Info::texts_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hover");  // "-" when the control has none given
    const QString none = QStringLiteral("-");

    QTest::newRow("inform_heading") << "Inform" << "Label1" << "Instrukcja obsługi :" << none;
    QTest::newRow("inform_text_first_half")
        << "Inform" << "Label2"
        << "Aby włączyć test trzeba najpierw wybrać z czego chcemy być pytani. Aby otworzyć jakiś zestaw z "
           "testami trzeba wybrać z menu WIEDO, wtedy rozwinie"
        << none;
    QTest::newRow("inform_text_second_half")
        << "Inform" << "Label3"
        << "się menu z kilkoma opcjami. Potem trzeba wybrać opcję OTWÓRZ PLIK TESTU. Pojawi się wtedy okienko "
           "dialogowe Otwórz. Wybierz plik z pytaniami testowymi, klikasz w przycisk OTWÓRZ. Wtedy zniknie okno "
           "dialogowe OTWÓRZ i musisz kilknąć w przycisk START. Potem zaznaczaj odpowiednie pola i klikaj w "
           "przycisk NASTĘPNE PYTANIE"
        << none;
    QTest::newRow("inform_gram") << "Inform" << "Command1" << "GRAM !!!" << playHover;
    QTest::newRow("inform_dont_understand") << "Inform" << "Command3" << "&Nic z tego nie rozumiem" << none;

    QTest::newRow("dod_number_1") << "Dod" << "Label6" << "1" << none;
    QTest::newRow("dod_number_2") << "Dod" << "Label7" << "2" << none;
    QTest::newRow("dod_number_3") << "Dod" << "Label8" << "3" << none;
    QTest::newRow("dod_number_4") << "Dod" << "Label9" << "4" << none;
    QTest::newRow("dod_step_1") << "Dod" << "Label2"
                                << "Klikasz w menu WIEDO. Rozwija się i wybierasz opcję OTWÓRZ PLIK TESTU" << none;
    QTest::newRow("dod_step_2")
        << "Dod" << "Label3"
        << "Fragment okna dialogowego OTWÓRZ. Należy wybrać dowolny plik i kliknąć w przycisk OTWÓRZ" << none;
    QTest::newRow("dod_step_3") << "Dod" << "Label4" << "Wpisujesz swoje personalia" << none;
    QTest::newRow("dod_step_4")
        << "Dod" << "Label5"
        << "Klikasz w przysisk START, który później zmieni nazwę na NASTĘPNE PYTANIE. Zaznaczasz od 0 do 5 z "
           "proponowanych odpowiedzi i tak w kółko aż do otrzymania oceny"
        << none;
    QTest::newRow("dod_gram") << "Dod" << "Command1" << "GRAM" << playHover;
    QTest::newRow("dod_back") << "Dod" << "Command3" << "&Wstecz"
                              << "Kliknij tu, aby wróćić do strony głównej instrukcji obsługi";

    QTest::newRow("author_ornaments_name") << "Autor_" << "Label3" << "-" << none;  // checked below
    QTest::newRow("author_back") << "Autor_" << "Command1" << "&Powrót"
                                 << "Kliknij w ten przycisk, aby powrócić do programu i rozwiązywać wiedo";

    QTest::newRow("editor_heading") << "N_edit" << "Label2" << "Instrukcja obsługi edytora testów" << none;
    QTest::newRow("editor_text")
        << "N_edit" << "Label1"
        << "Edytor pytań jest programem, który umożliwia układanie zestawów z pytaniami. Możemy je również "
           "zmieniać. ABy utworzyć nowy zestaw należy z menu Pytania wybrać opcję Nowy zestaw. Pojawi się okno, "
           "w którym podamy nazwę zestawu pytań np. Historia. Potem wpisujemy w odpowiednie pola pytanie, 5 "
           "proponowanych odpowiedzi i podpowiedź. Jeśli któraś z zaznaczony podpowiedzi jest dobrą, to "
           "zaznaczamy pole Dobra odpowiedź. Aby utworzyć następne pytanie klikamy w przycisk następny rekord. "
           "Aby edytować poprzednie pytanie klikamy w przycisk poprzedni rekord. Aby edytować zestaw z pytaniami "
           "wybieramy opcję Otwórz z menu Pytania"
        << none;
    QTest::newRow("editor_button") << "N_edit" << "Command1" << "Miłej zabawy !!!" << playHover;

    QTest::newRow("about_name") << "oPrg" << "Label2" << "Kwiz v 1.1" << none;
    QTest::newRow("about_empty_label") << "oPrg" << "Label1" << "" << none;
    QTest::newRow("about_back") << "oPrg" << "Command1" << "&Powrót" << none;
}

void tst_Info::texts() {
    QFETCH(QString, form);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QString, hover);
    ProgramFixture fx;
    QWidget* w = ::control(form, control);
    QVERIFY2(w, qPrintable(form + "." + control + " is missing"));
    if (text == u"-")  // the ornament row: whatever font shows it, it is reachable as its letters
        QCOMPARE(w->accessibleName(), QStringLiteral("ttttttt"));
    else
        QCOMPARE(textOf(w), text);
    if (hover != u"-")
        QCOMPARE(w->toolTip(), hover);
}

void tst_Info::textColours_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("inform_text_white") << "Inform" << "Label2" << QColor(Qt::white);
    QTest::newRow("dod_number_red") << "Dod" << "Label6" << QColor(255, 0, 0);
    QTest::newRow("dod_caption_white") << "Dod" << "Label5" << QColor(Qt::white);
    QTest::newRow("author_credit_black") << "Autor_" << "Label2" << QColor(0, 0, 0);
    QTest::newRow("author_town_white") << "Autor_" << "Label1" << QColor(Qt::white);
    QTest::newRow("author_ornaments_magenta") << "Autor_" << "Label3" << QColor(255, 0, 255);
    QTest::newRow("author_addresses_grey") << "Autor_" << "Label4" << QColor(224, 224, 224);
    QTest::newRow("editor_text_black") << "N_edit" << "Label1" << QColor(0, 0, 0);
    QTest::newRow("editor_heading_white") << "N_edit" << "Label2" << QColor(Qt::white);
    QTest::newRow("about_name_blue") << "oPrg" << "Label2" << QColor(0, 0, 255);
    QTest::newRow("about_contact_white") << "oPrg" << "Label3" << QColor(Qt::white);
}

void tst_Info::textColours() {
    QFETCH(QString, form);
    QFETCH(QString, control);
    QFETCH(QColor, colour);
    ProgramFixture fx;
    QWidget* w = ::control(form, control);
    QVERIFY(w);
    QCOMPARE(w->palette().color(QPalette::WindowText), colour);
}

void tst_Info::gradient_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::newRow("instructions") << "Inform" << 11 << 100;
    QTest::newRow("graphical_instructions") << "Dod" << 11 << 100;
    QTest::newRow("author") << "Autor_" << 11 << 100;
    QTest::newRow("editor_instructions") << "N_edit" << 11 << 100;
    QTest::newRow("about") << "oPrg" << 33 << 37;
}

void tst_Info::gradient() {
    QFETCH(QString, name);
    QFETCH(int, green);
    QFETCH(int, blue);
    ProgramFixture fx;
    ui::Form& form = window(name);
    const QImage& image = form.persistentImage();
    QCOMPARE(image.size(), form.size());
    // Down one column the red part falls from (nearly) 255 at the top to (nearly) 0 at the bottom, band
    // by band, while green and blue stay the window's own.
    const int x = image.width() / 2;
    int previousRed = 256;
    for (int y = 0; y < image.height(); ++y) {
        const QColor c = image.pixelColor(x, y);
        QVERIFY2(c.green() == green && c.blue() == blue,
                 qPrintable(QStringLiteral("row %1: %2,%3,%4").arg(y).arg(c.red()).arg(c.green()).arg(c.blue())));
        QVERIFY(c.red() <= previousRed);
        previousRed = c.red();
    }
    QVERIFY2(image.pixelColor(x, 0).red() >= 250, qPrintable(QString::number(image.pixelColor(x, 0).red())));
    QVERIFY(image.pixelColor(x, image.height() - 1).red() <= 15);
    // Halfway down the colour is halfway, and the bands span the whole width.
    const int middle = image.pixelColor(x, image.height() / 2).red();
    QVERIFY2(std::abs(middle - 128) <= 8, qPrintable(QString::number(middle)));
    QCOMPARE(image.pixelColor(0, image.height() / 2), image.pixelColor(image.width() - 1, image.height() / 2));
}

void tst_Info::nothingClipped_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"Inform", "Dod", "Autor_", "N_edit", "oPrg"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_Info::nothingClipped() {
    QFETCH(QString, name);
    ProgramFixture fx;
    ui::Form& form = window(name);
    for (QWidget* w : form.findChildren<QWidget*>()) {
        const QString what = name + "." + w->objectName();
        QVERIFY2(form.rect().contains(w->geometry()), qPrintable(what + " lies outside its window"));
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
            const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                                 : label->sizeHint().height();
            QVERIFY2(needed <= label->height(),
                     qPrintable(what + QStringLiteral(" needs %1 px, has %2").arg(needed).arg(label->height())));
            if (!label->wordWrap())
                QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(what + " too narrow"));
        }
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            const int needed = button->fontMetrics().horizontalAdvance(button->text().remove(u'&'));
            QVERIFY2(needed < button->width(), qPrintable(what + " too narrow"));
        }
    }
}

void tst_Info::buttonsHideTheirWindow_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");  // pressed on the focus, which is ringed, instead of a click on Command1
    QTest::newRow("author_back") << "Autor_" << 0;
    QTest::newRow("editor_instructions_escape") << "N_edit" << int(Qt::Key_Escape);
    QTest::newRow("about_enter") << "oPrg" << int(Qt::Key_Return);
    QTest::newRow("graphical_instructions_escape") << "Dod" << int(Qt::Key_Escape);
    QTest::newRow("instructions_enter_is_gram") << "Inform" << int(Qt::Key_Enter);
}

void tst_Info::buttonsHideTheirWindow() {
    QFETCH(QString, name);
    QFETCH(int, key);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    bool seenOpen = false;
    ui::forms().queueModalScript(name, [&](ui::Form& form) {
        seenOpen = form.isVisible();
        if (!key)
            return QTest::mouseClick(form.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(&form) && form.focusWidget());
        const QRect r = form.focusWidget()->geometry();
        const QImage shot = form.grab().toImage();
        for (const QPoint p : {QPoint(r.left() - 1, r.top()), QPoint(r.left() - 2, r.bottom()), QPoint(r.right() + 2, r.bottom() + 2)})
            QVERIFY(qAbs(shot.pixelColor(p).lightnessF() - form.backgroundAt(p).lightnessF()) >= 0.4);
        QTest::keyClick(form.focusWidget(), Qt::Key(key));
    });
    window(name).ShowModal();
    QVERIFY(seenOpen);
    QVERIFY(!visible(name));
    QVERIFY(ui::forms().findLoaded(name));  // hidden, not unloaded
    QCOMPARE(fx.leftovers(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Info::gramLeadsToMainWindow_data() {
    QTest::addColumn<bool>("byCloseBox");
    QTest::addColumn<bool>("afterMenu");  // the instructions reopened from the main window's menu
    QTest::newRow("gram_at_start_up") << false << false;
    QTest::newRow("close_box_at_start_up") << true << false;
    QTest::newRow("gram_after_menu") << false << true;
    QTest::newRow("close_box_after_menu") << true << true;
}

void tst_Info::gramLeadsToMainWindow() {
    QFETCH(bool, byCloseBox);
    QFETCH(bool, afterMenu);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    auto& inform = ui::forms().get<windows::Inform>();
    if (afterMenu) {
        window("Wiedo").Show();
        window("Wiedo").Hide();
    }
    inform.Show();
    if (byCloseBox)
        inform.close();
    else
        QTest::mouseClick(inform.Command1, Qt::LeftButton);
    QVERIFY(!inform.isVisible());
    QVERIFY(ui::forms().findLoaded("Inform"));
    QVERIFY(visible("Wiedo"));
    QCOMPARE(ui::forms().activeForm(), &window("Wiedo"));
    QCOMPARE(fx.leftovers(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Info::graphicalInstructionsAndBack() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    auto& inform = ui::forms().get<windows::Inform>();
    inform.Show();
    bool checked = false;
    ui::forms().queueModalScript("Dod", [&](ui::Form& form) {
        auto& dod = static_cast<windows::Dod&>(form);
        // Loaded with the instructions' icon and illustration, and "GRAM" enabled.
        QVERIFY(dod.isVisible());
        QVERIFY(dod.Command1->isEnabled());
        QCOMPARE(dod.windowIcon().cacheKey(), inform.windowIcon().cacheKey());
        QCOMPARE(dod.Image1->pixmap().cacheKey(), inform.Image1->pixmap().cacheKey());
        QVERIFY(!dod.Image1->pixmap().isNull());
        inform.setWindowTitle("changed while away");
        QTest::mouseClick(dod.Command3, Qt::LeftButton);  // "&Wstecz"
        checked = true;
    });
    QTest::mouseClick(inform.Command3, Qt::LeftButton);
    QVERIFY(checked);
    QCOMPARE(inform.windowTitle(), QStringLiteral("Instrukcja obsługi programu :"));
    QVERIFY(inform.isVisible());
    QVERIFY(!visible("Dod"));
    QVERIFY(!visible("Wiedo"));
    QCOMPARE(ui::forms().activeForm(), &inform);
    QCOMPARE(fx.leftovers(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Info::gramInGraphicalInstructionsClosesBoth() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    auto& inform = ui::forms().get<windows::Inform>();
    inform.Show();
    ui::forms().queueModalScript("Dod", [](ui::Form& form) {
        QTest::mouseClick(static_cast<windows::Dod&>(form).Command1, Qt::LeftButton);  // "GRAM"
    });
    QTest::mouseClick(inform.Command3, Qt::LeftButton);
    QVERIFY(!inform.isVisible());
    QVERIFY(!visible("Dod"));
    QVERIFY(visible("Wiedo"));
    QCOMPARE(ui::forms().activeForm(), &window("Wiedo"));
    QCOMPARE(fx.leftovers(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Info::authorChord_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("confiscated");
    const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
    QTest::newRow("shift_ctrl_alt_q") << int(Qt::Key_Q) << (shift | ctrl | alt) << true;
    QTest::newRow("ctrl_q") << int(Qt::Key_Q) << ctrl << false;
    QTest::newRow("q_alone") << int(Qt::Key_Q) << 0 << false;
    QTest::newRow("shift_ctrl_q") << int(Qt::Key_Q) << (shift | ctrl) << false;
    QTest::newRow("ctrl_alt_q") << int(Qt::Key_Q) << (ctrl | alt) << false;
    QTest::newRow("shift_alt_q") << int(Qt::Key_Q) << (shift | alt) << false;
    QTest::newRow("shift_ctrl_alt_w") << int(Qt::Key_W) << (shift | ctrl | alt) << false;
    QTest::newRow("shift_ctrl_alt_keypad_q") << int(Qt::Key_Q) << (shift | ctrl | alt | int(Qt::KeypadModifier))
                                             << true;
}

void tst_Info::authorChord() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, confiscated);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    if (confiscated)
        dialogs.expectMessage("Proszę pana !!! a on ściąga !!!", "Ściąga skonfiskowana !!!", Icon::Exclamation);
    auto& autor = ui::forms().get<windows::Autor_>();
    autor.Show();
    QTest::keyClick(autor.Command1, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(dialogs.beeps(), confiscated ? 1 : 0);
    QVERIFY(autor.isVisible());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

QTEST_MAIN(tst_Info)
#include "tst_info.moc"
