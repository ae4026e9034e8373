#pragma once
// Whether a question set read up to here has simply ended: a set may end in empty lines or an end-of-file
// mark, and those are no damage.
#include "platform/filetable.h"

namespace sheets {

// True when nothing but blanks and line ends is left from where the file stands (it is read to its end).
inline bool onlyBlanksLeft(int file) {
    auto& table = platform::files();
    for (QByteArrayView rest = table.buffered(file); !rest.isEmpty(); rest = table.buffered(file)) {
        for (const char byte : rest)
            if (byte != ' ' && byte != '\t' && byte != '\r' && byte != '\n' && byte != '\x1a')
                return false;
        table.consume(file, rest.size());
    }
    return true;
}

}  // namespace sheets
