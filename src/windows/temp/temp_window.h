#pragma once
// The hidden Shared state window: Text1 holds the program folder and Text2 the folder of the current
// question set, both ending with a separator. Never shown; every window reads and writes its boxes.
#include "ui/form.h"

#include <QLabel>
#include <QLineEdit>

namespace windows {

class TEMP : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("TEMP");
    TEMP();
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLabel* Label1;
    QLabel* Label2;
};

}  // namespace windows
