#include "windows/main/wiedo.h"

namespace windows {

void Wiedo::Command1_Click() {}
void Wiedo::Picture1_Click() {}
void Wiedo::Label1_Click() {}
void Wiedo::AnswerButton_Click(int) {}
void Wiedo::AnswerButton_MouseMove(int) {}
void Wiedo::PierPyt() {}
void Wiedo::Labl() {}
void Wiedo::Odswiez() {}
void Wiedo::ABCDEh() {}
void Wiedo::PtK() {}
void Wiedo::StopI() {}
void Wiedo::tekty_Click() {}

}  // namespace windows
