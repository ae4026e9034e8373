// The main window's menu: the two ways of ending the program, the work-file check on opening "&Wiedo",
// and the help windows.
#include "main_session.h"

#include "windows/registry.h"

#include <QFile>

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::Wiedo;
using namespace mainsession;

namespace {

const QString exitPrompt = QStringLiteral("Czy chcesz opuścić ten program ?");
const QString exitTitle = QStringLiteral("Koniec ?");

bool loaded(const char* name) { return ui::forms().findLoaded(QString::fromLatin1(name)) != nullptr; }

bool workFileExists(const ProgramFixture& fx) { return QFile::exists(fx.driveC() + QStringLiteral("/test.tmp")); }

void clickButton(ui::Form& window, const char* name) {
    QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

}  // namespace

class tst_Menu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }
    void cleanup() { testing::QuestionReader::instance().close(); }

    void koniec_data();
    void koniec();
    void closeBox_data();
    void closeBox();
    void closeBoxNoKeepsRunningTest();
    void workFileCheckOnMenu();
    void helpWindows();
    void everyItemReachesItsWindow_data();
    void everyItemReachesItsWindow();
    void enabledStatesFollowTheTest();
};

void tst_Menu::koniec_data() {
    QTest::addColumn<Answer>("answer");
    QTest::newRow("yes") << Answer::Yes;
    QTest::newRow("no") << Answer::No;
}

void tst_Menu::koniec() {
    QFETCH(Answer, answer);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    dialogs.expectMessage(exitPrompt, exitTitle, Icon::Information, Buttons::YesNo, answer);
    w.koniec->trigger();
    WIEDO_VERIFY_DIALOGS(dialogs);
    const bool leaves = answer == Answer::Yes;
    QCOMPARE(ui::forms().hasEnded(), leaves);
    QCOMPARE(w.isVisible(), !leaves);
    // The work file stays for the next start either way; the other windows go.
    QVERIFY(workFileExists(fx));
    QCOMPARE(loaded("Inform"), !leaves);
    QCOMPARE(loaded("TEMP"), !leaves);
    QVERIFY(loaded("Wiedo"));
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Menu::closeBox_data() {
    QTest::addColumn<bool>("workFileThere");
    QTest::newRow("work_file_deleted") << true;
    QTest::newRow("work_file_already_gone") << false;
}

void tst_Menu::closeBox() {
    QFETCH(bool, workFileThere);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    if (!workFileThere)
        QVERIFY(QFile::remove(fx.driveC() + QStringLiteral("/test.tmp")));
    dialogs.expectMessage(exitPrompt, exitTitle, Icon::Information, Buttons::YesNo, Answer::Yes);
    w.close();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(ui::forms().hasEnded());
    QVERIFY(!workFileExists(fx));
    QVERIFY(!loaded("Inform"));
    QVERIFY(!loaded("TEMP"));
    QCOMPARE(platform::files().openCount(), 0);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Menu::closeBoxNoKeepsRunningTest() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    openAndSignIn(w, dialogs, writeSet(fx, {{1, 2, 2, 2, 2}, {2, 1, 2, 2, 2}}));
    next(w);
    tick(w, {0});
    dialogs.expectMessage(exitPrompt, exitTitle, Icon::Information, Buttons::YesNo, Answer::No);
    w.close();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(!ui::forms().hasEnded());
    QVERIFY(w.isVisible());
    QVERIFY(workFileExists(fx));
    QVERIFY(w.Check1->isChecked());
    next(w);
    QCOMPARE(w.Label14->text(), QStringLiteral("1"));
    QCOMPARE(w.Label1->text(), QStringLiteral("Pytanie 2"));
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Menu::workFileCheckOnMenu() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    // Opening "&Wiedo" restores the Shared state from the work file.
    auto& temp = ui::forms().byName(QStringLiteral("TEMP"));
    temp.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("zepsute"));
    w.tekty_->popup(w.mapToGlobal(QPoint(0, 0)));
    w.tekty_->hide();
    QCOMPARE(temp.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), fx.programFolderText());

    QVERIFY(QFile::remove(fx.driveC() + QStringLiteral("/test.tmp")));
    dialogs.expectMessage(
        QStringLiteral("Ktoś skasował plik przejściowy C:\\TEST.TMP. Za karę kończę działanie programu"),
        QStringLiteral("Błąd tymczasowy"), Icon::Exclamation);
    dialogs.expectMessage(exitPrompt, exitTitle, Icon::Information, Buttons::YesNo, Answer::No);
    w.tekty_->popup(w.mapToGlobal(QPoint(0, 0)));
    w.tekty_->hide();
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(!ui::forms().hasEnded());
    QVERIFY(w.isVisible());
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Menu::helpWindows() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    bool mainHiddenUnderInstructions = false;
    ui::forms().queueModalScript(QStringLiteral("Inform"), [&](ui::Form& inform) {
        mainHiddenUnderInstructions = !w.isVisible();
        clickButton(inform, "Command1");  // "GRAM !!!"
    });
    w.mnuBitmap1->trigger();
    QVERIFY(mainHiddenUnderInstructions);
    QVERIFY(w.isVisible());
    QVERIFY(!ui::forms().findLoaded(QStringLiteral("Inform"))->isVisible());

    QStringList shown;
    for (const char* name : {"Autor_", "oPrg"})
        ui::forms().queueModalScript(QString::fromLatin1(name), [&shown](ui::Form& window) {
            shown << window.name();
            clickButton(window, "Command1");
        });
    w.mnuBitmap2->trigger();
    w.mnuBitmap3->trigger();
    QCOMPARE(shown, (QStringList{"Autor_", "oPrg"}));
    QVERIFY(w.isVisible());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Menu::everyItemReachesItsWindow_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("modal");
    QTest::newRow("editor") << "edytujwiedo" << "NoweWiedo" << true;
    QTest::newRow("grading_scale") << "Punktacja" << "Punkty" << true;
    QTest::newRow("options_without_password") << "opcje" << "Opcje_" << false;
    QTest::newRow("converter") << "KWZ_to_txt" << "KWZ_Txt" << false;
    QTest::newRow("screen_saver") << "SS" << "SSaver" << true;
    QTest::newRow("author") << "mnuBitmap2" << "Autor_" << true;
    QTest::newRow("about") << "mnuBitmap3" << "oPrg" << true;
}

