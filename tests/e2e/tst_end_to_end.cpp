// The main road through the program, as a new user walks it: start-up, the instructions window, an
// example question set opened with Ctrl+O, sign-in, every question answered, the grade window, one record
// in the results log; then a second student's test without restarting.
#include "platform/clock.h"
#include "platform/codepage.h"
#include "questionset/questionset.h"
#include "support/program_fixture.h"
#include "support/scripted_dialogs.h"
#include "ui/form.h"
#include "windows/grade/ocena.h"
#include "windows/info/inform.h"
#include "windows/main/wiedo.h"
#include "windows/signin/open_window.h"

#include <QFile>
#include <QTest>

using platform::Icon;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;

namespace {

const QString openTitle = QStringLiteral("Otwórz - zaznacz dowolny plik, zawierający zestaw pytań.");
const QString openFilter =
    QStringLiteral("Pliki zawierające pytania do testu ( *.kwz )|*.kwz|Wszystkie pliki ( *.* )|*.*");

QString exampleSet(const char* name) {
    return qEnvironmentVariable("WIEDO_EXAMPLES") + u'/' + QString::fromLatin1(name);
}

struct Student {
    QString typedFirst, typedSurname, typedClass;
    QString first, surname, className;
};

// Types a text key by key, Polish letters included (they come as key events carrying their text).
void type(QWidget* box, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Signs in through the real boxes and button of the sign-in window.
void signIn(const Student& s) {
    auto& window = ui::forms().get<windows::open_>();
    QVERIFY(window.isVisible());
    QCOMPARE(window.Text1->text(), QString());  // no preset file in a new installation
    type(window.Text1, s.typedFirst);
    type(window.Text2, s.typedSurname);
    type(window.Text3, s.typedClass);
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QVERIFY(!window.isVisible());
}

// Answers every question: ticks the answers in `knows` of each question's correct ones, and reports the
// number of questions answered well.
int answerAll(windows::Wiedo& main, int questions, const std::function<bool(int)>& knows) {
    if (main.Command1->text() != QStringLiteral("&S  t  a  r  t"))
        return -1;
    QTest::mouseClick(main.Command1, Qt::LeftButton);
    int good = 0;
    for (int q = 1; q <= questions; ++q) {
        if (main.Label10->text() != QString::number(q))
            return -1;
        if (knows(q)) {
            for (int x = 0; x < 5; ++x)
                if (main.flagLabel(x)->text() == QStringLiteral("1"))
                    QTest::mouseClick(main.answerButton(x), Qt::LeftButton);
            ++good;
        } else {
            // A student who ticks nothing misses every question that has a correct answer.
            bool anyCorrect = false;
            for (int x = 0; x < 5; ++x)
                anyCorrect = anyCorrect || main.flagLabel(x)->text() == QStringLiteral("1");
            good += anyCorrect ? 0 : 1;
        }
        const QString expectedCaption = q == questions ? QStringLiteral("Wystaw ocene")
                                                       : QStringLiteral("Nastepne Pytanie");
        if (main.Command1->text() != expectedCaption)
            return -1;
        QTest::mouseClick(main.Command1, Qt::LeftButton);
    }
    return good;
}

QByteArray record(const Student& s, const QString& set, int points, int questions, int grade) {
    QString text = QStringLiteral("\r\r\nImie  %1\r\nNazwisko %2\r\nKlasa %3\r\nData : 09-01-2026\r\n"
                                  "Godzina : 08:15:00\r\nPlik z testami : %4\r\n Liczba punktów %5  na %6\r\n")
                       .arg(s.first, s.surname, s.className, set)
                       .arg(points)
                       .arg(questions);
    text += QStringLiteral("Ocena : %1\r\n").arg(grade);
    text += QStringLiteral(" ") + QString(45, u'*') + QStringLiteral("\r\n");
    return platform::encode1250(text);
}

}  // namespace

class tst_EndToEnd : public QObject {
    Q_OBJECT
private slots:
    void twoStudentsOneAfterAnother();
};

void tst_EndToEnd::twoStudentsOneAfterAnother() {
    ProgramFixture fx;
    const QString set = exampleSet("historia.kwz");
    QVERIFY2(QFile::exists(set), qPrintable(set));
    const int questions = questionset::countQuestions(set);
    QVERIFY(questions >= 10);
    platform::setFixedNow(QDateTime(QDate(2026, 9, 1), QTime(8, 15)));
    // A scale for this set's length: all good gives 6, half gives 3.
    fx.writeWiedoIni();
    fx.write("Wiedo.cfg", "\"\"\r\n");
    fx.write("ptk.ptk", QStringLiteral("%1,%2,%3,%4,%5,%6\r\n")
                            .arg(questions).arg(questions - 1).arg(questions - 3).arg(questions / 2)
                            .arg(questions / 2 - 2).arg(2).toLatin1());

    ScriptedDialogs dialogs;
    QVERIFY(fx.startUp());
    auto& inform = ui::forms().get<windows::Inform>();
    QVERIFY(inform.isVisible());
    QTest::mouseClick(inform.Command1, Qt::LeftButton);
    auto& main = ui::forms().get<windows::Wiedo>();
    QVERIFY(main.isVisible());
    QVERIFY(main.windowTitle().endsWith(QStringLiteral("Liczba uruchomień programu : 1")));

    const Student jan{"jAN", "kOWALSKI", "3b", "Jan", "Kowalski", "3B"};
    dialogs.expectOpenFile(openTitle, openFilter, set);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(dialogs.fileDialogFolders().value(0), fx.programFolderText());
    signIn(jan);
    QCOMPARE(main.Label19->text(), QStringLiteral("Jan"));
    QCOMPARE(main.Label12->text(), QString::number(questions));
    int gradeSeen = 0;
    ui::forms().queueModalScript("Ocena", [&](ui::Form& form) {
        auto& grade = static_cast<windows::Ocena&>(form);
        for (int n = 1; n <= 6; ++n)
            if (grade.findChild<QLabel*>(QStringLiteral("o%1").arg(n))->isVisible())
                gradeSeen = n;
        QVERIFY(grade.Command1->isEnabled());
        QTest::mouseClick(grade.Command1, Qt::LeftButton);
    });
    QCOMPARE(answerAll(main, questions, [](int) { return true; }), questions);
    QCOMPARE(gradeSeen, 6);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    const QByteArray first = record(jan, set, questions, questions, 6);
    QCOMPARE(fx.read("wyniki.txt"), first);
    // The main window is idle again, ready for the next student.
    QCOMPARE(main.Label10->text(), QStringLiteral("0"));
    QCOMPARE(main.Label14->text(), QStringLiteral("0"));
    QCOMPARE(main.Label19->text(), QStringLiteral("Imie"));
    QVERIFY(!main.Command1->isEnabled());
    QVERIFY(main.drukuj->isEnabled());

    // A second student in the same run: knows only every other question.
    const Student ola{"ola", "nOWAK-ŻÓŁĆ", "4a", "Ola", "Nowak-Żółć", "4A"};
    dialogs.expectOpenFile(openTitle, openFilter, set);
    main.otwórz->trigger();
    signIn(ola);
    ui::forms().queueModalScript("Ocena", [](ui::Form& form) {
        QTest::mouseClick(static_cast<windows::Ocena&>(form).Command1, Qt::LeftButton);
    });
    const int good = answerAll(main, questions, [](int q) { return q % 2 == 1; });
    QVERIFY(good > 0 && good < questions);
    WIEDO_VERIFY_DIALOGS(dialogs);
    QCOMPARE(fx.leftovers(), QString());
    const QByteArray both = fx.read("wyniki.txt");
    QVERIFY(both.startsWith(first));
    const QByteArray second = both.mid(first.size());
    QVERIFY2(second.startsWith(platform::encode1250(QStringLiteral("\r\r\nImie  Ola\r\nNazwisko Nowak-Żółć\r\nKlasa 4A\r\n"))),
             second.constData());
    QVERIFY(second.contains(QStringLiteral(" Liczba punktów %1  na %2\r\n").arg(good).arg(questions).toLatin1()));
    QCOMPARE(second.count("Ocena : "), 1);
    QVERIFY(second.endsWith(" " + QByteArray(45, '*') + "\r\n"));
}

QTEST_MAIN(tst_EndToEnd)
#include "tst_end_to_end.moc"
