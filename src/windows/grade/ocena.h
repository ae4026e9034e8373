#pragma once
// The grade window: grades the finished test with the Grading scale, shows the grade, appends the result
// to "wyniki.txt", and its button puts the main window back to the idle state for the next student.
#include "ui/form.h"

#include <QLabel>
#include <QPushButton>
#include <array>

namespace windows {

class Ocena : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("Ocena");
    Ocena();

    void Form_Load() override;
    void Form_Activate() override;
    void Command1_Click();
    // The title bar's close box does what the button does, the main window's reset included.
    void closeBoxClicked() override;

    QLabel* OC;
    QLabel* o1;
    QLabel* o2;
    QLabel* o3;
    QLabel* o4;
    QLabel* o5;
    QLabel* o6;
    QLabel* V1;
    QLabel* V2;
    QLabel* V3;
    QLabel* V4;
    QLabel* V5;
    QLabel* V6;
    QLabel* STP;
    QPushButton* Command1;

    // Grade pictures and icons by grade 1 .. 6.
    QLabel* gradePicture(int grade) const;
    QLabel* gradeIcon(int grade) const;

private:
    // The main window shows this window twice per test (once to paint it, once modally) and each
    // showing activates it; the test is graded and logged on the first one only.
    bool graded_ = false;
};

}  // namespace windows
