#include "windows/main/wiedo.h"

#include "platform/filetable.h"
#include "ui/teacher_gate.h"
#include "windows/editor/nowe_wiedo.h"
#include "windows/options/opcje.h"
#include "windows/results/wyniki.h"
#include "windows/scale_editor/punkty.h"
#include "windows/temp/temp_window.h"
#include "windows/test_settings/ustawienia_testu.h"

namespace windows {

namespace {

QString programFolder() { return ui::forms().get<TEMP>().Text1->text(); }

}  // namespace

void Wiedo::Punktacja_Click() {
    platform::closeEveryFile();
    auto& editor = ui::forms().get<Punkty>();
    editor.folder = programFolder();
    editor.ShowModal();
}

void Wiedo::opcje_Click() {
    platform::closeEveryFile();
    QString stored;
    if (ui::askTeacherPassword(programFolder(), ui::optionsQuestion(), &stored) != ui::GateAnswer::Open)
        return;
    auto& options = ui::forms().get<Opcje_>();
    options.Text1->setText(stored);
    options.Show();
}

void Wiedo::edytujwiedo_Click() {
    // The editor shows every set's key: with a password stored, only the teacher opens it.
    if (ui::askTeacherPassword(programFolder(), ui::optionsQuestion()) != ui::GateAnswer::Open)
        return;
    ui::forms().get<NoweWiedo>().ShowModal();
}

void Wiedo::wynikiAnaliza_Click() {
    // The analysis names each question's key and opens the editor: behind the same gate as the editor.
    if (ui::askTeacherPassword(programFolder(), ui::optionsQuestion()) != ui::GateAnswer::Open)
        return;
    auto& results = ui::forms().get<Wyniki>();
    results.reload();
    results.Show();
}

void Wiedo::ustawieniaTestu_Click() {
    // A student must not lift the time limit of the test about to be taken.
    if (ui::askTeacherPassword(programFolder(), ui::optionsQuestion()) != ui::GateAnswer::Open)
        return;
    ui::forms().get<UstawieniaTestu>().ShowModal();
}

bool Wiedo::keyPrintAllowed() {
    return ui::askTeacherPassword(programFolder(), ui::optionsQuestion()) == ui::GateAnswer::Open;
}

}  // namespace windows
