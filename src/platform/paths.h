#pragma once
// Paths as the program writes them: Windows-style ("c:\test.tmp", "C:\WIEDO\") or native. On a host that
// is not Windows, drive C: is the folder wiedo/c under the user's generic data location; other drive
// letters are drives that are not ready. An existing file is found whatever the letter case of its name.
#include <QString>
#include <optional>

namespace platform {

// The native path for a program path, with each existing component matched without regard to case.
// Empty when the path names a drive that is not ready or is empty itself.
std::optional<QString> resolvePath(const QString& programPath);

// Folder of the program file, without a trailing separator (except for a root).
QString programFileFolder();
// Separator the host ends a folder with ("\" on Windows, "/" elsewhere).
QString folderSeparator();
// Appends the host's separator unless the folder already ends with a separator.
QString withTrailingSeparator(const QString& folder);

// The native folder that stands for drive C:, created on demand.
QString driveCRoot();

// Current drive and folder. Both throw FileError::CannotOpen when the drive or folder cannot be reached.
void changeDrive(const QString& drive);   // "c", "C:", "c:\..." or a native path (its root)
void changeFolder(const QString& folder);
QString currentFolder();

bool fileExists(const QString& programPath);
bool folderExists(const QString& programPath);

// Test hooks.
void setProgramFileFolder(const QString& nativeFolder);
void setDriveCRoot(const QString& nativeFolder);

}  // namespace platform
