#pragma once
// The sign-in window: the student's first name, surname and class, handed to the main window together
// with the number of questions of the chosen set before the test can start.
#include "ui/form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace windows {

class open_ : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("open_");
    open_();

    void Form_Load() override;
    void Form_Activate() override;
    void Command1_Click();
    void Command1_KeyDown(int keyCode, int shift);
    void Command2_Click();

    // Defaults for empty boxes and the letter case of the three values.
    void Form();
    // Test controls on, the student's data onto the main window.
    void Aktyw();
    // Counts the questions and reopens the set at its first one; false when the set is gone, empty or
    // damaged: the student is told and the main window is idle again.
    bool Licz();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QPushButton* Command1;
    QPushButton* Command2;
};

}  // namespace windows
