#include "app/commands.h"

namespace app {

// Placeholder until the command is built; it refuses rather than pretend.
int runResults(const QStringList& arguments) {
    parseCommand(arguments, QStringLiteral("results"), QStringLiteral("(jeszcze nie zbudowane)"), {});
    return fail(QStringLiteral("results"), QStringLiteral("tego polecenia jeszcze nie ma."));
}

}  // namespace app
