#include "ui/fit_text.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <map>

namespace ui {
namespace {

// The files may separate lines with CR LF, CR or LF; a layout breaks only on the line separator.
QString withLineSeparators(QString text) {
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(u'\r', QChar::LineSeparator);
    text.replace(u'\n', QChar::LineSeparator);
    return text;
}

struct Extent {
    int height = 0;
    int widest = 0;
};

// Lays the text out in lines no wider than width, or only on its own line breaks when width < 0.
Extent layOut(QTextLayout& layout, int width, Qt::Alignment alignment) {
    QTextOption option(alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(width < 0 ? QTextOption::NoWrap : QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    qreal widest = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        // A line is laid out only once it has a width; an unwrapped one gets more room than any text needs.
        line.setLineWidth(width >= 0 ? width : 1000000);
        line.setPosition(QPointF(0, y));
        y += line.height();
        widest = std::max(widest, line.naturalTextWidth());
    }
    layout.endLayout();
    return {static_cast<int>(std::ceil(y)), static_cast<int>(std::ceil(widest))};
}

double designedPoints(const QFont& font) {
    return font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
}

QFont atPoints(QFont font, double points) {
    font.setPointSizeF(points);
    return font;
}

// A layout that keeps its shaped text: without that, Qt throws the shaping away at the end of every
// layout and shapes the text again for the next layout and for every paint.
std::unique_ptr<QTextLayout> shapedLayout(const QString& text, const QFont& font) {
    auto layout = std::make_unique<QTextLayout>(text, font);
    layout->setCacheEnabled(true);
    return layout;
}

}  // namespace

Fitted fitText(const QString& text, const QFont& font, const QSize& area, double minimum) {
    const QString shown = withLineSeparators(text);
    const double designed = designedPoints(font);
    const double lowest = std::min(designed, minimum);
    std::vector<double> sizes;  // from the font's own size down to the lowest
    for (double size = designed; size > lowest + 1e-6; size -= 0.5)
        sizes.push_back(size);
    sizes.push_back(lowest);

    // Shaping the text is the cost of a click: each size is shaped at most once and laid out again
    // (unwrapped, then wrapped) without shaping it anew, and a size the text clearly cannot fit at is
    // not shaped at all.
    std::map<double, std::unique_ptr<QTextLayout>> shaped;
    const auto layoutAt = [&](double size) -> QTextLayout& {
        std::unique_ptr<QTextLayout>& layout = shaped[size];
        if (!layout)
            layout = shapedLayout(shown, atPoints(font, size));
        return *layout;
    };
    // Three times more characters, at the font's average width, than the area's whole lines hold: no
    // wrapping of real words makes that fit.
    const auto clearlyTooLong = [&](double size) {
        const QFontMetricsF metrics(atPoints(font, size));
        const double lines = std::floor(area.height() / std::max(1.0, metrics.height()));
        return lines >= 1 && shown.size() * metrics.averageCharWidth() > 3 * lines * area.width();
    };
    Extent asWritten;
    const auto fitsAt = [&](double size, bool wrapped) {
        if (clearlyTooLong(size))
            return false;
        const Extent extent = layOut(layoutAt(size), wrapped ? area.width() : -1, Qt::AlignLeft);
        if (!wrapped && size == designed)
            asWritten = extent;
        return extent.height <= area.height() && extent.widest <= area.width();
    };
    const auto result = [&](double size) {
        std::unique_ptr<QTextLayout> layout = std::move(shaped[size]);
        return Fitted{size, layout ? std::move(layout) : shapedLayout(shown, atPoints(font, size))};
    };

    // First on the lines as written. They shrink with the font, near enough in proportion: when even
    // the lowest size leaves them far too large (a long answer, the usual case), no smaller size is tried.
    if (fitsAt(designed, false))
        return result(designed);
    constexpr double margin = 1.25;
    const double shrink = lowest / designed;
    const bool measured = shaped.count(designed) > 0;
    const bool smallerMayFit = measured ? asWritten.widest * shrink <= area.width() * margin &&
                                              asWritten.height * shrink <= area.height() * margin
                                        : fitsAt(lowest, false);
    if (sizes.size() > 1 && smallerMayFit) {
        for (std::size_t i = 1; i < sizes.size(); ++i)
            if (fitsAt(sizes[i], false))
                return result(sizes[i]);
    }
    // Then wrapped; a text that does not fit even at the lowest size scrolls at it. The cheaper test
    // first: the font's own size when it is shaped already, else the lowest.
    if (measured && fitsAt(designed, true))
        return result(designed);
    if (sizes.size() > 1 && !fitsAt(lowest, true))
        return result(lowest);
    for (std::size_t i = measured ? 1 : 0; i < sizes.size(); ++i)
        if (fitsAt(sizes[i], true))
            return result(sizes[i]);
    return result(lowest);
}

double fittingPointSize(const QString& text, const QFont& font, const QSize& area, double minimum) {
    return fitText(text, font, area, minimum).size;
}

QString withoutMnemonic(const QString& caption, int* underlined) {
    QString shown;
    int marked = -1;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != u'&' && marked < 0)
                marked = static_cast<int>(shown.size());
        }
        shown += caption[i];
    }
    if (underlined)
        *underlined = marked;
    return shown;
}

