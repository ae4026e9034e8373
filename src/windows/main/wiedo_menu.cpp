#include "windows/main/wiedo.h"

namespace windows {

void Wiedo::otwórz_Click() {}
void Wiedo::edytujwiedo_Click() {}
void Wiedo::drukuj_Click() {}
void Wiedo::druKPod_Click() {}
void Wiedo::drukKarO_Click() {}
void Wiedo::DrukWsz_Click() {}
void Wiedo::ustdr_Click() {}
void Wiedo::koniec_Click() {}
void Wiedo::KWZ_to_txt_Click() {}
void Wiedo::SS_Click() {}
void Wiedo::mnuBitmap1_Click() {}
void Wiedo::mnuBitmap2_Click() {}
void Wiedo::mnuBitmap3_Click() {}
void Wiedo::Form_Unload(bool&) {}

}  // namespace windows
