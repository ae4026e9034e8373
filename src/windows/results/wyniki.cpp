#include "windows/results/wyniki.h"

#include "bridges/results_csv.h"
#include "config/files.h"
#include "grading/scale.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/new_version.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "platform/text.h"
#include "ui/teacher_gate.h"
#include "windows/editor/nowe_wiedo.h"
#include "windows/temp/temp_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

namespace windows {

namespace {

using analysis::decimalText;
using platform::FileError;

const QString dash = QStringLiteral("—");

// A log's bytes; a log not yet written is no fault, only empty.
struct LogBytes {
    QByteArray bytes;
    bool missing = false;
    QString problem;  // why it could not be read
};

LogBytes readLog(const QString& programPath) {
    LogBytes log;
    const std::optional<QString> native = platform::resolvePath(programPath);
    if (!native || !QFileInfo(*native).isFile()) {
        log.missing = true;
        return log;
    }
    QFile file(*native);
    if (!file.open(QIODevice::ReadOnly)) {
        log.problem = QStringLiteral("nie można otworzyć pliku %1 (%2)").arg(QDir::toNativeSeparators(*native),
                                                                             file.errorString());
        return log;
    }
    log.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        log.problem = QStringLiteral("nie można przeczytać pliku %1 (%2)").arg(QDir::toNativeSeparators(*native),
                                                                              file.errorString());
    return log;
}

QString fileNameOf(const QString& path) { return QFileInfo(QString(path).replace(u'\\', u'/')).fileName(); }

QString capitalised(QString text) {
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

QString entries(qsizetype n) {
    return platform::countedNoun(n, QStringLiteral("wpis"), QStringLiteral("wpisy"), QStringLiteral("wpisów"));
}

// The lists of a filter keep the choice made when they are filled again, if it is still there.
void fillChoices(QComboBox* box, const QString& all, const QStringList& values, bool files) {
    const QVariant kept = box->currentData();
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItem(all);
    for (const QString& value : values) {
        if (files) {
            box->addItem(fileNameOf(value), value);
            box->setItemData(box->count() - 1, QDir::toNativeSeparators(value), Qt::ToolTipRole);
        } else {
            box->addItem(value.isEmpty() ? QStringLiteral("(bez klasy)") : value, value);
        }
    }
    const int again = kept.isValid() ? box->findData(kept) : -1;
    box->setCurrentIndex(std::max(0, again));
    // A crowded filter row must not cut the names of the classes.
    if (!files)
        box->setMinimumWidth(box->sizeHint().width());
}

QDateEdit* dateEdit(const char* name, const QString& accessible) {
    auto* edit = new QDateEdit;
    edit->setObjectName(QString::fromUtf8(name));
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setCalendarPopup(true);
    edit->setAccessibleName(accessible);
    edit->setEnabled(false);
    return edit;
}

// Without a range of their own the date boxes show the whole span of the records.
void showSpan(QCheckBox* enabled, QDateEdit* from, QDateEdit* to, const QList<QDate>& dates) {
    if (enabled->isChecked() || dates.isEmpty())
        return;
    const auto [first, last] = std::minmax_element(dates.begin(), dates.end());
    const QSignalBlocker quietFrom(from);
    const QSignalBlocker quietTo(to);
    from->setDate(*first);
    to->setDate(*last);
}

analysis::RecordFilter filterOf(QComboBox* classes, QComboBox* sets, QCheckBox* dates, QDateEdit* from, QDateEdit* to) {
    analysis::RecordFilter filter;
    if (classes->currentData().isValid())
        filter.className = classes->currentData().toString();
    if (sets)
        filter.setPath = sets->currentData().toString();
    if (dates->isChecked()) {
        filter.from = from->date();
        filter.to = to->date();
    }
    return filter;
}

QTableView* tableView(const char* name, const QString& accessible, QAbstractItemModel* model) {
    auto* view = new QTableView;
    view->setObjectName(QString::fromUtf8(name));
    view->setAccessibleName(accessible);
    view->setModel(model);
    view->setSortingEnabled(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->setVisible(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    view->setTabKeyNavigation(false);
    return view;
}

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QPushButton* button(const char* name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromUtf8(name));
    return b;
}

// The filter row: class, set (where given), and the date range behind its check box.
QHBoxLayout* filterRow(QComboBox* classes, QComboBox* sets, const QString& setCaption, QCheckBox* dates,
                       QDateEdit* from, QDateEdit* to) {
    auto* row = new QHBoxLayout;
    classes->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    if (sets) {
        row->addWidget(buddyLabel(setCaption, sets));
        row->addWidget(sets, 2);
    }
    row->addWidget(buddyLabel(QStringLiteral("K&lasa:"), classes));
    row->addWidget(classes, 1);
    row->addWidget(dates);
    row->addWidget(from);
    row->addWidget(buddyLabel(QStringLiteral("d&o"), to));
    row->addWidget(to);
    QObject::connect(dates, &QCheckBox::toggled, from, &QWidget::setEnabled);
    QObject::connect(dates, &QCheckBox::toggled, to, &QWidget::setEnabled);
    return row;
}

}  // namespace

Wyniki::Wyniki() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Wyniki i analiza"));
    setMinimumSize(640, 480);
    resize(800, 600);

    tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->addTab(makeResultsTab(), QStringLiteral("&Wyniki"));
    tabs->addTab(makeAnalysisTab(), QStringLiteral("&Analiza pytań"));

    refreshButton = button("refreshButton", QStringLiteral("Odśwież (F5)"));
    refreshButton->setShortcut(QKeySequence(Qt::Key_F5));
    closeButton = button("closeButton", QStringLiteral("Za&mknij"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(noteLabel, 1);
    bottom->addWidget(refreshButton);
    bottom->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addLayout(bottom);
    setCancelButton(closeButton);
    // Tab goes through the controls as they stand on screen, the hidden tab's passed by.
    const QList<QWidget*> order{tabs,          setBox,         classBox,        datesBox,         fromDate,
                                toDate,        currentKeyBox,  exportButton,    printButton,      resultsView,
                                faultsList,    analysedSetBox, analysedClassBox, analysedDatesBox, analysedFrom,
                                analysedTo,    questionsView,  refreshButton,   closeButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    connect(refreshButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { reload(); }); });
    connect(closeButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { ui::forms().unload(*this); }); });
}

void Wyniki::Form_Load() { centre(); }

QWidget* Wyniki::makeResultsTab() {
    auto* page = new QWidget;
    classBox = new QComboBox;
    classBox->setObjectName(QStringLiteral("classBox"));
    setBox = new QComboBox;
    setBox->setObjectName(QStringLiteral("setBox"));
    datesBox = new QCheckBox(QStringLiteral("Zakres &dat: od"));
    datesBox->setObjectName(QStringLiteral("datesBox"));
    fromDate = dateEdit("fromDate", QStringLiteral("Data od"));
    toDate = dateEdit("toDate", QStringLiteral("Data do"));
    currentKeyBox = new QCheckBox(QStringLiteral("Według obecnego &klucza"));
    currentKeyBox->setObjectName(QStringLiteral("currentKeyBox"));
    currentKeyBox->setToolTip(QStringLiteral("Dodaje punkty i ocenę, jakie dałby obecny klucz zestawu i obecna skala "
                                             "ocen, dla testów, których klucz od tego czasu się zmienił."));

    results = new analysis::ResultsModel(this);
    shown = new analysis::ResultsFilterModel(this);
    shown->setSourceModel(results);
    resultsView = tableView("resultsView", QStringLiteral("Wyniki testów"), shown);
    resultsView->sortByColumn(analysis::ResultsModel::Date, Qt::AscendingOrder);

    gradeChart = new BarChart(QStringLiteral("Wykres ocen"));
    gradeChart->setObjectName(QStringLiteral("gradeChart"));
    figuresLabel = new QLabel;
    figuresLabel->setObjectName(QStringLiteral("figuresLabel"));
    figuresLabel->setWordWrap(true);
    figuresLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    faultsLabel = new QLabel(QStringLiteral("Uszkodzone miejsca w dzienniku wyników (ich wpisy pominięto):"));
    faultsList = new QListWidget;
    faultsList->setObjectName(QStringLiteral("faultsList"));
    faultsList->setAccessibleName(QStringLiteral("Uszkodzone miejsca w dzienniku wyników"));
    faultsList->setMaximumHeight(faultsList->fontMetrics().height() * 3 + 8);
    faultsLabel->setBuddy(faultsList);
    noteLabel = new QLabel;
    noteLabel->setObjectName(QStringLiteral("noteLabel"));
    noteLabel->setWordWrap(true);

    exportButton = button("exportButton", QStringLiteral("&Eksportuj do CSV…"));
    printButton = button("printButton", QStringLiteral("Dr&ukuj…"));

    auto* options = new QHBoxLayout;
    options->addWidget(currentKeyBox);
    options->addStretch(1);
    options->addWidget(exportButton);
    options->addWidget(printButton);

    auto* figures = new QWidget;
    auto* figuresLayout = new QHBoxLayout(figures);
    figuresLayout->setContentsMargins(0, 0, 0, 0);
    figuresLayout->addWidget(gradeChart, 3);
    figuresLayout->addWidget(figuresLabel, 2);
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(resultsView);
    splitter->addWidget(figures);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(filterRow(classBox, setBox, QStringLiteral("&Zestaw:"), datesBox, fromDate, toDate));
    layout->addLayout(options);
    layout->addWidget(splitter, 1);
    layout->addWidget(faultsLabel);
    layout->addWidget(faultsList);

    const auto filter = [this] { ui::guarded([this] { applyFilter(); }); };
    connect(classBox, &QComboBox::currentIndexChanged, this, filter);
    connect(setBox, &QComboBox::currentIndexChanged, this, filter);
    connect(datesBox, &QCheckBox::toggled, this, filter);
    connect(fromDate, &QDateEdit::dateChanged, this, filter);
    connect(toDate, &QDateEdit::dateChanged, this, filter);
    connect(currentKeyBox, &QCheckBox::toggled, this,
            [this](bool on) { ui::guarded([this, on] { currentKeyToggled(on); }); });
    connect(exportButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { exportCsv(); }); });
    connect(printButton, &QPushButton::clicked, this, [this] { ui::guarded([this] { printResults(); }); });
    return page;
}

