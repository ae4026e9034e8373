#include "support/scripted_dialogs.h"

namespace testsupport {

using platform::Answer;
using platform::Buttons;
using platform::Echo;
using platform::Icon;

ScriptedDialogs::ScriptedDialogs() { platform::setDialogs(this); }
ScriptedDialogs::~ScriptedDialogs() { platform::setDialogs(nullptr); }

ScriptedDialogs& ScriptedDialogs::expectMessage(const QString& prompt, const QString& title, Icon icon,
                                                Buttons buttons, Answer answer, During during) {
    Expected e{Kind::Message, prompt, title, icon, buttons, answer, {}, false, std::move(during)};
    expected_.push_back(std::move(e));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectInput(const QString& prompt, const QString& title,
                                              std::optional<QString> answer, During during) {
    Expected e{Kind::Input, prompt, title, Icon::None, Buttons::Ok, Answer::Ok, answer, false,
               std::move(during)};
    expected_.push_back(std::move(e));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectHiddenInput(const QString& prompt, const QString& title,
                                                    std::optional<QString> answer) {
    expectInput(prompt, title, std::move(answer));
    expected_.back().echo = Echo::Hidden;
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectOpenFile(const QString& title, const QString& filter,
                                                 std::optional<QString> path, During during) {
    Expected e{Kind::Open, filter, title, Icon::None, Buttons::Ok, Answer::Ok, path, false,
               std::move(during)};
    expected_.push_back(std::move(e));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectSaveFile(const QString& title, const QString& filter,
                                                 std::optional<QString> path, During during) {
    Expected e{Kind::Save, filter, title, Icon::None, Buttons::Ok, Answer::Ok, path, false,
               std::move(during)};
    expected_.push_back(std::move(e));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectPrinterDialog(bool accept) {
    Expected e;
    e.kind = Kind::Printer;
    e.accept = accept;
    expected_.push_back(std::move(e));
    return *this;
}

QString ScriptedDialogs::kindName(Kind kind) {
    switch (kind) {
    case Kind::Message: return QStringLiteral("message box");
    case Kind::Input: return QStringLiteral("input box");
    case Kind::Open: return QStringLiteral("open dialog");
    case Kind::Save: return QStringLiteral("save dialog");
    case Kind::Printer: return QStringLiteral("printer dialog");
    }
    return {};
}

std::optional<ScriptedDialogs::Expected> ScriptedDialogs::next(Kind kind, const QString& description) {
    seen_ << description;
    if (expected_.empty()) {
        failures_ << QStringLiteral("unexpected %1").arg(description);
        return std::nullopt;
    }
    Expected e = std::move(expected_.front());
    expected_.pop_front();
    if (e.kind != kind) {
        failures_ << QStringLiteral("expected a %1, saw %2").arg(kindName(e.kind), description);
        return std::nullopt;
    }
    return e;
}

Answer ScriptedDialogs::messageBox(const platform::MessageBoxRequest& r) {
    const QString description = QStringLiteral("message box [%1] title [%2] icon %3 buttons %4")
                                    .arg(r.prompt, r.title, QString::fromLatin1(platform::iconName(r.icon)),
                                         QString::fromLatin1(platform::buttonsName(r.buttons)));
    auto e = next(Kind::Message, description);
    const Answer fallback = r.buttons == Buttons::Ok ? Answer::Ok
                            : r.buttons == Buttons::YesNo ? Answer::No
                                                          : Answer::Cancel;
    if (!e)
        return fallback;
    if (e->prompt != r.prompt || e->title != r.title || e->icon != r.icon || e->buttons != r.buttons) {
        failures_ << QStringLiteral("expected message box [%1] title [%2] icon %3 buttons %4, saw %5")
                         .arg(e->prompt, e->title, QString::fromLatin1(platform::iconName(e->icon)),
                              QString::fromLatin1(platform::buttonsName(e->buttons)), description);
        return fallback;
    }
    if (e->during)
        e->during();
    return e->answer;
}

std::optional<QString> ScriptedDialogs::inputBox(const QString& prompt, const QString& title,
                                                 const QString& defaultText, Echo echo) {
    const QString description = QStringLiteral("input box [%1] title [%2] default [%3]%4")
                                    .arg(prompt, title, defaultText,
                                         echo == Echo::Hidden ? QStringLiteral(" hidden") : QString());
    auto e = next(Kind::Input, description);
    if (!e)
        return std::nullopt;
    if (e->prompt != prompt || e->title != title || e->echo != echo) {
        failures_ << QStringLiteral("expected input box [%1] title [%2]%3, saw %4")
                         .arg(e->prompt, e->title, e->echo == Echo::Hidden ? QStringLiteral(" hidden") : QString(),
                              description);
        return std::nullopt;
    }
    if (e->during)
        e->during();
    return e->text;
}

std::optional<QString> ScriptedDialogs::openFile(const platform::FileDialogRequest& r) {
    const QString description = QStringLiteral("open dialog title [%1] filter [%2] folder [%3]")
                                    .arg(r.title, r.filter, r.initialFolder);
    folders_ << r.initialFolder;
    auto e = next(Kind::Open, description);
    if (!e)
        return std::nullopt;
    if (e->title != r.title || e->prompt != r.filter) {
        failures_ << QStringLiteral("expected open dialog title [%1] filter [%2], saw %3")
                         .arg(e->title, e->prompt, description);
        return std::nullopt;
    }
    if (e->during)
        e->during();
    return e->text;
}

std::optional<QString> ScriptedDialogs::saveFile(const platform::FileDialogRequest& r) {
    const QString description = QStringLiteral("save dialog title [%1] filter [%2] folder [%3] name [%4]")
                                    .arg(r.title, r.filter, r.initialFolder, r.fileName);
    folders_ << r.initialFolder;
    auto e = next(Kind::Save, description);
    if (!e)
        return std::nullopt;
    if (e->title != r.title || e->prompt != r.filter) {
        failures_ << QStringLiteral("expected save dialog title [%1] filter [%2], saw %3")
                         .arg(e->title, e->prompt, description);
        return std::nullopt;
    }
    if (e->during)
        e->during();
    return e->text;
}

bool ScriptedDialogs::printerDialog() {
    auto e = next(Kind::Printer, QStringLiteral("printer dialog"));
    return e && e->accept;
}

QString ScriptedDialogs::report() const {
    QStringList lines;
    for (const QString& f : failures_)
        lines << QStringLiteral("FAILURE: ") + f;
    for (const Expected& e : expected_)
        lines << QStringLiteral("MISSING: %1 [%2] title [%3]").arg(kindName(e.kind), e.prompt, e.title);
    lines << QStringLiteral("seen, in order:");
    for (const QString& s : seen_)
        lines << QStringLiteral("  ") + s;
    return lines.join(u'\n');
}

void ScriptedDialogs::clear() {
    expected_.clear();
    failures_.clear();
    seen_.clear();
    folders_.clear();
    beeps_ = 0;
}

}  // namespace testsupport
