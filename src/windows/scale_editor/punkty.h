#pragma once
// The grading scale editor: six boxes holding the highest points of grades 6 down to 1, guarded by the
// options password, saved to "ptk.ptk" on "Powrót"; below them a preview of what the boxes would grade.
#include "grading/scale.h"
#include "ui/form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

namespace windows {

class ScalePreview;

class Punkty : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("Punkty");
    Punkty();
    void Form_Load() override;
    void Form_Activate() override;
    // Leaves without saving, as a refused password does; the window stays loaded.
    void closeBoxClicked() override;
    void Command1_Click();
    void Command3_Click();

    // The folder of the "ptk.ptk" being edited, set by the window that opens the editor: the program folder
    // from the main window, the folder chosen in the welcome window on a first run (the program folder is not
    // known yet then). Empty: the program folder.
    QString folder;

    // Text1 .. Text6 in order: thresholds of grades 6 .. 1.
    std::array<QLineEdit*, 6> boxes() const;
    // The boxes as the preview and the grade rule read them: leading number, 0 when there is none.
    grading::Thresholds boxThresholds() const;

    QLabel* Label1;   // grade names with "do"
    QLabel* Label2;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QLineEdit* Text4;
    QLineEdit* Text5;
    QLineEdit* Text6;
    QLabel* Label3;   // "Punktów" after each box
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QPushButton* Command1;  // "&Standart"
    QPushButton* Command3;  // "Powrót"
    ScalePreview* Podglad;

private:
    void updatePreview();
    QString scaleFolder() const;
};

}  // namespace windows
