#include "platform/paths.h"

#include "platform/errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {
namespace {

QString programFolderOverride;
QString driveCOverride;

bool hasDriveLetter(const QString& path) {
    return path.size() >= 2 && path.at(1) == u':' && path.at(0).isLetter() && path.at(0).unicode() < 128;
}

// The existing entry of a folder whose name matches without regard to case; the name itself otherwise.
QString matchComponent(const QString& folder, const QString& name) {
    if (name.isEmpty() || name == u"." || name == u"..")
        return name;
    const QString exact = folder + u'/' + name;
    if (QFileInfo::exists(exact))
        return name;
    const QDir dir(folder.isEmpty() ? QStringLiteral("/") : folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return name;
}

// Walks an absolute native path component by component, taking the existing spelling of each.
QString matchCase(const QString& absolute) {
    if (QFileInfo::exists(absolute))
        return absolute;  // spelt as it stands on the disk
    const QStringList parts = absolute.split(u'/', Qt::SkipEmptyParts);
    QString built;
    for (const QString& part : parts)
        built += u'/' + matchComponent(built, part);
    return built.isEmpty() ? QStringLiteral("/") : built;
}

}  // namespace

QString driveCRoot() {
    QString root = driveCOverride;
    if (root.isEmpty())
        root = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               QStringLiteral("/wiedo/c");
    if (!QFileInfo::exists(root)) {
        // A new drive C: comes with its system folder, where the options keep their folder file.
        QDir().mkpath(root + QStringLiteral("/windows"));
    }
    return root;
}

std::optional<QString> resolvePath(const QString& programPath) {
    if (programPath.isEmpty())
        return std::nullopt;
#ifdef Q_OS_WIN
    return QDir::cleanPath(QDir::current().absoluteFilePath(programPath));
#else
    QString path = programPath;
    if (hasDriveLetter(path)) {
        if (path.at(0).toLower() != u'c')
            return std::nullopt;  // a drive that is not ready
        path = driveCRoot() + u'/' + path.mid(2);
    }
    path.replace(u'\\', u'/');
    const bool endsWithSeparator = path.endsWith(u'/');
    path = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    QString matched = matchCase(path);
    if (endsWithSeparator && !matched.endsWith(u'/'))
        matched += u'/';
    return matched;
#endif
}

QString programFileFolder() {
    if (!programFolderOverride.isEmpty())
        return programFolderOverride;
    return QCoreApplication::applicationDirPath();
}

QString folderSeparator() {
#ifdef Q_OS_WIN
    return QStringLiteral("\\");
#else
    return QStringLiteral("/");
#endif
}

QString withTrailingSeparator(const QString& folder) {
    if (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder;
    return folder + folderSeparator();
}

void changeDrive(const QString& drive) {
#ifndef Q_OS_WIN
    if (drive.isEmpty())
        throw FileError(FileError::Kind::CannotOpen, QStringLiteral("no drive"));
    const QChar letter = drive.at(0);
    if (letter.isLetter() && letter.unicode() < 128 && (drive.size() == 1 || drive.at(1) == u':')) {
        if (letter.toLower() != u'c')
            throw FileError(FileError::Kind::CannotOpen, QStringLiteral("drive not ready: ") + drive);
        driveCRoot();
    }
    // A native path names the one root of this host, which is always there.
#else
    if (!QDir::setCurrent(drive.left(2) + u'\\'))
        throw FileError(FileError::Kind::CannotOpen, QStringLiteral("drive not ready: ") + drive);
#endif
}

void changeFolder(const QString& folder) {
    const auto native = resolvePath(folder);
    if (!native || !QFileInfo(*native).isDir() || !QDir::setCurrent(*native))
        throw FileError(FileError::Kind::CannotOpen, QStringLiteral("no such folder: ") + folder);
}

QString currentFolder() { return QDir::currentPath(); }

bool fileExists(const QString& programPath) {
    const auto native = resolvePath(programPath);
    return native && QFileInfo(*native).isFile();
}

bool folderExists(const QString& programPath) {
    const auto native = resolvePath(programPath);
    return native && QFileInfo(*native).isDir();
}

void setProgramFileFolder(const QString& nativeFolder) { programFolderOverride = nativeFolder; }
void setDriveCRoot(const QString& nativeFolder) { driveCOverride = nativeFolder; }

}  // namespace platform
