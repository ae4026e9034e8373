// The grading scale editor: its password, filling the boxes from either layout of "ptk.ptk", its two
// failure messages, saving, the key filter, and the preview of what the boxes would grade.
#include "grading/scale.h"
#include "platform/filetable.h"
#include "platform/screen.h"
#include "support/program_fixture.h"
#include "support/scripted_dialogs.h"
#include "ui/form.h"
#include "ui/outline_effect.h"
#include "windows/main/wiedo.h"
#include "windows/registry.h"
#include "windows/scale_editor/punkty.h"
#include "windows/scale_editor/scale_preview.h"
#include "windows/temp/temp_window.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

using platform::Icon;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::Punkty;

namespace {

const QByteArray defaultLine("40,39,34,27,19,12\r\n");
const QByteArray standardLines("40\r\n39\r\n34\r\n27\r\n19\r\n12\r\n");
const QString cfgFailure = QStringLiteral(
    "Nie mogę znaleźć pliku konfiguracyjnego programu ( Wiedo.cfg ) lub jest on uszkodzony. Zainstaluj "
    "program ponownie");
const QString ptkFailure = QStringLiteral("Nie mogę znaleźć pliku konfiguracyjnego ( ptk.ptk ) !!!");

// A program folder with the password and scale files, known to the Shared state.
void install(const ProgramFixture& fx, const QByteArray& cfg, const QByteArray& ptk) {
    if (!cfg.isNull())
        fx.write("Wiedo.cfg", cfg);
    if (!ptk.isNull())
        fx.write("ptk.ptk", ptk);
    ui::forms().get<windows::TEMP>().Text1->setText(fx.programFolderText());
}

QStringList boxTexts(const Punkty& window) {
    QStringList texts;
    for (QLineEdit* box : window.boxes())
        texts << box->text();
    return texts;
}

// Queues what to do while the editor is open; the check runs inside the modal showing.
void whileOpen(std::function<void(Punkty&)> script) {
    ui::forms().queueModalScript(Punkty::formName, [script = std::move(script)](ui::Form& form) {
        script(static_cast<Punkty&>(form));
    });
}

// Leaves by the title bar's close box, which saves nothing.
void closeByCloseBox(Punkty& window) { window.close(); }

void showEditor() { ui::forms().get<Punkty>().ShowModal(); }

// Shows the editor and leaves it by its close box, reporting what its boxes held while it was open.
QStringList boxesWhenShown() {
    QStringList seen;
    whileOpen([&](Punkty& w) {
        seen = boxTexts(w);
        closeByCloseBox(w);
    });
    showEditor();
    return seen;
}

}  // namespace

class tst_Punkty : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }
    void layout();
    void password_data();
    void password();
    void bothLayoutsFillTheBoxes_data();
    void bothLayoutsFillTheBoxes();
    void failureMessages_data();
    void failureMessages();
    void everyShowingReloads();
    void standartThenPowrot();
    void savedNumbers_data();
    void savedNumbers();
    void failedSaveKeepsOldFileAndWindow();
    void keyFilter_data();
    void keyFilter();
    void pasteFromContextMenu_data();
    void pasteFromContextMenu();
    void menuCommandClosesFilesAndShowsModally();
    void previewMatchesGradeRule_data();
    void previewMatchesGradeRule();
    void previewWarnings_data();
    void previewWarnings();
    void previewFollowsTyping();
};

