#pragma once
// The converter: turns the question set picked in its drive, folder and file lists into a plain text
// file named in Text1. Shown without modality from the main window's "&Narzędzia" menu; "&Anuluj" only
// hides it, so the next showing finds everything as it was left.
#include "ui/file_list.h"
#include "ui/folder_lists.h"
#include "ui/form.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace windows {

class KWZ_Txt : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("KWZ_Txt");
    KWZ_Txt();
    void Form_Load() override;
    void Form_Activate() override;
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Label6_Click();
    void Command1_Click();
    void Command2_Click();

    ui::DriveList* Drive1;
    ui::FolderList* Dir1;
    ui::FileList* File1;
    QLabel* Label1;          // "Nazwa pliku TXT"
    QLineEdit* Text1;        // the text file's name
    QCheckBox* Check1;       // hints included
    QPushButton* Label6;     // "Dodaj do pliku podpowiedzi": toggles Check1
    QLabel* Label4;          // "  Liczba pytań :"
    QLabel* Label5;          // the count
    QLabel* Label2;          // "  Procent zaawansowania :"
    QLabel* Label3;          // the percentage
    QProgressBar* ProgressBar1;
    QPushButton* Command1;   // "&Konwertuj"
    QPushButton* Command2;   // "&Anuluj"

    // Repaints of Label5 and Label3 during the last conversion (the screen shows at most one a frame).
    int repaints() const { return repaints_; }

private:
    // Shows a label's new text at once when the screen can show another frame, or when it is the last.
    void show(QLabel* label, const QString& text, bool last);
    QString valueCaption(const QLabel* label) const;
    void Reset();
    QElapsedTimer sinceRepaint_;
    int repaints_ = 0;
};

}  // namespace windows
