// The grade window: the grade from the scale, the picture and icon, the record appended to "wyniki.txt",
// one grading per test however often the window is activated, the reset of the main window, and the
// messages when the scale cannot be read or the log cannot be written.
#include "platform/clock.h"
#include "platform/filetable.h"
#include "platform/screen.h"
#include "support/program_fixture.h"
#include "support/scripted_dialogs.h"
#include "ui/form.h"
#include "windows/grade/ocena.h"
#include "windows/main/wiedo.h"
#include "windows/registry.h"
#include "windows/temp/temp_window.h"

#include <QDir>
#include <QLockFile>
#include <QTest>

using platform::Buttons;
using platform::Icon;
using testsupport::cp1250;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::Ocena;
using windows::Wiedo;

namespace {

const QString setPath = QStringLiteral("C:\\testy\\Ułamki.kwz");
const QString gradingTitle = QStringLiteral("Błąd oceny");
const QString scaleMessage = QStringLiteral(
    "Nie można odczytać skali ocen z pliku PTK.PTK (brak pliku albo wpis, który nie jest liczbą). "
    "Ocena nie została wystawiona ani zapisana w pliku WYNIKI.TXT. "
    "Nauczyciel może ustawić skalę na nowo poleceniem Punktacja.");
const QString logMessage = QStringLiteral(
    "Nie można dopisać wyniku do pliku WYNIKI.TXT w folderze programu (plik lub folder tylko do odczytu "
    "albo brak miejsca na dysku). Ocena jest wystawiona, ale nie została zapisana - zanotuj ją.");
const QByteArray separator = " *********************************************\r\n";

// The record as the teacher finds it in the log, for Jan Kowalski of 3B on 21 May 2003 at 14:07:59.
QByteArray expectedRecord(const QString& points, const QString& count, int grade) {
    QByteArray bytes = "\r\r\n";
    bytes += cp1250(QStringLiteral("Imie  Jan\r\nNazwisko Kowalski\r\nKlasa 3B\r\n"));
    bytes += "Data : 05-21-2003\r\nGodzina : 14:07:59\r\n";
    bytes += cp1250(QStringLiteral("Plik z testami : ") + setPath + QStringLiteral("\r\n"));
    bytes += cp1250(QStringLiteral(" Liczba punktów ") + points + QStringLiteral("  na ") + count + "\r\n");
    if (grade > 0)
        bytes += "Ocena : " + QByteArray::number(grade) + "\r\n";
    return bytes + separator;
}

// The main window at the end of a test: student signed in, counters as given, the grade window loaded
// by the hand-over of the points.
Wiedo& finishTest(ProgramFixture& fx, const QString& points, const QString& count) {
    fx.write(QStringLiteral("run.run"), "1\r\n");
    fx.write(QStringLiteral("ptk.ptk"), "40,39,34,27,19,12\r\n");
    ui::forms().get<windows::TEMP>().Text1->setText(fx.programFolderText());
    platform::setFixedNow(QDateTime(QDate(2003, 5, 21), QTime(14, 7, 59)));
    Wiedo& main = ui::forms().get<Wiedo>();
    main.Label19->setText(QStringLiteral("Jan"));
    main.Label20->setText(QStringLiteral("Kowalski"));
    main.Label21->setText(QStringLiteral("3B"));
    main.Label12->setText(count);
    main.Label10->setText(count);
    main.Label14->setText(QStringLiteral("0"));
    main.CD1.FileName = setPath;
    ui::forms().get<Ocena>().STP->setText(points);
    return main;
}

// What the modal showing saw, taken before the window is closed.
struct Seen {
    bool commandEnabled = false;
    int visiblePicture = 0;  // grade of the one visible picture, 0 for none, -1 for several
    int pictureLeft = -1;
    bool iconIsGradeIcon = false;
    QImage icon;
    QString label14;
    QStringList shownTexts;  // texts of the labels on screen: the window speaks in pictures only
};

QImage imageOf(const QIcon& icon) {
    return icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
}

Seen look(Ocena& window, const Wiedo& main) {
    Seen seen;
    seen.commandEnabled = window.Command1->isEnabled();
    for (int grade = 1; grade <= 6; ++grade) {
        if (window.gradePicture(grade)->isHidden())
            continue;
        seen.visiblePicture = seen.visiblePicture == 0 ? grade : -1;
        seen.pictureLeft = platform::toTwips(window.gradePicture(grade)->x());
    }
    seen.icon = imageOf(window.windowIcon());
    if (seen.visiblePicture > 0)
        seen.iconIsGradeIcon =
            seen.icon == window.gradeIcon(seen.visiblePicture)->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    seen.label14 = main.Label14->text();
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->isVisibleTo(&window) && !label->text().isEmpty())
            seen.shownTexts << label->objectName() + u'=' + label->text();
    return seen;
}

