#pragma once
// A fresh installation for one test: an empty program folder and an empty drive C: in a temporary
// folder, a fixed screen, modal windows that must be scripted, and everything put back afterwards.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// Runs the start procedure and waits until the loading has ended (loader hidden) or the program ended.
// Returns false on a time-out.
bool runStartProcedure(int ms = 10000);

class ProgramFixture {
public:
    ProgramFixture();
    ~ProgramFixture();

    QString programFolder() const { return programFolder_; }   // native, no trailing separator
    QString programFolderText() const { return programFolder_ + u'/'; }  // as the Shared state holds it
    QString driveC() const { return driveC_; }
    QString root() const { return dir_.path(); }

    // Files in the program folder (or any native path when the name holds a separator).
    QString path(const QString& name) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;
    void write(const QString& name, const QByteArray& bytes) const;
    void writeWiedoIni() const;  // the first-run marker, so the welcome window stays away
    QByteArray readDriveC(const QString& name) const;

    bool startUp() { return runStartProcedure(); }

    // Empty when no window is left open and every modal script ran; otherwise what is wrong.
    QString leftovers() const;

private:
    QTemporaryDir dir_;
    QString programFolder_;
    QString driveC_;
    QString previousCurrent_;
};

// Encodes a text of the program's files (Windows-1250).
QByteArray cp1250(const QString& text);

}  // namespace testsupport
