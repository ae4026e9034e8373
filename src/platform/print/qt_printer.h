#pragma once
// Printing on the system's default printer (or the one chosen in the printer dialog) with QPrinter, or
// into a PDF file when a document is given one: the PDF is written as a new version of the file, with the
// shared printer's page and resolution, and put in place only when the whole document was written. Lines run down the page in the current font; a line that
// would fall off the page starts a new one, and a text wider than the page goes on on the next line. The
// text stays text in a PDF, so it can be searched and copied.
#include "platform/new_version_device.h"
#include "platform/printer.h"

#include <QFont>
#include <QPainter>
#include <QPdfWriter>
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
    bool hasPrinter() const override;
    void setOutputFile(const QString& path) override;
    bool lastJobFailed() const override { return failed_; }
    QString lastJobFailure() const override { return failure_; }

    // The one QPrinter of the program, shared with the printer dialog so its choices take effect.
    static QPrinter& sharedPrinter();
    // Pages of the last document sent.
    int pagesOfLastJob() const { return lastPages_; }
    // A typeface that holds every Polish letter: the usual printer face when the system has it.
    static QString typeface();

private:
    void begin();
    void fail(const FileError& error);
    QPagedPaintDevice& target();
    QRectF pageRect();
    qsizetype fittingLength(const QString& text, double room) const;
    QFont font_;
    std::unique_ptr<QPainter> painter_;
    bool refused_ = false;  // this document could not be started; the rest of it is passed over
    bool failed_ = false;
    QString failure_;       // why the last document's file could not be written
    double x_ = 0;          // position on the line, in device pixels
    double y_ = 0;          // top of the current line
    double lineHeight_ = 0; // tallest item on the current line
    bool lineStarted_ = false;
    int pages_ = 0;
    int lastPages_ = 0;
    QString outputFile_;
    // A document that goes to a file: the file's new version and the PDF writer on it.
    std::unique_ptr<NewVersionDevice> file_;
    std::unique_ptr<QPdfWriter> pdf_;
};

}  // namespace platform
