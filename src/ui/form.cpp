#include "ui/form.h"

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "platform/screen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ui {
namespace {

// Brings the window to the front and gives it the keyboard; a headless platform has no front.
void bringToFront(QWidget& window) {
    static const bool headless = QGuiApplication::platformName() == QLatin1String("offscreen");
    if (!headless)
        window.raise();
    window.activateWindow();
}

// Row y of the image, from its left edge across width pixels (at most the image's), in rows[y].
void fillImageRows(QImage& image, const std::vector<QRgb>& rows, int width) {
    width = std::min(width, image.width());
    for (int y = 0; y < std::min(static_cast<int>(rows.size()), image.height()); ++y)
        std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), width, rows[y]);
}

// With WIEDO_TRACE_WINDOWS set, every showing of a window is told on the error stream.
void trace(const Form& form) {
    static const bool enabled = qEnvironmentVariableIsSet("WIEDO_TRACE_WINDOWS");
    if (enabled)
        std::fprintf(stderr, "shown %s\n", qPrintable(form.name()));
}

// With WIEDO_QUIT_WHEN_PAINTED naming a window, the program ends as soon as that window has been painted
// the first time: the benchmark times whole start-ups by it. Nothing happens without the variable.
class QuitWhenPainted : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            // Posted, so the paint and the flush that follows it end first.
            QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool quitting_ = false;
};

void quitWhenPaintedIfAsked(Form& form) {
    static const QString wanted = qEnvironmentVariable("WIEDO_QUIT_WHEN_PAINTED");
    static bool installed = false;  // the first showing only
    if (!installed && !wanted.isEmpty() && wanted == form.name()) {
        installed = true;
        form.installEventFilter(new QuitWhenPainted(&form));
    }
}

// The focus ring: two pixels wide, in black or white, whichever stands out more against the background.
constexpr int ringWidth = 2;

double luminance(const QColor& colour) {
    const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

QColor contrastingInk(const QColor& background) {
    const double l = luminance(background);
    return (l + 0.05) / 0.05 >= 1.05 / (l + 0.05) ? QColor(Qt::black) : QColor(Qt::white);
}

// What the title bar and borders of a window take from its outer size, in pixels.
constexpr int frameWidthPixels = 8;
constexpr int frameHeightPixels = 27;

}  // namespace

// ---- Form ----------------------------------------------------------------------------------------

Form::Form(const QString& name) : QWidget(nullptr, Qt::Window) {
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
    Runtime::instance().created(this);
    connect(qApp, &QApplication::focusChanged, this, &Form::focusMoved);
}

Form::~Form() {
    // The controls go after this destructor, and the focus leaving them must not reach a window half gone.
    disconnect(qApp, &QApplication::focusChanged, this, &Form::focusMoved);
    Runtime::instance().destroyed(this);
}

void Form::Show() {
    Runtime& runtime = Runtime::instance();
    trace(*this);
    quitWhenPaintedIfAsked(*this);
    // A window already on screen is only brought to the front: it keeps what the user typed into it.
    const bool alreadyShown = isVisible();
    setVisible(true);
    bringToFront(*this);
    if (alreadyShown)
        runtime.active_ = this;
    else
        runtime.activate(this);
}

void Form::ShowModal() {
    Runtime& runtime = Runtime::instance();
    if (modalLoop_)
        return;
    QPointer<Form> self(this);
    // The window the user was in opened this one; the runtime's own record may be older than a click
    // on another window.
    QPointer<Form> opener = runtime.active_;
    if (auto* focused = qobject_cast<Form*>(QApplication::activeWindow()); focused && focused != this)
        opener = focused;
    QEventLoop loop;
    modalLoop_ = &loop;
    setWindowModality(Qt::ApplicationModal);
    trace(*this);
    setVisible(true);
    bringToFront(*this);
    try {
        runtime.activate(this);
        // The window may have closed itself while becoming active (a refused password, for instance).
        if (self && isVisible() && !runtime.ended_)
            runtime.runModal(*this);
    } catch (...) {
        if (self) {
            modalLoop_ = nullptr;
            setWindowModality(Qt::NonModal);
        }
        throw;
    }
    if (self) {
        modalLoop_ = nullptr;
        setVisible(false);
        setWindowModality(Qt::NonModal);
    }
    if (runtime.ended_)
        throw ProgramEnded{};
    // The window that opened the modal one becomes active again.
    if (opener && opener->isVisible()) {
        runtime.active_ = nullptr;
        runtime.activate(opener);
    }
}

void Form::Hide() {
    setVisible(false);
    if (modalLoop_)
        modalLoop_->quit();
    Runtime& runtime = Runtime::instance();
    if (runtime.active_ == this)
        runtime.active_ = nullptr;
}

