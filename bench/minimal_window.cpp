// The least a Qt Widgets program with text does: one window with one label, ended as soon as it has been
// painted. The start-up figure sets the whole WIEDO process against this one.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace {

class QuitWhenPainted : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            // Posted, as the program's own hook does, so the paint and its flush end first.
            QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool quitting_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(496, 312);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Zasady gry są proste"), &window));
    QuitWhenPainted quit;
    window.installEventFilter(&quit);
    window.show();
    return app.exec();
}
