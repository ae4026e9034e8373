#include "platform/print/qt_printer.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPrinterInfo>
#include <algorithm>

namespace platform {

QtPrinter::QtPrinter() {
    font_.setPointSize(12);
    // Letters stay single letters in the PDF's text ("ffl" not one ligature), so a search finds every word.
    font_.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
    // A narrow face where the family has one: fewer questions run onto a second line, so nine fit a page.
    font_.setStretch(QFont::Condensed);
}

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
        // Room around the text on every sheet; the printer dialog can change it.
        printer.setPageMargins(QMarginsF(15, 8, 15, 8), QPageLayout::Millimeter);
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

QPagedPaintDevice& QtPrinter::target() {
    if (pdf_)
        return *pdf_;
    return sharedPrinter();
}

QRectF QtPrinter::pageRect() {
    if (pdf_)
        return pdf_->pageLayout().paintRectPixels(pdf_->resolution());
    return sharedPrinter().pageRect(QPrinter::DevicePixel);
}

void QtPrinter::fail(const FileError& error) {
    failed_ = true;
    failure_ = failureMessage(error);
}

void QtPrinter::begin() {
    if (painter_ || refused_)
        return;
    failed_ = false;
    failure_.clear();
    pages_ = 0;
    if (!outputFile_.isEmpty()) {
        // Only this document goes to the file, laid out on the shared printer's page.
        const QPrinter& p = sharedPrinter();
        try {
            file_ = std::make_unique<NewVersionDevice>(outputFile_);
        } catch (const FileError& error) {
            refused_ = true;
            fail(error);
            return;
        }
        pdf_ = std::make_unique<QPdfWriter>(file_.get());
        pdf_->setResolution(p.resolution());
        pdf_->setPageLayout(p.pageLayout());
        pdf_->setTitle(p.docName());
        pdf_->setCreator(p.creator());
    }
    if (font_.family().isEmpty() || font_.family() != typeface())
        font_.setFamily(typeface());
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&target())) {
        painter_.reset();
        refused_ = true;
        failed_ = true;
        return;
    }
    painter_->setFont(font_);
    x_ = 0;
    y_ = 0;
    lineHeight_ = 0;
    lineStarted_ = false;
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

// How many characters of `text` fit into `room`: up to the last blank that fits, or as many characters as
// fit when a single word is wider than the line; at least one, so every line makes progress.
qsizetype QtPrinter::fittingLength(const QString& text, double room) const {
    const QFontMetricsF metrics(painter_->font(), painter_->device());
    qsizetype low = 0;  // fits
    qsizetype high = text.size();  // does not fit
    while (high - low > 1) {
        const qsizetype middle = (low + high) / 2;
        if (metrics.horizontalAdvance(text.left(middle)) <= room)
            low = middle;
        else
            high = middle;
    }
    const qsizetype blank = text.lastIndexOf(u' ', low);
    if (blank > 0 && low < text.size() && text.at(low) != u' ')
        return blank;
    return std::max<qsizetype>(low, 1);
}

void QtPrinter::print(const QString& text, bool endLine) {
    begin();
    if (!painter_)
        return;
    const QFontMetricsF metrics(painter_->font(), painter_->device());
    // Bold and plain items of one size share the line's baseline.
    QFont plain = painter_->font();
    plain.setBold(false);
    const double ascent = QFontMetricsF(plain, painter_->device()).ascent();
    const QRectF page = pageRect();
    // A text longer than the line goes on below, from where it began (an answer stays under its letter).
    const double indent = x_ < page.width() / 2 ? x_ : 0;
    QString rest = text;
    for (;;) {
        // A line that would fall off the page starts the next one, unless it is the page's first line.
        if (!lineStarted_ && y_ > 0 && y_ + metrics.height() > page.height())
            newPage();
        lineStarted_ = true;
        lineHeight_ = std::max(lineHeight_, metrics.height());
        const double width = metrics.horizontalAdvance(rest);
        if (x_ + width <= page.width() || rest.isEmpty()) {
            if (!rest.isEmpty())
                painter_->drawText(QPointF(x_, y_ + ascent), rest);
            x_ += width;
            break;
        }
        if (x_ > indent && metrics.horizontalAdvance(rest.section(u' ', 0, 0)) > page.width() - x_ &&
            metrics.horizontalAdvance(rest.section(u' ', 0, 0)) <= page.width() - indent) {
            // Not even the first word fits after what the line holds: it starts the next line.
        } else {
            const qsizetype cut = fittingLength(rest, page.width() - x_);
            painter_->drawText(QPointF(x_, y_ + ascent), rest.left(cut));
            rest = rest.mid(cut);
        }
        while (rest.startsWith(u' '))
            rest.remove(0, 1);
        x_ = indent;
        y_ += lineHeight_;
        lineHeight_ = 0;
        lineStarted_ = false;
        if (rest.isEmpty())
            break;
    }
    if (endLine) {
        x_ = 0;
        y_ += lineHeight_;
        lineHeight_ = 0;
        lineStarted_ = false;
    }
}

void QtPrinter::newPage() {
    begin();
    if (!painter_)
        return;
    if (!target().newPage())
        failed_ = true;
    ++pages_;
    x_ = 0;
    y_ = 0;
    lineHeight_ = 0;
    lineStarted_ = false;
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
    if (file_) {
        try {
            if (!failed_)
                file_->finish();
        } catch (const FileError& error) {
            fail(error);
        }
        pdf_.reset();
        file_.reset();  // a new version not put in place is removed
    }
    lastPages_ = pages_;
    refused_ = false;
    outputFile_.clear();
}

}  // namespace platform
