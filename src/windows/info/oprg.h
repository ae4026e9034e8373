#pragma once
// The about window: the program's name and version, a freeware notice and the author's contact line.
#include "ui/form.h"

#include <QLabel>
#include <QPushButton>

namespace windows {

class oPrg : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("oPrg");
    oPrg();
    void Form_Load() override;
    void Command1_Click();

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* Command1;
};

}  // namespace windows
