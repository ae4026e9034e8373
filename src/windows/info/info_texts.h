#pragma once
// Texts several information windows share.
#include <QString>

namespace windows {

inline QString hoverPlay() { return QStringLiteral("Kliknij tu, aby rozpocząć wspaniałą zabawę !!!"); }

}  // namespace windows