QWidget* Wyniki::makeAnalysisTab() {
    auto* page = new QWidget;
    analysedSetBox = new QComboBox;
    analysedSetBox->setObjectName(QStringLiteral("analysedSetBox"));
    analysedClassBox = new QComboBox;
    analysedClassBox->setObjectName(QStringLiteral("analysedClassBox"));
    analysedDatesBox = new QCheckBox(QStringLiteral("Zakres &dat: od"));
    analysedDatesBox->setObjectName(QStringLiteral("analysedDatesBox"));
    analysedFrom = dateEdit("analysedFrom", QStringLiteral("Data od"));
    analysedTo = dateEdit("analysedTo", QStringLiteral("Data do"));

    questions = new analysis::QuestionsModel(this);
    questionsSorted = new QSortFilterProxyModel(this);
    questionsSorted->setSourceModel(questions);
    questionsSorted->setSortRole(analysis::sortRole);
    questionsView = tableView("questionsView", QStringLiteral("Analiza pytań"), questionsSorted);
    questionsView->sortByColumn(analysis::QuestionsModel::Number, Qt::AscendingOrder);
    questionsView->setToolTip(QStringLiteral("Dwuklik albo Enter otwiera pytanie w edytorze pytań."));
    questionsView->horizontalHeader()->setStretchLastSection(true);

    summaryLabel = new QLabel;
    summaryLabel->setObjectName(QStringLiteral("summaryLabel"));
    summaryLabel->setWordWrap(true);
    summaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    facilityChart = new BarChart(QStringLiteral("Wykres łatwości pytań"));
    facilityChart->setObjectName(QStringLiteral("facilityChart"));

    auto* figures = new QWidget;
    auto* figuresLayout = new QHBoxLayout(figures);
    figuresLayout->setContentsMargins(0, 0, 0, 0);
    figuresLayout->addWidget(summaryLabel, 2);
    figuresLayout->addWidget(facilityChart, 3);
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(questionsView);
    splitter->addWidget(figures);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(filterRow(analysedClassBox, analysedSetBox, QStringLiteral("&Zestaw:"), analysedDatesBox,
                                analysedFrom, analysedTo));
    layout->addWidget(splitter, 1);

    const auto analyse = [this] { ui::guarded([this] { analyseSet(); }); };
    connect(analysedSetBox, &QComboBox::currentIndexChanged, this, analyse);
    connect(analysedClassBox, &QComboBox::currentIndexChanged, this, analyse);
    connect(analysedDatesBox, &QCheckBox::toggled, this, analyse);
    connect(analysedFrom, &QDateEdit::dateChanged, this, analyse);
    connect(analysedTo, &QDateEdit::dateChanged, this, analyse);
    connect(questionsView, &QTableView::activated, this,
            [this](const QModelIndex& index) { ui::guarded([this, index] { editQuestion(index); }); });
    return page;
}

