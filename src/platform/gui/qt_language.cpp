#include "platform/gui/qt_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

void preferPolishFormats() {
    // Qt reads the system's formats from these once, when the application starts. LC_ALL would override
    // them: its value goes to LANG, which every other category still follows.
    if (qEnvironmentVariableIsSet("LC_ALL")) {
        qputenv("LANG", qgetenv("LC_ALL"));
        qunsetenv("LC_ALL");
    }
    qputenv("LC_TIME", "pl_PL.UTF-8");
    qputenv("LC_NUMERIC", "pl_PL.UTF-8");
    qputenv("LC_MESSAGES", "pl_PL.UTF-8");  // the unit of a small file's size
}

bool installPolishQtTexts(QCoreApplication& app) {
    // The file dialog's dates and kinds of file follow the default locale, not the translations. The
    // program's own files keep their fixed formats, which never ask the locale.
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    // One translator for the whole run, owned by the application: the copy compiled into the program, or
    // else the system's own.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral(":/i18n/qtbase_pl.qm")) &&
        !translator->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    app.installTranslator(translator);
    return true;
}

}  // namespace platform
