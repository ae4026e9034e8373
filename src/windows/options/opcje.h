#pragma once
// The options window: the password that guards the teacher's options and the program folder, saved to
// "Wiedo.cfg" in the program folder and "c:\windows\wiedo.ini". Shown without modality by the main
// window after its password gate, which puts the stored password into Text1 first.
#include "ui/folder_lists.h"
#include "ui/form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace windows {

class Opcje_ : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("Opcje_");
    Opcje_();
    void Form_Load() override;
    void Form_Activate() override;
    // The close box leaves like " &Anuluj": nothing is saved and the window stays loaded.
    void closeBoxClicked() override;
    void Drive1_Change();
    void Command1_Click();
    void Command2_Click();
    void Picture1_Click();
    void Picture2_Click();

    QLabel* Label2;          // "Hasło programu"
    QLineEdit* Text1;        // the password, shown as "*"
    QLabel* Label1;          // "Katalog programu"
    ui::DriveList* Drive1;
    ui::FolderList* Dir1;
    QPushButton* Command1;   // save and hide
    QPushButton* Command2;   // hide
    QLabel* Picture2;        // acts as Command1
    QLabel* Picture1;        // acts as Command2
};

// The folder as "c:\windows\wiedo.ini" keeps it: a folder of drive C: in the drive's own form
// ("C:\WIEDO", "C:\"), any other folder as the host names it.
QString optionsFolderText(const QString& nativeFolder);

}  // namespace windows
