#pragma once
// Loads the printing module carried inside the executable, once, on first use; and the printer the
// program installs at start, which loads the module only when it is first used.
#include "platform/print/print_module.h"

#include <memory>

namespace platform {

// The module, loaded at the first call; nullptr when this program carries none or the system refused to
// load it (why is told on the error stream): then there is no printer and no printer dialog.
const PrintModule* printModule();

class LazyPrinter : public Printer {
public:
    void setFontSize(int points) override;
    void setBold(bool bold) override;
    void print(const QString& text, bool endLine) override;
    void newPage() override;
    void endDoc() override;
    bool hasPrinter() const override;
    void setOutputFile(const QString& path) override;
    bool lastJobFailed() const override;
    QString lastJobFailure() const override;

private:
    Printer* real() const;  // nullptr without the module
    mutable std::unique_ptr<Printer> real_;
    mutable bool tried_ = false;
};

}  // namespace platform
