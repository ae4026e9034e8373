#include "ui/file_list.h"

#include <QDir>

namespace ui {

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_ && row >= 0)
            emit fileClicked();
    });
    // A click on the row already selected is a click all the same.
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item && row(item) == currentRow() && !filling_)
            emit fileClicked();
    });
}

void FileList::setPattern(const QString& pattern) {
    pattern_ = pattern;
    fill();
}

void FileList::setPath(const QString& folder) {
    path_ = folder;
    fill();
}

void FileList::refresh() { fill(); }

QString FileList::fileName() const {
    const QListWidgetItem* chosen = currentItem();
    return chosen && chosen->isSelected() ? chosen->text() : QString();
}

void FileList::select(int row) {
    if (row < 0 || row >= count())
        return;
    if (row == currentRow()) {
        item(row)->setSelected(true);
        emit fileClicked();
        return;
    }
    setCurrentRow(row);
}

void FileList::fill() {
    filling_ = true;
    clear();
    if (!path_.isEmpty()) {
        QDir folder(path_);
        folder.setNameFilters({pattern_});
        folder.setFilter(QDir::Files);
        folder.setSorting(QDir::Name | QDir::IgnoreCase);
        // QDir matches name filters without regard to case unless told otherwise.
        addItems(folder.entryList());
    }
    setCurrentRow(-1);
    filling_ = false;
}

}  // namespace ui
