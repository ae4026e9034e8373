#include "support/test_files.h"
#include "support/program_fixture.h"

#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/filetable.h"
#include "platform/paths.h"
#include "platform/screen.h"
#include "startup/loader.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTest>

namespace testsupport {

QByteArray cp1250(const QString& text) { return platform::encode1250(text); }

ProgramFixture::ProgramFixture() {
    programFolder_ = dir_.path() + QStringLiteral("/program");
    driveC_ = dir_.path() + QStringLiteral("/c");
    QDir().mkpath(programFolder_);
    QDir().mkpath(driveC_ + QStringLiteral("/windows"));
    previousCurrent_ = QDir::currentPath();
    platform::setProgramFileFolder(programFolder_);
    platform::setDriveCRoot(driveC_);
    platform::setScreenSizeTwips(QSize(12000, 9000));
    ui::useProgramStyle();  // the windows look in the tests as they look in the program
    ui::forms().reset();
    ui::forms().requireModalScripts(true);
    ui::forms().setQuitHandler({});
}

ProgramFixture::~ProgramFixture() {
    ui::forms().reset();
    startup::releaseSecondCopyLock();
    ui::forms().requireModalScripts(false);
    ui::forms().takeFailures();
    platform::files().abandonAll();
    platform::files().failWritesAfter(-1);
    platform::useRealClock();
    platform::setProgramFileFolder(QString());
    platform::setDriveCRoot(QString());
    platform::setScreenSizeTwips(QSize());
    QDir::setCurrent(previousCurrent_);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString ProgramFixture::path(const QString& name) const {
    return name.contains(u'/') ? name : programFolder_ + u'/' + name;
}

QByteArray ProgramFixture::read(const QString& name) const { return fileContents(path(name)); }

bool ProgramFixture::exists(const QString& name) const { return QFile::exists(path(name)); }

void ProgramFixture::write(const QString& name, const QByteArray& bytes) const {
    writeTestFile(path(name), bytes);
}

void ProgramFixture::writeWiedoIni() const {
    write(QStringLiteral("wiedo.ini"), QByteArray("\"") + programFolder_.toUtf8() + "\"\r\n");
}

QByteArray ProgramFixture::readDriveC(const QString& name) const {
    return read(driveC_ + u'/' + name);
}

bool runStartProcedure(int ms) {
    ui::guarded(startup::Main);
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        ui::Form* loader = ui::forms().findLoaded(QStringLiteral("LoadT"));
        if (ui::forms().hasEnded() || (loader && !loader->isVisible()))
            return true;
        QTest::qWait(5);
    }
    return false;
}

QString ProgramFixture::leftovers() const {
    QStringList problems = ui::forms().takeFailures();
    if (ui::forms().pendingModalScripts() > 0)
        problems << QStringLiteral("%1 modal scripts never ran").arg(ui::forms().pendingModalScripts());
    return problems.join(u'\n');
}

}  // namespace testsupport
