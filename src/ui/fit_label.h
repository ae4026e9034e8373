#pragma once
// A label that fits its plain text into its rectangle the way the main window's buttons do (see
// fit_text.h): smaller steps down to a readable size, wrapped, and scrolled when it still does not fit.
#include "ui/fit_text.h"

#include <QLabel>

namespace ui {

class FitLabel : public QLabel {
public:
    explicit FitLabel(QWidget* parent = nullptr);
    TextFit* fit() const { return fit_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextFit* fit_;
};

}  // namespace ui
