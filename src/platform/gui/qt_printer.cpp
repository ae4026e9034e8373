#include "platform/gui/qt_printer.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPrinterInfo>
#include <algorithm>

namespace platform {

QtPrinter::QtPrinter() { font_.setPointSize(12); }

QtPrinter::~QtPrinter() {
    if (painter_)
        painter_->end();
}

QString QtPrinter::typeface() {
    const QStringList installed = QFontDatabase::families();
    for (const char* family : {"Times New Roman", "DejaVu Serif", "Liberation Serif", "DejaVu Sans"})
        if (installed.contains(QLatin1String(family)))
            return QLatin1String(family);
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QPrinter& QtPrinter::sharedPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    static const bool chosen = [] {
        const QPrinterInfo system = QPrinterInfo::defaultPrinter();
        if (!system.isNull())
            printer.setPrinterName(system.printerName());
        return true;
    }();
    (void)chosen;
    return printer;
}

bool QtPrinter::hasPrinter() const { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

void QtPrinter::setOutputFile(const QString& path) { outputFile_ = path; }

void QtPrinter::begin() {
    if (painter_ || refused_)
        return;
    failed_ = false;
    pages_ = 0;
    QPrinter& p = sharedPrinter();
    if (!outputFile_.isEmpty()) {
        // Only this document goes to the file; the printer's own settings come back afterwards.
        savedFormat_ = p.outputFormat();
        savedFileName_ = p.outputFileName();
        switched_ = true;
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(outputFile_);
    }
    if (font_.family().isEmpty() || font_.family() != typeface())
        font_.setFamily(typeface());
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&p)) {
        painter_.reset();
        refused_ = true;
        failed_ = true;
        return;
    }
    painter_->setFont(font_);
    x_ = 0;
    y_ = 0;
    lineHeight_ = 0;
    pages_ = 1;
}

void QtPrinter::setFontSize(int points) {
    font_.setPointSize(points > 0 ? points : 1);
    if (painter_)
        painter_->setFont(font_);
}

void QtPrinter::setBold(bool bold) {
    font_.setBold(bold);
    if (painter_)
        painter_->setFont(font_);
}

void QtPrinter::print(const QString& text, bool endLine) {
    begin();
    if (!painter_)
        return;
    const QFontMetricsF metrics(painter_->font(), painter_->device());
    const double pageHeight = sharedPrinter().pageRect(QPrinter::DevicePixel).height();
    // A line that would fall off the page starts the next one, unless it is the page's first line.
    if (x_ == 0 && y_ > 0 && y_ + metrics.height() > pageHeight)
        newPage();
    if (!text.isEmpty())
        painter_->drawText(QPointF(x_, y_ + metrics.ascent()), text);
    x_ += metrics.horizontalAdvance(text);
    lineHeight_ = std::max(lineHeight_, metrics.lineSpacing());
    if (endLine) {
        x_ = 0;
        y_ += lineHeight_;
        lineHeight_ = 0;
    }
}

void QtPrinter::newPage() {
    begin();
    if (!painter_)
        return;
    if (!sharedPrinter().newPage())
        failed_ = true;
    ++pages_;
    x_ = 0;
    y_ = 0;
    lineHeight_ = 0;
}

void QtPrinter::endDoc() {
    // A document with nothing printed still gives its file, so the file the user is told of is there.
    if (!painter_ && !refused_ && !outputFile_.isEmpty())
        begin();
    if (!painter_ && !refused_)
        failed_ = false;
    if (painter_) {
        if (!painter_->end())
            failed_ = true;
        painter_.reset();
    }
    if (switched_) {
        QPrinter& p = sharedPrinter();
        p.setOutputFileName(savedFileName_);
        p.setOutputFormat(savedFormat_);
        switched_ = false;
    }
    lastPages_ = pages_;
    refused_ = false;
    outputFile_.clear();
}

}  // namespace platform
