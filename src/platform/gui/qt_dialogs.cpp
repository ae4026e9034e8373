#include "platform/gui/qt_dialogs.h"

#include "platform/print/qt_printer.h"
#include "platform/paths.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTreeView>
#include <algorithm>

namespace platform {
namespace {

QWidget* parentWindow() { return QApplication::activeWindow(); }

// The program separates the lines of a prompt with a carriage return alone, which Qt does not break on.
QString shownLines(QString prompt) {
    prompt.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    prompt.replace(u'\r', u'\n');
    return prompt;
}

QString startFolder(const QString& initialFolder) {
    const auto native = resolvePath(initialFolder);
    return native ? *native : QString();
}

// Room for the frame's buttons (close, sometimes help or minimise) and the edges beside the title.
constexpr int titleBarRoom = 120;

}  // namespace

int minimumWidthForTitle(const QString& title, const QFont& titleFont) {
    return QFontMetrics(titleFont).horizontalAdvance(title) + titleBarRoom;
}

QFont titleBarFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    return font;
}

namespace {

// Both boxes size themselves from their layout and override a minimum width, but a spacer across the
// layout widens them. Added last: a message box builds its layout anew when its icon is set.
void wideEnoughForTitle(QDialog& dialog, const QString& title) {
    int width = minimumWidthForTitle(title, titleBarFont());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    auto* spacer = new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addItem(spacer, grid->rowCount(), 0, 1, grid->columnCount());
    else if (dialog.layout())
        dialog.layout()->addItem(spacer);
    else
        delete spacer;
}

}  // namespace

QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        QString patterns = parts.at(i + 1);
        patterns.replace(u';', u' ');
        // Qt takes the patterns from the last parentheses; a description that already ends with them
        // ("... ( *.kwz )") is shown as it stands.
        if (description.endsWith(u')') && description.contains(u'(') &&
            description.mid(description.lastIndexOf(u'(')).contains(patterns.trimmed()))
            entries << description;
        else
            entries << description + QStringLiteral(" (") + patterns + u')';
    }
    return entries.join(QStringLiteral(";;"));
}

Answer QtDialogs::messageBox(const MessageBoxRequest& request) {
    QMessageBox box(parentWindow());
    box.setWindowTitle(request.title);
    box.setText(shownLines(request.prompt));
    switch (request.icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    }
    if (request.buttons != Buttons::Ok) {
        box.addButton(QStringLiteral("&Tak"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Nie"), QMessageBox::NoRole);
        box.setEscapeButton(no);
        if (request.buttons == Buttons::YesNoCancel)
            box.setEscapeButton(box.addButton(QStringLiteral("Anuluj"), QMessageBox::RejectRole));
        wideEnoughForTitle(box, request.title);
        box.exec();
        switch (box.buttonRole(box.clickedButton())) {
        case QMessageBox::YesRole: return Answer::Yes;
        case QMessageBox::NoRole: return Answer::No;
        default: return Answer::Cancel;
        }
    }
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    wideEnoughForTitle(box, request.title);
    box.exec();
    return Answer::Ok;
}

std::optional<QString> QtDialogs::inputBox(const QString& prompt, const QString& title,
                                           const QString& defaultText, Echo echo) {
    QInputDialog dialog(parentWindow());
    if (echo == Echo::Hidden)
        dialog.setTextEchoMode(QLineEdit::Password);
    dialog.setWindowTitle(title);
    dialog.setLabelText(shownLines(prompt));
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Anuluj"));
    wideEnoughForTitle(dialog, title);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

namespace {

// Qt's own dialog, wide enough that the list's columns (name, size, kind, date) show whole.
std::optional<QString> runFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QString start = startFolder(request.initialFolder);
    if (mode == QFileDialog::AcceptSave && !request.fileName.isEmpty())
        start = withTrailingSeparator(start) + request.fileName;
    QFileDialog dialog(parentWindow(), request.title, start, qtFilter(request.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.resize(780, 460);
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

}  // namespace

std::optional<QString> QtDialogs::openFile(const FileDialogRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::saveFile(const FileDialogRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptSave);
}

bool QtDialogs::printerDialog() {
    QPrintDialog dialog(&QtPrinter::sharedPrinter(), parentWindow());
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::beep() { QApplication::beep(); }

}  // namespace platform