void Form::setOuterSizeTwips(int width, int height) {
    resize(std::max(1, platform::toPixels(width) - frameWidthPixels),
           std::max(1, platform::toPixels(height) - frameHeightPixels));
}

int Form::widthTwips() const { return platform::toTwips(width() + frameWidthPixels); }
int Form::heightTwips() const { return platform::toTwips(height() + frameHeightPixels); }
int Form::innerWidthTwips() const { return platform::toTwips(width()); }
int Form::innerHeightTwips() const { return platform::toTwips(height()); }
void Form::setLeftTwips(int left) { move(platform::toPixels(left), pos().y()); }
void Form::setTopTwips(int top) { move(pos().x(), platform::toPixels(top)); }
int Form::leftTwips() const { return platform::toTwips(pos().x()); }
int Form::topTwips() const { return platform::toTwips(pos().y()); }

void Form::centre() {
    const QSize screen = platform::screenSizeTwips();
    const double left = (screen.width() - widthTwips()) / 2.0;
    const double top = (screen.height() - heightTwips()) / 2.0;
    move(platform::toPixels(static_cast<int>(left)), platform::toPixels(static_cast<int>(top)));
}

QImage& Form::persistentImage() {
    if (image_.size() != size()) {
        QImage grown(size(), QImage::Format_RGB32);
        grown.fill(palette().color(QPalette::Window));
        if (!image_.isNull()) {
            QPainter painter(&grown);
            painter.drawImage(0, 0, image_);
        }
        image_ = grown;
    }
    if (!rows_.empty()) {
        fillImageRows(image_, rows_, rowsWidth_);
        rows_.clear();
    }
    return image_;
}

void Form::fillRows(const std::vector<QRgb>& rows) {
    if (image_.isNull() && (rows_.empty() || rowsWidth_ == width())) {
        if (rows_.size() < rows.size())
            rows_.resize(rows.size());
        std::copy(rows.begin(), rows.end(), rows_.begin());
        rowsWidth_ = width();
    } else {
        QImage& image = persistentImage();
        fillImageRows(image, rows, image.width());
    }
    update();
}

QColor Form::backgroundAt(QPoint point) const {
    if (!image_.isNull())
        return image_.valid(point) ? image_.pixelColor(point) : QColor();
    if (point.y() >= 0 && point.y() < static_cast<int>(rows_.size()) && point.x() >= 0 && point.x() < rowsWidth_)
        return QColor(rows_[point.y()]);
    return QColor();
}

QRect Form::focusRing(const QWidget* control) const {
    const QRect area(control->mapTo(this, QPoint(0, 0)), control->size());
    return area.adjusted(-ringWidth, -ringWidth, ringWidth, ringWidth);
}

void Form::focusMoved(QWidget*, QWidget* to) {
    // Only a painted background needs the ring: elsewhere the style's own focus marks show well enough.
    const bool painted = !image_.isNull() || !rows_.empty();
    if (ringed_) {
        ringed_->removeEventFilter(this);
        update(focusRing(ringed_));
    }
    ringed_ = painted && to && to != this && to->window() == this ? to : nullptr;
    if (ringed_) {
        ringed_->installEventFilter(this);  // the ring follows the control when it moves or hides
        update(focusRing(ringed_));
    }
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ringed_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                               event->type() == QEvent::Hide || event->type() == QEvent::Show))
        update();
    return QWidget::eventFilter(watched, event);
}

void Form::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!image_.isNull()) {
        painter.drawImage(0, 0, image_);
    } else if (!rows_.empty()) {
        // One rectangle for each run of rows of one colour, only where the window is repainted.
        const QRect area = event->rect();
        const int end = std::min(static_cast<int>(rows_.size()), area.bottom() + 1);
        for (int y = std::max(0, area.top()); y < end;) {
            int next = y + 1;
            while (next < end && rows_[next] == rows_[y])
                ++next;
            painter.fillRect(QRect(0, y, rowsWidth_, next - y), QColor(rows_[y]));
            y = next;
        }
    }
    if (ringed_ && ringed_->isVisible())
        paintFocusRing(painter, focusRing(ringed_));
}

void Form::paintFocusRing(QPainter& painter, const QRect& ring) const {
    painter.setClipRegion(QRegion(ring) - QRegion(ring.adjusted(ringWidth, ringWidth, -ringWidth, -ringWidth)));
    // Row by row, since the bands change colour down the window: each row stands out against its own band.
    for (int y = ring.top(); y <= ring.bottom(); ++y) {
        const QColor under = backgroundAt(QPoint(std::clamp(ring.left(), 0, std::max(0, width() - 1)), y));
        painter.fillRect(QRect(ring.left(), y, ring.width(), 1),
                         contrastingInk(under.isValid() ? under : palette().color(QPalette::Window)));
    }
}

void Form::closeEvent(QCloseEvent* event) {
    // The title bar's close box unloads the window the way the program's own Unload does.
    event->ignore();
    guarded([this] { closeBoxClicked(); });
}

