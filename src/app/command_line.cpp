#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

// Qt's own window options go to the application; those before the bar take a value.
const QStringList windowOptions{
    QStringLiteral("platform"),     QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"),       QStringLiteral("style"),              QStringLiteral("stylesheet"),
    QStringLiteral("display"),      QStringLiteral("geometry"),           QStringLiteral("qwindowgeometry"),
    QStringLiteral("qwindowicon"),  QStringLiteral("qwindowtitle"),       QStringLiteral("session"),
    // |
    QStringLiteral("reverse"),      QStringLiteral("widgetcount")};
constexpr qsizetype optionsWithValue = 12;

// A word that names no file and has no dot is no question set: it is a command word typed wrong.
bool looksLikeCommand(const QString& argument) {
    return !argument.contains(u'.') && !argument.contains(u'/') && !argument.contains(u'\\')
        && !QFileInfo::exists(argument);
}

}  // namespace

bool asksOnlyForText(int argc, char* argv[]) {
    // Any other option is answered on the terminal (help, the version, or the error of an unknown one), and
    // so are several files or a mistyped command word, before any window system is asked for.
    QStringList positional;
    for (int i = 1; i < argc; ++i) {
        QString argument = QString::fromLocal8Bit(argv[i]);
        if (!argument.startsWith(u'-') || argument == QLatin1String("-")) {
            positional << argument;
            continue;
        }
        argument.remove(0, argument.startsWith(QLatin1String("--")) ? 2 : 1);
        const qsizetype window = windowOptions.indexOf(argument.section(u'=', 0, 0));
        if (window < 0)
            return true;
        if (window < optionsWithValue && !argument.contains(u'='))
            ++i;
    }
    return positional.size() > 1 || (positional.size() == 1 && looksLikeCommand(positional.front()));
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
                       "  wiedo import PLIK WYNIK.kwz                  pytania z pliku GIFT, Aiken albo XML\n"
                       "  wiedo export ZESTAW.kwz WYNIK.gift           zestaw w formacie GIFT\n"
                       "  wiedo results wyniki.txt WYNIK.csv           wyniki jako arkusz (CSV)\n"
                       "  wiedo check ZESTAW.kwz                       co w zestawie trzeba poprawić\n"
                       "  wiedo analysis odpowiedzi.txt ZESTAW.kwz WYNIK.csv\n"
                       "                                               analiza pytań z odpowiedzi uczniów"));
    // Qt's own help option speaks English even with its Polish texts, so the program has its own.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
                                  QStringLiteral("Wyświetla tę pomoc."));
    parser.addOption(help);
    parser.addVersionOption();
    // Answered without a window, the command line may still hold Qt's own window options ("-platform x"):
    // they are known, and written with one dash, as Qt writes them.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (qsizetype i = 0; i < windowOptions.size(); ++i) {
        QCommandLineOption option(windowOptions[i]);
        if (i < optionsWithValue)
            option.setValueName(QStringLiteral("x"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("zestaw"),
                                 QStringLiteral("Zestaw pytań (plik .kwz), który program otworzy po uruchomieniu, "
                                                "tak jak polecenie „Otwórz plik testu” (Ctrl+O)."),
                                 QStringLiteral("[zestaw.kwz]"));
    parser.process(application);
    if (parser.isSet(help))
        parser.showHelp(0);
    const QStringList sets = parser.positionalArguments();
    if (!sets.isEmpty() && looksLikeCommand(sets.front())) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QStringLiteral("wiedo: nie ma polecenia „%1”; polecenia to import, export, results, "
                                               "check i analysis (zobacz: wiedo --help).")
                                    .arg(sets.front())));
        std::exit(2);
    }
    if (sets.size() > 1) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QStringLiteral("Można otworzyć tylko jeden zestaw pytań naraz.")));
        std::exit(1);
    }
    return sets.isEmpty() ? QString() : QFileInfo(sets.constFirst()).absoluteFilePath();
}

}  // namespace app
