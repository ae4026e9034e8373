#pragma once
// The main window reached the way a user reaches it: the start procedure on an installed program folder,
// "GRAM !!!" in the instructions window, a question set chosen through the open command and a student
// signed in through the sign-in window.
#include "platform/clock.h"
#include "platform/filetable.h"
#include "questionset/questionset.h"
#include "support/program_fixture.h"
#include "support/scripted_dialogs.h"
#include "testing/question_reader.h"
#include "ui/form.h"
#include "windows/info/inform.h"
#include "windows/main/wiedo.h"
#include "windows/signin/open_window.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTest>

namespace mainsession {

inline const QString openTitle = QStringLiteral("Otwórz - zaznacz dowolny plik, zawierający zestaw pytań.");
inline const QString openFilter =
    QStringLiteral("Pliki zawierające pytania do testu ( *.kwz )|*.kwz|Wszystkie pliki ( *.* )|*.*");
inline const QDateTime fixedNow(QDate(2003, 5, 21), QTime(14, 7, 59));

// The configuration files of an installed program folder. The loader adds 1 to the stored run counter.
inline void install(testsupport::ProgramFixture& fx, const QByteArray& storedRunCounter = "6") {
    fx.writeWiedoIni();
    fx.write(QStringLiteral("Wiedo.cfg"), "\"\"\r\n");
    fx.write(QStringLiteral("ptk.ptk"), "40,39,34,27,19,12\r\n");
    fx.write(QStringLiteral("run.run"), storedRunCounter + "\r\n");
}

// "GRAM !!!" in the instructions window the start procedure leaves on screen.
inline windows::Wiedo& pastInstructions() {
    QTest::mouseClick(ui::forms().get<windows::Inform>().Command1, Qt::LeftButton);
    return ui::forms().get<windows::Wiedo>();
}

// Installs the configuration files, runs the start procedure and leaves the main window on screen.
inline windows::Wiedo& start(testsupport::ProgramFixture& fx, const QByteArray& storedRunCounter = "6") {
    platform::setFixedNow(fixedNow);
    install(fx, storedRunCounter);
    if (!fx.startUp())
        qFatal("the start procedure did not finish");
    return pastInstructions();
}

// Question i of a generated set: texts "Pytanie i", "Ai" .. "Ei", "Podpowiedź i".
inline questionset::Question question(int i, questionset::Flags flags) {
    questionset::Question q;
    q.texts.question = QStringLiteral("Pytanie %1").arg(i);
    for (int x = 0; x < 5; ++x)
        q.texts.answers[static_cast<std::size_t>(x)] = QString(QChar(u'A' + x)) + QString::number(i);
    q.texts.hint = QStringLiteral("Podpowiedź %1").arg(i);
    q.flags = flags;
    return q;
}

// Writes a set (native path under the fixture's root) and returns its path.
inline QString writeSet(testsupport::ProgramFixture& fx, const QList<questionset::Flags>& flags,
                        const QString& name = QStringLiteral("zestawy/test.kwz")) {
    const QString path = fx.root() + u'/' + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    questionset::createEmptySet(path);
    for (int i = 0; i < flags.size(); ++i)
        questionset::appendQuestion(path, question(i + 1, flags.at(i)));
    return path;
}

// The open command with the set chosen in its dialog, then "Wprowadź personalia" with the student's first
// name, surname and class typed as far as given, the other boxes as the preset leaves them (empty: the
// defaults).
inline void openAndSignIn(windows::Wiedo& main, testsupport::ScriptedDialogs& dialogs, const QString& path,
                          bool hintChord = false, const QStringList& student = {}) {
    dialogs.expectOpenFile(openTitle, openFilter, path);
    main.otwórz->trigger();
    windows::open_& signIn = ui::forms().get<windows::open_>();
    if (!signIn.isVisible())
        qFatal("the sign-in window was not shown");
    const QList<QLineEdit*> boxes{signIn.Text1, signIn.Text2, signIn.Text3};
    for (qsizetype i = 0; i < student.size(); ++i)
        boxes.at(i)->setText(student.at(i));
    if (hintChord)
        QTest::keyClick(signIn.Command1, Qt::Key_Q, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    else
        QTest::mouseClick(signIn.Command1, Qt::LeftButton);
}

inline void tick(windows::Wiedo& main, std::initializer_list<int> answers) {
    for (int x : answers)
        QTest::mouseClick(main.answerButton(x), Qt::LeftButton);
}

// The pointer moving over a control; a move the control does not use goes on to its window, as Qt
// delivers it.
inline void hover(QWidget* control, QPoint at = {}) {
    const QPoint local = at.isNull() ? control->rect().center() : at;
    QMouseEvent move(QEvent::MouseMove, QPointF(local), control->mapToGlobal(QPointF(local)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(control, &move);
}

inline void next(windows::Wiedo& main) { QTest::mouseClick(main.Command1, Qt::LeftButton); }

// Ticks the answers whose flag says correct, wherever they are shown: the question is answered well.
inline void answerWell(windows::Wiedo& main) {
    for (int place = 0; place < 5; ++place)
        if (main.flagLabel(place)->text() == QStringLiteral("1"))
            QTest::mouseClick(main.answerButton(place), Qt::LeftButton);
}

// The grade window's own button: it resets the main window and closes the grade window.
inline void closeGradeWindowWhenShown(std::function<void(ui::Form&)> check = {}) {
    ui::forms().queueModalScript(QStringLiteral("Ocena"), [check](ui::Form& grade) {
        if (check)
            check(grade);
        QTest::mouseClick(grade.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    });
}

}  // namespace mainsession
