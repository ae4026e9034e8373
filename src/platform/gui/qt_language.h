#pragma once
// Qt's own dialogs (the file dialogs above all: their buttons, column headings and places) in Polish,
// from the translations that come with Qt. Without them those words stay in English.
class QCoreApplication;

namespace platform {

// Makes Polish the default locale and installs Qt's Polish translations into the application (compiled
// into the program; the system's own when the build had none); false when there are none at all.
bool installPolishQtTexts(QCoreApplication& app);

}  // namespace platform
