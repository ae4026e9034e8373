// The lab exam's settings window behind the teacher's gate: what it shows and what it saves.
#include "support/program_fixture.h"
#include "support/scripted_dialogs.h"
#include "windows/main/wiedo.h"
#include "windows/registry.h"
#include "windows/temp/temp_window.h"
#include "windows/test_settings/ustawienia_testu.h"

#include <QTest>

using windows::UstawieniaTestu;

class tst_TestSettingsWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }

    void gateShowAndSave_data() {
        QTest::addColumn<QByteArray>("cfg");
        QTest::addColumn<QString>("password");  // typed at the gate; null: not asked
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("shown");     // the four settings as the window shows them; null: refused
        QTest::addColumn<int>("key");           // pressed after typing 45 minutes (no typing before Enter)
        QTest::addColumn<QByteArray>("after");
        const QByteArray none("\"\"\r\n"), set("\"tajne\"\r\n"), saved("1,0,20,0\r\n");
        QTest::newRow("no_file_yet_offers_resuming") << none << QString() << QByteArray() << "0,0,0,1"
                                                     << int(Qt::Key_Enter) << QByteArray("0,0,0,1\r\n");
        QTest::newRow("right_password_file_as_it_is") << set << "tajne" << saved << "1,0,20,0"
                                                      << int(Qt::Key_Return) << QByteArray("1,0,45,0\r\n");
        QTest::newRow("escape_saves_nothing") << none << QString() << saved << "1,0,20,0" << int(Qt::Key_Escape)
                                              << saved;
        QTest::newRow("wrong_password_refused") << set << "jawne" << saved << QString() << 0 << saved;
    }
    void gateShowAndSave() {
        QFETCH(QByteArray, cfg);
        QFETCH(QString, password);
        QFETCH(QByteArray, before);
        QFETCH(QString, shown);
        QFETCH(int, key);
        QFETCH(QByteArray, after);
        testsupport::ProgramFixture fx;
        fx.write("Wiedo.cfg", cfg);
        if (!before.isNull())
            fx.write("test.cfg", before);
        ui::forms().get<windows::TEMP>().Text1->setText(fx.programFolderText());
        testsupport::ScriptedDialogs dialogs;
        if (!password.isNull())
            dialogs.expectInput(QStringLiteral("Podaj hasło dostępu do opcji\r( To co podawałeś podczas "
                                               "pierwszego uruchomienia tego programu )"),
                                QStringLiteral("Opcje -> hasło"), password);
        if (shown.isNull())
            dialogs.expectMessage(QStringLiteral("Złe hasło !!!"), QStringLiteral("Złe hasło"),
                                  platform::Icon::Exclamation);
        QString seen;
        if (!shown.isNull())
            ui::forms().queueModalScript(UstawieniaTestu::formName, [&](ui::Form& form) {
                auto& w = static_cast<UstawieniaTestu&>(form);
                seen = QStringLiteral("%1,%2,%3,%4").arg(int(w.Check1->isChecked())).arg(int(w.Check2->isChecked()))
                           .arg(w.Spin1->value()).arg(int(w.Check3->isChecked()));
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
        QCOMPARE(fx.read("test.cfg"), after.isEmpty() ? QByteArray("<missing>") : after);
    }
};

QTEST_MAIN(tst_TestSettingsWindow)
#include "tst_test_settings_window.moc"