void tst_Punkty::layout() {
    ProgramFixture fx;
    auto& w = ui::forms().get<Punkty>();
    QCOMPARE(w.windowTitle(), QStringLiteral("Punktacja                    "));
    QCOMPARE(w.Label1->text(), QStringLiteral("Celujący                 do"));
    QCOMPARE(w.Label2->text(), QStringLiteral("Bardzo dobry           do"));
    QCOMPARE(w.Label9->text(), QStringLiteral("Dobry                     do"));
    QCOMPARE(w.Label10->text(), QStringLiteral("Dostateczny            do"));
    QCOMPARE(w.Label11->text(), QStringLiteral("Mierny                    do"));
    QCOMPARE(w.Label12->text(), QStringLiteral("Niedostateczny        do"));
    QCOMPARE(w.Command1->text(), QStringLiteral("&Standart"));
    QCOMPARE(w.Command3->text(), QStringLiteral("Powrót"));
    QCOMPARE(w.Text3->geometry(), QRect(160, 56, 30, 19));
    QCOMPARE(w.Label8->pos(), QPoint(200, 128));
    // The preview sits below the design's controls.
    QVERIFY(w.Podglad->geometry().top() > w.Command3->geometry().bottom());
    QVERIFY(w.Podglad->geometry().bottom() < w.height());
    // The default scale's rows show at once, none of them wider than the list.
    w.Command1_Click();
    w.show();
    QListWidget* list = w.Podglad->list;
    QTRY_COMPARE(list->count(), 7);
    for (int row = 0; row < list->count(); ++row)
        QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->item(row))));
    w.hide();
    // Rows in magenta and red keep their colour and get an outline against the gradient.
    for (QLabel* coloured : {w.Label1, w.Label3, w.Label2, w.Label4, w.Label11, w.Label7, w.Label12, w.Label8})
        QVERIFY(dynamic_cast<ui::OutlineEffect*>(coloured->graphicsEffect()));
    QVERIFY(!w.Label5->graphicsEffect());
    const auto colour = [](QWidget* c) { return c->palette().color(QPalette::WindowText); };
    QCOMPARE(colour(w.Label1), QColor(255, 0, 255));
    QCOMPARE(colour(w.Text2), QColor(255, 0, 255));
    QCOMPARE(colour(w.Label4), QColor(255, 0, 255));
    QCOMPARE(colour(w.Label5), QColor(Qt::black));
    QCOMPARE(colour(w.Label6), QColor(Qt::black));
    QCOMPARE(colour(w.Label7), QColor(192, 0, 0));
    QCOMPARE(colour(w.Label8), QColor(255, 0, 0));
    QCOMPARE(colour(w.Text6), QColor(255, 0, 0));
    QCOMPARE(w.Label3->font().family(), QStringLiteral("MS Sans Serif"));
    // Centred and painted when loaded: the top band is the gradient's first colour.
    QCOMPARE(w.leftTwips(), platform::toTwips(platform::toPixels((12000 - w.widthTwips()) / 2)));
    QCOMPARE(w.topTwips(), platform::toTwips(platform::toPixels((9000 - w.heightTwips()) / 2)));
    const QColor top = w.persistentImage().pixelColor(2, 0);
    const QColor bottom = w.persistentImage().pixelColor(2, w.height() - 3);
    QVERIFY(top.red() > 245 && top.green() == 11 && top.blue() == 100);
    QVERIFY(bottom.red() < 10 && bottom.green() == 11 && bottom.blue() == 100);
}

void tst_Punkty::password_data() {
    QTest::addColumn<QByteArray>("cfg");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("refusedMessage");
    QTest::newRow("no_password") << QByteArray("\"\"\r\n") << false << QString() << false << true << false;
    QTest::newRow("right_password") << QByteArray("\"Tajne\"\r\n") << true << "Tajne" << false << true << false;
    QTest::newRow("wrong_password") << QByteArray("\"Tajne\"\r\n") << true << "inne" << false << false << true;
    QTest::newRow("differs_only_in_case") << QByteArray("\"Tajne\"\r\n") << true << "tajne" << false << false
                                          << true;
    QTest::newRow("longer_answer") << QByteArray("\"Tajne\"\r\n") << true << "Tajne " << false << false << true;
    QTest::newRow("cancel") << QByteArray("\"Tajne\"\r\n") << true << QString() << true << false << false;
    QTest::newRow("empty_answer") << QByteArray("\"Tajne\"\r\n") << true << "" << false << false << false;
}

void tst_Punkty::password() {
    QFETCH(QByteArray, cfg);
    QFETCH(bool, asked);
    QFETCH(QString, answer);
    QFETCH(bool, cancelled);
    QFETCH(bool, opens);
    QFETCH(bool, refusedMessage);
    ProgramFixture fx;
    install(fx, cfg, "9,8,7,6,5,4\r\n");
    ScriptedDialogs dialogs;
    if (asked)
        dialogs.expectInput(QStringLiteral("Podaj hasło "), QStringLiteral("Hasło"),
                            cancelled ? std::nullopt : std::optional<QString>(answer));
    if (refusedMessage)
        dialogs.expectMessage(QStringLiteral("Złe hasło"), QStringLiteral("Złe hasło"), Icon::Exclamation);
    QStringList seenInside;
    if (opens)
        whileOpen([&](Punkty& w) {
            seenInside = boxTexts(w);
            closeByCloseBox(w);
        });
    showEditor();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    auto& w = ui::forms().get<Punkty>();
    QVERIFY(!w.isVisible());
    QCOMPARE(platform::files().openCount(), 0);
    if (opens)
        QCOMPARE(seenInside, QStringList({"9", "8", "7", "6", "5", "4"}));
    else
        QCOMPARE(boxTexts(w), QStringList(6, QString()));
    // Leaving without "Powrót" saves nothing.
    QCOMPARE(fx.read("ptk.ptk"), QByteArray("9,8,7,6,5,4\r\n"));
}

