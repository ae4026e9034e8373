#pragma once
// Printing on the system's default printer (or the one chosen in the printer dialog) with QPrinter.
// Lines run down the page in the current font; a line that would fall off the page starts a new one.
#include "platform/printer.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <memory>

namespace platform {

class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;
    void setFontSize(int points) override;
    void setBold(bool bold) override;
    void print(const QString& text, bool endLine) override;
    void newPage() override;
    void endDoc() override;

    // The one QPrinter of the program, shared with the printer dialog so its choices take effect.
    static QPrinter& sharedPrinter();
    // Test hook: print into a PDF file instead of the printer.
    void setPdfOutput(const QString& path);

private:
    void begin();
    QFont font_;
    std::unique_ptr<QPainter> painter_;
    double x_ = 0;  // position on the line, in device pixels
    double y_ = 0;  // top of the current line
    QString pdfPath_;
};

}  // namespace platform
