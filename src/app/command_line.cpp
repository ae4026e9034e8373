#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

namespace app {

bool asksOnlyForText(int argc, char* argv[]) {
    // Qt's own window options go to the application; any other option is answered on the terminal (help,
    // the version, or the error of an unknown one), before any window system is asked for.
    static const QStringList windowOptions{
        QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),   QStringLiteral("style"),              QStringLiteral("stylesheet"),
        QStringLiteral("display"),  QStringLiteral("geometry"),           QStringLiteral("qwindowgeometry"),
        QStringLiteral("qwindowicon"), QStringLiteral("qwindowtitle"),    QStringLiteral("session"),
        QStringLiteral("reverse"),  QStringLiteral("widgetcount")};
    for (int i = 1; i < argc; ++i) {
        QString argument = QString::fromLocal8Bit(argv[i]);
        if (!argument.startsWith(u'-') || argument == QLatin1String("-"))
            continue;
        argument.remove(0, argument.startsWith(QLatin1String("--")) ? 2 : 1);
        if (!windowOptions.contains(argument.section(u'=', 0, 0)))
            return true;
    }
    return false;
}

QString questionSetToOpen(QCoreApplication& application) {
    QCoreApplication::setApplicationName(QStringLiteral("wiedo"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.1"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("WIEDO v 1.1 – testy wiedzy dla szkół. Nauczyciel układa zestawy pytań, uczeń odpowiada "
                       "na nie i dostaje ocenę od 1 do 6; każdy wynik trafia do pliku wyniki.txt w katalogu "
                       "programu.\n\n"
                       "Polecenia bez okna (każde ma swoją pomoc: wiedo POLECENIE --help):\n"
                       "  wiedo import PLIK.gift|PLIK.txt WYNIK.kwz   pytania z formatu GIFT albo Aiken\n"
                       "  wiedo export ZESTAW.kwz WYNIK.gift           zestaw w formacie GIFT\n"
                       "  wiedo results wyniki.txt WYNIK.csv           wyniki jako arkusz (CSV)\n"
                       "  wiedo check ZESTAW.kwz                       co w zestawie trzeba poprawić"));
    // Qt's own help option speaks English even with its Polish texts, so the program has its own.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
                                  QStringLiteral("Wyświetla tę pomoc."));
    parser.addOption(help);
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("zestaw"),
                                 QStringLiteral("Zestaw pytań (plik .kwz), który program otworzy po uruchomieniu, "
                                                "tak jak polecenie „Otwórz plik testu” (Ctrl+O)."),
                                 QStringLiteral("[zestaw.kwz]"));
    parser.process(application);
    if (parser.isSet(help))
        parser.showHelp(0);
    const QStringList sets = parser.positionalArguments();
    if (sets.size() > 1) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QStringLiteral("Można otworzyć tylko jeden zestaw pytań naraz.")));
        std::exit(1);
    }
    return sets.isEmpty() ? QString() : QFileInfo(sets.constFirst()).absoluteFilePath();
}

}  // namespace app
