// A lab exam through the real main window: each student's own order with the logs in the set's order and the
// count of leaving the window, and a time limit that ends the test on time.
#include "main_session.h"

#include "config/test_settings.h"
#include "platform/codepage.h"
#include "windows/registry.h"

using namespace mainsession;

const questionset::Flags A{1, 2, 2, 2, 2};
const questionset::Flags BD{2, 1, 2, 1, 2};

class tst_LabExam : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }
    void cleanup() { testing::QuestionReader::instance().close(); }

    // Two students in turn on one computer; the first leaves the window twice during the test.
    void ownOrdersOneLogLeavingCounted() {
        testsupport::ProgramFixture fx;
        testsupport::ScriptedDialogs dialogs;
        windows::Wiedo& w = start(fx);
        config::writeTestSettings(fx.programFolderText(), {true, true, 0, true});
        const QString set = writeSet(fx, {A, BD, A, BD, A, BD});
        QWidget other;  // another program's window
        other.resize(200, 100);
        other.show();
        QStringList seen[2];
        for (int student = 0; student < 2; ++student) {
            openAndSignIn(w, dialogs, set);
            next(w);
            for (int leave = 0; student == 0 && leave < 2; ++leave) {
                other.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&other));
                w.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&w));
            }
            for (int n = 1; n <= 6; ++n) {
                // The numbers shown count on as usual; what is shown under them is the student's own.
                QCOMPARE(w.Label10->text(), QString::number(n));
                seen[student] << w.Label1->text() + u':' + w.Label4->text() + w.Label5->text() + w.Label6->text();
                answerWell(w);
                if (n == 6)
                    closeGradeWindowWhenShown();
                next(w);
            }
        }
        WIEDO_VERIFY_DIALOGS(dialogs);
        QVERIFY2(seen[0] != seen[1], qPrintable(seen[0].join(u' ')));
        // Both logs are in the set's order and letters: every question good, the ticks equal to the key.
        QCOMPARE(fx.read(QStringLiteral("wyniki.txt")).count(" 6  na 6\r\n"), 2);
        const QByteArray log = fx.read(QStringLiteral("odpowiedzi.txt"));
        const QByteArray ticks = "\"Zaznaczone\",\"A\",\"BD\",\"A\",\"BD\",\"A\",\"BD\"";
        QCOMPARE(log.count(ticks + "\r\n\"Klucz\",\"A\",\"BD\",\"A\",\"BD\",\"A\",\"BD\"\r\n"), 2);
        // And each names the order its student saw; only the first student's names the leaving.
        QCOMPARE(log.count(platform::encode1250(QStringLiteral("\"Kolejność pytań\","))), 2);
        QCOMPARE(log.count(platform::encode1250(QStringLiteral("\"Kolejność odpowiedzi\","))), 2);
        QCOMPARE(log.count("\"Opuszczenia okna\""), 1);
        QVERIFY2(log.contains("\"Opuszczenia okna\",2\r\n\"Koniec\""), log.constData());
    }

    void timeLimitEndsTheTest() {
        testsupport::ProgramFixture fx;
        testsupport::ScriptedDialogs dialogs;
        windows::Wiedo& w = start(fx);
        config::writeTestSettings(fx.programFolderText(), {false, false, 1, false});
        openAndSignIn(w, dialogs, writeSet(fx, {A, A, A, A}));
        next(w);
        QVERIFY2(w.windowTitle().startsWith(QStringLiteral("pozostało 1:00 – Wiedo v 1.1")), qPrintable(w.windowTitle()));
        answerWell(w);
        next(w);
        platform::advanceMonotonic(30'000);
        w.limitTick();
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("pozostało 0:30 – ")));
        QCOMPARE(w.Podp->text(), QStringLiteral("Została ostatnia minuta testu."));
        // Question 2 is on screen, answered well but not sent, when the time runs out: it counts, 3 and 4 do not.
        answerWell(w);
        dialogs.expectMessage(QStringLiteral("Czas na test minął. Pytania, na które nie zdążyłeś odpowiedzieć, "
                                             "liczą się jako złe odpowiedzi."),
                              QStringLiteral("Koniec czasu"), platform::Icon::Information);
        closeGradeWindowWhenShown();
        platform::advanceMonotonic(30'000);
        w.limitTick();
        WIEDO_VERIFY_DIALOGS(dialogs);
        QVERIFY(fx.read(QStringLiteral("wyniki.txt")).contains(" 2  na 4\r\n"));
        QVERIFY(!w.windowTitle().contains(QStringLiteral("pozostało")));
    }
};

QTEST_MAIN(tst_LabExam)
#include "tst_lab_exam.moc"
