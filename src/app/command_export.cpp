#include "app/commands.h"

namespace app {

// Placeholder until the command is built; it refuses rather than pretend.
int runExport(const QStringList& arguments) {
    parseCommand(arguments, QStringLiteral("export"), QStringLiteral("(jeszcze nie zbudowane)"), {});
    return fail(QStringLiteral("export"), QStringLiteral("tego polecenia jeszcze nie ma."));
}

}  // namespace app
