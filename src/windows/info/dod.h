#pragma once
// The graphical instructions: four numbered steps, each a screenshot with a caption. "GRAM" leaves
// both instruction windows for the main window; "&Wstecz" goes back to the instructions.
#include "ui/form.h"

#include <QLabel>
#include <QPushButton>

namespace windows {

class Dod : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("Dod");
    Dod();
    void Form_Load() override;
    void Command1_Click();
    void Command3_Click();

    QLabel* Image1;  // the instructions window's illustration, taken at load
    QLabel* Image2;  // screenshots of steps 1 to 4
    QLabel* Image3;
    QLabel* Image4;
    QLabel* Image5;
    QLabel* Label2;  // captions of steps 1 to 4
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;  // red step numbers "1" to "4"
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QPushButton* Command1;
    QPushButton* Command3;
};

}  // namespace windows