// ---- FitGroup

void FitGroup::add(TextFit* member) {
    members_.push_back(member);
    last_ = -1;
}

void FitGroup::remove(TextFit* member) {
    std::erase(members_, member);
    last_ = -1;
}

double FitGroup::pointSize() {
    double shared = -1;
    for (TextFit* member : members_) {
        member->ensureOwn();
        shared = shared < 0 ? member->own_ : std::min(shared, member->own_);
    }
    if (shared != last_) {
        // A new text in one member can change the size of all of them.
        last_ = shared;
        for (TextFit* member : members_)
            member->control()->update();
    }
    return shared;
}

// ---- TextFit

TextFit::TextFit(QWidget* control, std::function<QString()> text, std::function<QRect()> area,
                 Qt::Alignment alignment, bool mnemonics)
    : QObject(control), control_(control), text_(std::move(text)), area_(std::move(area)),
      alignment_(alignment), mnemonics_(mnemonics), scrollBar_(new QScrollBar(Qt::Vertical, control)) {
    scrollBar_->setObjectName(QStringLiteral("przewijanie"));
    scrollBar_->setAccessibleName(QStringLiteral("Przewiń tekst"));
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    scrollBar_->setCursor(Qt::ArrowCursor);
    scrollBar_->hide();
    connect(scrollBar_, &QScrollBar::valueChanged, control_, qOverload<>(&QWidget::update));
    control->installEventFilter(this);
}

TextFit::~TextFit() {
    if (group_)
        group_->remove(this);
}

void TextFit::setAlignment(Qt::Alignment alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    control_->update();
}

void TextFit::setGroup(FitGroup* group) {
    if (group_)
        group_->remove(this);
    group_ = group;
    if (group_)
        group_->add(this);
    control_->update();
}

TextFit::Key TextFit::currentKey() const { return {text_(), area_(), control_->font()}; }

QString TextFit::shownText(const QString& text, int* underlined) const {
    return mnemonics_ ? withoutMnemonic(text, underlined) : text;
}

void TextFit::ensureOwn() {
    const Key key = currentKey();
    if (ownValid_ && key == ownKey_)
        return;
    Fitted fitted = fitText(shownText(key.text), key.font, key.area.size());
    own_ = fitted.size;
    ownLayout_ = std::move(fitted.layout);
    ownKey_ = key;
    ownValid_ = true;
}

TextFit::Laid TextFit::layOutText(std::unique_ptr<QTextLayout> layout, const QRect& area) const {
    Laid laid;
    laid.layout = std::move(layout);
    laid.textArea = area;
    Extent extent = layOut(*laid.layout, area.width(), alignment_);
    laid.scrolls = extent.height > area.height();
    if (laid.scrolls) {
        // The bar takes the control's right edge; the text moves out of its way.
        const int barWidth = control_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBar_);
        laid.bar = QRect(control_->width() - barWidth - 2, 2, barWidth, std::max(1, control_->height() - 4));
        laid.textArea.setRight(std::min(laid.textArea.right(), laid.bar.left() - 3));
        extent = layOut(*laid.layout, laid.textArea.width(), alignment_);
        // Whole lines only, so no line shows cut in half: the text may take the control's full height
        // (inside its edge), rounded down to a number of lines.
        laid.line = laid.layout->lineCount() > 0 ? laid.layout->lineAt(0).height() : 1;
        const int top = std::min(laid.textArea.top(), 1);
        const int room = std::max(laid.textArea.bottom(), control_->height() - 2) - top + 1;
        const int lines = std::max(1, static_cast<int>(room / laid.line));
        const int visible = static_cast<int>(std::floor(lines * laid.line));
        laid.textArea.setTop(top + std::max(0, room - visible) / 2);
        laid.textArea.setHeight(visible);
    }
    laid.height = extent.height;
    laid.widest = extent.widest;
    return laid;
}

