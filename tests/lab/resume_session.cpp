// One student's copy of the program for the broken-off test: on the given program folder and drive C:, the
// start procedure, "GRAM !!!", the set opened, the student signed in and three questions answered well; then it
// prints "ready" and waits to be killed, as a computer that freezes in the middle of a test.
//   wiedo_resume_session PROGRAM_FOLDER DRIVE_C SET
#include "main/main_session.h"
#include "platform/paths.h"
#include "startup/loader.h"
#include "ui/controls.h"
#include "windows/registry.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    platform::setProgramFileFolder(args.at(1));
    platform::setDriveCRoot(args.at(2));
    ui::useProgramStyle();
    windows::registerAll();
    testsupport::ScriptedDialogs dialogs;
    ui::forms().requireModalScripts(true);
    ui::guarded(startup::Main);
    for (int waited = 0; waited < 4000; ++waited) {
        const ui::Form* loader = ui::forms().findLoaded(QStringLiteral("LoadT"));
        if (ui::forms().hasEnded() || (loader && !loader->isVisible()))
            break;
        QTest::qWait(5);
    }
    QTest::mouseClick(ui::forms().get<windows::Inform>().Command1, Qt::LeftButton);
    windows::Wiedo& main = ui::forms().get<windows::Wiedo>();
    dialogs.expectOpenFile(mainsession::openTitle, mainsession::openFilter, args.at(3));
    main.otwórz->trigger();
    windows::open_& signIn = ui::forms().get<windows::open_>();
    signIn.Text1->setText(QStringLiteral("Ala"));
    signIn.Text2->setText(QStringLiteral("Nowak"));
    signIn.Text3->setText(QStringLiteral("3b"));
    QTest::mouseClick(signIn.Command1, Qt::LeftButton);
    mainsession::next(main);
    for (int n = 1; n <= 3; ++n) {
        mainsession::answerWell(main);
        mainsession::next(main);
    }
    if (!dialogs.ok() || main.Label10->text() != QStringLiteral("4")) {
        std::fprintf(stderr, "%s\n", qPrintable(dialogs.report()));
        return 1;
    }
    std::puts("ready");
    std::fflush(stdout);
    for (;;)
        QTest::qWait(1000);
}
