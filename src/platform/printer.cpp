#include "platform/printer.h"

#include <stdexcept>

namespace platform {
namespace {
Printer* current = nullptr;
Printer* fallback = nullptr;
}  // namespace

void installDefaultPrinter(Printer* implementation) { fallback = implementation; }

Printer& printer() {
    if (current)
        return *current;
    if (fallback)
        return *fallback;
    throw std::logic_error("no printer installed");
}

void setPrinter(Printer* implementation) { current = implementation; }

}  // namespace platform
