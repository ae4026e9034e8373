#include "platform/gui/print_loader.h"

#include <QFile>
#include <QResource>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

// Where the build puts the module's bytes among the program's resources.
const QString embeddedModule = QStringLiteral(":/modules/wiedo_print.so");

#ifdef Q_OS_UNIX
bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// The system loads modules from files: the bytes go into a file that exists only in memory, or, on a
// system without such files, into a temporary file that is removed once loaded.
void* loadFromBytes(const QByteArray& bytes) {
#ifdef Q_OS_LINUX
    const int fd = ::memfd_create("wiedo_print", MFD_CLOEXEC);
    if (fd >= 0) {
        void* handle = nullptr;
        if (writeAll(fd, bytes))
            handle = ::dlopen(QByteArray("/proc/self/fd/" + QByteArray::number(fd)).constData(), RTLD_NOW | RTLD_LOCAL);
        ::close(fd);
        if (handle)
            return handle;
    }
#endif
    QTemporaryFile file;
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return nullptr;
    return ::dlopen(QFile::encodeName(file.fileName()).constData(), RTLD_NOW | RTLD_LOCAL);
}

const PrintModule* load() {
    const QResource resource(embeddedModule);
    if (!resource.isValid()) {
        qWarning("wiedo: this program carries no printing module");
        return nullptr;
    }
    void* handle = loadFromBytes(resource.uncompressedData());
    if (!handle) {
        qWarning("wiedo: the printing module could not be loaded: %s", ::dlerror());
        return nullptr;
    }
    using Entry = const PrintModule* (*)();
    const auto entry = reinterpret_cast<Entry>(::dlsym(handle, "wiedo_print_module"));
    if (!entry) {
        qWarning("wiedo: the printing module has no entry point");
        return nullptr;
    }
    return entry();  // the module stays loaded for the rest of the program's life
}
#else
const PrintModule* load() { return nullptr; }
#endif

}  // namespace

const PrintModule* printModule() {
    static const PrintModule* module = load();
    return module;
}

Printer* LazyPrinter::real() const {
    if (!tried_) {
        tried_ = true;
        if (const PrintModule* module = printModule())
            real_.reset(module->makePrinter());
    }
    return real_.get();
}

void LazyPrinter::setFontSize(int points) {
    if (Printer* p = real())
        p->setFontSize(points);
}

void LazyPrinter::setBold(bool bold) {
    if (Printer* p = real())
        p->setBold(bold);
}

void LazyPrinter::print(const QString& text, bool endLine) {
    if (Printer* p = real())
        p->print(text, endLine);
}

void LazyPrinter::newPage() {
    if (Printer* p = real())
        p->newPage();
}

void LazyPrinter::endDoc() {
    if (Printer* p = real())
        p->endDoc();
}

bool LazyPrinter::hasPrinter() const {
    const Printer* p = real();
    return p && p->hasPrinter();
}

void LazyPrinter::setOutputFile(const QString& path) {
    if (Printer* p = real())
        p->setOutputFile(path);
}

bool LazyPrinter::lastJobFailed() const {
    const Printer* p = real();
    return !p || p->lastJobFailed();
}

QString LazyPrinter::lastJobFailure() const {
    const Printer* p = real();
    return p ? p->lastJobFailure() : QString();
}

}  // namespace platform