void tst_Menu::everyItemReachesItsWindow() {
    QFETCH(QString, item);
    QFETCH(QString, window);
    QFETCH(bool, modal);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    auto* action = w.findChild<QAction*>(item);
    QVERIFY2(action, qPrintable(item));
    bool shownModally = false;
    if (modal) {
        ui::forms().queueModalScript(window, [&](ui::Form& shown) {
            shownModally = shown.isVisible() && shown.isShowingModal();
            shown.Hide();
        });
    }
    action->trigger();
    WIEDO_VERIFY_DIALOGS(dialogs);
    ui::Form* shown = ui::forms().findLoaded(window);
    QVERIFY2(shown, qPrintable(window + QStringLiteral(" was not loaded")));
    if (modal) {
        QVERIFY(shownModally);
    } else {
        // Not modal: the main window stays usable beside it.
        QVERIFY(shown->isVisible());
        QVERIFY(!shown->isShowingModal());
        QVERIFY(w.isEnabled() && w.otwórz->isEnabled());
        shown->Hide();
    }
    QVERIFY(w.isVisible());
    QCOMPARE(fx.leftovers(), QString());
}

// The print commands wait for a signed-in student and step aside, with the teacher's menu, while a test
// runs; the grade window gives them back.
void tst_Menu::enabledStatesFollowTheTest() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& w = start(fx);
    const auto states = [&w] {
        QString result;
        for (QAction* a : {w.drukuj, w.druKPod, w.drukKarO, w.DrukWsz, w.ustdr, w.dlaNauczyciela->menuAction(),
                           w.otwórz, w.koniec, w.KWZ_to_txt, w.SS, w.mnuBitmap1, w.mnuBitmap2, w.mnuBitmap3})
            result += a->isEnabled() ? u'1' : u'0';
        return result;
    };
    QCOMPARE(states(), QStringLiteral("0000011111111"));
    openAndSignIn(w, dialogs, writeSet(fx, {{1, 2, 2, 2, 2}}));
    QCOMPARE(states(), QStringLiteral("1111111111111"));
    next(w);
    QCOMPARE(states(), QStringLiteral("0000001111111"));
    closeGradeWindowWhenShown();
    next(w);
    QCOMPARE(states(), QStringLiteral("1111111111111"));
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
}

QTEST_MAIN(tst_Menu)
#include "tst_menu.moc"
