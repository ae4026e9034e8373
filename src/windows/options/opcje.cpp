#include "windows/options/opcje.h"

#include "config/files.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "platform/paths.h"
#include "ui/controls.h"
#include "ui/events.h"
#include "ui/gradient.h"
#include "ui/pictures.h"
#include "windows/temp/temp_window.h"

#include <QPixmap>
#include <optional>

namespace windows {
namespace {

using platform::FileError;
using platform::files;
using platform::OpenMode;

QString programFolder() { return ui::forms().get<TEMP>().Text1->text(); }

// The bytes of a file as they stand, or nothing when it cannot be read.
std::optional<QByteArray> fileBytes(const QString& path) {
    int number = 0;
    try {
        number = files().open(path, OpenMode::Input);
        QByteArray bytes;
        for (QByteArrayView chunk = files().buffered(number); !chunk.isEmpty();
             chunk = files().buffered(number)) {
            bytes += chunk.toByteArray();
            files().consume(number, chunk.size());
        }
        files().close(number);
        return bytes;
    } catch (const FileError&) {
        try {
            files().close(number);
        } catch (const FileError&) {
        }
        return std::nullopt;
    }
}

// Puts a file back as it was before a save that could not be finished: its old bytes, or no file.
void restoreFile(const QString& path, const std::optional<QByteArray>& bytes) {
    try {
        if (!bytes) {
            files().remove(path);
            return;
        }
        const int number = files().open(path, OpenMode::Output);
        try {
            files().write(number, *bytes);
        } catch (const FileError&) {
            try {
                files().close(number);
            } catch (const FileError&) {
            }
            return;
        }
        files().close(number);
    } catch (const FileError&) {
    }
}

void saveFailed(const QString& prompt) {
    platform::msgBox(prompt, platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Błąd zapisu"));
}

}  // namespace

QString optionsFolderText(const QString& nativeFolder) {
    const auto cRoot = ui::driveRoot(QStringLiteral("c:"));
    if (!cRoot || ui::driveOfFolder(nativeFolder) != QLatin1String("c:"))
        return nativeFolder;
    QString rest = nativeFolder.mid(cRoot->size());
    rest.replace(u'/', u'\\');
    if (!rest.startsWith(u'\\'))
        rest.prepend(u'\\');
    return QStringLiteral("C:") + rest;
}

Opcje_::Opcje_() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Opcje programu wiedo v 1.1"));
    setOuterSizeTwips(6015, 4080);

    Label2 = ui::make<QLabel>(this, "Label2", 120, 120, 2775, 255);
    Label2->setText(QStringLiteral("Hasło programu"));
    ui::setTextColour(Label2, Qt::white);
    Text1 = ui::make<QLineEdit>(this, "Text1", 120, 420, 2775, 315);
    ui::refuseDoubleQuotes(Text1);
    Text1->setAccessibleName(Label2->text());
    Label2->setBuddy(Text1);
    Label1 = ui::make<QLabel>(this, "Label1", 120, 900, 2775, 255);
    Label1->setText(QStringLiteral("Katalog programu"));
    ui::setTextColour(Label1, Qt::white);
    Drive1 = ui::make<ui::DriveList>(this, "Drive1", 120, 1200, 2775, 315);
    Drive1->setAccessibleName(QStringLiteral("Napęd"));
    Dir1 = ui::make<ui::FolderList>(this, "Dir1", 120, 1620, 2775, 1935);
    Dir1->setAccessibleName(Label1->text());
    Label1->setBuddy(Dir1);

    Picture2 = ui::make<QLabel>(this, "Picture2", 3120, 420, 540, 540);
    Picture2->setPixmap(ui::picture(QStringLiteral(":/img/save.png")));
    Picture2->setAlignment(Qt::AlignCenter);
    Picture2->setAccessibleName(QStringLiteral("Zapisz ustawienia"));
    Command1 = ui::make<QPushButton>(this, "Command1", 3780, 442, 2055, 495);
    Command1->setText(QStringLiteral("     &Zapisz ustawienia"));
    Picture1 = ui::make<QLabel>(this, "Picture1", 3120, 1080, 540, 540);
    Picture1->setPixmap(ui::picture(QStringLiteral(":/img/cancel.png")));
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setAccessibleName(QStringLiteral("Anuluj"));
    Command2 = ui::make<QPushButton>(this, "Command2", 3780, 1102, 2055, 495);
    Command2->setText(QStringLiteral(" &Anuluj"));

    // Until a saved folder says otherwise, the lists show the current drive and folder.
    Dir1->setPath(platform::currentFolder());
    Drive1->setDrive(Dir1->drive());

    ui::on(Drive1, &ui::DriveList::driveChanged, [this] { Drive1_Change(); });
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    ui::on(Command2, &QPushButton::clicked, [this] { Command2_Click(); });
    ui::onClick(Picture1, [this] { Picture1_Click(); });
    ui::onClick(Picture2, [this] { Picture2_Click(); });
}

void Opcje_::Form_Load() {
    centre();
    ui::paintGradient(*this);
}

void Opcje_::Form_Activate() {
    // The file exists only after the first save, and its folder may have gone since: then the lists
    // stay where they are.
    try {
        const QString folder = config::readTextFields(config::optionsFolderFilePath(), 1).at(0);
        if (Dir1->setPath(folder))
            Drive1->setDrive(Dir1->drive());
    } catch (const FileError&) {
    }
    Text1->setEchoMode(QLineEdit::Password);
    Text1->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
}

void Opcje_::Drive1_Change() {
    const auto root = ui::driveRoot(Drive1->drive());
    if (root && Dir1->setPath(*root))
        return;
    platform::msgBox(QStringLiteral("Włóż dyskietke !!!"), platform::Buttons::Ok, platform::Icon::Exclamation,
                     QStringLiteral("Brak dyskietki"));
    Drive1->setDrive(Dir1->drive());
}

void Opcje_::Command1_Click() {
    const QString passwordFile = programFolder() + QLatin1String(config::passwordFileName);
    const std::optional<QByteArray> oldPasswordFile = fileBytes(passwordFile);
    try {
        config::writePassword(programFolder(), Text1->text());
    } catch (const FileError& error) {
        saveFailed(error.kind() == FileError::Kind::Busy
                       ? QStringLiteral("Plik Wiedo.cfg zapisuje teraz inna kopia programu. Spróbuj jeszcze raz za "
                                        "chwilę. Ustawienia nie zostały zmienione.")
                       : QStringLiteral("Nie mogę zapisać hasła w pliku Wiedo.cfg w katalogu programu. Sprawdź, czy "
                                        "dysk nie jest pełny i czy katalog programu nie jest tylko do odczytu. "
                                        "Ustawienia nie zostały zmienione."));
        return;
    }
    try {
        config::writeRecordFile(config::optionsFolderFilePath(),
                                {records::Field::text(optionsFolderText(Dir1->path()))});
    } catch (const FileError&) {
        // Both settings are saved or neither: the password goes back to what it was.
        restoreFile(passwordFile, oldPasswordFile);
        saveFailed(QStringLiteral("Nie mogę zapisać pliku c:\\windows\\wiedo.ini. Sprawdź, czy istnieje "
                                  "katalog c:\\windows i czy można w nim zapisywać. Ustawienia nie zostały "
                                  "zmienione."));
        return;
    }
    Hide();
}

void Opcje_::closeBoxClicked() { Command2_Click(); }

void Opcje_::Command2_Click() { Hide(); }

void Opcje_::Picture1_Click() { Command2_Click(); }

void Opcje_::Picture2_Click() { Command1_Click(); }

}  // namespace windows
