#include "ui/folder_lists.h"

#include "platform/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

namespace ui {
namespace {

constexpr int folderRole = Qt::UserRole;

bool isDriveLetter(QChar c) { return c.isLetter() && c.unicode() < 128; }

QString cleanNative(const QString& path) { return QDir::cleanPath(path); }

// True when folder is root itself or lies below it.
bool isWithin(const QString& folder, const QString& root) {
    if (folder == root)
        return true;
    const QString prefix = root.endsWith(u'/') ? root : root + u'/';
    return folder.startsWith(prefix);
}

}  // namespace

QString driveName(const QString& drive) {
    const QString text = drive.trimmed();
    if (text.isEmpty())
        return {};
    if (text.startsWith(u'/'))
        return QStringLiteral("/");
    if (isDriveLetter(text.at(0)) && (text.size() == 1 || text.at(1) == u':'))
        return text.at(0).toLower() + QStringLiteral(":");
    return {};
}

std::optional<QString> driveRoot(const QString& drive) {
    const QString name = driveName(drive);
    if (name.isEmpty())
        return std::nullopt;
    if (name == u"/")
        return QStringLiteral("/");
    const auto root = platform::resolvePath(name + u'\\');
    if (!root || !QFileInfo(*root).isDir())
        return std::nullopt;
    return cleanNative(*root);
}

QString driveOfFolder(const QString& nativeFolder) {
    if (nativeFolder.isEmpty())
        return {};
    const QString folder = cleanNative(nativeFolder);
    const auto cRoot = driveRoot(QStringLiteral("c:"));
    if (cRoot && isWithin(folder, *cRoot))
        return QStringLiteral("c:");
    if (folder.size() >= 2 && isDriveLetter(folder.at(0)) && folder.at(1) == u':')
        return driveName(folder);  // a Windows host
    return QStringLiteral("/");
}

// ---- DriveList -----------------------------------------------------------------------------------

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    setDrives({QStringLiteral("c:"), QStringLiteral("/")});
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) {
        if (!settingDrive_)
            emit driveChanged(drive());
    });
}

void DriveList::setDrives(const QStringList& drives) {
    const QString chosen = drive();
    settingDrive_ = true;
    clear();
    for (const QString& d : drives)
        if (!driveName(d).isEmpty())
            addItem(driveName(d));
    const int index = findText(chosen);
    setCurrentIndex(index >= 0 ? index : 0);
    settingDrive_ = false;
}

QStringList DriveList::drives() const {
    QStringList names;
    for (int i = 0; i < count(); ++i)
        names << itemText(i);
    return names;
}

QString DriveList::drive() const { return currentText(); }

bool DriveList::setDrive(const QString& drive) {
    const QString name =
        drive.startsWith(u'/') ? driveOfFolder(drive) : driveName(drive);
    const int index = findText(name);
    if (index < 0)
        return false;
    settingDrive_ = true;
    setCurrentIndex(index);
    settingDrive_ = false;
    return true;
}

// ---- FolderList ----------------------------------------------------------------------------------

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click opens a folder, as in the classic folder list; a single click only marks it.
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { openRow(index.row()); });
}

QString FolderList::folderAt(int row) const {
    const QListWidgetItem* it = item(row);
    return it ? it->data(folderRole).toString() : QString();
}

bool FolderList::setPath(const QString& path) {
    const auto resolved = platform::resolvePath(path.trimmed());
    if (!resolved || !QFileInfo(*resolved).isDir())
        return false;
    const QString folder = cleanNative(*resolved);
    if (folder == path_)
        return true;
    path_ = folder;
    lastFolderOfDrive_[drive()] = path_;
    fill();
    emit pathChanged(path_);
    return true;
}

bool FolderList::showDrive(const QString& drive) {
    const auto root = driveRoot(drive);
    if (!root || !QDir(*root).isReadable())
        return false;
    QString folder = *root;
    const auto last = lastFolderOfDrive_.find(driveName(drive));
    if (last != lastFolderOfDrive_.end() && QFileInfo(last->second).isDir())
        folder = last->second;
    return setPath(folder);
}

void FolderList::refresh() { fill(); }

void FolderList::fill() {
    clear();
    if (path_.isEmpty())
        return;
    const QString driveOfPath = drive();
    const QString root = driveRoot(driveOfPath).value_or(QStringLiteral("/"));
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);

    auto addRow = [this](const QIcon& icon, int level, const QString& label, const QString& folder) {
        auto* row = new QListWidgetItem(icon, QString(level * 2, u' ') + label, this);
        row->setData(folderRole, folder);
        row->setToolTip(folder);
        return row;
    };

    // The drive's root, then every folder on the way down to the one shown.
    const QString rootLabel = driveOfPath == u"/" ? QStringLiteral("/") : driveOfPath + u'\\';
    QListWidgetItem* current = addRow(open, 0, rootLabel, root);
    QString folder = root;
    int level = 0;
    const QStringList parts = path_.mid(root.size()).split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        folder = folder.endsWith(u'/') ? folder + part : folder + u'/' + part;
        current = addRow(open, ++level, part, folder);
    }
    const QStringList subfolders =
        QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& sub : subfolders)
        addRow(closed, level + 1, sub, path_.endsWith(u'/') ? path_ + sub : path_ + u'/' + sub);
    setCurrentItem(current);
}

void FolderList::openRow(int row) {
    const QString folder = folderAt(row);
    if (!folder.isEmpty())
        setPath(folder);
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openRow(currentRow());
        return;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace ui
