// One student's copy of the whole program for the lab test, started from the program folder it is
// copied into (so that folder is its program folder, as in a lab) with a drive C: of its own (its own
// HOME): the start procedure, "GRAM !!!", the set opened and the student signed in through their windows,
// then the last answer and the grading, held back until the start file appears so that every copy grades
// at the same moment. The program's own dialogs are answered by a script, as no one can click them on
// the offscreen platform; everything else is the program's windows, logic and files.
//   wiedo_lab_session SET START_FILE FIRST_NAME
// Prints "ready" when only the grading is left and "graded" at the end. Exit status 0 when the test was
// graded with the dialogs expected and no others, 1 otherwise (with what went wrong), 2 for wrong arguments.
#include "main/main_session.h"
#include "startup/loader.h"
#include "ui/controls.h"
#include "windows/registry.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <cstdio>

namespace {

bool waitFor(const std::function<bool()>& done, int ms) {
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(1);
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const QString set = args.at(1), startFile = args.at(2), name = args.at(3);
    ui::useProgramStyle();
    windows::registerAll();
    testsupport::ScriptedDialogs dialogs;
    ui::forms().requireModalScripts(true);
    platform::setFixedNow(mainsession::fixedNow);  // the copies' records differ only by the student
    const auto failed = [&](const char* what) {
        std::fprintf(stderr, "%s\n%s\n%s\n", what, qPrintable(dialogs.report()),
                     qPrintable(ui::forms().takeFailures().join(u'\n')));
        return 1;
    };

    ui::guarded(startup::Main);
    if (!waitFor([] {
            const ui::Form* loader = ui::forms().findLoaded(QStringLiteral("LoadT"));
            return ui::forms().hasEnded() || (loader && !loader->isVisible());
        }, 20000) || ui::forms().hasEnded())
        return failed("the start procedure did not finish");
    QTest::mouseClick(ui::forms().get<windows::Inform>().Command1, Qt::LeftButton);
    windows::Wiedo& main = ui::forms().get<windows::Wiedo>();

    dialogs.expectOpenFile(mainsession::openTitle, mainsession::openFilter, set);
    main.otwórz->trigger();
    windows::open_& signIn = ui::forms().get<windows::open_>();
    if (!signIn.isVisible())
        return failed("the sign-in window was not shown");
    signIn.Text1->setText(name);
    QTest::mouseClick(signIn.Command1, Qt::LeftButton);
    mainsession::next(main);  // the first (and only) question on screen
    mainsession::tick(main, {0});  // the one correct answer, A

    std::puts("ready");
    std::fflush(stdout);
    if (!waitFor([&] { return QFileInfo::exists(startFile); }, 30000))
        return failed("no start file");
    mainsession::closeGradeWindowWhenShown();
    mainsession::next(main);  // "Wystaw ocene": the grade window appends to the results log
    if (!dialogs.ok() || !ui::forms().takeFailures().isEmpty() || ui::forms().pendingModalScripts() > 0)
        return failed("the grading went otherwise");
    std::puts("graded");
    std::fflush(stdout);
    ui::forms().reset();
    return 0;
}
