#pragma once
// The file list that windows use to pick a file in a folder: the files matching a pattern, whatever the
// letter case of their names (the old file system ignored case), sorted by name.
#include <QListWidget>
#include <QString>

namespace ui {

class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    // The pattern, "*.KWZ" say; matched without regard to letter case.
    void setPattern(const QString& pattern);
    QString pattern() const { return pattern_; }
    // Shows the files of a native folder; nothing is selected afterwards.
    void setPath(const QString& folder);
    QString path() const { return path_; }
    // Reads the folder again; the selection goes.
    void refresh();

    // The selected file's name, or empty when none is selected.
    QString fileName() const;
    // Selects the file of a row, as a click on it does (clicked() follows).
    void select(int row);

signals:
    // A file was selected: by a click, the keyboard or select().
    void fileClicked();

private:
    void fill();
    QString pattern_ = QStringLiteral("*.*");
    QString path_;
    bool filling_ = false;
};

}  // namespace ui
