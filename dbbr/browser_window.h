// kestdbbr's window: the record table with its filter, the fields of the
// selected record (or two records side by side) and the lines of the file
// that could not be read. What each cell says comes from
// record/database_read; this is only the Qt side. The window never writes to
// the database file.
#pragma once

#include <QMainWindow>
#include <QString>

#include "record/database_read.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;
class QTableWidget;

namespace kest::dbbr {

class BrowserWindow : public QMainWindow {
    Q_OBJECT
public:
    BrowserWindow();

    // Reads and shows `path`; on failure the window shows why and stays empty.
    bool Open(const QString& path);
    // Shows contents already read from `path`.
    void Show(const QString& path, DatabaseContents contents);
    // Shows an empty window that says why there is nothing to show.
    void ShowProblem(const QString& message);

    QTableView* Table() const { return table_; }
    QTableWidget* Fields() const { return fields_; }
    QLineEdit* Filter() const { return filter_; }
    QListWidget* Unread() const { return unread_; }
    const DatabaseContents& Contents() const { return contents_; }

private:
    void FillTable();
    void SelectionChanged();
    void OpenDialog();

    QString path_;
    DatabaseContents contents_;
    QLineEdit* filter_ = nullptr;
    QTableView* table_ = nullptr;
    QStandardItemModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    QTableWidget* fields_ = nullptr;
    QListWidget* unread_ = nullptr;
    QLabel* summary_ = nullptr;
};

// The colours that mark a damaged record and a differing field.
inline constexpr unsigned kDamagedColour = 0xF4C7C3;
inline constexpr unsigned kDifferingColour = 0xFFF2A8;

}  // namespace kest::dbbr
