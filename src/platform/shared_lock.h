#pragma once
// The lock that copies of the program started from one program folder (a lab's shared folder, a network
// share) take before they write a file they share there: the results log, the grading scale, the password
// file. Appends are not atomic on network file systems, so one copy writes at a time. The lock is a file
// in that folder; a lock left by a copy that died is taken over.
#include <QString>
#include <memory>

class QLockFile;

namespace platform {

// How long a copy waits for another one to finish its write before it gives up.
inline constexpr int sharedLockWaitMs = 3000;
// The lock file's name in the program folder.
inline constexpr const char* sharedLockFileName = "wiedo.lck";

class SharedFolderLock {
public:
    // Takes the lock of the folder (a program path, Windows-style or native, ending with a separator or
    // not), waiting at most `waitMs`. Throws FileError: Busy when another copy holds it all that time,
    // CannotOpen when the lock file cannot be made at all (a folder that is missing or read-only).
    explicit SharedFolderLock(const QString& folder, int waitMs = sharedLockWaitMs);
    ~SharedFolderLock();
    SharedFolderLock(const SharedFolderLock&) = delete;
    SharedFolderLock& operator=(const SharedFolderLock&) = delete;

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace platform
