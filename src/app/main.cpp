// WIEDO: the program's entry point runs the start procedure and then lives on window events.
#include "platform/dialogs.h"
#include "platform/gui/qt_dialogs.h"
#include "platform/gui/qt_language.h"
#include "platform/gui/qt_printer.h"
#include "platform/printer.h"
#include "startup/loader.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ui::useProgramStyle();
    app.setQuitOnLastWindowClosed(false);  // the loader hides itself before the next window shows
    app.setWindowIcon(QIcon(QStringLiteral(":/img/app.png")));
    platform::installPolishQtTexts(app);  // the file dialogs' own words
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