void TextFit::useLayout(Laid laid, bool sameText) {
    layout_ = std::move(laid.layout);
    textArea_ = laid.textArea;
    scrolls_ = laid.scrolls;
    height_ = laid.height;
    widest_ = laid.widest;
    if (scrolls_) {
        scrollBar_->setGeometry(laid.bar);
        scrollBar_->setRange(0, std::max(0, height_ - textArea_.height()));
        scrollBar_->setPageStep(std::max(1, textArea_.height()));
        scrollBar_->setSingleStep(std::max(1, static_cast<int>(std::round(laid.line))));
        if (!sameText)
            scrollBar_->setValue(0);
    } else {
        scrollBar_->setRange(0, 0);
    }
    scrollBar_->setVisible(scrolls_);
}

void TextFit::ensureLayout() {
    ensureOwn();
    const double size = group_ ? group_->pointSize() : own_;
    const Key key = currentKey();
    if (layout_ && key == layoutKey_ && size == layoutSize_ && alignment_ == layoutAlignment_)
        return;
    const bool sameText = layout_ && key.text == layoutKey_.text;
    layoutKey_ = key;
    layoutSize_ = size;
    layoutAlignment_ = alignment_;

    int underlined = -1;
    const QString text = withLineSeparators(shownText(key.text, &underlined));
    // The fitting already shaped the text at its own size; the usual case lays that out again.
    std::unique_ptr<QTextLayout> layout = ownLayout_ && size == own_ && ownLayout_->text() == text
        ? std::move(ownLayout_)
        : shapedLayout(text, atPoints(key.font, size));
    if (underlined >= 0) {
        QTextLayout::FormatRange range;
        range.start = underlined;
        range.length = 1;
        range.format.setFontUnderline(true);
        layout->setFormats({range});
    }
    useLayout(layOutText(std::move(layout), key.area), sameText);
}

int TextFit::textTop(const QRect& area, int height, bool scrolls, int scrolled) const {
    if (scrolls)
        return area.top() - scrolled;
    if (alignment_ & Qt::AlignVCenter)
        return area.top() + (area.height() - height) / 2;
    if (alignment_ & Qt::AlignBottom)
        return area.top() + area.height() - height;
    return area.top();
}

void TextFit::paint(QPainter& painter, const QColor& colour) {
    ensureLayout();
    painter.save();
    painter.setClipRect(textArea_);
    painter.setPen(colour);
    layout_->draw(&painter, QPointF(textArea_.left(), textTop(textArea_, height_, scrolls_, scrollBar_->value())));
    painter.restore();
}

double TextFit::pointSize() {
    ensureLayout();
    return layoutSize_;
}

double TextFit::ownPointSize() {
    ensureOwn();
    return own_;
}

bool TextFit::scrolls() {
    ensureLayout();
    return scrolls_;
}

QRect TextFit::textArea() {
    ensureLayout();
    return textArea_;
}

int TextFit::textHeight() {
    ensureLayout();
    return height_;
}

int TextFit::widestLine() {
    ensureLayout();
    return widest_;
}

QStringList TextFit::lines() {
    ensureLayout();
    QStringList all;
    const QString text = layout_->text();
    for (int i = 0; i < layout_->lineCount(); ++i) {
        const QTextLine line = layout_->lineAt(i);
        all << text.mid(line.textStart(), line.textLength());
    }
    return all;
}

bool TextFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != control_)
        return false;
    switch (event->type()) {
    case QEvent::Wheel:
        if (!scrolls())
            return false;
        QApplication::sendEvent(scrollBar_, event);
        return true;
    case QEvent::ToolTip: {
        // The control's own tooltip, or the whole text when the control has to scroll it; a long one
        // wraps instead of running off the screen.
        QString tip = control_->toolTip();
        if (tip.isEmpty() && scrolls())
            tip = shownText(text_());
        if (tip.isEmpty())
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        if (tip.size() > 60 && !Qt::mightBeRichText(tip))
            tip = QStringLiteral("<p style=\"white-space:pre-wrap\">") + tip.toHtmlEscaped() + QStringLiteral("</p>");
        QToolTip::showText(help->globalPos(), tip, control_);
        return true;
    }
    case QEvent::FontChange:
    case QEvent::Resize:
        control_->update();
        return false;
    default:
        return false;
    }
}

TextFit* textFitOf(const QWidget* control) {
    // TextFit has no meta-object of its own, so a qobject_cast (findChild) would take any child for one.
    if (control)
        for (QObject* child : control->children())
            if (auto* fit = dynamic_cast<TextFit*>(child))
                return fit;
    return nullptr;
}

}  // namespace ui
