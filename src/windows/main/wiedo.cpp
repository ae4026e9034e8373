#include "windows/main/wiedo.h"

namespace windows {

void Wiedo::Form_Load() {}
void Wiedo::Form_Resize() {}
void Wiedo::Form_MouseMove() {}
void Wiedo::Timer1_Timer() {}
void Wiedo::Label2_DblClick() {}
void Wiedo::Label9_Click() {}
void Wiedo::Label10_Click() {}
void Wiedo::Label11_Click() {}
void Wiedo::Label12_Click() {}
void Wiedo::Label13_Click() {}
void Wiedo::Label14_Click() {}
void Wiedo::Label15_Click() {}
void Wiedo::Label16_Click() {}
void Wiedo::Label19_Click() {}
void Wiedo::Label20_Click() {}
void Wiedo::Label21_Click() {}
void Wiedo::Stsr() {}
void Wiedo::TloModal(ui::Form& window) { window.ShowModal(); }

}  // namespace windows
