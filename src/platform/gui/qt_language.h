#pragma once
// Qt's own dialogs (the file dialogs above all: their buttons, column headings and places) in Polish,
// from the translations that come with Qt. Without them those words stay in English.
class QCoreApplication;

namespace platform {

// Makes Polish the default locale and installs Qt's Polish translations into the application; false when
// the translations are not on this machine.
bool installPolishQtTexts(QCoreApplication& app);

}  // namespace platform
