#pragma once
// The printer the print commands write to: font size, bold, items that stay on the line or end it, new
// page, end of document. The program prints with QPrinter; tests record the calls.
#include <QString>

namespace platform {

class Printer {
public:
    virtual ~Printer() = default;
    virtual void setFontSize(int points) = 0;
    virtual void setBold(bool bold) = 0;
    // Prints the text; endLine moves to the start of the next line afterwards.
    virtual void print(const QString& text, bool endLine) = 0;
    virtual void newPage() = 0;
    virtual void endDoc() = 0;

    // False when the system has no printer at all: each document must then be given a file to go to.
    virtual bool hasPrinter() const { return true; }
    // The next document goes into this PDF file instead of the printer; an empty path: the printer again.
    virtual void setOutputFile(const QString& path) { (void)path; }
    // True when the last document could not be started or sent (no printer, or the file refused it).
    virtual bool lastJobFailed() const { return false; }
    // Why the last document's file could not be written, in the user's words (see failureMessage()); empty
    // when it was, or when the printer refused the job without a reason.
    virtual QString lastJobFailure() const { return {}; }
};

Printer& printer();
// Installs another implementation (tests); nullptr goes back to the default one. Not owned.
void setPrinter(Printer* implementation);
// The default implementation (QPrinter, installed by the program's start). Not owned.
void installDefaultPrinter(Printer* implementation);

}  // namespace platform
