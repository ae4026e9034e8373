#include "windows/main/wiedo.h"

namespace windows {

Wiedo::Wiedo() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Wiedo v 1.1"));
    setOuterSizeTwips(6720, 6765);
}

}  // namespace windows
