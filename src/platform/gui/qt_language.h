#pragma once
// Qt's own dialogs (the file dialogs above all: their buttons, column headings and places) in Polish,
// from the translations that come with Qt. Without them those words stay in English.
class QCoreApplication;

namespace platform {

// Makes Polish the default locale and installs Qt's Polish translations into the application (compiled
// into the program; the system's own when the build had none); false when there are none at all.
bool installPolishQtTexts(QCoreApplication& app);

// Called before the application is made: the dates and numbers that Qt's own dialogs take from the system
// (a file's date and size in the file dialog) follow Polish usage whatever the computer's language.
void preferPolishFormats();

}  // namespace platform
