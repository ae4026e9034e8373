#pragma once
// The real dialogs of the program, over Qt's message box, input dialog, file dialogs and printer dialog.
#include "platform/dialogs.h"

namespace platform {

class QtDialogs : public Dialogs {
public:
    Answer messageBox(const MessageBoxRequest& request) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    bool printerDialog() override;
    void beep() override;
};

// "Description|*.ext|Description|*.*" as Qt's filter list "Description (*.ext);;Description (*.*)".
QString qtFilter(const QString& filter);

}  // namespace platform
