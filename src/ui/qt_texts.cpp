#include "ui/qt_texts.h"

#include <QCoreApplication>
#include <QTranslator>
#include <cstring>

namespace ui {
namespace {

struct Text {
    const char* context;
    const char* source;
    const char* polish;
};

// The printer dialog's words that Qt's Polish translation leaves in English, by the context Qt asks in.
const Text missing[] = {
    {"QPrintSettingsOutput", "Pages", "Strony"},
    {"QPrintSettingsOutput", "Double Sided Printing", "Drukowanie dwustronne"},
    {"QPrintSettingsOutput", "Off", "Wyłączone"},
    {"QPrintSettingsOutput", "Long side binding", "Oprawa wzdłuż dłuższego boku"},
    {"QPrintSettingsOutput", "Short side binding", "Oprawa wzdłuż krótszego boku"},
    {"QPrintSettingsOutput",
     "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. "
     "E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     "Podaj numery stron lub zakresy stron rozdzielone przecinkami. Zakres to dwie liczby rozdzielone "
     "łącznikiem. Na przykład 3,5-7,9 drukuje strony 3, 5, 6, 7 i 9."},
    {"QPrintPropertiesWidget", "Advanced", "Zaawansowane"},
    {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
     "Niektóre ustawienia wykluczają się nawzajem. Popraw je."},
};

class MissingTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (!context || !source)
            return QString();
        for (const Text& text : missing) {
            if (std::strcmp(context, text.context) == 0 && std::strcmp(source, text.source) == 0)
                return QString::fromUtf8(text.polish);
        }
        return QString();
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

void installMissingQtTexts(QCoreApplication& app) { app.installTranslator(new MissingTexts(&app)); }

}  // namespace ui