QString Wyniki::programFolder() const { return ui::forms().get<TEMP>().Text1->text(); }

// ---- reading the logs ---------------------------------------------------------------------------------

void Wyniki::reload() {
    QStringList notes;
    const LogBytes resultsBytes = readLog(programFolder() + QLatin1String(config::resultsLogFileName));
    const bridges::ResultsLog log = bridges::parseResultsLog(resultsBytes.bytes);
    if (resultsBytes.missing)
        notes << QStringLiteral("W folderze programu nie ma jeszcze dziennika wyników (wyniki.txt).");
    else if (!resultsBytes.problem.isEmpty())
        notes << QStringLiteral("Dziennik wyników: %1.").arg(resultsBytes.problem);
    results->setRecords(log.records);
    faultsList->clear();
    for (const bridges::LogFault& fault : log.faults)
        faultsList->addItem(QStringLiteral("wiersz %1: %2").arg(fault.line).arg(fault.what));
    faultsLabel->setVisible(!log.faults.isEmpty());
    faultsList->setVisible(!log.faults.isEmpty());

    const LogBytes answersBytes = readLog(programFolder() + QLatin1String(config::answersLogFileName));
    answers_ = analysis::parseAnswersLog(answersBytes.bytes);
    results->addAnswers(answers_);
    answersMissing_ = answersBytes.missing;
    answersProblem_ = answersBytes.problem;
    if (!answersProblem_.isEmpty())
        notes << QStringLiteral("Dziennik odpowiedzi: %1.").arg(answersProblem_);
    else if (!answers_.faults.isEmpty())
        notes << QStringLiteral("W dzienniku odpowiedzi pominięto uszkodzone miejsca: %1.").arg(answers_.faults.size());

    fillChoices(classBox, QStringLiteral("Wszystkie klasy"), analysis::classesOf(results->records()), false);
    fillChoices(setBox, QStringLiteral("Wszystkie zestawy"), analysis::setsOf(results->records()), true);
    QList<QDate> dates;
    for (const grading::ResultRecord& r : results->records())
        dates << r.when.date();
    showSpan(datesBox, fromDate, toDate, dates);

    QStringList answeredClasses;
    QList<QDate> answeredDates;
    for (const analysis::AnsweredTest& test : answers_.tests) {
        answeredClasses << test.answers.className;
        answeredDates << test.answers.when.date();
    }
    answeredClasses.removeDuplicates();
    answeredClasses.sort(Qt::CaseInsensitive);
    fillChoices(analysedClassBox, QStringLiteral("Wszystkie klasy"), answeredClasses, false);
    showSpan(analysedDatesBox, analysedFrom, analysedTo, answeredDates);
    {
        // The first set is analysed at once: the list has no "every set" entry.
        const QVariant kept = analysedSetBox->currentData();
        const QSignalBlocker quiet(analysedSetBox);
        analysedSetBox->clear();
        for (const QString& path : analysis::setsNamed(answers_)) {
            analysedSetBox->addItem(fileNameOf(path), path);
            analysedSetBox->setItemData(analysedSetBox->count() - 1, QDir::toNativeSeparators(path), Qt::ToolTipRole);
        }
        analysedSetBox->setCurrentIndex(std::max(0, kept.isValid() ? analysedSetBox->findData(kept) : 0));
    }

    noteLabel->setText(notes.join(u' '));
    if (currentKeyBox->isChecked())
        regrade();
    applyFilter();
    resultsView->resizeColumnsToContents();
    analyseSet();
}

