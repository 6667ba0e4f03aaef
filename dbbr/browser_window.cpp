#include "dbbr/browser_window.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStyle>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace kest::dbbr {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

constexpr int kRecordRole = Qt::UserRole + 1;  // index into the contents' records
constexpr int kSortRole = Qt::UserRole + 2;

}  // namespace

BrowserWindow::BrowserWindow() {
    setObjectName(QStringLiteral("kestdbbr"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    filter_ = new QLineEdit(central);
    filter_->setObjectName(QStringLiteral("filter"));
    filter_->setPlaceholderText(QStringLiteral("Filter: show the records whose cells contain this text"));
    filter_->setClearButtonEnabled(true);
    layout->addWidget(filter_);

    model_ = new QStandardItemModel(this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setFilterKeyColumn(-1);
    proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy_->setSortRole(kSortRole);
    connect(filter_, &QLineEdit::textChanged, proxy_, &QSortFilterProxyModel::setFilterFixedString);

    auto* split = new QSplitter(Qt::Vertical, central);
    table_ = new QTableView(split);
    table_->setObjectName(QStringLiteral("records"));
    table_->setModel(proxy_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(0, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &BrowserWindow::SelectionChanged);

    fields_ = new QTableWidget(split);
    fields_->setObjectName(QStringLiteral("fields"));
    fields_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fields_->verticalHeader()->hide();
    fields_->horizontalHeader()->setStretchLastSection(true);

    unread_ = new QListWidget(split);
    unread_->setObjectName(QStringLiteral("unread"));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 3);
    split->setStretchFactor(2, 1);
    layout->addWidget(split, 1);

    summary_ = new QLabel(central);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    layout->addWidget(summary_);
    setCentralWidget(central);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, &BrowserWindow::OpenDialog);
    file->addAction(QStringLiteral("&Reload"), QKeySequence::Refresh, this, [this] {
        if (!path_.isEmpty()) Open(path_);
    });
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, qApp, &QApplication::quit);

    setWindowTitle(QStringLiteral("Kestrune database browser"));
    resize(1100, 720);
    FillTable();
}

bool BrowserWindow::Open(const QString& path) {
    DatabaseContents contents;
    if (auto err = ReadDatabaseFile(path.toStdString(), contents)) {
        ShowProblem(Q(*err));
        return false;
    }
    Show(path, std::move(contents));
    return true;
}

void BrowserWindow::Show(const QString& path, DatabaseContents contents) {
    path_ = path;
    contents_ = std::move(contents);
    setWindowTitle(QFileInfo(path).fileName() + QStringLiteral(" - Kestrune database browser"));
    FillTable();

    int damaged = 0;
    for (const StoredRecord& r : contents_.records) damaged += r.Damaged();
    QString text = QStringLiteral("%1: %2 records").arg(path).arg(contents_.records.size());
    if (damaged) text += QStringLiteral(", %1 marked as damaged").arg(damaged);
    if (!contents_.unread.empty()) text += QStringLiteral(", %1 lines could not be read").arg(contents_.unread.size());
    text += QStringLiteral(". Select two records to compare them.");
    summary_->setText(text);
}

void BrowserWindow::ShowProblem(const QString& message) {
    path_.clear();
    contents_ = {};
    FillTable();
    unread_->addItem(message);
    summary_->setText(message);
}

void BrowserWindow::FillTable() {
    const auto& columns = BrowserColumns();
    model_->clear();
    QStringList titles;
    for (const BrowserColumn& c : columns) titles << Q(c.title);
    model_->setHorizontalHeaderLabels(titles);

    // A column sorts by number when any of its cells is a number.
    std::vector<bool> numeric(columns.size(), false);
    for (const StoredRecord& r : contents_.records)
        for (size_t c = 0; c < columns.size(); ++c)
            if (columns[c].cell(r).number) numeric[c] = true;

    for (size_t i = 0; i < contents_.records.size(); ++i) {
        const StoredRecord& r = contents_.records[i];
        QList<QStandardItem*> row;
        const QString problems = Q([&] {
            std::string s;
            for (const std::string& p : r.Problems()) s += (s.empty() ? "" : "\n") + p;
            return s;
        }());
        for (size_t c = 0; c < columns.size(); ++c) {
            const BrowserCell cell = columns[c].cell(r);
            auto* item = new QStandardItem(Q(cell.text));
            item->setData(static_cast<int>(i), kRecordRole);
            if (numeric[c])
                item->setData(cell.number.value_or(-1.0), kSortRole);
            else
                item->setData(Q(cell.text), kSortRole);
            if (r.Damaged()) {
                item->setBackground(QColor(QRgb(kDamagedColour)));
                item->setToolTip(problems);
                // The sign stays visible while the row is selected.
                if (columns[c].title == "Status") item->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
            }
            row << item;
        }
        model_->appendRow(row);
    }
    table_->resizeColumnsToContents();

    unread_->clear();
    for (const StoredRecord& r : contents_.records)
        for (const std::string& p : r.Problems())
            unread_->addItem(QStringLiteral("Record at line %1: %2").arg(r.first_line).arg(Q(p)));
    for (const UnreadLine& u : contents_.unread)
        unread_->addItem(QStringLiteral("Line %1 could not be read (%2): %3").arg(u.line).arg(Q(u.reason), Q(u.text)));
    SelectionChanged();
}

void BrowserWindow::SelectionChanged() {
    std::vector<int> chosen;
    if (table_->selectionModel()) {
        QModelIndexList rows = table_->selectionModel()->selectedRows();
        std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
        for (const QModelIndex& idx : rows) chosen.push_back(idx.data(kRecordRole).toInt());
    }
    fields_->clear();
    fields_->setRowCount(0);
    if (chosen.empty() || chosen.size() > 2) {
        fields_->setColumnCount(1);
        fields_->setHorizontalHeaderLabels({chosen.empty() ? QStringLiteral("Select a record to see all its fields")
                                                           : QStringLiteral("Select one record, or two to compare")});
        return;
    }
    const StoredRecord& a = contents_.records[static_cast<size_t>(chosen[0])];
    const bool two = chosen.size() == 2;
    const std::vector<FieldRow> rows =
        two ? CompareRecords(a, contents_.records[static_cast<size_t>(chosen[1])]) : FieldRows(a);
    QStringList titles{QStringLiteral("Line"), QStringLiteral("Field"),
                       QStringLiteral("Record at line %1").arg(a.first_line)};
    if (two) {
        titles << QStringLiteral("Record at line %1").arg(contents_.records[static_cast<size_t>(chosen[1])].first_line);
        const auto differing = std::count_if(rows.begin(), rows.end(), [](const FieldRow& f) { return f.differs; });
        titles << QStringLiteral("Differs (%1)").arg(differing);
    }
    fields_->setColumnCount(static_cast<int>(titles.size()));
    fields_->setHorizontalHeaderLabels(titles);
    fields_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const FieldRow& f = rows[static_cast<size_t>(i)];
        QStringList cells{QString::number(f.line), Q(f.name), Q(f.first)};
        if (two) cells << Q(f.second) << (f.differs ? QStringLiteral("differs") : QString());
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (f.differs) {
                item->setBackground(QColor(QRgb(kDifferingColour)));
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            fields_->setItem(i, c, item);
        }
    }
    fields_->resizeColumnsToContents();
}

void BrowserWindow::OpenDialog() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open processor database"),
                                                      path_.isEmpty() ? QString() : QFileInfo(path_).path());
    if (!path.isEmpty()) Open(path);
}

}  // namespace kest::dbbr
