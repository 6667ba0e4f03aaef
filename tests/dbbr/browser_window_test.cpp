// The browser's table over a small database: rows, marking, sorting,
// filtering and two records side by side.
#include <gtest/gtest.h>

#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTableWidget>

#include "dbbr/browser_window.h"
#include "report/temp_dir.h"

namespace kest {
namespace {

std::string Golden(const char* name) { return test::ReadFile(std::string(KEST_REPORT_GOLDEN_DIR) + "/" + name); }

int Column(const QAbstractItemModel* m, const QString& title) {
    for (int c = 0; c < m->columnCount(); ++c)
        if (m->headerData(c, Qt::Horizontal).toString() == title) return c;
    ADD_FAILURE() << title.toStdString();
    return 0;
}

TEST(BrowserWindow, TableMarksSortsFiltersAndCompares) {
    // Three records: the Pentium 4, the AMD one, and the AMD one again with
    // its stepping changed after it was written; then a stray line.
    std::string amd = Golden("amd_l3_record.txt");
    std::string tampered = amd;
    tampered.replace(tampered.find("\r\nstepping=3\r\n"), 14, "\r\nstepping=4\r\n");
    test::TempDir dir;
    test::WriteFile(dir / "cpus.db", Golden("p4_trace_record.txt") + amd + tampered + "stray\r\n");

    dbbr::BrowserWindow w;
    ASSERT_TRUE(w.Open(QString::fromStdString(dir / "cpus.db")));
    w.show();
    const QAbstractItemModel* m = w.Table()->model();
    ASSERT_EQ(m->rowCount(), 3);
    const int status = Column(m, "Status"), l3 = Column(m, "L3 (KB)"), name = Column(m, "CPU name");
    EXPECT_EQ(m->index(0, name).data().toString(), "Intel Pentium 4");
    EXPECT_EQ(m->index(1, Column(m, "Read MB/s avg")).data().toString(), "1071.87");

    // Only the tampered record is marked, in every cell of its row.
    EXPECT_EQ(m->index(2, status).data().toString(), "checksum fails");
    EXPECT_EQ(m->index(2, name).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(QRgb(dbbr::kDamagedColour)));
    EXPECT_FALSE(m->index(1, name).data(Qt::BackgroundRole).isValid());
    // The stray line and the record's problem are listed.
    const QListWidget* unread = w.Unread();
    ASSERT_EQ(unread->count(), 2);
    EXPECT_TRUE(unread->item(1)->text().startsWith("Line 295 could not be read"));

    // Sorting by L3 is numeric: 0 before 2048.
    w.Table()->sortByColumn(l3, Qt::DescendingOrder);
    EXPECT_EQ(m->index(0, l3).data().toString(), "2048");
    EXPECT_EQ(m->index(2, l3).data().toString(), "0");

    // Filtering over every column.
    w.Filter()->setText("pentium");
    ASSERT_EQ(m->rowCount(), 1);
    EXPECT_EQ(m->index(0, name).data().toString(), "Intel Pentium 4");
    w.Filter()->setText("checksum fails");
    ASSERT_EQ(m->rowCount(), 1);
    w.Filter()->clear();
    ASSERT_EQ(m->rowCount(), 3);

    // One record: all of its lines.
    w.Table()->sortByColumn(Column(m, "Line"), Qt::AscendingOrder);
    w.Table()->selectRow(1);
    EXPECT_EQ(w.Fields()->rowCount(), 98);
    EXPECT_EQ(w.Fields()->columnCount(), 3);

    // Two records side by side: only the stepping line differs, and it is marked.
    auto* sel = w.Table()->selectionModel();
    sel->select(m->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QTableWidget* f = w.Fields();
    ASSERT_EQ(f->columnCount(), 5);
    QStringList marked;
    for (int r = 0; r < f->rowCount(); ++r)
        if (f->item(r, 4)->text() == "differs") {
            marked << f->item(r, 1)->text();
            EXPECT_EQ(f->item(r, 2)->background().color(), QColor(QRgb(dbbr::kDifferingColour)));
        }
    EXPECT_EQ(marked, QStringList{"stepping"});
    EXPECT_EQ(f->horizontalHeaderItem(4)->text(), "Differs (1)");
}

}  // namespace
}  // namespace kest

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