void tst_Punkty::bothLayoutsFillTheBoxes_data() {
    QTest::addColumn<QByteArray>("ptk");
    QTest::addColumn<QStringList>("boxes");
    const QStringList standard{"40", "39", "34", "27", "19", "12"};
    QTest::newRow("one_line_default_layout") << defaultLine << standard;
    QTest::newRow("six_line_editor_layout") << standardLines << standard;
    QTest::newRow("extra_fields_ignored") << QByteArray("1,2,3\r\n4,5,6,7,8\r\n")
                                          << QStringList{"1", "2", "3", "4", "5", "6"};
    QTest::newRow("texts_kept_as_they_stand") << QByteArray("007,\"abc\",12.5,,0,3\r\n")
                                              << QStringList{"007", "abc", "12.5", "", "0", "3"};
}

void tst_Punkty::bothLayoutsFillTheBoxes() {
    QFETCH(QByteArray, ptk);
    QFETCH(QStringList, boxes);
    ProgramFixture fx;
    install(fx, "\"\"\r\n", ptk);
    ScriptedDialogs dialogs;
    const QStringList seen = boxesWhenShown();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    QCOMPARE(seen, boxes);
}

void tst_Punkty::failureMessages_data() {
    QTest::addColumn<QByteArray>("cfg");
    QTest::addColumn<QByteArray>("ptk");
    QTest::addColumn<QStringList>("boxesAfter");
    const QStringList earlier{"9", "8", "7", "6", "5", "4"};
    QTest::newRow("missing_wiedo_cfg") << QByteArray() << defaultLine << earlier;
    QTest::newRow("empty_wiedo_cfg") << QByteArray("") << defaultLine << earlier;
    QTest::newRow("missing_ptk") << QByteArray("\"\"\r\n") << QByteArray() << earlier;
    // The fields read before the failure are in their boxes; the sixth box keeps its old text.
    QTest::newRow("ptk_with_five_fields") << QByteArray("\"\"\r\n") << QByteArray("1,2,3,4,5\r\n")
                                          << QStringList{"1", "2", "3", "4", "5", "4"};
    QTest::newRow("ptk_with_two_fields") << QByteArray("\"\"\r\n") << QByteArray("30\r\n\"x\"\r\n")
                                         << QStringList{"30", "x", "7", "6", "5", "4"};
}

void tst_Punkty::failureMessages() {
    QFETCH(QByteArray, cfg);
    QFETCH(QByteArray, ptk);
    QFETCH(QStringList, boxesAfter);
    ProgramFixture fx;
    install(fx, "\"\"\r\n", "9,8,7,6,5,4\r\n");
    ScriptedDialogs dialogs;
    // A first showing fills the boxes; the failing second one leaves them as they were.
    whileOpen(closeByCloseBox);
    showEditor();
    QFile::remove(fx.path("Wiedo.cfg"));
    QFile::remove(fx.path("ptk.ptk"));
    install(fx, cfg, ptk);
    dialogs.expectMessage(cfgFailure, QStringLiteral("Błąd"), Icon::Exclamation);
    dialogs.expectMessage(ptkFailure, QStringLiteral("Błąd"), Icon::Exclamation);
    bool stayedOpen = false;
    QStringList seen;
    whileOpen([&](Punkty& w) {
        stayedOpen = w.isVisible();
        seen = boxTexts(w);
        closeByCloseBox(w);
    });
    showEditor();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    QVERIFY(stayedOpen);
    QCOMPARE(seen, boxesAfter);
    QCOMPARE(platform::files().openCount(), 0);
}

