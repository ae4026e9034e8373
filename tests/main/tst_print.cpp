// The main window's print commands: each job through the printer, three for "Drukuj &wszystko", a
// count above the set or a damaged set refused before anything is printed, the test going on after a
// print between sign-in and Start, PDF files beside the set when there is no printer, and the printer
// dialog.
#include "main_session.h"

#include "support/recording_printer.h"
#include "windows/registry.h"

#include <QFileInfo>

using platform::Icon;
using testsupport::ProgramFixture;
using testsupport::RecordingPrinter;
using testsupport::ScriptedDialogs;
using windows::Wiedo;
using namespace mainsession;

namespace {

const QList<questionset::Flags> threeQuestions{{1, 2, 1, 2, 2}, {2, 2, 2, 2, 1}, {2, 1, 2, 2, 2}};

}  // namespace

class tst_Print : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }
    void cleanup() { testing::QuestionReader::instance().close(); }

    void eachCommandOneJob_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("firstLines");
        QTest::addColumn<int>("jobs");
        QTest::newRow("test") << "drukuj" << QStringList{" 1) Pytanie 1", "                A)  A1"} << 1;
        QTest::newRow("hints") << "druKPod"
                               << QStringList{QString(39, u' ') + "Podpowiedzi do testu", "", " 1 ) Podpowiedź 1"} << 1;
        QTest::newRow("key") << "drukKarO"
                             << QStringList{QString(31, u' ') + "Odpowiedzi do testu", "", " 1 ) A, C, ", " 2 ) E ",
                                            " 3 ) B, "}
                             << 1;
        QTest::newRow("everything") << "DrukWsz" << QStringList{" 1) Pytanie 1"} << 3;
    }
    void eachCommandOneJob() {
        QFETCH(QString, command);
        QFETCH(QStringList, firstLines);
        QFETCH(int, jobs);
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        RecordingPrinter printer;
        Wiedo& w = start(fx);
        QVERIFY(!w.drukuj->isEnabled());
        openAndSignIn(w, dialogs, writeSet(fx, threeQuestions));
        QAction* action = w.findChild<QAction*>(command);
        QVERIFY(action && action->isEnabled());
        action->trigger();
        WIEDO_VERIFY_DIALOGS(dialogs);
        QCOMPARE(printer.lines().mid(0, firstLines.size()), firstLines);
        QCOMPARE(printer.count(QStringLiteral("end")), jobs);
        if (jobs == 3) {
            // Questions, hints and key, in this order, each its own document.
            const QStringList lines = printer.lines();
            const auto hints = lines.indexOf(QString(39, u' ') + "Podpowiedzi do testu");
            const auto key = lines.indexOf(QString(31, u' ') + "Odpowiedzi do testu");
            QVERIFY(lines.indexOf(" 3) Pytanie 3") < hints && hints < key);
            QCOMPARE(lines.last(), QStringLiteral(" 3 ) B, "));
        }
        QCOMPARE(fx.leftovers(), QString());
    }

    void printBetweenSignInAndStartSpoilsNothing() {
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        RecordingPrinter printer;
        Wiedo& w = start(fx);
        openAndSignIn(w, dialogs, writeSet(fx, threeQuestions));
        w.DrukWsz->trigger();
        QVERIFY(testing::QuestionReader::instance().isOpen());
        next(w);
        QCOMPARE(w.Label1->text(), QStringLiteral("Pytanie 1"));
        QVERIFY(!w.drukuj->isEnabled());
        tick(w, {0, 2});
        next(w);
        QCOMPARE(w.Label1->text(), QStringLiteral("Pytanie 2"));
        QCOMPARE(w.Label14->text(), QStringLiteral("1"));
        WIEDO_VERIFY_DIALOGS(dialogs);
    }

    void refusedBeforeAnythingIsPrinted_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QByteArray>("cutTo");  // the set's bytes after sign-in: empty keeps them
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("count above the set")
            << "5" << QByteArray() << "Za mało pytań w zestawie"
            << "Zestaw pytań jest krótszy, niż podaje licznik „Ilość pytań”.\rLiczba pytań w zestawie: 3, do wydruku: 5.\r"
               "Nic nie zostało wydrukowane.";
        QTest::newRow("set damaged since sign-in")
            << "3" << QByteArray("cut") << "Uszkodzony zestaw pytań"
            << "Zestaw pytań jest uszkodzony: pytanie nr 3 nie ma wszystkich pól.\rNic nie zostało wydrukowane.";
    }
    void refusedBeforeAnythingIsPrinted() {
        QFETCH(QString, count);
        QFETCH(QByteArray, cutTo);
        QFETCH(QString, title);
        QFETCH(QString, prompt);
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        RecordingPrinter printer;
        printer.printerPresent = false;
        Wiedo& w = start(fx);
        const QString set = writeSet(fx, threeQuestions);
        openAndSignIn(w, dialogs, set);
        w.Label12->setText(count);
        if (!cutTo.isEmpty()) {
            testing::QuestionReader::instance().close();
            fx.write(set, fx.read(set).chopped(20));
        }
        dialogs.expectMessage(prompt, title, Icon::Exclamation);
        w.DrukWsz->trigger();
        WIEDO_VERIFY_DIALOGS(dialogs);
        QCOMPARE(printer.calls, QStringList());
        QVERIFY(!QFileInfo::exists(QFileInfo(set).absolutePath() + QStringLiteral("/test - test.pdf")));
    }

    void noPrinterPdfBesideTheSet() {
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        RecordingPrinter printer;
        printer.printerPresent = false;
        Wiedo& w = start(fx);
        const QString set = writeSet(fx, threeQuestions, QStringLiteral("zestawy/Historia.kwz"));
        openAndSignIn(w, dialogs, set);
        const QString folder = QFileInfo(set).absolutePath() + u'/';
        const QStringList files{folder + "Historia - test.pdf", folder + "Historia - podpowiedzi.pdf",
                                folder + "Historia - odpowiedzi.pdf"};
        dialogs.expectMessage(QStringLiteral("W systemie nie ma drukarki, więc wydruk został zapisany w plikach PDF:\r") +
                                  files.join(u'\r'),
                              QStringLiteral("Wydruk do pliku PDF"), Icon::Information);
        w.DrukWsz->trigger();
        WIEDO_VERIFY_DIALOGS(dialogs);
        QCOMPARE(printer.calls.filter(QStringLiteral("file [")),
                 (QStringList{"file [" + files[0] + "]", "file [" + files[1] + "]", "file [" + files[2] + "]"}));
        dialogs.expectMessage(QStringLiteral("W systemie nie ma drukarki, więc wydruk został zapisany w pliku PDF:\r") +
                                  files[1],
                              QStringLiteral("Wydruk do pliku PDF"), Icon::Information);
        w.druKPod->trigger();
        WIEDO_VERIFY_DIALOGS(dialogs);
    }

    void refusedJobSaysSo() {
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        RecordingPrinter printer;
        printer.jobsFail = true;
        Wiedo& w = start(fx);
        openAndSignIn(w, dialogs, writeSet(fx, threeQuestions));
        dialogs.expectMessage(QStringLiteral("Drukarka nie przyjęła wydruku. Sprawdź, czy jest włączona i podłączona, "
                                             "albo wybierz inną w „Ustawieniach drukarki”."),
                              QStringLiteral("Błąd drukowania"), Icon::Exclamation);
        w.DrukWsz->trigger();
        WIEDO_VERIFY_DIALOGS(dialogs);
        QCOMPARE(printer.count(QStringLiteral("end")), 1);
    }

    void printerSettings() {
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        Wiedo& w = start(fx);
        openAndSignIn(w, dialogs, writeSet(fx, threeQuestions));
        dialogs.expectPrinterDialog(false);
        w.ustdr->trigger();
        WIEDO_VERIFY_DIALOGS(dialogs);
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(tst_Print)
#include "tst_print.moc"
