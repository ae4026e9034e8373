#pragma once
// The instructions window: the program's front door after start-up. "GRAM !!!" (or its close box)
// brings up the main window; "&Nic z tego nie rozumiem" opens the graphical instructions.
#include "ui/form.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace windows {

class Inform : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("Inform");
    Inform();
    void Form_Load() override;
    void closeBoxClicked() override;
    void Command1_Click();
    void Command3_Click();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Image1;
    QFrame* Line1;  // the red frame around the illustration: top, right, bottom, left
    QFrame* Line2;
    QFrame* Line3;
    QFrame* Line4;
    QPushButton* Command1;
    QPushButton* Command3;
};

}  // namespace windows
