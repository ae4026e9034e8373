// The lab exam's settings window behind the teacher's gate: what it shows of the settings file, whole,
// missing or damaged, and the bytes it saves.
#include "support/program_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"
#include "ui/teacher_gate.h"
#include "windows/main/wiedo.h"
#include "windows/registry.h"
#include "windows/temp/temp_window.h"
#include "windows/test_settings/ustawienia_testu.h"

#include <QTest>

class tst_TestSettingsWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }

    void gateShowAndSave_data() {
        QTest::addColumn<QString>("password");  // stored; typed right unless the window must stay shut
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("key");           // pressed after typing 45 minutes, or Enter alone
        QTest::addColumn<QString>("shown");     // the settings as the window shows them; empty: refused
        QTest::addColumn<QByteArray>("after");
        const QByteArray saved("1,0,20,0\r\n");
        QTest::newRow("no_file_yet_offers_resuming") << "" << QByteArray() << int(Qt::Key_Enter) << "0,0,0,1"
                                                     << QByteArray("0,0,0,1\r\n");
        QTest::newRow("right_password_file_as_it_is") << "tajne" << saved << int(Qt::Key_Return) << "1,0,20,0"
                                                      << QByteArray("1,0,45,0\r\n");
        QTest::newRow("escape_saves_nothing") << "" << saved << int(Qt::Key_Escape) << "1,0,20,0" << saved;
        QTest::newRow("wrong_password_refused") << "tajne" << saved << 0 << "" << saved;
        QTest::newRow("longest_time_limit") << "" << QByteArray("1,1,300,1\r\n") << int(Qt::Key_Enter) << "1,1,300,1"
                                            << QByteArray("1,1,300,1\r\n");
        // A damaged file (a field missing, not a number, out of range) reads as every setting off, as a test
        // started with it runs, and stays as it is until the teacher saves.
        for (const QByteArray& damaged : {QByteArray("1,1,30\r\n"), QByteArray("2,1,30,1\r\n"),
                                          QByteArray("1,1,301,1\r\n"), QByteArray("1,1,\"trzydzieści\",1\r\n")})
            QTest::newRow(damaged.trimmed().constData()) << "" << damaged << int(Qt::Key_Escape) << "0,0,0,0" << damaged;
    }
    void gateShowAndSave() {
        QFETCH(QString, password);
        QFETCH(QByteArray, before);
        QFETCH(int, key);
        QFETCH(QString, shown);
        testsupport::ProgramFixture fx;
        fx.write("Wiedo.cfg", "\"" + password.toLatin1() + "\"\r\n");
        if (!before.isNull())
            fx.write("test.cfg", before);
        ui::forms().get<windows::TEMP>().Text1->setText(fx.programFolderText());
        testsupport::ScriptedDialogs dialogs;
        if (!password.isEmpty())
            dialogs.expectInput(ui::optionsQuestion().prompt, ui::optionsQuestion().title,
                                shown.isEmpty() ? QStringLiteral("jawne") : password);
        if (shown.isEmpty())
            dialogs.expectMessage(QStringLiteral("Złe hasło !!!"), QStringLiteral("Złe hasło"), platform::Icon::Exclamation);
        QString seen;
        if (!shown.isEmpty())
            ui::forms().queueModalScript(windows::UstawieniaTestu::formName, [&](ui::Form& form) {
                auto& w = static_cast<windows::UstawieniaTestu&>(form);
                seen = QStringLiteral("%1,%2,%3,%4").arg(w.Check1->isChecked()).arg(w.Check2->isChecked())
                           .arg(w.Spin1->value()).arg(w.Check3->isChecked());
                if (key != Qt::Key_Enter) {
                    QTest::keyClick(w.Spin1, Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClicks(w.Spin1, QStringLiteral("45"));
                }
                QTest::keyClick(w.Spin1, Qt::Key(key));
            });
        ui::forms().get<windows::Wiedo>().ustawieniaTestu->trigger();
        WIEDO_VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.leftovers(), QString());
        QCOMPARE(seen, shown);
        QTEST(fx.read("test.cfg"), "after");
        QCOMPARE(testsupport::resetFileTable(), 0);  // no file left open
    }
};

QTEST_MAIN(tst_TestSettingsWindow)
#include "tst_test_settings_window.moc"
