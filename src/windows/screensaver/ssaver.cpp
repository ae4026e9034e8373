#include "windows/screensaver/ssaver.h"

#include "platform/screen.h"
#include "platform/text.h"
#include "ui/controls.h"
#include "ui/events.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

namespace windows {
namespace {

const char* const leftProperty = "leftTwips";
const char* const topProperty = "topTwips";

void setLeft(QWidget* control, int twips) {
    control->setProperty(leftProperty, twips);
    control->move(platform::toPixels(twips), control->y());
}

void setTop(QWidget* control, int twips) {
    control->setProperty(topProperty, twips);
    control->move(control->x(), platform::toPixels(twips));
}

template <class T>
T* placed(QWidget* parent, const char* name, int left, int top, int width, int height) {
    T* control = ui::make<T>(parent, name, left, top, width, height);
    control->setProperty(leftProperty, left);
    control->setProperty(topProperty, top);
    return control;
}

QLabel* label(QWidget* parent, const char* name, int left, int top, int width, int height, const QString& text,
              const QColor& ink, const QColor& paper) {
    auto* l = placed<QLabel>(parent, name, left, top, width, height);
    l->setText(text);
    l->setAutoFillBackground(true);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, ink);
    palette.setColor(QPalette::Window, paper);
    l->setPalette(palette);
    return l;
}

// A filled rectangle the pointer passes through to the window, as a drawn shape does.
QFrame* shape(QWidget* parent, const char* name, int left, int top, int width, int height, const QColor& fill,
              const QColor& border) {
    auto* s = placed<QFrame>(parent, name, left, top, width, height);
    s->setStyleSheet(QStringLiteral("background: %1; border: 1px solid %2;").arg(fill.name(), border.name()));
    s->setAttribute(Qt::WA_TransparentForMouseEvents);
    return s;
}

int value(const QLabel* caption) { return static_cast<int>(platform::captionValue(caption->text())); }

const QColor grey(192, 192, 192);

}  // namespace

int SSaver::leftOf(const QWidget* control) { return control->property(leftProperty).toInt(); }
int SSaver::topOf(const QWidget* control) { return control->property(topProperty).toInt(); }

SSaver::SSaver() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Screen Saver") + QString(21, u' '));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    // A pointer nobody sees: a fully transparent 32 x 32 image.
    QPixmap invisible(32, 32);
    invisible.fill(Qt::transparent);
    setCursor(QCursor(invisible));
    setMouseTracking(true);

    Label1 = label(this, "Label1", 240, 120, 5655, 255, addressText, Qt::white, Qt::black);
    Label4 = label(this, "Label4", 0, -100, 1935, 375, QStringLiteral("KWIZ v 1.1"), Qt::white, Qt::black);
    ui::setFontFace(Label4, QStringLiteral("Arial"), 14, true);
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setVisible(false);
    // The emblem as it stands before its first step: row 120, inner panel at 840.
    Shape2 = shape(this, "Shape2", 720, 120, 975, 615, grey, grey);
    Shape1 = shape(this, "Shape1", 840, 240, 735, 375, QColor(0, 0, 192), QColor(0, 0, 255));
    Label5 = label(this, "Label5", 840, 735, 735, 135, QString(49, u' ') + QStringLiteral("fdssffdssssssss"),
                   Qt::black, grey);
    Label2 = label(this, "Label2", 600, 855, 1215, 375, QStringLiteral("    Kwiz v 1.1"), Qt::black, grey);
    Label3 = label(this, "Label3", 0, 0, 15, 15, QStringLiteral("120"), Qt::black, Qt::black);
    Label6 = label(this, "Label6", 15, 0, 15, 15, QStringLiteral("0"), Qt::black, Qt::black);
    Label7 = label(this, "Label7", 840, 1560, 255, 255, QStringLiteral("0"), Qt::black, grey);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(80);
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(755);
    ui::on(Timer1, &QTimer::timeout, [this] { Timer1_Timer(); });
    ui::on(Timer3, &QTimer::timeout, [this] { Timer3_Timer(); });
    for (QLabel* moving : {Label1, Label2, Label4, Label5})
        ui::onMouseMove(moving, [this] { MouseMove(QGuiApplication::mouseButtons()); });
}

void SSaver::Form_Load() {
    // The state alone is a request to the window manager; where none runs, the window keeps its own
    // geometry, so it is given the screen's too.
    setGeometry(screen()->geometry());
    setWindowState(Qt::WindowFullScreen);
}

void SSaver::Form_Activate() {
    const QSize screen = platform::screenSizeTwips();
    setLeft(Label4, screen.width() / 2 - platform::toTwips(Label4->width()) / 2);
    setTop(Label4, -100);
    Timer1->start();
    Timer3->start();
}

void SSaver::Timer3_Timer() {
    Timer3->stop();
    Label7->setText(QStringLiteral("1"));
}

void SSaver::Timer1_Timer() {
    const QSize screen = platform::screenSizeTwips();
    const int W = screen.width();
    const int H = screen.height();
    // The falling title, back to the top near the bottom of the screen.
    if (value(Label6) == 1) {
        setTop(Label4, topOf(Label4) + 120);
        if (topOf(Label4) >= H - 500)
            setTop(Label4, 10);
    }
    // The address falls to the bottom, then slides to the centre, where it stays.
    if (topOf(Label1) < H - 250) {
        setTop(Label1, topOf(Label1) + 120);
    } else if (leftOf(Label1) < W / 2 - platform::toTwips(Label1->width()) / 2) {
        setLeft(Label1, leftOf(Label1) + 50);
        Label6->setText(QStringLiteral("1"));
        Label4->setVisible(true);
    }
    // The emblem: one step right, a row down at the right edge, back to the top left after the last row.
    int Y = value(Label3);
    Timer1->setInterval(80);
    int X = leftOf(Shape1) + 1;
    if (Y >= H - 1700 && X >= W - 1200) {
        X = 200;
        Y = 200;
        Label3->setText(QStringLiteral("200"));
    }
    if (X >= W - 1200) {
        X = 200;
        Y += 1300;
        Label3->setText(platform::numberText(Y));
    }
    setTop(Shape1, Y + 120);
    setTop(Shape2, Y);
    setTop(Label5, Y + 615);
    setTop(Label2, Y + 735);
    setLeft(Shape1, X + 120);
    setLeft(Label5, X + 120);
    setLeft(Label2, X - 120);
    setLeft(Shape2, X);
}

void SSaver::MouseMove(Qt::MouseButtons buttons) {
    // A button held ends it at once; plain movement only after the grace time.
    if (buttons != Qt::NoButton)
        KoniecSS();
    if (Label7->text() == QLatin1String("1"))
        KoniecSS();
}

void SSaver::KoniecSS() {
    Label7->setText(QStringLiteral("0"));
    Timer1->stop();
    Timer3->stop();
    Hide();
}

void SSaver::keyPressEvent(QKeyEvent* event) {
    if (event->key() != 0)
        ui::guarded([this] { KoniecSS(); });
}

void SSaver::mouseMoveEvent(QMouseEvent* event) {
    // Moves over the labels of the emblem's state and its shapes reach the window too; only the window's
    // own background and the four moving labels count, as their handlers say.
    const QWidget* under = childAt(event->position().toPoint());
    if (!under || under == Shape1 || under == Shape2)
        ui::guarded([this, buttons = event->buttons()] { MouseMove(buttons); });
}

}  // namespace windows