void tst_Punkty::everyShowingReloads() {
    ProgramFixture fx;
    install(fx, "\"\"\r\n", defaultLine);
    ScriptedDialogs dialogs;
    whileOpen([](Punkty& w) {
        QTest::keyClicks(w.Text1, "5");  // an edit that is never saved
        closeByCloseBox(w);
    });
    showEditor();
    QCOMPARE(ui::forms().get<Punkty>().Text1->text(), QStringLiteral("405"));
    // A password set since the last showing is asked for at the next one.
    install(fx, "\"haslo\"\r\n", "1,2,3,4,5,6\r\n");
    dialogs.expectInput(QStringLiteral("Podaj hasło "), QStringLiteral("Hasło"), QStringLiteral("haslo"));
    const QStringList seen = boxesWhenShown();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    QCOMPARE(seen, QStringList({"1", "2", "3", "4", "5", "6"}));
}

void tst_Punkty::standartThenPowrot() {
    ProgramFixture fx;
    install(fx, "\"\"\r\n", "1,2,3,4,5,6\r\n");
    ScriptedDialogs dialogs;
    QStringList afterStandart;
    whileOpen([&](Punkty& w) {
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        afterStandart = boxTexts(w);
        QCOMPARE(fx.read("ptk.ptk"), QByteArray("1,2,3,4,5,6\r\n"));  // nothing saved yet
        QTest::mouseClick(w.Command3, Qt::LeftButton);
    });
    showEditor();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    QCOMPARE(afterStandart, QStringList({"40", "39", "34", "27", "19", "12"}));
    QCOMPARE(fx.read("ptk.ptk"), standardLines);
    QVERIFY(!ui::forms().get<Punkty>().isVisible());
}

void tst_Punkty::savedNumbers_data() {
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("empty_box_is_0_and_007_is_7")
        << QStringList{"", "007", "34", "0", "19", "12"} << QByteArray("0\r\n7\r\n34\r\n0\r\n19\r\n12\r\n");
    QTest::newRow("rising_scale_saved_as_is")
        << QStringList{"10", "20", "5", "4", "3", "2"} << QByteArray("10\r\n20\r\n5\r\n4\r\n3\r\n2\r\n");
    QTest::newRow("texts_from_the_file_by_leading_number")
        << QStringList{"abc", "12.5", "7x", "", "1", "2"} << QByteArray("0\r\n12.5\r\n7\r\n0\r\n1\r\n2\r\n");
}

void tst_Punkty::savedNumbers() {
    QFETCH(QStringList, boxes);
    QFETCH(QByteArray, saved);
    ProgramFixture fx;
    install(fx, "\"\"\r\n", defaultLine);
    ScriptedDialogs dialogs;
    whileOpen([&](Punkty& w) {
        const auto all = w.boxes();
        for (int i = 0; i < 6; ++i) {
            // Digits are typed as a teacher would; other texts can only come from the file.
            all[i]->clear();
            if (std::all_of(boxes[i].begin(), boxes[i].end(), [](QChar c) { return c.isDigit(); }))
                QTest::keyClicks(all[i], boxes[i]);
            else
                all[i]->setText(boxes[i]);
        }
        QCOMPARE(boxTexts(w), boxes);
        QTest::mouseClick(w.Command3, Qt::LeftButton);
    });
    showEditor();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    QCOMPARE(dialogs.beeps(), 0);
    QCOMPARE(fx.read("ptk.ptk"), saved);
}

void tst_Punkty::failedSaveKeepsOldFileAndWindow() {
    ProgramFixture fx;
    install(fx, "\"\"\r\n", defaultLine);
    ScriptedDialogs dialogs;
    dialogs.expectMessage(QStringLiteral("Nie mogę zapisać punktacji do pliku ptk.ptk. Sprawdź, czy dysk nie "
                                         "jest pełny i czy katalog programu nie jest tylko do odczytu. "
                                         "Punktacja w pliku nie została zmieniona."),
                          QStringLiteral("Błąd zapisu"), Icon::Exclamation);
    bool openAfterFailure = false;
    QByteArray fileAfterFailure;
    whileOpen([&](Punkty& w) {
        QTest::keyClicks(w.Text6, "3");
        platform::files().failWritesAfter(0);
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        openAfterFailure = w.isVisible();
        fileAfterFailure = fx.read("ptk.ptk");
        platform::files().failWritesAfter(-1);
        // With the disk writable again the same values are saved.
        QTest::mouseClick(w.Command3, Qt::LeftButton);
    });
    showEditor();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    QVERIFY(openAfterFailure);
    QCOMPARE(fileAfterFailure, defaultLine);
    QCOMPARE(fx.read("ptk.ptk"), QByteArray("40\r\n39\r\n34\r\n27\r\n19\r\n123\r\n"));
    QCOMPARE(platform::files().openCount(), 0);
}

