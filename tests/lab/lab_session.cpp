// One student's copy of the whole program, as a lab computer runs it: on the program folder it is copied into
// (so that folder is its program folder, as in a lab) with a drive C: of its own (its own HOME), or on the
// program folder and drive C: given. The start procedure, "GRAM !!!", the set opened, the student signed in
// through their windows and every question answered well; the last click, which grades the test, is held
// back until the start file appears, so that every copy grades at the same moment, or never, for a copy
// killed as it waits, as a computer that freezes in the middle of a test. The program's own dialogs are
// answered by a script, as no one can click them on the offscreen platform; everything else is the
// program's windows, logic and files.
//   wiedo_lab_session SET START_FILE FIRST_NAME [PROGRAM_FOLDER DRIVE_C]
// Prints "ready" when only the grading is left and "graded" at the end. Exit status 0 when the test was
// graded with the dialogs expected and no others, 1 otherwise (with what went wrong), 2 for wrong arguments.
#include "main/main_session.h"
#include "platform/paths.h"
#include "ui/controls.h"
#include "windows/registry.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <cstdio>

namespace {

void say(const char* word) {
    std::puts(word);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const QStringList args = app.arguments();
    if (args.size() != 4 && args.size() != 6)
        return 2;
    const QString set = args.at(1), startFile = args.at(2), name = args.at(3);
    if (args.size() == 6) {
        platform::setProgramFileFolder(args.at(4));
        platform::setDriveCRoot(args.at(5));
    }
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

    if (!testsupport::runStartProcedure(20000) || ui::forms().hasEnded())
        return failed("the start procedure did not finish");
    windows::Wiedo& main = mainsession::pastInstructions();
    mainsession::openAndSignIn(main, dialogs, set, false, {name, QStringLiteral("Nowak"), QStringLiteral("3b")});
    mainsession::next(main);
    const int questions = main.Label12->text().toInt();
    for (int n = 1; n <= questions; ++n) {
        mainsession::answerWell(main);
        if (n < questions)
            mainsession::next(main);
    }

    say("ready");
    const QDeadlineTimer deadline(30000);
    while (!QFileInfo::exists(startFile)) {
        if (deadline.hasExpired())
            return failed("no start file");
        QTest::qWait(1);
    }
    mainsession::closeGradeWindowWhenShown();
    mainsession::next(main);  // "Wystaw ocene": the grade window appends to the results log
    if (!dialogs.ok() || !ui::forms().takeFailures().isEmpty() || ui::forms().pendingModalScripts() > 0)
        return failed("the grading went otherwise");
    say("graded");
    ui::forms().reset();
    return 0;
}
