#pragma once
// The Polish words Qt's own translation lacks for the printer dialog, answered by the program itself.
class QCoreApplication;

namespace ui {

// Installs the program's texts after Qt's, so that they are asked first; Qt's own answer the rest.
void installMissingQtTexts(QCoreApplication& app);

}  // namespace ui
