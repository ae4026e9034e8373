// A test broken off by a frozen computer: a real copy of the program is killed with SIGKILL in the middle of
// its test, the program starts again on the same computer and offers to finish it — finished, it is graded
// as if never broken off; declined, it is logged as broken off and never graded.
#include "config/test_settings.h"
#include "main/main_session.h"
#include "platform/codepage.h"
#include "windows/registry.h"
#include "windows/results/wyniki.h"

#include <QProcess>

using namespace mainsession;

class tst_Resume : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }

    void finishedOrLoggedAfterAKill_data() {
        QTest::addColumn<bool>("finish");
        QTest::addColumn<bool>("shuffled");
        QTest::addColumn<QString>("refusal");  // what changed since, and the message that says so
        QTest::newRow("finished") << true << false << QString();
        QTest::newRow("finished_in_own_order") << true << true << QString();
        QTest::newRow("declined") << false << false << QString();
        QTest::newRow("set_changed") << false << false
                                     << "Zestaw pytań zmienił się od tamtej pory, więc testu nie można dokończyć.";
        QTest::newRow("settings_turned_off") << false << false
                                             << "Ustawienia testu nie pozwalają dokończyć przerwanego testu.";
    }

    void finishedOrLoggedAfterAKill() {
        QFETCH(bool, finish);
        QFETCH(bool, shuffled);
        QFETCH(QString, refusal);
        testsupport::ProgramFixture fx;
        install(fx);
        config::writeTestSettings(fx.programFolderText(), {shuffled, shuffled, 0, true});
        const questionset::Flags A{1, 2, 2, 2, 2};
        const QString set = writeSet(fx, {A, A, A, A, A});
        const QString progress = fx.driveC() + QStringLiteral("/test.stan");

        QProcess copy;  // answers four questions and the fifth, but never sends it
        copy.start(qEnvironmentVariable("WIEDO_LAB_SESSION"),
                   {set, fx.root() + QStringLiteral("/never"), QStringLiteral("Ala"), fx.programFolder(), fx.driveC()});
        QByteArray said;
        while (!said.contains("ready") && copy.waitForReadyRead(30000))
            said += copy.readAllStandardOutput();
        QVERIFY2(said.contains("ready"), copy.readAllStandardError().constData());
        copy.kill();  // SIGKILL: no chance to tidy up
        QVERIFY(copy.waitForFinished(10000));

        testsupport::ScriptedDialogs dialogs;
        const QString told = QStringLiteral("Test ucznia Ala Nowak (3B) z zestawu %1 przerwano po pytaniu 4 z 5.").arg(set);
        if (refusal.isEmpty()) {
            dialogs.expectMessage(told.chopped(1) + QStringLiteral(". Czy go dokończyć ?"), QStringLiteral("Przerwany test"),
                                  platform::Icon::Question, platform::Buttons::YesNo,
                                  finish ? platform::Answer::Yes : platform::Answer::No);
        } else {
            if (refusal.startsWith(u'Z'))
                questionset::appendQuestion(set, question(6, A));
            else
                config::writeTestSettings(fx.programFolderText(), {});
            dialogs.expectMessage(told + u' ' + refusal +
                                      QStringLiteral(" Test zostanie zapisany w dzienniku odpowiedzi jako przerwany."),
                                  QStringLiteral("Przerwany test"), platform::Icon::Information);
        }
        windows::Wiedo& main = start(fx);  // the same computer started again
        WIEDO_VERIFY_DIALOGS(dialogs);
        // Declined, the progress is gone at once; finished, it is kept until the test ends.
        QCOMPARE(QFile::exists(progress), finish);
        if (finish) {
            // On at question 5 with the student and the counters as they stood: all five count as good.
            QCOMPARE(main.Label19->text(), QStringLiteral("Ala"));
            answerWell(main);
            closeGradeWindowWhenShown();
            next(main);
            QVERIFY(fx.read(QStringLiteral("wyniki.txt")).contains(" 5  na 5\r\n"));
            QVERIFY(!QFile::exists(progress));
        } else {
            QVERIFY(!fx.exists(QStringLiteral("wyniki.txt")));
            // The teacher sees it among the results, as broken off.
            main.wynikiAnaliza->trigger();
            const auto& results = ui::forms().get<windows::Wyniki>();
            QCOMPARE(results.shown->rowCount(), 1);
            QCOMPARE(results.shown->index(0, analysis::ResultsModel::Grade).data().toString(), QStringLiteral("przerwany"));
        }
        // The answers log holds the questions judged, before the kill and after it, once.
        const QByteArray log = fx.read(QStringLiteral("odpowiedzi.txt"));
        const QByteArray letters = QByteArray(",\"A\"").repeated(finish ? 5 : 4);
        QVERIFY2(log.contains("\"Zaznaczone\"" + letters + "\r\n\"Klucz\"" + letters + "\r\n"), log.constData());
        QCOMPARE(log.count("\"Zaznaczone\""), 1);
        QCOMPARE(log.contains("\"Przerwany\",4\r\n\"Koniec\"\r\n"), !finish);
        QCOMPARE(log.contains(platform::encode1250(QStringLiteral("Kolejność pytań"))), shuffled);
    }
};

QTEST_MAIN(tst_Resume)
#include "tst_resume.moc"