// Shows the grade window the way the end of a test does, looks at it, then leaves it with its button.
Seen showAndClose(Wiedo& main, bool useTloModal, bool byEnter = false) {
    Seen seen;
    auto& window = ui::forms().get<Ocena>();
    ui::forms().queueModalScript(Ocena::formName, [&](ui::Form& form) {
        auto& grade = static_cast<Ocena&>(form);
        seen = look(grade, main);
        if (byEnter)
            QTest::keyClick(grade.focusWidget() ? grade.focusWidget() : &grade, Qt::Key_Return);
        else
            QTest::mouseClick(grade.Command1, Qt::LeftButton);
    });
    if (useTloModal) {
        Wiedo::TloModal(window);
    } else {
        // Shown, painted, hidden and shown modally: two activations.
        window.Show();
        window.Hide();
        window.ShowModal();
    }
    return seen;
}

}  // namespace

class tst_Ocena : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::registerAll(); }

    void gradesAndLogs_data();
    void gradesAndLogs();
    void logOnlyGrows();
    void buttonResetsMainWindow();
    void scaleUnreadable_data();
    void scaleUnreadable();
    void logUnwritable_data();
    void logUnwritable();
    void logBusyOffersRetry_data();
    void logBusyOffersRetry();
};

void tst_Ocena::gradesAndLogs_data() {
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("grade");
    QTest::addColumn<bool>("useTloModal");
    QTest::newRow("28_of_40_gives_4") << "28" << "40" << 4 << true;
    QTest::newRow("28_of_40_shown_twice") << "28" << "40" << 4 << false;
    QTest::newRow("40_gives_6") << "40" << "40" << 6 << false;
    QTest::newRow("0_gives_1") << "0" << "12" << 1 << false;
    QTest::newRow("41_gives_none") << "41" << "41" << 0 << true;
    QTest::newRow("41_shown_twice") << "41" << "41" << 0 << false;
}

