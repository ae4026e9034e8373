#include "app/commands.h"

namespace app {

// Placeholder until the command is built; it refuses rather than pretend.
int runCheck(const QStringList& arguments) {
    parseCommand(arguments, QStringLiteral("check"), QStringLiteral("(jeszcze nie zbudowane)"), {});
    return fail(QStringLiteral("check"), QStringLiteral("tego polecenia jeszcze nie ma."));
}

}  // namespace app
