#pragma once
// A button whose caption wraps onto several lines and never loses a word: the main window shows answers
// and hints of any length on buttons, so the caption is fitted (see fit_text.h) instead of cut.
#include "ui/fit_text.h"

#include <QPushButton>

namespace ui {

class WrappingButton : public QPushButton {
public:
    explicit WrappingButton(QWidget* parent = nullptr);
    void setLeftAligned(bool left);
    TextFit* fit() const { return fit_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect captionArea() const;
    TextFit* fit_;
};

}  // namespace ui
