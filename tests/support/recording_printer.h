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
    bool hasPrinter() const override { return printerPresent; }
    void setOutputFile(const QString& path) override { calls << QStringLiteral("file [%1]").arg(path); }
    bool lastJobFailed() const override { return jobsFail; }

    // The printed lines: the items of a line joined, one entry per ended line.
    QStringList lines() const {
        QStringList out;
        QString current;
        for (const QString& call : calls) {
            if (call.startsWith(QLatin1String("item [")))
                current += call.mid(6).chopped(1);
            else if (call.startsWith(QLatin1String("line ["))) {
                out << current + call.mid(6).chopped(1);
                current.clear();
            }
        }
        return out;
    }
    int count(const QString& call) const { return static_cast<int>(calls.count(call)); }

    QStringList calls;
    bool printerPresent = true;  // false: a system without a printer
    bool jobsFail = false;       // every document is refused
};

}  // namespace testsupport
