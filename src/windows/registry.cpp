#include "windows/registry.h"

#include "windows/info/autor.h"
#include "windows/info/inform.h"
#include "windows/main/wiedo.h"
#include "windows/temp/temp_window.h"
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
    add<Witaj>();
}

}  // namespace windows
