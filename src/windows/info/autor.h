#pragma once
// The author window, with the hidden "confiscated crib" chord on its button.
#include "ui/form.h"

#include <QLabel>
#include <QPushButton>

namespace windows {

class Autor_ : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("Autor_");
    Autor_();
    void Form_Load() override;
    void Command1_Click();
    void Command1_KeyDown(int keyCode, int shift);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Image1;
    QPushButton* Command1;
};

}  // namespace windows
