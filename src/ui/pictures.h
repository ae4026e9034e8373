#pragma once
// The program's own pictures, all PNG files in its resources.
#include <QPixmap>
#include <QString>

namespace ui {

// Reads the picture as PNG and nothing else: left to guess, Qt loads every picture plugin of the system
// to ask whether it knows the file, a good part of the start-up's cost.
QPixmap picture(const QString& path);

}  // namespace ui
