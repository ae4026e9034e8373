// The entry point of the printing module.
#include "platform/print/print_module.h"

#include "platform/print/qt_printer.h"

#include <QPrintDialog>

extern "C" Q_DECL_EXPORT const platform::PrintModule* wiedo_print_module() {
    static const platform::PrintModule module{
        []() -> platform::Printer* { return new platform::QtPrinter; },
        [](QWidget* parent) {
            QPrintDialog dialog(&platform::QtPrinter::sharedPrinter(), parent);
            return dialog.exec() == QDialog::Accepted;
        }};
    return &module;
}