void tst_Punkty::keyFilter_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("beeps");
    // The box holds "12" with the "2" selected, so that a cut, copy or paste that got through would show;
    // each key comes with the text it types.
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << "12" << 1;
    QTest::newRow("polish_letter") << int(Qt::Key_unknown) << none << "ą" << "12" << 1;
    QTest::newRow("space") << int(Qt::Key_Space) << none << " " << "12" << 1;
    QTest::newRow("minus") << int(Qt::Key_Minus) << none << "-" << "12" << 1;
    QTest::newRow("decimal_point") << int(Qt::Key_Period) << none << "." << "12" << 1;
    QTest::newRow("comma") << int(Qt::Key_Comma) << none << "," << "12" << 1;
    QTest::newRow("slash_code_47") << int(Qt::Key_Slash) << none << "/" << "12" << 1;
    QTest::newRow("colon_code_58") << int(Qt::Key_Colon) << none << ":" << "12" << 1;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << "12" << 1;
    QTest::newRow("enter") << int(Qt::Key_Return) << none << "\r" << "12" << 1;
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << "12" << 1;
    QTest::newRow("ctrl_v_paste") << int(Qt::Key_V) << ctrl << "\x16" << "12" << 1;
    QTest::newRow("shift_insert_paste") << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << "" << "12" << 1;
    QTest::newRow("ctrl_x_cut") << int(Qt::Key_X) << ctrl << "\x18" << "12" << 1;
    QTest::newRow("ctrl_c_copy") << int(Qt::Key_C) << ctrl << "\x03" << "12" << 1;
    QTest::newRow("digit_passes") << int(Qt::Key_7) << none << "7" << "17" << 0;
    QTest::newRow("zero_passes") << int(Qt::Key_0) << none << "0" << "10" << 0;
    QTest::newRow("delete_works") << int(Qt::Key_Delete) << none << "\x7f" << "1" << 0;
    QTest::newRow("cursor_key_works") << int(Qt::Key_Left) << none << "" << "12" << 0;
}

void tst_Punkty::keyFilter() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, after);
    QFETCH(int, beeps);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    QApplication::clipboard()->setText(QStringLiteral("5"));
    auto& w = ui::forms().get<Punkty>();
    for (QLineEdit* box : w.boxes()) {
        box->setText(QStringLiteral("12"));
        box->setSelection(1, 1);
        const int before = dialogs.beeps();
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::KeyboardModifiers(modifiers), text);
        QApplication::sendEvent(box, &press);
        QApplication::sendEvent(box, &release);
        QCOMPARE(box->text(), after);
        QCOMPARE(dialogs.beeps() - before, beeps);
    }
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("5"));  // nothing was copied or cut
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Punkty::pasteFromContextMenu_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("beeps");
    QTest::newRow("digits_pasted") << "34" << "1342" << 0;
    QTest::newRow("digits_and_letter_refused") << "12a" << "12" << 1;
    QTest::newRow("decimal_refused") << "3.5" << "12" << 1;
    QTest::newRow("blank_refused") << " " << "12" << 1;
}

void tst_Punkty::pasteFromContextMenu() {
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    QFETCH(int, beeps);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    auto& w = ui::forms().get<Punkty>();
    QApplication::clipboard()->setText(clipboard);
    w.Text4->setText(QStringLiteral("12"));
    w.Text4->setCursorPosition(1);
    w.Text4->paste();  // what the context menu's "Paste" runs
    QCOMPARE(w.Text4->text(), after);
    QCOMPARE(dialogs.beeps(), beeps);
    // Undoing a refused paste does not bring it back either.
    w.Text4->undo();
    const QString undone = w.Text4->text();
    QVERIFY2(std::all_of(undone.begin(), undone.end(), [](QChar c) { return c.isDigit(); }), qPrintable(undone));
}

