#include "app/commands.h"

namespace app {

// Placeholder until the command is built; it refuses rather than pretend.
int runImport(const QStringList& arguments) {
    parseCommand(arguments, QStringLiteral("import"), QStringLiteral("(jeszcze nie zbudowane)"), {});
    return fail(QStringLiteral("import"), QStringLiteral("tego polecenia jeszcze nie ma."));
}

}  // namespace app
