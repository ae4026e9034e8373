#pragma once
// Printing lives in a module of its own, carried inside the executable and loaded the first time the
// program prints or shows the printer dialog: a start that prints nothing never loads Qt's printing
// library. This is what the module gives the program.
#include "platform/printer.h"

class QWidget;

namespace platform {

struct PrintModule {
    Printer* (*makePrinter)();               // the system's printer (owned by the caller)
    bool (*printerDialog)(QWidget* parent);  // the printer dialog; true when the user chose OK
};

}  // namespace platform

// The module's one entry point.
extern "C" const platform::PrintModule* wiedo_print_module();