void Form::closeBoxClicked() { Runtime::instance().unload(*this); }

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    guarded([this] { Form_Resize(); });
}

void Form::keyPressEvent(QKeyEvent* event) {
    QAbstractButton* target = nullptr;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && defaultButton_) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        target = focused && focused->isEnabled() ? focused : defaultButton_.data();
    } else if (plain && event->key() == Qt::Key_Escape) {
        target = cancelButton_;
    }
    if (target && target->isEnabled() && target->isVisible()) {
        event->accept();
        target->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange)
        isMinimizedState_ = windowState().testFlag(Qt::WindowMinimized);
    QWidget::changeEvent(event);
}

// ---- Runtime -------------------------------------------------------------------------------------

Runtime& Runtime::instance() {
    static Runtime runtime;
    return runtime;
}

void Runtime::registerForm(const QString& name, Factory factory) { factories_[name] = std::move(factory); }

Form* Runtime::findLoaded(const QString& name) const {
    const auto found = loaded_.find(name);
    return found == loaded_.end() ? nullptr : found->second.data();
}

Form& Runtime::byName(const QString& name) {
    if (Form* form = findLoaded(name))
        return *form;
    const auto factory = factories_.find(name);
    if (factory == factories_.end())
        throw std::logic_error("no window named " + name.toStdString());
    Form* form = factory->second();
    loaded_[name] = form;
    form->Form_Load();
    return *form;
}

void Runtime::created(Form*) {}

void Runtime::destroyed(Form* form) {
    for (auto it = loaded_.begin(); it != loaded_.end(); ++it) {
        if (it->second == form || it->second.isNull()) {
            loaded_.erase(it);
            break;
        }
    }
}

void Runtime::activate(Form* form) {
    if (active_ == form)
        return;
    active_ = form;
    form->Form_Activate();
}

bool Runtime::unload(Form& form) {
    if (form.unloading_)
        return true;
    bool cancel = false;
    form.Form_Unload(cancel);
    if (cancel)
        return false;
    form.unloading_ = true;
    form.Hide();
    const auto found = loaded_.find(form.name());
    if (found != loaded_.end() && found->second == &form)
        loaded_.erase(found);
    form.deleteLater();
    return true;
}

bool Runtime::unload(const QString& name) {
    Form* form = findLoaded(name);
    return form ? unload(*form) : true;
}

void Runtime::endProgram() {
    ended_ = true;
    try {
        platform::files().closeAll();
    } catch (...) {
        platform::files().abandonAll();
    }
    for (Form* form : loadedForms()) {
        if (form->modalLoop_)
            form->modalLoop_->quit();
        form->setVisible(false);
    }
    active_ = nullptr;
    if (quitHandler_)
        quitHandler_();
    throw ProgramEnded{};
}

std::vector<Form*> Runtime::loadedForms() const {
    std::vector<Form*> result;
    for (const auto& [name, form] : loaded_)
        if (form)
            result.push_back(form.data());
    return result;
}

std::vector<Form*> Runtime::visibleForms() const {
    std::vector<Form*> result;
    for (Form* form : loadedForms())
        if (form->isVisible())
            result.push_back(form);
    return result;
}

void Runtime::queueModalScript(const QString& formName, ModalScript script) {
    scripts_.emplace_back(formName, std::move(script));
}

QStringList Runtime::takeFailures() {
    QStringList result = failures_;
    failures_.clear();
    return result;
}

void Runtime::runModal(Form& form) {
    if (scripts_.empty() && !requireScripts_) {
        form.modalLoop_->exec();
        return;
    }
    if (scripts_.empty()) {
        recordFailure(QStringLiteral("unexpected modal showing of %1").arg(form.name()));
        return;
    }
    auto [expected, script] = std::move(scripts_.front());
    scripts_.erase(scripts_.begin());
    if (expected != form.name()) {
        recordFailure(QStringLiteral("expected a modal showing of %1, saw %2").arg(expected, form.name()));
        return;
    }
    QPointer<Form> self(&form);
    script(form);
    if (self && self->isVisible() && !ended_)
        recordFailure(QStringLiteral("the script left %1 open").arg(form.name()));
}

void Runtime::reset() {
    for (Form* form : loadedForms())
        delete form;
    loaded_.clear();
    active_ = nullptr;
    ended_ = false;
    scripts_.clear();
}

// ---- guarded -------------------------------------------------------------------------------------

void guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const ProgramEnded&) {
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wiedo: unhandled failure: %s\n", e.what());
        try {
            platform::msgBox(QStringLiteral("Wystąpił nieznany błąd w programie"), platform::Buttons::Ok,
                             platform::Icon::Exclamation, QStringLiteral("Błąd"));
        } catch (...) {
        }
    }
}

}  // namespace ui