void tst_Punkty::menuCommandClosesFilesAndShowsModally() {
    ProgramFixture fx;
    install(fx, "\"\"\r\n", defaultLine);
    ScriptedDialogs dialogs;
    auto& main = ui::forms().get<windows::Wiedo>();
    main.Show();
    platform::files().open(fx.path("ptk.ptk"), platform::OpenMode::Input);
    int openWhileShown = -1;
    bool modal = false;
    whileOpen([&](Punkty& w) {
        openWhileShown = platform::files().openCount();
        modal = w.isShowingModal();
        QTest::mouseClick(w.Command3, Qt::LeftButton);
    });
    main.Punktacja->trigger();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    QCOMPARE(openWhileShown, 0);
    QVERIFY(modal);
    QCOMPARE(fx.read("ptk.ptk"), standardLines);
}

void tst_Punkty::previewMatchesGradeRule_data() {
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("default_scale") << QStringList{"40", "39", "34", "27", "19", "12"}
                                   << QStringList{"0–12 → 1", "13–19 → 2", "20–27 → 3", "28–34 → 4", "35–39 → 5",
                                                  "40 → 6", "41 i więcej → brak oceny"};
    QTest::newRow("rising_scale") << QStringList{"10", "20", "5", "4", "3", "2"}
                                  << QStringList{"0–2 → 1", "3 → 2", "4 → 3", "5 → 4", "6–20 → 5",
                                                 "21 i więcej → brak oceny"};
    QTest::newRow("equal_top_thresholds") << QStringList{"30", "30", "25", "20", "10", "5"}
                                          << QStringList{"0–5 → 1", "6–10 → 2", "11–20 → 3", "21–25 → 4",
                                                         "26–30 → 5", "31 i więcej → brak oceny"};
    // Grade 4's range lies over the upper part of grade 2's, and grade 3's is empty.
    QTest::newRow("overlapping_ranges") << QStringList{"40", "39", "34", "20", "25", "12"}
                                        << QStringList{"0–12 → 1", "13–20 → 2", "21–34 → 4", "35–39 → 5",
                                                       "40 → 6", "41 i więcej → brak oceny"};
    // Grade 1 reaches above the higher grades and comes back after them.
    QTest::newRow("grade_1_twice") << QStringList{"10", "5", "4", "3", "2", "20"}
                                   << QStringList{"0–2 → 1", "3 → 3", "4 → 4", "5 → 5", "6–10 → 6", "11–20 → 1",
                                                  "21 i więcej → brak oceny"};
    QTest::newRow("gap_between_ranges") << QStringList{"40", "39", "34", "27", "19", "12.5"}
                                        << QStringList{"0–12 → 1", "13 → brak oceny", "14–19 → 2", "20–27 → 3",
                                                       "28–34 → 4", "35–39 → 5", "40 → 6",
                                                       "41 i więcej → brak oceny"};
    QTest::newRow("empty_boxes") << QStringList(6, QString())
                                 << QStringList{"0 → 1", "1 i więcej → brak oceny"};
    QTest::newRow("huge_threshold") << QStringList{"100000", "39", "34", "27", "19", "12"}
                                    << QStringList{"0–12 → 1", "13–19 → 2", "20–27 → 3", "28–34 → 4",
                                                   "35–39 → 5", "40–100000 → 6", "100001 i więcej → brak oceny"};
}

// Every row agrees with the grade window's rule at both of its ends and just beyond them.
void tst_Punkty::previewMatchesGradeRule() {
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, rows);
    grading::Thresholds thresholds{};
    for (int i = 0; i < 6; ++i)
        thresholds[i] = boxes[i].toDouble();
    const windows::ScaleOverview overview = windows::overviewOf(thresholds);
    QCOMPARE(overview.ranges.front().from, 0.0);
    for (std::size_t i = 0; i < overview.ranges.size(); ++i) {
        const windows::PointRange& range = overview.ranges[i];
        QCOMPARE(grading::computeGrade(range.from, thresholds), range.grade);
        if (range.to) {
            QCOMPARE(grading::computeGrade(*range.to, thresholds), range.grade);
            QCOMPARE(overview.ranges[i + 1].from, *range.to + 1);
            QVERIFY(overview.ranges[i + 1].grade != range.grade);
        } else {
            QCOMPARE(i + 1, overview.ranges.size());
            QCOMPARE(grading::computeGrade(range.from + 1000, thresholds), range.grade);
        }
    }
    ProgramFixture fx;
    auto& w = ui::forms().get<Punkty>();
    const auto all = w.boxes();
    for (int i = 0; i < 6; ++i)
        all[i]->setText(boxes[i]);
    QStringList shown;
    for (int row = 0; row < w.Podglad->list->count(); ++row)
        shown << w.Podglad->list->item(row)->text();
    QCOMPARE(shown, rows);
}