void tst_Ocena::gradesAndLogs() {
    QFETCH(QString, points);
    QFETCH(QString, count);
    QFETCH(int, grade);
    QFETCH(bool, useTloModal);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& main = finishTest(fx, points, count);
    const QImage iconBefore = imageOf(ui::forms().get<Ocena>().windowIcon());
    const Seen seen = showAndClose(main, useTloModal);
    QCOMPARE(fx.leftovers(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(seen.label14, points);
    QVERIFY(seen.commandEnabled);
    QCOMPARE(seen.shownTexts, QStringList());
    QCOMPARE(seen.visiblePicture, grade);
    if (grade > 0) {
        QCOMPARE(seen.pictureLeft, 2640);
        QVERIFY(seen.iconIsGradeIcon);
    } else {
        QCOMPARE(seen.icon, iconBefore);
    }
    QCOMPARE(dialogs.beeps(), 1);
    QCOMPARE(fx.read(QStringLiteral("wyniki.txt")), expectedRecord(points, count, grade));
    QCOMPARE(platform::files().openCount(), 0);
    QVERIFY(!ui::forms().findLoaded(Ocena::formName));
}

void tst_Ocena::logOnlyGrows() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    const QByteArray earlier = "\r\r\nImie  Ola\r\n" + separator;
    fx.write(QStringLiteral("wyniki.txt"), earlier);
    Wiedo& main = finishTest(fx, QStringLiteral("35"), QStringLiteral("40"));
    showAndClose(main, true);
    // The next student: the window was unloaded, so it grades again from a fresh start.
    finishTest(fx, QStringLiteral("12"), QStringLiteral("40"));
    const Seen second = showAndClose(main, false);
    QCOMPARE(second.visiblePicture, 1);
    QCOMPARE(fx.read(QStringLiteral("wyniki.txt")),
             earlier + expectedRecord("35", "40", 5) + expectedRecord("12", "40", 1));
    QCOMPARE(fx.leftovers(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Ocena::buttonResetsMainWindow() {
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& main = finishTest(fx, QStringLiteral("3"), QStringLiteral("5"));
    // A test in its last step: controls on, print and teacher's menus off, marks and flags set.
    const auto testControls = {static_cast<QWidget*>(main.Command1), static_cast<QWidget*>(main.Label3),
                               static_cast<QWidget*>(main.Label16), static_cast<QWidget*>(main.Label21)};
    for (QWidget* control : testControls)
        control->setEnabled(true);
    const auto printCommands = {main.drukuj, main.ustdr, main.druKPod, main.drukKarO, main.DrukWsz};
    for (QAction* command : printCommands)
        command->setEnabled(false);
    main.dlaNauczyciela->setEnabled(false);
    main.Label16->setText(QStringLiteral("2"));
    main.Check2->setChecked(true);
    main.Ap->setText(QStringLiteral("1"));
    main.Label1->setText(QStringLiteral("Ile to 2+2?"));
    main.Label8->setText(QStringLiteral("5"));
    showAndClose(main, true, true);  // Enter presses the button as a click does
    QCOMPARE(fx.leftovers(), QString());
    for (QPushButton* counter : {main.Label10, main.Label12, main.Label14, main.Label16})
        QCOMPARE(counter->text(), QStringLiteral("0"));
    QCOMPARE((QStringList{main.Label19->text(), main.Label20->text(), main.Label21->text()}),
             (QStringList{"Imie", "Nazwisko", "Klasa"}));
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(main.flagLabel(i)->text(), QString());
        QVERIFY(!main.answerBox(i)->isChecked());
        QCOMPARE(main.answerButton(i)->text(), QString());
    }
    QCOMPARE(main.Label1->text(), QString());
    for (QWidget* control : testControls)
        QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    for (QAction* command : printCommands)
        QVERIFY2(command->isEnabled(), qPrintable(command->objectName()));
    QVERIFY(main.dlaNauczyciela->isEnabled());
    QVERIFY(!ui::forms().findLoaded(Ocena::formName));
    WIEDO_VERIFY_DIALOGS(dialogs);
}

void tst_Ocena::scaleUnreadable_data() {
    QTest::addColumn<QByteArray>("scale");  // "<none>" for no file
    QTest::newRow("missing") << QByteArray("<none>");
    QTest::newRow("not_numeric") << QByteArray("40,39,\"dobry\",27,19,12\r\n");
    QTest::newRow("too_short") << QByteArray("40,39\r\n");
}

void tst_Ocena::scaleUnreadable() {
    QFETCH(QByteArray, scale);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& main = finishTest(fx, QStringLiteral("28"), QStringLiteral("40"));
    if (scale == "<none>")
        QVERIFY(QFile::remove(fx.path(QStringLiteral("ptk.ptk"))));
    else
        fx.write(QStringLiteral("ptk.ptk"), scale);
    // Shown twice, as the end of a test does: one message only.
    dialogs.expectMessage(scaleMessage, gradingTitle, Icon::Exclamation);
    const Seen seen = showAndClose(main, false);
    QCOMPARE(fx.leftovers(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
    QVERIFY(seen.commandEnabled);
    QCOMPARE(seen.visiblePicture, 0);
    QVERIFY(!fx.exists(QStringLiteral("wyniki.txt")));
    // The button still put the main window back to its idle state.
    QCOMPARE(main.Label14->text(), QStringLiteral("0"));
    QCOMPARE(main.Label19->text(), QStringLiteral("Imie"));
    QVERIFY(main.drukuj->isEnabled());
}

void tst_Ocena::logUnwritable_data() {
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("log_is_a_folder") << false;
    QTest::newRow("disk_full") << true;
}

void tst_Ocena::logUnwritable() {
    QFETCH(bool, diskFull);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    const QByteArray earlier = "\r\r\nImie  Ola\r\n" + separator;
    if (diskFull)
        fx.write(QStringLiteral("wyniki.txt"), earlier);
    else
        QVERIFY(QDir().mkpath(fx.path(QStringLiteral("wyniki.txt"))));
    Wiedo& main = finishTest(fx, QStringLiteral("28"), QStringLiteral("40"));
    if (diskFull)
        platform::files().failWritesAfter(30);
    dialogs.expectMessage(logMessage, gradingTitle, Icon::Exclamation);
    const Seen seen = showAndClose(main, true);
    platform::files().failWritesAfter(-1);
    QCOMPARE(fx.leftovers(), QString());
    WIEDO_VERIFY_DIALOGS(dialogs);
    // The grade stands; only the log could not take it.
    QCOMPARE(seen.visiblePicture, 4);
    QVERIFY(seen.commandEnabled);
    // Nothing of the record that did not fit stays behind: the log holds only whole records.
    if (diskFull)
        QCOMPARE(fx.read(QStringLiteral("wyniki.txt")), earlier);
    QCOMPARE(main.Label12->text(), QStringLiteral("0"));
    QCOMPARE(platform::files().openCount(), 0);
}

void tst_Ocena::logBusyOffersRetry_data() {
    QTest::addColumn<bool>("retry");
    QTest::newRow("retried_when_free") << true;
    QTest::newRow("given_up") << false;
}

// Another copy of the program holds the shared folder's lock: the record waits while the teacher retries.
void tst_Ocena::logBusyOffersRetry() {
    QFETCH(bool, retry);
    ProgramFixture fx;
    ScriptedDialogs dialogs;
    Wiedo& main = finishTest(fx, QStringLiteral("28"), QStringLiteral("40"));
    QLockFile otherCopy(fx.path(QStringLiteral("wiedo.lck")));
    QVERIFY(otherCopy.tryLock(0));
    const QString busy = QStringLiteral("Plik WYNIKI.TXT zapisuje teraz inna kopia programu (być może na innym "
                                        "komputerze). Wynik czeka na zapisanie. Czy spróbować jeszcze raz ?");
    const QString busyTitle = QStringLiteral("Plik wyników zajęty");
    // The first try finds the lock held; so does the second, after which the other copy is done.
    dialogs.expectMessage(busy, busyTitle, Icon::Question, Buttons::YesNo, platform::Answer::Yes);
    dialogs.expectMessage(busy, busyTitle, Icon::Question, Buttons::YesNo,
                          retry ? platform::Answer::Yes : platform::Answer::No, [&] { otherCopy.unlock(); });
    if (!retry)
        dialogs.expectMessage(QStringLiteral("Wynik nie został zapisany w pliku WYNIKI.TXT. Ocena jest wystawiona - "
                                             "zanotuj ją."),
                              gradingTitle, Icon::Exclamation);
    const Seen seen = showAndClose(main, true);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(seen.visiblePicture, 4);
    QCOMPARE(fx.exists(QStringLiteral("wyniki.txt")), retry);
    if (retry)
        QCOMPARE(fx.read(QStringLiteral("wyniki.txt")).count("Ocena : 4"), 1);
    QCOMPARE(fx.leftovers(), QString());
}

QTEST_MAIN(tst_Ocena)
#include "tst_ocena.moc"
