#include "windows/registry.h"

#include "windows/converter/kwz_txt.h"
#include "windows/editor/nowe_wiedo.h"
#include "windows/grade/ocena.h"
#include "windows/info/autor.h"
#include "windows/info/dod.h"
#include "windows/info/inform.h"
#include "windows/info/n_edit.h"
#include "windows/info/oprg.h"
#include "windows/main/wiedo.h"
#include "windows/options/opcje.h"
#include "windows/results/wyniki.h"
#include "windows/scale_editor/punkty.h"
#include "windows/screensaver/ssaver.h"
#include "windows/signin/open_window.h"
#include "windows/temp/temp_window.h"
#include "windows/test_settings/ustawienia_testu.h"
#include "windows/welcome/witaj.h"

namespace windows {

namespace {
template <class T>
void add() {
    ui::forms().registerForm(T::formName, [] { return new T; });
}
}  // namespace

void registerAll() {
    add<TEMP>();
    add<Wiedo>();
    add<Inform>();
    add<Autor_>();
    add<Dod>();
    add<N_edit>();
    add<oPrg>();
    add<Witaj>();
    add<open_>();
    add<Ocena>();
    add<Punkty>();
    add<Opcje_>();
    add<SSaver>();
    add<KWZ_Txt>();
    add<NoweWiedo>();
    add<Wyniki>();
    add<UstawieniaTestu>();
}

}  // namespace windows
