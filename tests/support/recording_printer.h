#pragma once
// The test double of the printer: records every call as a line of text.
#include "platform/printer.h"

#include <QStringList>

namespace testsupport {

class RecordingPrinter : public platform::Printer {
public:
    RecordingPrinter() { platform::setPrinter(this); }
    ~RecordingPrinter() override { platform::setPrinter(nullptr); }
    void setFontSize(int points) override { calls << QStringLiteral("size %1").arg(points); }
    void setBold(bool bold) override { calls << (bold ? QStringLiteral("bold") : QStringLiteral("plain")); }
    void print(const QString& text, bool endLine) override {
        calls << (endLine ? QStringLiteral("line [%1]") : QStringLiteral("item [%1]")).arg(text);
    }
    void newPage() override { calls << QStringLiteral("new page"); }
    void endDoc() override { calls << QStringLiteral("end"); }
    QStringList calls;
};

}  // namespace testsupport