void tst_Punkty::previewWarnings_data() {
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("warnings");
    QTest::newRow("default_scale_above_top")
        << QStringList{"40", "39", "34", "27", "19", "12"}
        << QStringList{"Za 41 pkt. i więcej nie ma oceny"};
    QTest::newRow("t1_equals_t2") << QStringList{"30", "30", "25", "20", "10", "5"}
                                  << QStringList{"Ocena 6 jest nieosiągalna", "Za 31 pkt. i więcej nie ma oceny"};
    QTest::newRow("rising_first_thresholds")
        << QStringList{"10", "20", "5", "4", "3", "2"}
        << QStringList{"Ocena 6 jest nieosiągalna", "Za 21 pkt. i więcej nie ma oceny"};
    QTest::newRow("several_unreachable") << QStringList{"40", "40", "40", "27", "19", "12"}
                                         << QStringList{"Oceny 6 i 5 są nieosiągalne",
                                                        "Za 41 pkt. i więcej nie ma oceny"};
    QTest::newRow("all_empty") << QStringList(6, QString())
                               << QStringList{"Oceny 6, 5, 4, 3 i 2 są nieosiągalne",
                                              "Za 1 pkt. i więcej nie ma oceny"};
    // Fractions can only come from the file: 13 lies between grade 1 (up to 12.5) and grade 2 (13.5 on).
    QTest::newRow("gap_between_ranges") << QStringList{"40", "39", "34", "27", "19", "12.5"}
                                        << QStringList{"Za 13 pkt. nie ma oceny",
                                                       "Za 41 pkt. i więcej nie ma oceny"};
    QTest::newRow("huge_threshold") << QStringList{"100000", "39", "34", "27", "19", "12"}
                                    << QStringList{"Za 100001 pkt. i więcej nie ma oceny"};
    QTest::newRow("overlapping_ranges") << QStringList{"40", "39", "34", "20", "25", "12"}
                                        << QStringList{"Ocena 3 jest nieosiągalna",
                                                       "Za 41 pkt. i więcej nie ma oceny"};
    QTest::newRow("grade_1_twice") << QStringList{"10", "5", "4", "3", "2", "20"}
                                   << QStringList{"Ocena 2 jest nieosiągalna", "Za 21 pkt. i więcej nie ma oceny"};
}

void tst_Punkty::previewWarnings() {
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, warnings);
    grading::Thresholds thresholds{};
    for (int i = 0; i < 6; ++i)
        thresholds[i] = boxes[i].toDouble();
    QCOMPARE(windows::overviewOf(thresholds).warnings, warnings);
    ProgramFixture fx;
    auto& w = ui::forms().get<Punkty>();
    for (int i = 0; i < 6; ++i)
        w.boxes()[i]->setText(boxes[i]);
    QCOMPARE(w.Podglad->warning->text(), warnings.join(u'\n'));
}

void tst_Punkty::previewFollowsTyping() {
    ProgramFixture fx;
    install(fx, "\"\"\r\n", defaultLine);
    ScriptedDialogs dialogs;
    int rowsLoaded = 0;
    QString warningTyped;
    QString topRowTyped;
    whileOpen([&](Punkty& w) {
        rowsLoaded = w.Podglad->list->count();
        w.Text1->setCursorPosition(2);
        QTest::keyClick(w.Text1, Qt::Key_5);  // 405
        QTest::keyClick(w.Text2, Qt::Key_End);
        QTest::keyClicks(w.Text2, "9");  // 399
        warningTyped = w.Podglad->warning->text();
        topRowTyped = w.Podglad->list->item(w.Podglad->list->count() - 2)->text();
        closeByCloseBox(w);
    });
    showEditor();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(rowsLoaded, 7);
    QCOMPARE(topRowTyped, QStringLiteral("400–405 → 6"));
    QCOMPARE(warningTyped, QStringLiteral("Za 406 pkt. i więcej nie ma oceny"));
}

QTEST_MAIN(tst_Punkty)
#include "tst_punkty.moc"
