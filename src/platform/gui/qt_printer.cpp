#include "platform/gui/qt_printer.h"

#include <QFontMetricsF>

namespace platform {

QtPrinter::QtPrinter() : font_(QStringLiteral("Times New Roman"), 12) {}

QtPrinter::~QtPrinter() {
    if (painter_)
        painter_->end();
}

QPrinter& QtPrinter::sharedPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void QtPrinter::setPdfOutput(const QString& path) { pdfPath_ = path; }

void QtPrinter::begin() {
    if (painter_)
        return;
    QPrinter& p = sharedPrinter();
    if (!pdfPath_.isEmpty()) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdfPath_);
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&p)) {
        painter_.reset();
        return;
    }
    painter_->setFont(font_);
    x_ = 0;
    y_ = 0;
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
    const QRectF page = sharedPrinter().pageRect(QPrinter::DevicePixel);
    if (y_ + metrics.height() > page.height()) {
        newPage();
    }
    painter_->drawText(QPointF(x_, y_ + metrics.ascent()), text);
    x_ += metrics.horizontalAdvance(text);
    if (endLine) {
        x_ = 0;
        y_ += metrics.lineSpacing();
    }
}

void QtPrinter::newPage() {
    begin();
    if (!painter_)
        return;
    sharedPrinter().newPage();
    x_ = 0;
    y_ = 0;
}

void QtPrinter::endDoc() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

}  // namespace platform
