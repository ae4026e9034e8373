#include "windows/signin/enable_main.h"

#include "ui/form.h"
#include "windows/main/wiedo.h"

namespace windows {

void EnableMain() {
    Wiedo& main = ui::forms().get<Wiedo>();
    for (QAction* command : {main.drukuj, main.ustdr, main.druKPod, main.drukKarO, main.DrukWsz})
        command->setEnabled(true);
    for (QWidget* control : std::initializer_list<QWidget*>{
             main.Command1, main.Label19, main.Label20, main.Label21, main.Label1, main.Label3, main.Label4,
             main.Label5,   main.Label6,  main.Label7,  main.Label8,  main.Label9, main.Label10, main.Label11,
             main.Label12,  main.Label13, main.Label14, main.Label15, main.Label16, main.Check1, main.Check2,
             main.Check3,   main.Check4,  main.Check5})
        control->setEnabled(true);
}

}  // namespace windows
