#pragma once
// The drive list and the folder list that windows use to pick a folder. On a host that is not Windows the
// drives are "c:" (the folder that stands for drive C:) and "/" (the host's root); other drive letters,
// when a window lists them, are drives that are not ready.
//
// Paths: path() is always the chosen folder as a native absolute path (a folder of drive C: is a native
// path under platform::driveCRoot()); it goes through platform::resolvePath unchanged. setPath() accepts
// that form as well as the Windows form ("C:\WIEDO").
#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace ui {

// The drive a native folder belongs to: "c:" for folders under drive C:'s folder, "/" for the rest.
QString driveOfFolder(const QString& nativeFolder);
// The native root of a drive ("c", "C:", "c:\x" or "/"); empty when the drive is not ready.
std::optional<QString> driveRoot(const QString& drive);
// The drive's name as the drive list shows it ("c:", "a:", "/"); empty for text that names no drive.
QString driveName(const QString& drive);

class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    // The drives listed, in order; "c:" and "/" unless a window (or a test) lists others.
    void setDrives(const QStringList& drives);
    QStringList drives() const;

    // The drive chosen: "c:", "/", ...
    QString drive() const;
    // Chooses the drive of a drive name, Windows path or native path without emitting driveChanged.
    // False when it names no listed drive (the choice stays).
    bool setDrive(const QString& drive);

signals:
    // The user chose another drive.
    void driveChanged(const QString& drive);

private:
    bool settingDrive_ = false;
};

class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    // The folder shown (native, absolute, no trailing separator except for a root).
    QString path() const { return path_; }
    // Shows a folder (native or Windows form). False, and nothing changes, when it is not an existing
    // folder or its drive is not ready.
    bool setPath(const QString& path);
    // Shows the folder last shown on that drive (its root the first time). False when the drive cannot
    // be read; the folder shown stays.
    bool showDrive(const QString& drive);
    // The drive of the folder shown.
    QString drive() const { return driveOfFolder(path_); }
    // Reads the folder's subfolders again.
    void refresh();

    // The native folder of a row (the shown folder's ancestors, itself, then its subfolders).
    QString folderAt(int row) const;

signals:
    // The folder shown changed, by the user (double click or Enter on a row) or by setPath/showDrive.
    void pathChanged(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openRow(int row);
    void fill();

    QString path_;
    std::map<QString, QString> lastFolderOfDrive_;
};

}  // namespace ui
