#pragma once
// The lab exam's settings window: shuffled questions and answers, the time limit and whether a broken-off
// test may be finished, saved to "test.cfg" in the program folder. Shown modal by the main window after the
// options' password gate; it reads the file when it loads and is unloaded when it closes.
#include "ui/form.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace windows {

class UstawieniaTestu : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("UstawieniaTestu");
    UstawieniaTestu();
    void Form_Load() override;
    void Command1_Click();
    void Command2_Click();

    QCheckBox* Check1;      // shuffled questions
    QCheckBox* Check2;      // shuffled answers
    QLabel* Label1;         // the time limit's caption
    QSpinBox* Spin1;        // minutes, 0 for none
    QCheckBox* Check3;      // a broken-off test may be finished
    QPushButton* Command1;  // save and close
    QPushButton* Command2;  // close
};

}  // namespace windows
