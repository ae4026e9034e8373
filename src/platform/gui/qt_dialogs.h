#pragma once
// The real dialogs of the program, over Qt's message box, input dialog, file dialogs and printer dialog.
#include "platform/dialogs.h"

#include <QFont>

namespace platform {

class QtDialogs : public Dialogs {
public:
    Answer messageBox(const MessageBoxRequest& request) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText, platform::Echo echo = platform::Echo::Shown) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    bool printerDialog() override;
    void beep() override;
};

// The narrowest box whose title bar still shows the whole title: the title in the title bar's font plus
// room for the frame's buttons and edges. A short prompt alone would make a box too narrow for it.
int minimumWidthForTitle(const QString& title, const QFont& titleFont);
// The font window managers commonly use for title bars: the system title font, bold.
QFont titleBarFont();

// "Description|*.ext|Description|*.*" as Qt's filter list "Description (*.ext);;Description (*.*)".
QString qtFilter(const QString& filter);

}  // namespace platform
