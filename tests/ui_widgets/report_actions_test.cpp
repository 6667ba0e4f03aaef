// The commands behind "Save..." and "Database..." and the About page's
// links, run through the window's popup entries with the save dialog, the
// error box and the desktop's URL handlers replaced.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include "report/model_inputs.h"
#include "report/report.h"
#include "tests/report/file_size_limit.h"
#include "tests/view/processors.h"
#include "ui/main_window.h"
#include "ui/report_actions.h"

namespace kest::test {
namespace {

std::string Slurp(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

void Spit(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// One dialog call as the command made it.
struct DialogCall {
    QString object_name, title, filter, file_name;
};

// A window whose start-up folder is a private temporary folder, with the
// save dialog answering from `answers` and the error box recording.
struct Fixture {
    explicit Fixture(Processor proc) : p(std::move(proc)) {
        old_cwd = QDir::currentPath();
        globals.StartupDir = dir.path().toStdString();
        QDir::setCurrent(dir.path());
        WindowSeams seams;
        seams.read_dmi = [](DmiProcessorInfo& d) { d.dmiread = false; };
        seams.measure_clock = [](ClockMethod) { return GivenClock(3066.0); };
        WindowHooks hooks;
        hooks.read_database_pointer = DatabasePointerHook(globals.StartupDir);
        ui::InstallReportActions();
        ui::SetSaveDialog([this](QWidget*, const QString& name, const QString& title, const QString& filter,
                                 const QString& file) {
            calls.push_back({name, title, filter, file});
            if (answers.empty()) return QString();
            QString a = answers.front();
            answers.erase(answers.begin());
            return a;
        });
        ui::SetErrorBox([this](QWidget*, const QString&, const QString& text) { errors << text; });
        model = std::make_unique<MainWindowModel>(p.cpu, p.caches, p.names, globals, seams, hooks);
        window = std::make_unique<ui::Tmain>(*model);
        // The first measurement, as the window starts it once on screen.
        model->StartClock();
        model->FinishClock();
        window->ApplyState();
    }
    ~Fixture() {
        ui::SetSaveDialog(nullptr);
        ui::SetErrorBox(nullptr);
        QDir::setCurrent(old_cwd);
    }
    void Trigger(ControlName entry) {
        QAction* a = window->MenuEntry(entry);
        ASSERT_NE(a, nullptr) << entry;
        ASSERT_TRUE(a->isEnabled()) << entry;
        a->trigger();
    }
    QString At(const QString& name) const { return dir.filePath(name); }
    // What the file should hold: the same report rendered from the model,
    // whatever the date and time.
    static std::string WithoutFooterDate(std::string bytes) {
        for (const char* marker : {"Reported by Kestrune version ", "datetime="}) {
            for (size_t at = bytes.find(marker); at != std::string::npos; at = bytes.find(marker, at + 1)) {
                const size_t end = bytes.find("\r\n", at);
                bytes.erase(at, end == std::string::npos ? std::string::npos : end - at);
            }
        }
        return bytes;
    }
    std::string Expected(ReportFormat f) {
        return WithoutFooterDate(RenderReport(f, ReportInputsFor(*model, "", "")));
    }

    Processor p;
    QTemporaryDir dir;
    QString old_cwd;
    WindowGlobals globals;
    std::unique_ptr<MainWindowModel> model;
    std::unique_ptr<ui::Tmain> window;
    std::vector<QString> answers;
    std::vector<DialogCall> calls;
    QStringList errors;
};

TEST(ReportActions, TextAndHtmlReportsFollowTheExtensionRules) {
    struct Case {
        ControlName entry;
        const char* chosen;
        const char* saved;
        ReportFormat format;
    } cases[] = {
        {ctl::kExtfile1, "cpu", "cpu.txt", ReportFormat::Text},
        {ctl::kExtfile1, "cpu.txt", "cpu.txt", ReportFormat::Text},
        {ctl::kExtfile1, "cpu.TXT", "cpu.TXT.txt", ReportFormat::Text},
        {ctl::kHTMLfile1, "page", "page.html", ReportFormat::Html},
        {ctl::kHTMLfile1, "page.htm", "page.htm", ReportFormat::Html},
        {ctl::kHTMLfile1, "page.HTML", "page.HTML.html", ReportFormat::Html},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        Fixture f(Pentium4HT());
        f.answers = {f.At(c.chosen)};
        f.Trigger(c.entry);
        ASSERT_EQ(f.calls.size(), 1u);
        const bool text = c.format == ReportFormat::Text;
        EXPECT_EQ(f.calls[0].object_name, text ? "txtdialog" : "htmldialog");
        EXPECT_EQ(f.calls[0].title, text ? "Save text file..." : "Save HTML file...");
        EXPECT_EQ(f.calls[0].file_name, "zakcpu_0xF29h");
        EXPECT_TRUE(f.errors.isEmpty()) << f.errors.join("; ").toStdString();
        const std::string saved = Slurp(f.At(c.saved));
        ASSERT_FALSE(saved.empty()) << c.saved;
        EXPECT_EQ(Fixture::WithoutFooterDate(saved), f.Expected(c.format));
        // Exactly one file in the folder: no temporary file left, no second name.
        EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        // A confirmed dialog moves the current directory to the chosen folder.
        EXPECT_EQ(QDir::currentPath(), QFileInfo(f.At(c.saved)).absolutePath());
    }
}

TEST(ReportActions, TheTextReportSaysWhatTheWindowShows) {
    Fixture f(Pentium4HT());
    f.answers = {f.At("r.txt")};
    f.Trigger(ctl::kExtfile1);
    const std::string saved = Slurp(f.At("r.txt"));
    // Label texts as the widgets show them, in Windows-1252 with CR LF.
    EXPECT_NE(saved.find("CPU speed:      3066.00 MHz\r\n"), std::string::npos);
    EXPECT_NE(saved.find("L1 Trace:       12K\xB5Ops\r\n"), std::string::npos);
    EXPECT_EQ(f.window->findChild<QLabel*>(ui::QtName(ctl::kL1is))->text(), QString::fromUtf8("12K\u00B5Ops"));
    EXPECT_EQ(saved.find("\xC2\xB5"), std::string::npos);
    EXPECT_EQ(saved.find('\0'), std::string::npos);
    size_t bare_lf = 0;
    for (size_t i = 0; i < saved.size(); ++i)
        if (saved[i] == '\n' && (i == 0 || saved[i - 1] != '\r')) ++bare_lf;
    EXPECT_EQ(bare_lf, 0u);
    EXPECT_TRUE(saved.ends_with("Official site: " + std::string(kWebAddress) + "\r\n"));
}

TEST(ReportActions, CancelWritesNothing) {
    Fixture f(AthlonXP());
    f.Trigger(ctl::kExtfile1);
    f.Trigger(ctl::kHTMLfile1);
    f.Trigger(ctl::kScreenshot1);
    EXPECT_EQ(f.calls.size(), 3u);
    EXPECT_TRUE(f.errors.isEmpty());
    EXPECT_TRUE(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(f.model->ScreenshotCount, 0);
}

TEST(ReportActions, AFailedSaveShowsTheErrorAndKeepsTheOldFile) {
    Fixture f(Pentium4HT());
    const std::string old = "the report of last week\r\n";
    Spit(f.At("old.txt"), old);
    {
        FileSizeLimit limit(256);  // far less than a report
        f.answers = {f.At("old.txt")};
        f.Trigger(ctl::kExtfile1);
    }
    ASSERT_EQ(f.errors.size(), 1);
    EXPECT_EQ(f.errors[0], "Disk full");
    EXPECT_EQ(Slurp(f.At("old.txt")), old);
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.txt"});

    // A folder that does not exist.
    f.answers = {f.At("missing/report")};
    f.Trigger(ctl::kHTMLfile1);
    ASSERT_EQ(f.errors.size(), 2);
    EXPECT_EQ(f.errors[1], "Path not found");
}

// The BMP's width and height and its bits per pixel, from the headers.
struct BmpInfo {
    bool valid = false;
    int32_t width = 0, height = 0;
    uint16_t bits = 0;
};
BmpInfo ReadBmp(const std::string& b) {
    auto u32 = [&](size_t at) {
        return static_cast<uint32_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 |
                                     static_cast<uint8_t>(b[at + 2]) << 16 |
                                     static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24);
    };
    BmpInfo i;
    if (b.size() < 54 || b.compare(0, 2, "BM") != 0 || u32(2) != b.size() || u32(14) != 40) return i;
    i.width = static_cast<int32_t>(u32(18));
    i.height = static_cast<int32_t>(u32(22));
    i.bits = static_cast<uint16_t>(static_cast<uint8_t>(b[28]) | static_cast<uint8_t>(b[29]) << 8);
    const size_t row = (static_cast<size_t>(i.width) * 3 + 3) / 4 * 4;
    i.valid = i.bits == 24 && u32(10) == 54 && b.size() == 54 + row * static_cast<size_t>(i.height);
    return i;
}

TEST(ReportActions, ScreenshotsAreBitmapsOfTheWindowFrame) {
    Fixture f(Pentium4HT());
    f.window->show();
    QCoreApplication::processEvents();
    f.answers = {f.At("shot"), f.At("shot.BMP"), QString(), f.At("third.bmp")};
    f.Trigger(ctl::kScreenshot1);
    f.Trigger(ctl::kScreenshot1);
    f.Trigger(ctl::kScreenshot1);  // cancelled: the number does not advance
    f.Trigger(ctl::kScreenshot1);
    ASSERT_EQ(f.calls.size(), 4u);
    EXPECT_EQ(f.calls[0].object_name, "screenshotdialog");
    EXPECT_EQ(f.calls[0].title, "Save screenshot as...");
    EXPECT_EQ(f.calls[0].file_name, "zakcpu0_0xF29h");
    EXPECT_EQ(f.calls[1].file_name, "zakcpu1_0xF29h");
    EXPECT_EQ(f.calls[2].file_name, "zakcpu2_0xF29h");
    EXPECT_EQ(f.calls[3].file_name, "zakcpu2_0xF29h");
    EXPECT_EQ(f.model->ScreenshotCount, 3);
    EXPECT_TRUE(f.errors.isEmpty());

    const QSize frame = f.window->frameGeometry().size();
    for (const char* name : {"shot.bmp", "shot.BMP.bmp", "third.bmp"}) {
        SCOPED_TRACE(name);
        const std::string bytes = Slurp(f.At(name));
        const BmpInfo info = ReadBmp(bytes);
        ASSERT_TRUE(info.valid);
        EXPECT_EQ(info.width, frame.width());
        EXPECT_EQ(info.height, frame.height());
        // It is a picture of the window, not a blank rectangle.
        QImage img;
        ASSERT_TRUE(img.loadFromData(QByteArray::fromStdString(bytes), "BMP"));
        int distinct = 0;
        const QRgb first = img.pixel(img.width() / 2, img.height() / 2);
        for (int y = 0; y < img.height(); y += 7)
            for (int x = 0; x < img.width(); x += 7) distinct += img.pixel(x, y) != first;
        EXPECT_GT(distinct, 100);
    }

    // Reset starts the numbering again.
    qobject_cast<QPushButton*>(f.window->Control(ctl::kButtonRefresh))->click();
    f.answers = {QString()};
    f.Trigger(ctl::kScreenshot1);
    EXPECT_EQ(f.calls.back().file_name, "zakcpu0_0xF29h");
}

TEST(ReportActions, AScreenshotThatCannotBeWrittenNamesTheFile) {
    Fixture f(AthlonXP());
    f.answers = {f.At("no/such/folder/shot.bmp")};
    f.Trigger(ctl::kScreenshot1);
    ASSERT_EQ(f.errors.size(), 1);
    EXPECT_EQ(f.errors[0], "Cannot create file \"" + f.At("no/such/folder/shot.bmp") + "\". Path not found");
    EXPECT_EQ(f.model->ScreenshotCount, 0);
}

// "Add to database": a pointer file and a database file in the start-up
// folder, read at the population.
struct DatabaseFixture : Fixture {
    explicit DatabaseFixture(const std::string& pointer, bool create_db = true) : Fixture(AthlonXP()) {
        Spit(At("database.ini"), pointer + "\r\n");
        if (create_db) Spit(At("procs.db"), "");
        qobject_cast<QPushButton*>(window->Control(ctl::kButtonRefresh))->click();
    }
};

size_t Records(const std::string& db) {
    size_t n = 0;
    for (size_t at = db.find("--End "); at != std::string::npos; at = db.find("--End ", at + 1)) ++n;
    return n;
}

TEST(ReportActions, AddToDatabaseAppendsWholeRecordsSilently) {
    DatabaseFixture f("procs.db");
    ASSERT_TRUE(f.window->Control(ctl::kDbase)->isEnabled());
    f.Trigger(ctl::kAddtodatabase1);
    f.Trigger(ctl::kAddtodatabase1);
    EXPECT_TRUE(f.errors.isEmpty()) << f.errors.join("; ").toStdString();
    const std::string db = Slurp(f.At("procs.db"));
    EXPECT_EQ(Records(db), 2u);
    EXPECT_EQ(std::count(db.begin(), db.end(), '\n'), 2 * 98);
    // The two records differ at most in their date and time.
    const std::string one = db.substr(0, db.size() / 2), two = db.substr(db.size() / 2);
    EXPECT_EQ(Fixture::WithoutFooterDate(one), Fixture::WithoutFooterDate(two));
    EXPECT_EQ(Fixture::WithoutFooterDate(one), f.Expected(ReportFormat::Record));
}

TEST(ReportActions, AddToDatabaseFailuresNameTheFileAndTheReason) {
    struct Case {
        const char* pointer;
        bool create_db;
        const char* reason;
    } cases[] = {
        {"procs.db", false, "File not found"},  // named file missing
        {"../procs.db", true, "must not contain a path separator"},
        {"..", true, "is not a file name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pointer);
        DatabaseFixture f(c.pointer, c.create_db);
        ASSERT_TRUE(f.window->Control(ctl::kDbase)->isEnabled());  // the first reading enables it
        f.Trigger(ctl::kAddtodatabase1);
        ASSERT_EQ(f.errors.size(), 1);
        EXPECT_TRUE(f.errors[0].contains(f.At(c.pointer))) << f.errors[0].toStdString();
        EXPECT_TRUE(f.errors[0].contains(c.reason)) << f.errors[0].toStdString();
        if (c.create_db)
            EXPECT_EQ(Slurp(f.At("procs.db")), "");  // untouched
        else
            EXPECT_FALSE(QFileInfo::exists(f.At("procs.db")));  // not created
    }
}

TEST(ReportActions, ADatabaseDeletedBetweenTwoAddsIsReportedAndNotRecreated) {
    DatabaseFixture f("procs.db");
    f.Trigger(ctl::kAddtodatabase1);
    EXPECT_TRUE(f.errors.isEmpty());
    ASSERT_TRUE(QFile::remove(f.At("procs.db")));
    f.Trigger(ctl::kAddtodatabase1);
    ASSERT_EQ(f.errors.size(), 1);
    EXPECT_TRUE(f.errors[0].contains("File not found"));
    EXPECT_FALSE(QFileInfo::exists(f.At("procs.db")));
}

TEST(ReportActions, AnAddThatRunsOutOfRoomLeavesNoHalfRecord) {
    DatabaseFixture f("procs.db");
    f.Trigger(ctl::kAddtodatabase1);
    const std::string before = Slurp(f.At("procs.db"));
    ASSERT_EQ(Records(before), 1u);
    {
        FileSizeLimit limit(before.size() + 500);  // room for part of a record only
        f.Trigger(ctl::kAddtodatabase1);
    }
    ASSERT_EQ(f.errors.size(), 1);
    EXPECT_TRUE(f.errors[0].contains("Disk full")) << f.errors[0].toStdString();
    EXPECT_EQ(Slurp(f.At("procs.db")), before);
}

// Receives what the window hands to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

void Click(QWidget* w) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

TEST(ReportActions, AboutLinksOpenTheProductsOwnAddresses) {
    Fixture f(AthlonXP());
    UrlCatcher catcher;
    for (const char* scheme : {"http", "https", "mailto"}) QDesktopServices::setUrlHandler(scheme, &catcher, "open");
    for (ControlName link : {ctl::kOffCUrl, ctl::kQeltMail, ctl::kVormMail}) Click(f.window->Control(link));
    for (const char* scheme : {"http", "https", "mailto"}) QDesktopServices::unsetUrlHandler(scheme);

    const QString web = QString::fromLatin1(kWebAddress.data(), static_cast<int>(kWebAddress.size()));
    ASSERT_EQ(catcher.urls.size(), 3);
    EXPECT_EQ(catcher.urls[0], QUrl(web));
    EXPECT_EQ(catcher.urls[1], QUrl("mailto:" + QString::fromLatin1(kSupportMail.data())));
    EXPECT_EQ(catcher.urls[2], QUrl("mailto:" + QString::fromLatin1(kAuthorMail.data())));
    // The link captions are the addresses they open, and the report footer
    // names the same site.
    EXPECT_EQ(f.window->findChild<QLabel*>(ui::QtName(ctl::kOffCUrl))->text(), web);
    EXPECT_EQ(f.window->findChild<QLabel*>(ui::QtName(ctl::kQeltMail))->text(), QString::fromLatin1(kSupportMail.data()));
}

TEST(ReportActions, TheDatabaseBrowserIsStartedFromTheCurrentFolder) {
    Fixture f(AthlonXP());
    const QString browser = f.At(QString::fromLatin1(kDatabaseBrowserProgram.data(),
                                                     static_cast<int>(kDatabaseBrowserProgram.size())));
    Spit(browser, "#!/bin/sh\necho started > \"$PWD/browser-ran\"\n");
    QFile::setPermissions(browser, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    Spit(f.At("database.ini"), "\r\n");
    qobject_cast<QPushButton*>(f.window->Control(ctl::kButtonRefresh))->click();
    ASSERT_TRUE(f.window->Control(ctl::kDbase)->isEnabled());
    f.Trigger(ctl::kDatabasebrowser1);
    QElapsedTimer t;
    t.start();
    while (!QFileInfo::exists(f.At("browser-ran")) && t.elapsed() < 5000) QThread::msleep(20);
    EXPECT_TRUE(QFileInfo::exists(f.At("browser-ran")));
    EXPECT_TRUE(f.errors.isEmpty());
}

}  // namespace
}  // namespace kest::test

#include "report_actions_test.moc"
