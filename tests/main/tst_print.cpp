// The main window's print commands: one job each, three for "Drukuj &wszystko", refusals before anything
// is printed, the test going on after a print between sign-in and Start, PDF files when there is no
// printer, and the printer dialog.
#include "main_session.h"

#include "support/recording_printer.h"
#include "windows/registry.h"

using platform::Icon;
using testsupport::ProgramFixture;
using testsupport::RecordingPrinter;
using testsupport::ScriptedDialogs;
using windows::Wiedo;
using namespace mainsession;

namespace {
const QList<questionset::Flags> threeQuestions{{1, 2, 1, 2, 2}, {2, 2, 2, 2, 1}, {2, 1, 2, 2, 2}};
const QString hintsTitle = QString(39, u' ') + QStringLiteral("Podpowiedzi do testu");
const QString keyTitle = QString(31, u' ') + QStringLiteral("Odpowiedzi do testu");
}  // namespace

class tst_Print : public QObject {
    Q_OBJECT
    ProgramFixture* fx_ = nullptr;
    ScriptedDialogs* dialogs_ = nullptr;
    RecordingPrinter* printer_ = nullptr;
    QString set_;
    Wiedo* w_ = nullptr;

private slots:
    void initTestCase() { windows::registerAll(); }
    void init() {
        fx_ = new ProgramFixture;
        dialogs_ = new ScriptedDialogs;
        printer_ = new RecordingPrinter;
        w_ = &start(*fx_);
        QVERIFY(!w_->drukuj->isEnabled() && !w_->DrukWsz->isEnabled());
        set_ = writeSet(*fx_, threeQuestions, QStringLiteral("zestawy/Historia.kwz"));
        openAndSignIn(*w_, *dialogs_, set_);
    }
    void cleanup() {
        WIEDO_VERIFY_DIALOGS(*dialogs_);
        QCOMPARE(fx_->leftovers(), QString());
        testing::QuestionReader::instance().close();
        delete printer_;
        delete dialogs_;
        delete fx_;
    }

