#pragma once
// The welcome and first-run settings window: asks for the program folder and the teacher's password.
#include "ui/form.h"

#include <QLabel>
#include <QPushButton>

namespace windows {

class Witaj : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("Witaj");
    Witaj();
    void Kon_Click();

    QLabel* Label1;
    QPushButton* Command1;
    QPushButton* Kon;
};

}  // namespace windows
