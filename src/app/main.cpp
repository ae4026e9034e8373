// WIEDO: the program's entry point runs the start procedure and then lives on window events.
#include "app/command_line.h"
#include "app/commands.h"
#include "platform/dialogs.h"
#include "platform/disk_calls.h"
#include "platform/gui/qt_dialogs.h"
#include "platform/gui/qt_language.h"
#include "platform/print/qt_printer.h"
#include "startup/loader.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/pictures.h"
#include "ui/qt_texts.h"
#include "windows/main/wiedo.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    // In a program folder shared by a computer's users (the package gives it to the group "users") every
    // student appends to the same results log: the files the program makes stay writable for the group.
    platform::keepFilesWritableForGroup();
    platform::preferPolishFormats();
    if (const QString command = app::commandNamed(argc, argv); !command.isEmpty()) {
        // The terminal commands (import, export, results, check) work on files only: no window, no display.
        QCoreApplication terminal(argc, argv);
        platform::installPolishQtTexts(terminal);
        return app::runCommand(terminal, command);
    }
    if (app::asksOnlyForText(argc, argv)) {
        // Help, the version and a wrong option need no window, and so no display.
        QCoreApplication terminal(argc, argv);
        platform::installPolishQtTexts(terminal);
        app::questionSetToOpen(terminal);
        return 1;  // only reached with an option the parser let through without an answer
    }
    QApplication app(argc, argv);
    ui::useProgramStyle();
    app.setQuitOnLastWindowClosed(false);  // the loader hides itself before the next window shows
    // Every window takes this icon; none decodes a copy of its own at start.
    app.setWindowIcon(QIcon(ui::picture(QStringLiteral(":/img/app.png"))));
    platform::installPolishQtTexts(app);  // the file dialogs' own words
    ui::installMissingQtTexts(app);       // and the printer dialog's words Qt's translation lacks
    windows::Wiedo::commandLineSet = app::questionSetToOpen(app);
    platform::QtDialogs dialogs;
    platform::installDefaultDialogs(&dialogs);
    platform::QtPrinter printer;
    platform::installDefaultPrinter(&printer);
    ui::forms().setQuitHandler([] { QCoreApplication::exit(0); });
    ui::guarded(startup::Main);
    const int code = app.exec();
    ui::forms().reset();
    return code;
}
