#pragma once
// A button whose caption wraps onto several lines and is cut with "..." when it still does not fit: the
// main window shows answers and hints of any length on buttons.
#include <QPushButton>

namespace ui {

class WrappingButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    void setLeftAligned(bool left) { leftAligned_ = left; update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool leftAligned_ = false;
};

}  // namespace ui
