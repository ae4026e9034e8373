#pragma once
// The program's command line: an optional question set to open once the main window is up (a double
// click on a set in the file manager), and --help and --version answered in Polish on the terminal.
#include <QString>

class QCoreApplication;

namespace app {

// True when the arguments hold an option of the program's own (help, the version, or an unknown one):
// it is answered on the terminal without any window, so without a display too.
bool asksOnlyForText(int argc, char* argv[]);

// Reads the command line. Help, the version and wrong arguments are answered on the terminal and end
// the process; otherwise the absolute path of the question set named, or an empty text.
QString questionSetToOpen(QCoreApplication& application);

}  // namespace app
