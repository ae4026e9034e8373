#pragma once
// The main window: the question on screen with its five answers and the hint, the counters, the
// student's data, the clock, the help line and the menu bar.
#include "ui/form.h"

namespace windows {

class Wiedo : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("Wiedo");
    Wiedo();
};

}  // namespace windows
