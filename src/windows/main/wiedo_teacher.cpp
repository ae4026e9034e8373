#include "windows/main/wiedo.h"

namespace windows {

void Wiedo::Punktacja_Click() {}
void Wiedo::opcje_Click() {}

}  // namespace windows
