#pragma once
// The welcome and first-run settings window: asks for the program folder and the teacher's password,
// writes the configuration files, and offers the author window and the grading scale editor.
#include "ui/folder_lists.h"
#include "ui/form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace windows {

class Witaj : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("Witaj");
    Witaj();
    void Form_Activate() override;
    void Drive1_Change();
    void Dir1_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Kon_Click();
    // Makes the chosen drive and the typed folder current; reports a bad path and goes on.
    void spr();

    QLabel* Label1;
    QPushButton* Command1;
    QPushButton* Kon;
    QLabel* Image5;
    QTabWidget* SSTab1;
    // "Instalacja"
    QLabel* Label2;
    ui::DriveList* Drive1;
    ui::FolderList* Dir1;
    QLineEdit* Text1;
    // "Hasło"
    QLabel* Label3;
    QLabel* Label5;
    QLineEdit* Text2;
    // "Inne"
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label4;
    QPushButton* Command2;
    QPushButton* Command3;

private:
    // In this order: wiedo.ini beside the program, then in the chosen folder the password, the default
    // scale and, when asked, the run counter. Stops at the first file that cannot be written and returns
    // false after the message; the files written before it stay.
    bool writeSettings(bool withRunCounter);
    QString chosenFolder() const;
};

}  // namespace windows
