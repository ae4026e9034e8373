// The lab exam's settings window: the teacher's gate in front of it, what it shows, what a save writes, and
// a save the disk refuses.
#include "support/failing_disk.h"
#include "support/program_fixture.h"
#include "support/scripted_dialogs.h"
#include "ui/form.h"
#include "windows/main/wiedo.h"
#include "windows/registry.h"
#include "windows/temp/temp_window.h"
#include "windows/test_settings/ustawienia_testu.h"

#include <QTest>

using platform::Icon;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::UstawieniaTestu;

namespace {

void install(const ProgramFixture& fx, const QByteArray& cfg, const QByteArray& settings = {}) {
    fx.write("Wiedo.cfg", cfg);
    if (!settings.isNull())
        fx.write("test.cfg", settings);
    ui::forms().get<windows::TEMP>().Text1->setText(fx.programFolderText());
}

void whileOpen(std::function<void(UstawieniaTestu&)> script) {
    ui::forms().queueModalScript(UstawieniaTestu::formName, [script = std::move(script)](ui::Form& form) {
        script(static_cast<UstawieniaTestu&>(form));
    });
}

void chooseSettings() { ui::forms().get<windows::Wiedo>().ustawieniaTestu->trigger(); }

QString shown(const UstawieniaTestu& w) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(int(w.Check1->isChecked()))
        .arg(int(w.Check2->isChecked()))
        .arg(w.Spin1->value())
        .arg(int(w.Check3->isChecked()));
}

}  // namespace

class tst_TestSettingsWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }

    void gate_data() {
        QTest::addColumn<QByteArray>("cfg");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("opens");
        QTest::newRow("no_password_opens_at_once") << QByteArray("\"\"\r\n") << QString() << true;
        QTest::newRow("right_password") << QByteArray("\"tajne\"\r\n") << "tajne" << true;
        QTest::newRow("wrong_password") << QByteArray("\"tajne\"\r\n") << "jawne" << false;
    }
    void gate() {
        QFETCH(QByteArray, cfg);
        QFETCH(QString, answer);
        QFETCH(bool, opens);
        ProgramFixture fx;
        install(fx, cfg);
        ScriptedDialogs dialogs;
        if (!answer.isNull())
            dialogs.expectInput(QStringLiteral("Podaj hasło dostępu do opcji\r( To co podawałeś podczas "
                                               "pierwszego uruchomienia tego programu )"),
                                QStringLiteral("Opcje -> hasło"), answer);
        if (!opens)
            dialogs.expectMessage(QStringLiteral("Złe hasło !!!"), QStringLiteral("Złe hasło"), Icon::Exclamation);
        bool seen = false;
        if (opens)
            whileOpen([&](UstawieniaTestu& w) {
                seen = w.isVisible();
                QTest::mouseClick(w.Command2, Qt::LeftButton);
            });
        chooseSettings();
        WIEDO_VERIFY_DIALOGS(dialogs);
        QCOMPARE(seen, opens);
        QCOMPARE(fx.leftovers(), QString());
        QVERIFY(!fx.exists("test.cfg"));
    }

    // What the window shows for the file as it stands, and the bytes Enter then saves after the typing.
    void save_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("shownFirst");
        QTest::addColumn<QString>("minutesTyped");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no_file_yet_offers_resuming") << QByteArray() << "0,0,0,1" << QString() << QByteArray("0,0,0,1\r\n");
        QTest::newRow("saved_file_shown_as_it_is") << QByteArray("1,0,20,0\r\n") << "1,0,20,0" << "45"
                                                   << QByteArray("1,0,45,0\r\n");
        QTest::newRow("damaged_file_shows_all_off") << QByteArray("1,1\r\n") << "0,0,0,0" << "300"
                                                    << QByteArray("0,0,300,0\r\n");
        QTest::newRow("minutes_kept_within_limit") << QByteArray() << "0,0,0,1" << "999" << QByteArray("0,0,99,1\r\n");
    }
    void save() {
        QFETCH(QByteArray, before);
        QFETCH(QString, shownFirst);
        QFETCH(QString, minutesTyped);
        QFETCH(QByteArray, after);
        ProgramFixture fx;
        install(fx, "\"\"\r\n", before);
        QString seen;
        whileOpen([&](UstawieniaTestu& w) {
            seen = shown(w);
            if (!minutesTyped.isNull()) {
                w.Spin1->setFocus();
                QTest::keyClick(w.Spin1, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(w.Spin1, minutesTyped);
            }
            QTest::keyClick(w.Spin1, Qt::Key_Return);
        });
        chooseSettings();
        QCOMPARE(seen, shownFirst);
        QCOMPARE(fx.leftovers(), QString());
        QCOMPARE(fx.read("test.cfg"), after);
    }

    void cancelWritesNothing() {
        ProgramFixture fx;
        install(fx, "\"\"\r\n", "0,0,0,0\r\n");
        whileOpen([](UstawieniaTestu& w) {
            QTest::mouseClick(w.Check1, Qt::LeftButton);
            QTest::keyClick(w.Check1, Qt::Key_Escape);
        });
        chooseSettings();
        QCOMPARE(fx.leftovers(), QString());
        QCOMPARE(fx.read("test.cfg"), QByteArray("0,0,0,0\r\n"));
    }

    void fullDiskKeepsWindow() {
        ProgramFixture fx;
        install(fx, "\"\"\r\n");
        ScriptedDialogs dialogs;
        dialogs.expectMessage(QStringLiteral("Nie mogę zapisać ustawień testu w pliku test.cfg w katalogu programu: "
                                             "brak miejsca na dysku. Ustawienia testu nie zostały zmienione."),
                              QStringLiteral("Błąd zapisu"), Icon::Exclamation);
        whileOpen([&](UstawieniaTestu& w) {
            {
                testsupport::FailingDisk disk(0);
                QTest::mouseClick(w.Command1, Qt::LeftButton);
            }
            QVERIFY(w.isVisible());
            QTest::mouseClick(w.Command2, Qt::LeftButton);
        });
        chooseSettings();
        WIEDO_VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.leftovers(), QString());
        QVERIFY(!fx.exists("test.cfg"));
    }
};

QTEST_MAIN(tst_TestSettingsWindow)
#include "tst_test_settings_window.moc"
