#pragma once
// The question editor's instructions window, opened from the editor's menu.
#include "ui/form.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace windows {

class N_edit : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("N_edit");
    N_edit();
    void Form_Load() override;
    void Command1_Click();

    QLabel* Label1;
    QLabel* Label2;
    QFrame* Line1;
    QFrame* Line2;
    QPushButton* Command1;
};

}  // namespace windows
