#pragma once
// The loader window: 20 ms after it shows, it checks and repairs the configuration and work files in
// seven steps, then hides itself and opens the instructions window.
#include "ui/form.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace startup {

class LoadT : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("LoadT");
    LoadT();
    void Form_Unload(bool& cancel) override;
    void Command1_Click();
    void Timer2_Timer();

    // The seven checks, in the order the loading runs them.
    void InI();
    void KLl();
    void TtmP();
    void tCfG();
    void PtK();
    void run_run();
    void Czego_tu();

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QProgressBar* PrB;
    QPushButton* Command1;
    QTimer* Timer2;

private:
    QString programFolder() const;
    void showWelcome();
};

// The start procedure: registers the windows, centres and shows the loader.
void Main();
// Lets the next copy of the program start (the lock beside the work file goes with the program).
void releaseSecondCopyLock();

}  // namespace startup
