#pragma once
// Test inputs and outputs on disk, read and written with Qt alone so the program's own file code is not
// used to check itself.
#include <QByteArray>
#include <QString>

namespace testsupport {

// Writes the bytes to the file (created anew); a test that cannot write its input stops at once.
void writeTestFile(const QString& path, const QByteArray& bytes);
// The bytes of the file, or "<missing>" when it cannot be read.
QByteArray fileContents(const QString& path);

// After each test: switches off the failing-writes hook and drops every open file of the program's file
// table (new versions not put in place). Returns how many files the test left open.
int resetFileTable();

}  // namespace testsupport