// ---- the results tab ----------------------------------------------------------------------------------

void Wyniki::applyFilter() {
    shown->setFilter(filterOf(classBox, setBox, datesBox, fromDate, toDate));
    const QList<grading::ResultRecord> rows = shown->shownRecords();
    const analysis::GradeFigures figures = analysis::gradeFigures(rows);
    QList<BarChart::Bar> bars;
    qsizetype most = 1;
    for (int grade = 1; grade <= 6; ++grade) {
        const qsizetype count = figures.counts[static_cast<std::size_t>(grade - 1)];
        const double share = figures.graded ? 100.0 * count / figures.graded : 0;
        bars << BarChart::Bar{QString::number(grade), static_cast<double>(count),
                              QStringLiteral("%1 (%2%)").arg(count).arg(decimalText(share))};
        most = std::max(most, count);
    }
    gradeChart->setBars(bars, static_cast<double>(most));
    const auto optional = [](const std::optional<double>& v) { return v ? decimalText(*v) : dash; };
    figuresLabel->setText(
        QStringLiteral("Wyświetlone wpisy: %1 z %2.\nZ oceną: %3.\nŚrednia ocen: %4.\nMediana ocen: %5.\n"
                       "Średni wynik: %6% punktów.")
            .arg(shown->rowCount())
            .arg(results->rowCount())
            .arg(figures.graded)
            .arg(optional(figures.mean), optional(figures.median), optional(figures.meanShare)));
    figuresLabel->setAccessibleName(figuresLabel->text());
}

