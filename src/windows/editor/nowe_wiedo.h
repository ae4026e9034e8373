#pragma once
// The question editor: one question of a set on screen at a time, with its five answers, their "good
// answer" boxes and the hint. The set file is the store: Next saves the question on screen (appended at
// the end of the set, rewritten in the middle), the other moves read the set again from its start.
#include "questionset/editor_store.h"
#include "questionset/questionset.h"
#include "ui/form.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <array>
#include <optional>

namespace ui {
class RecordBox;
}

namespace windows {

class NoweWiedo : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("NoweWiedo");
    static inline const QString filter =
        QStringLiteral("Pliki zawierające pytania do testu ( *.kwz )|*.kwz|Wszystkie pliki ( *.* )|*.*");
    NoweWiedo();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    void Form_LostFocus();

    // ---- menu "Pytania"
    void nowyzestaw_Click();
    void otwórz_Click();
    // Opens the set as the open command does and shows its question `number` (from 1), for a window that
    // sends the teacher to a question of a set.
    void openAt(const QString& path, int number);
    void Odśw_Click();
    void ZamiknijZST_Click();
    void wyjdź_Click();
    // ---- menu "Rekord" and the buttons
    void PierRek_Click();
    void Command1_Click();  // previous record (also poprzedni, Picture1)
    void Command2_Click();  // next record (also następny, Picture2)
    void Picture1_Click();
    void Picture2_Click();
    void OstRek_Click();
    void CzyśćPola_Click();
    // ---- menu "Odpowiedzi" and "Pomoc"
    void Zaz_all_Click();
    void Odz_all_Click();
    void odwróć_Click();
    void Instr_obs_Click();

    // ---- procedures
    void Aktyw();
    void nast_Dop();
    void śr_dop();
    void TMP();

    // The set the record operations work on: empty while none is (no set made or opened yet, or the last
    // one opened failed its header check).
    QString currentSet() const { return setPath_; }
    // The question on screen as Next writes it: the seven boxes, flag 1 for a ticked box and 2 otherwise.
    questionset::Question screenRecord() const;

    // ---- controls
    QLabel* Label1;            // "Tu wpisz pytanie"
    QLabel* Label2;            // "A" .. "E"
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;            // "Tu wpisz jakieś wskazówki, podpowiedzi"
    QLabel* Label8;            // "Nazwa pliku testu"
    QLabel* Label9;            // "Brak"
    QLabel* Label10;           // "Pytanie nr"
    QLabel* Label11;           // current record number
    QLabel* Label12;           // "z"
    QLabel* Label13;           // record count
    ui::RecordBox* Text1;      // question
    ui::RecordBox* Text2;      // answers A .. E
    ui::RecordBox* Text3;
    ui::RecordBox* Text4;
    ui::RecordBox* Text5;
    ui::RecordBox* Text6;
    ui::RecordBox* Text7;      // hint
    QCheckBox* Check1;         // "Dobra odpowiedź" for A .. E
    QCheckBox* Check2;
    QCheckBox* Check3;
    QCheckBox* Check4;
    QCheckBox* Check5;
    QPushButton* Command1;     // "Poprzedni rekord"
    QPushButton* Command2;     // "Następny rekord"
    QLabel* Picture1;
    QLabel* Picture2;
    struct {
        QString FileName;
        QString Filter;
    } CD1;

    QMenuBar* menuBar;
    QMenu* pytania;
    QAction* nowyzestaw;
    QAction* otwórz;
    QAction* Odśw;
    QAction* ZamiknijZST;
    QAction* p1;
    QAction* wyjdź;
    QMenu* rekord;
    QAction* PierRek;
    QAction* poprzedni;
    QAction* następny;
    QAction* OstRek;
    QAction* CzyśćPola;
    QMenu* Odpowied;
    QAction* Zaz_all;
    QAction* Odz_all;
    QAction* odwróć;
    QMenu* pomoc;
    QAction* Instr_obs;

    std::array<ui::RecordBox*, 7> textBoxes() const;
    std::array<QCheckBox*, 5> answerBoxes() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void setRekordEnabled(bool enabled);
    void setRecordControlsEnabled(bool enabled);
    void showRecord(const questionset::Question& question);
    // The fields of a question not yet in the set: empty, with "Brak" as the hint.
    void showNewRecord();
    int current() const;
    int count() const;
    void setCounters(int current, int count);
    void setCounterTexts(const QString& currentText, const QString& countText);
    bool haveSet();
    // The open command's work on a chosen path; false when the set could not be opened.
    bool openChosen(const QString& path);
    void setOpenSet(const QString& path);

    // Saving the question on screen: appended at the end, or written in its place.
    bool appendOnScreen();
    std::optional<questionset::Rewritten> rewriteOnScreen();
    // Saves it without moving (the question on a move with unsaved changes).
    bool saveOnScreen();
    // Before a move that replaces the question on screen: asks about unsaved changes; false to stay.
    bool mayLeaveRecord();
    void markShown();

    QString setPath_;
    // Whether the question on screen is one the set holds (not a new one typed at the end).
    bool onScreenInFile_ = false;
    // The question as last shown or saved, to tell unsaved changes.
    questionset::Question shown_;
};

}  // namespace windows
