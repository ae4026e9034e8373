#pragma once
// Fitting a text into a control without losing any of it. The control's own font while the text fits;
// otherwise smaller steps down to a readable minimum, first on the lines as written, then wrapped (inside
// a word too when one word is wider than the control); when even that cannot hold it, the control gets a
// scroll bar and its tooltip shows the whole text. Nothing is ever cut or shortened with "...".
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QScrollBar;
class QTextLayout;
class QWidget;

namespace ui {

// Below this a student can no longer read a question at a glance; a smaller designed font stays as it is.
inline constexpr double minimumReadablePoints = 9;

// The largest point size, from the font's own down to the minimum in half points, at which the text fits
// the area: first without any wrapping of its own, then wrapped. The minimum (or the font's own size when
// that is smaller) when it does not fit even then.
double fittingPointSize(const QString& text, const QFont& font, const QSize& area,
                        double minimum = minimumReadablePoints);

// The fitting size together with the text shaped at it, ready to be laid out without shaping it again.
struct Fitted {
    double size;
    std::unique_ptr<QTextLayout> layout;
};
Fitted fitText(const QString& text, const QFont& font, const QSize& area, double minimum = minimumReadablePoints);

// A caption's "&x" underlines x and "&&" is a plain "&"; the text as shown, with the underlined index.
QString withoutMnemonic(const QString& caption, int* underlined = nullptr);

class TextFit;

// Controls that show one point size, the largest every one of them fits (the five answers of a question).
class FitGroup : public QObject {
public:
    using QObject::QObject;
    void add(TextFit* member);
    void remove(TextFit* member);
    double pointSize();

private:
    std::vector<TextFit*> members_;
    double last_ = -1;
};

// Attached to one control, whose paint event calls paint(). The control tells its text and the rectangle
// the text may take; the font is the control's own.
class TextFit : public QObject {
public:
    TextFit(QWidget* control, std::function<QString()> text, std::function<QRect()> area,
            Qt::Alignment alignment, bool mnemonics = false);
    ~TextFit() override;

    void setAlignment(Qt::Alignment alignment);
    void setGroup(FitGroup* group);
    FitGroup* group() const { return group_; }
    void paint(QPainter& painter, const QColor& colour);

    // What the control shows now.
    double pointSize();         // shared with the group, if any
    double ownPointSize();      // what this text alone would get
    bool scrolls();
    QScrollBar* scrollBar() const { return scrollBar_; }
    QRect textArea();           // the area the text is laid out in (narrower by the scroll bar)
    int textHeight();           // of all the laid-out lines
    int widestLine();
    QStringList lines();        // the laid-out lines, together the whole text

    QWidget* control() const { return control_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Key {
        QString text;
        QRect area;
        QFont font;
        bool operator==(const Key&) const = default;
    };
    // The text laid out in the control: the area it takes (narrower by the scroll bar when it scrolls), the
    // extent of its lines, and the scroll bar's place.
    struct Laid {
        std::unique_ptr<QTextLayout> layout;
        QRect textArea;
        int height = 0;
        int widest = 0;
        bool scrolls = false;
        QRect bar;
        qreal line = 1;
    };
    Laid layOutText(std::unique_ptr<QTextLayout> layout, const QRect& area) const;
    void useLayout(Laid laid, bool sameText);
    int textTop(const QRect& area, int height, bool scrolls, int scrolled) const;
    Key currentKey() const;
    void ensureOwn();
    void ensureLayout();
    // The text as shown: without the "&" of a mnemonic, whose letter is then underlined.
    QString shownText(const QString& text, int* underlined = nullptr) const;

    QWidget* control_;
    std::function<QString()> text_;
    std::function<QRect()> area_;
    Qt::Alignment alignment_;
    bool mnemonics_;
    QPointer<FitGroup> group_;
    QScrollBar* scrollBar_;

    Key ownKey_;
    bool ownValid_ = false;
    double own_ = 0;
    std::unique_ptr<QTextLayout> ownLayout_;  // shaped by the fitting, taken by the next layout
    Key layoutKey_;
    double layoutSize_ = -1;
    Qt::Alignment layoutAlignment_;
    std::unique_ptr<QTextLayout> layout_;
    QRect textArea_;
    int height_ = 0;
    int widest_ = 0;
    bool scrolls_ = false;

    friend class FitGroup;
};

// The fitting helper of a control, or none.
TextFit* textFitOf(const QWidget* control);

}  // namespace ui
