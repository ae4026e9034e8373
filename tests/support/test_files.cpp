#include "support/test_files.h"

#include "platform/filetable.h"

#include <QFile>
#include <QtGlobal>

namespace testsupport {

void writeTestFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write test input %s", qPrintable(path));
}

QByteArray fileContents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

int resetFileTable() {
    const int leftOpen = platform::files().openCount();
    platform::files().failWritesAfter(-1);
    platform::files().abandonAll();
    return leftOpen;
}

}  // namespace testsupport