    void eachCommand_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("test") << "drukuj" << QStringList{" 1) Pytanie 1", "                A)  A1"};
        QTest::newRow("hints") << "druKPod" << QStringList{hintsTitle, "", " 1 ) Podpowiedź 1", " 2 ) Podpowiedź 2"};
        QTest::newRow("key") << "drukKarO" << QStringList{keyTitle, "", " 1 ) A, C, ", " 2 ) E ", " 3 ) B, "};
    }
    void eachCommand() {
        QFETCH(QString, command);
        QFETCH(QStringList, lines);
        w_->findChild<QAction*>(command)->trigger();
        QCOMPARE(printer_->lines().mid(0, lines.size()), lines);
        QCOMPARE(printer_->count(QStringLiteral("end")), 1);
    }

    void everythingIsThreeJobs() {
        w_->DrukWsz->trigger();
        const QStringList lines = printer_->lines();
        QCOMPARE(printer_->count(QStringLiteral("end")), 3);
        QVERIFY(lines.indexOf(" 3) Pytanie 3") < lines.indexOf(hintsTitle) &&
                lines.indexOf(hintsTitle) < lines.indexOf(keyTitle));
        // The reader stands where it stood: Start shows question 1 and the test goes on.
        next(*w_);
        QCOMPARE(w_->Label1->text(), QStringLiteral("Pytanie 1"));
        QVERIFY(!w_->drukuj->isEnabled());
        tick(*w_, {0, 2});
        next(*w_);
        QCOMPARE(w_->Label14->text(), QStringLiteral("1"));
        QCOMPARE(w_->Label1->text(), QStringLiteral("Pytanie 2"));
    }

    void refusedBeforeAnythingIsPrinted_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("cut");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("title");
        QTest::newRow("count above the set")
            << "5" << 0
            << "Zestaw pytań jest krótszy, niż podaje licznik „Ilość pytań”.\rLiczba pytań w zestawie: 3, do wydruku: 5.\r"
               "Nic nie zostało wydrukowane." << "Za mało pytań w zestawie";
        QTest::newRow("set damaged since sign-in")
            << "3" << 20 << "Zestaw pytań jest uszkodzony: pytanie nr 3 nie ma wszystkich pól.\rNic nie zostało wydrukowane."
            << "Uszkodzony zestaw pytań";
    }
    void refusedBeforeAnythingIsPrinted() {
        QFETCH(QString, count);
        QFETCH(int, cut);
        QFETCH(QString, prompt);
        QFETCH(QString, title);
        printer_->printerPresent = false;
        w_->Label12->setText(count);
        fx_->write(set_, fx_->read(set_).chopped(cut));
        dialogs_->expectMessage(prompt, title, Icon::Exclamation);
        w_->DrukWsz->trigger();
        QCOMPARE(printer_->calls, QStringList());
    }

    void noPrinterPdfFilesBesideTheSet() {
        printer_->printerPresent = false;
        const QString folder = QFileInfo(set_).absolutePath() + u'/';
        const QStringList files{folder + "Historia - test.pdf", folder + "Historia - podpowiedzi.pdf",
                                folder + "Historia - odpowiedzi.pdf"};
        const QString prompt = QStringLiteral("W systemie nie ma drukarki, więc wydruk został zapisany w %1:\r");
        dialogs_->expectMessage(prompt.arg("plikach PDF") + files.join(u'\r'), "Wydruk do pliku PDF", Icon::Information);
        w_->DrukWsz->trigger();
        QCOMPARE(printer_->calls.filter("file ["), (QStringList{"file [" + files[0] + "]", "file [" + files[1] + "]",
                                                               "file [" + files[2] + "]"}));
        dialogs_->expectMessage(prompt.arg("pliku PDF") + files[2], "Wydruk do pliku PDF", Icon::Information);
        w_->drukKarO->trigger();
    }

    void refusedJobStopsTheRest() {
        printer_->jobsFail = true;
        dialogs_->expectMessage("Drukarka nie przyjęła wydruku. Sprawdź, czy jest włączona i podłączona, albo wybierz "
                                "inną w „Ustawieniach drukarki”.", "Błąd drukowania", Icon::Exclamation);
        w_->DrukWsz->trigger();
        QCOMPARE(printer_->count(QStringLiteral("end")), 1);
    }

    // With a teacher's password stored, whatever shows a signed-in student the key asks for it first: the
    // printed key and the question editor.
    void answersNeedThePassword_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("jobs");  // print jobs, or 1 for the editor shown
        QTest::newRow("key_right_password") << "drukKarO" << true << "Tajne" << 1;
        QTest::newRow("key_wrong_password") << "drukKarO" << true << "tajne" << 0;
        QTest::newRow("key_cancelled") << "drukKarO" << true << "" << 0;
        QTest::newRow("everything_wrong_password") << "DrukWsz" << true << "x" << 0;
        QTest::newRow("everything_right_password") << "DrukWsz" << true << "Tajne" << 3;
        QTest::newRow("questions_not_asked") << "drukuj" << false << "" << 1;
        QTest::newRow("editor_right_password") << "edytujwiedo" << true << "Tajne" << 1;
        QTest::newRow("editor_wrong_password") << "edytujwiedo" << true << "TAJNE" << 0;
    }
    void answersNeedThePassword() {
        QFETCH(QString, command);
        QFETCH(bool, asked);
        QFETCH(QString, typed);
        QFETCH(int, jobs);
        fx_->write(QStringLiteral("Wiedo.cfg"), "\"Tajne\"\r\n");
        if (asked)
            dialogs_->expectInput(QStringLiteral("Podaj hasło dostępu do opcji\r( To co podawałeś podczas pierwszego "
                                                 "uruchomienia tego programu )"),
                                  QStringLiteral("Opcje -> hasło"), typed);
        if (asked && !typed.isEmpty() && typed != QStringLiteral("Tajne"))
            dialogs_->expectMessage(QStringLiteral("Złe hasło !!!"), QStringLiteral("Złe hasło"), Icon::Exclamation);
        int editorShown = 0;
        if (command == QStringLiteral("edytujwiedo") && jobs == 1)
            ui::forms().queueModalScript(QStringLiteral("NoweWiedo"), [&](ui::Form& editor) {
                ++editorShown;
                editor.Hide();
            });
        w_->findChild<QAction*>(command)->trigger();
        QCOMPARE(printer_->count(QStringLiteral("end")) + editorShown, jobs);
        QCOMPARE(ui::forms().pendingModalScripts(), 0);
    }

    // After a finished test the counter is 0: nothing is printed and no file is made.
    void nothingToPrintAfterTheTest() {
        printer_->printerPresent = false;
        closeGradeWindowWhenShown();
        for (int i = 0; i < 4; ++i)
            next(*w_);
        QCOMPARE(w_->Label12->text(), QStringLiteral("0"));
        QVERIFY(w_->DrukWsz->isEnabled());
        dialogs_->expectMessage(QStringLiteral("Nie ma czego drukować: licznik „Ilość pytań” wskazuje 0. Aby "
                                               "wydrukować pytania, otwórz zestaw pytań (Wiedo > Otwórz plik testu) "
                                               "i wprowadź personalia."),
                                QStringLiteral("Nic do wydrukowania"), Icon::Information);
        w_->DrukWsz->trigger();
        QCOMPARE(printer_->calls, QStringList());
        QCOMPARE(QDir(QFileInfo(set_).absolutePath()).entryList({"*.pdf"}), QStringList());
    }

    void printerSettings() {
        dialogs_->expectPrinterDialog(false);
        w_->ustdr->trigger();
    }
};

QTEST_MAIN(tst_Print)
#include "tst_print.moc"