void Wyniki::currentKeyToggled(bool on) {
    results->showCurrentKey(on);
    if (on)
        regrade();
    resultsView->resizeColumnsToContents();
}

void Wyniki::regrade() {
    grading::Thresholds scale{};
    try {
        scale = grading::readScale(programFolder());
    } catch (const FileError&) {
        platform::msgBox(QStringLiteral("Nie mogę odczytać skali ocen z pliku ptk.ptk w folderze programu, więc nie "
                                        "mogę przeliczyć wyników według obecnego klucza."),
                         platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Brak skali ocen"));
        currentKeyBox->setChecked(false);
        return;
    }
    QStringList unreadable;
    const QList<std::optional<analysis::Regraded>> regraded =
        analysis::regradeAll(results->records(), answers_, scale, &unreadable);
    results->setRegraded(regraded);
    QString note;
    if (answersMissing_)
        note = QStringLiteral("W folderze programu nie ma dziennika odpowiedzi (odpowiedzi.txt), więc żadnego testu "
                              "nie można przeliczyć.");
    else if (!unreadable.isEmpty())
        note = QStringLiteral("Nie mogę odczytać zestawu %1; jego testy pokazano bez przeliczenia.")
                   .arg(QDir::toNativeSeparators(unreadable.first()));
    else
        note = QStringLiteral("Przeliczone według obecnego klucza: %1.")
                   .arg(entries(std::count_if(regraded.begin(), regraded.end(), [](const auto& r) { return r.has_value(); })));
    noteLabel->setText(note);
}

void Wyniki::exportCsv() {
    const std::optional<QString> chosen = platform::dialogs().saveFile(
        {QStringLiteral("Eksportuj wyniki do pliku CSV"),
         QStringLiteral("Pliki CSV ( *.csv )|*.csv|Wszystkie pliki ( *.* )|*.*"), programFolder(),
         QStringLiteral("wyniki.csv")});
    if (!chosen || chosen->isEmpty())
        return;
    const QString path = QFileInfo(*chosen).suffix().isEmpty() ? *chosen + QStringLiteral(".csv") : *chosen;
    // The table must never take the place of the log it was made from.
    const std::optional<QString> log = platform::resolvePath(programFolder() + QLatin1String(config::resultsLogFileName));
    if (log && QFileInfo(path).exists() && QFileInfo(path).canonicalFilePath() == QFileInfo(*log).canonicalFilePath()) {
        platform::msgBox(QStringLiteral("Tabela nie może zastąpić dziennika wyników. Podaj inną nazwę pliku."),
                         platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Zła nazwa pliku"));
        return;
    }
    const QList<grading::ResultRecord> rows = shown->shownRecords();
    try {
        platform::NewVersion table(path);
        table.write(bridges::resultsTable(rows));
        table.commit();
    } catch (const FileError& error) {
        platform::msgBox(capitalised(platform::failureMessage(error)) + u'.', platform::Buttons::Ok,
                         platform::Icon::Exclamation, QStringLiteral("Błąd zapisu"));
        return;
    }
    noteLabel->setText(QStringLiteral("Zapisano %1 do pliku %2.").arg(entries(rows.size()), QDir::toNativeSeparators(path)));
}

void Wyniki::printResults() {
    platform::Printer& printer = platform::printer();
    QString file;
    if (!printer.hasPrinter()) {
        // As the other printouts: with no printer in the system the page goes to a PDF beside the logs.
        const std::optional<QString> folder = platform::resolvePath(programFolder());
        file = QDir(folder.value_or(QDir::currentPath())).filePath(QStringLiteral("wyniki.pdf"));
        printer.setOutputFile(file);
    } else if (!platform::dialogs().printerDialog()) {
        return;
    }
    const QList<grading::ResultRecord> rows = shown->shownRecords();
    printer.setFontSize(14);
    printer.setBold(true);
    printer.print(QStringLiteral("Wyniki testów"), true);
    printer.setBold(false);
    printer.setFontSize(10);
    printer.print(QStringLiteral("Klasa: %1; zestaw: %2; daty: %3.")
                      .arg(classBox->currentIndex() > 0 ? classBox->currentText() : QStringLiteral("wszystkie"),
                           setBox->currentIndex() > 0 ? setBox->currentText() : QStringLiteral("wszystkie"),
                           datesBox->isChecked() ? fromDate->text() + QStringLiteral(" – ") + toDate->text()
                                                 : QStringLiteral("wszystkie")),
                  true);
    printer.print(QString(), true);
    for (int row = 0; row < shown->rowCount(); ++row) {
        const auto cell = [&](int column) { return shown->index(row, column).data().toString(); };
        using C = analysis::ResultsModel::Column;
        QString line = QStringLiteral("%1 %2, %3, %4 %5, %6: %7 z %8, ocena %9")
                           .arg(cell(C::Surname), cell(C::FirstName), cell(C::Class), cell(C::Date), cell(C::Time),
                                cell(C::Set), cell(C::Points), cell(C::Questions), cell(C::Grade));
        if (!cell(C::WindowLeft).isEmpty())
            line += QStringLiteral("; opuszczenia okna: %1").arg(cell(C::WindowLeft));
        if (results->currentKeyShown() && cell(C::PointsNow) != dash)
            line += QStringLiteral("; według obecnego klucza %1, ocena %2").arg(cell(C::PointsNow), cell(C::GradeNow));
        printer.print(line, true);
    }
    printer.print(QString(), true);
    printer.setBold(true);
    printer.print(QStringLiteral("Oceny"), true);
    printer.setBold(false);
    double most = 1;
    for (const BarChart::Bar& bar : gradeChart->bars())
        most = std::max(most, bar.value);
    for (const BarChart::Bar& bar : gradeChart->bars())
        printer.print(QStringLiteral("%1: %2 %3")
                          .arg(bar.label, QString(static_cast<qsizetype>(bar.value * 40 / most), QChar(0x25A0)),
                               bar.caption),
                      true);
    printer.print(QString(), true);
    for (const QString& line : figuresLabel->text().split(u'\n'))
        printer.print(line, true);
    printer.endDoc();
    if (printer.lastJobFailed()) {
        const QString cause = printer.lastJobFailure();
        platform::msgBox(file.isEmpty() ? QStringLiteral("Drukarka nie przyjęła wydruku. Sprawdź, czy jest włączona "
                                                         "i podłączona.")
                                        : QStringLiteral("Nie mogę zapisać wydruku w pliku %1%2")
                                              .arg(QDir::toNativeSeparators(file),
                                                   cause.isEmpty() ? QStringLiteral(".") : QStringLiteral(": %1.").arg(cause)),
                         platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Błąd drukowania"));
    } else if (!file.isEmpty()) {
        platform::msgBox(QStringLiteral("W systemie nie ma drukarki, więc wydruk został zapisany w pliku PDF:\r") +
                             QDir::toNativeSeparators(file),
                         platform::Buttons::Ok, platform::Icon::Information, QStringLiteral("Wydruk do pliku PDF"));
    }
}

// ---- the analysis tab ---------------------------------------------------------------------------------

void Wyniki::analyseSet() {
    const QString path = analysedSetBox->currentData().toString();
    if (path.isEmpty()) {
        questions->setAnalysis({}, {});
        facilityChart->setBars({}, 100);
        summaryLabel->setText(answersMissing_ ? QStringLiteral("W folderze programu nie ma jeszcze dziennika "
                                                               "odpowiedzi (odpowiedzi.txt).")
                                              : QStringLiteral("Dziennik odpowiedzi nie zawiera żadnego testu."));
        return;
    }
    analysis::SetContents set;
    try {
        set = analysis::readSetContents(path);
    } catch (const FileError& error) {
        questions->setAnalysis({}, {});
        facilityChart->setBars({}, 100);
        summaryLabel->setText(QStringLiteral("Nie mogę odczytać zestawu: %1.").arg(platform::failureMessage(error)));
        return;
    }
    const analysis::RecordFilter filter =
        filterOf(analysedClassBox, nullptr, analysedDatesBox, analysedFrom, analysedTo);
    const QList<const grading::TestAnswers*> tests = analysis::chosenTests(answers_, path, set, filter);
    analysis::ItemAnalysis figures = analysis::analyse(set, tests);
    QList<BarChart::Bar> bars;
    for (qsizetype i = 0; i < figures.questions.size(); ++i) {
        const double facility = figures.questions.at(i).facility;
        bars << BarChart::Bar{QString::number(i + 1), facility, decimalText(facility) + u'%'};
    }
    facilityChart->setBars(tests.isEmpty() ? QList<BarChart::Bar>() : bars, 100);
    QStringList summary = analysis::testSummary(figures.test);
    if (tests.isEmpty())
        summary = QStringList{QStringLiteral("Żaden test tego zestawu nie spełnia wybranych warunków.")};
    else if (figures.test.uncertain)
        summary << analysis::uncertainWarning;
    summaryLabel->setText(summary.join(u'\n'));
    summaryLabel->setAccessibleName(summaryLabel->text());
    questions->setAnalysis(std::move(set), tests.isEmpty() ? analysis::ItemAnalysis() : std::move(figures));
    questionsView->resizeColumnsToContents();
    // The question's text takes what room there is beside the figures; the whole text is its tooltip.
    questionsView->setColumnWidth(analysis::QuestionsModel::Text,
                                  std::min(questionsView->columnWidth(analysis::QuestionsModel::Text),
                                           questionsView->fontMetrics().averageCharWidth() * 30));
}

void Wyniki::editQuestion(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const int number = questionsSorted->mapToSource(index).row() + 1;
    const QString path = analysedSetBox->currentData().toString();
    // The editor shows the set's key: with a password stored, only the teacher opens it.
    if (ui::askTeacherPassword(programFolder(), ui::optionsQuestion()) != ui::GateAnswer::Open)
        return;
    auto& editor = ui::forms().get<NoweWiedo>();
    editor.openAt(path, number);
    editor.ShowModal();
    // The key may have changed in the editor.
    analyseSet();
    if (currentKeyBox->isChecked())
        regrade();
}

}  // namespace windows
