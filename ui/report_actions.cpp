#include "ui/report_actions.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTime>
#include <QUrl>

#include "cpu/file_io.h"
#include "record/database.h"
#include "report/bitmap.h"
#include "report/model_inputs.h"
#include "report/report.h"
#include "ui/main_window.h"

namespace kest::ui {

namespace {

QString DefaultDialog(QWidget* parent, const QString& object_name, const QString& title, const QString& filter,
                      const QString& file_name) {
    QFileDialog dialog(parent, title);
    dialog.setObjectName(object_name);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Files are replaced without a question, and no extension is added by
    // the dialog: the save code applies its own rule.
    dialog.setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(filter);
    dialog.selectFile(file_name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

SaveDialog& Dialog() {
    static SaveDialog dialog = DefaultDialog;
    return dialog;
}

void DefaultErrorBox(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::critical(parent, title, text);
}

ErrorBox& Box() {
    static ErrorBox box = DefaultErrorBox;
    return box;
}

// Runs the save dialog. A confirmed dialog moves the current directory to
// the chosen folder, which the database tests of the next Reset see.
std::string AskPath(Tmain& window, const char* object_name, const char* title, const char* filter,
                    const std::string& default_name) {
    const QString chosen = Dialog()(&window, QString::fromLatin1(object_name), QString::fromLatin1(title),
                                    QString::fromLatin1(filter), QString::fromLatin1(default_name));
    if (chosen.isEmpty()) return {};
    QDir::setCurrent(QFileInfo(chosen).absolutePath());
    return QFile::encodeName(chosen).toStdString();
}

// The messages name the file in the file system's encoding.
void ShowError(Tmain& window, const std::string& message) {
    Box()(&window, window.windowTitle(), QString::fromLocal8Bit(message));
}

void SaveReport(Tmain& window, ReportFormat format) {
    MainWindowModel& model = window.Model();
    const bool text = format == ReportFormat::Text;
    std::string path = AskPath(window, text ? "txtdialog" : "htmldialog",
                               text ? "Save text file..." : "Save HTML file...",
                               text ? "Text file (*.txt)" : "HTML file (*.html *.htm)",
                               DefaultReportName(model.State()));
    if (path.empty()) return;
    path = text ? WithTextExtension(path) : WithHtmlExtension(path);
    const DateTimeTexts now = CurrentDateTime();
    const std::string bytes = RenderReport(format, ReportInputsFor(model, now.date, now.time));
    if (auto err = WriteFileSafely(path, bytes)) ShowError(window, *err);
}

void SettleScreen(QWidget& window) {
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    } while (t.elapsed() < 50);
    window.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool IsBlank(const QImage& img) {
    if (img.isNull() || img.width() == 0 || img.height() == 0) return true;
    const QRgb first = img.pixel(0, 0);
    for (int y = 0; y < img.height(); y += 3)
        for (int x = 0; x < img.width(); x += 3)
            if (img.pixel(x, y) != first) return false;
    return true;
}

}  // namespace

void SetSaveDialog(SaveDialog dialog) { Dialog() = dialog ? std::move(dialog) : SaveDialog(DefaultDialog); }
void SetErrorBox(ErrorBox box) { Box() = box ? std::move(box) : ErrorBox(DefaultErrorBox); }

DateTimeTexts CurrentDateTime() {
    const QLocale locale = QLocale::system();
    const QString date = locale.toString(QDate::currentDate(), QLocale::ShortFormat);
    // Qt's long time format names the time zone as well; the files carry the
    // time of day only.
    const QString time_format = QString::fromStdString(
        WithoutTimeZone(locale.timeFormat(QLocale::LongFormat).toStdString()));
    const QString time = locale.toString(QTime::currentTime(), time_format);
    return {Utf8ToCp1252(date.toStdString()), Utf8ToCp1252(time.toStdString())};
}

QImage CaptureWindowFrame(QWidget* window) {
    QImage shot;
    const QRect frame = window->frameGeometry();
    if (QScreen* screen = window->screen()) {
        const QPoint at = frame.topLeft() - screen->geometry().topLeft();
        shot = screen->grabWindow(0, at.x(), at.y(), frame.width(), frame.height()).toImage();
    }
    if (IsBlank(shot)) shot = window->grab().toImage();
    return shot;
}

void SaveTextReport(Tmain& window) { SaveReport(window, ReportFormat::Text); }
void SaveHtmlReport(Tmain& window) { SaveReport(window, ReportFormat::Html); }

void SaveScreenshot(Tmain& window) {
    MainWindowModel& model = window.Model();
    // Taken before the dialog opens, so the dialog is never in the picture.
    // The popup that ran this command has just closed: let the window
    // repaint what the popup covered, or the grab would still show it.
    SettleScreen(window);
    const QImage shot = CaptureWindowFrame(&window).convertToFormat(QImage::Format_RGB888);
    std::string path = AskPath(window, "screenshotdialog", "Save screenshot as...", "Bitmap file (*.bmp)",
                               DefaultScreenshotName(model.State(), static_cast<unsigned>(model.ScreenshotCount)));
    if (path.empty()) return;
    path = WithBitmapExtension(path);
    RgbImage img;
    img.width = shot.width();
    img.height = shot.height();
    img.rgb.reserve(static_cast<size_t>(img.width) * static_cast<size_t>(img.height) * 3);
    for (int y = 0; y < shot.height(); ++y) {
        const uchar* row = shot.constScanLine(y);
        img.rgb.insert(img.rgb.end(), row, row + static_cast<size_t>(img.width) * 3);
    }
    if (auto err = SaveBmp(path, img)) {
        ShowError(window, *err);
        return;
    }
    ++model.ScreenshotCount;
}

void AddToDatabase(Tmain& window) {
    MainWindowModel& model = window.Model();
    const DateTimeTexts now = CurrentDateTime();
    const std::string record = DatabaseRecord(ReportInputsFor(model, now.date, now.time));
    if (auto err = AddDatabaseRecord(model.Globals().StartupDir, model.Database().remembered_name, record))
        ShowError(window, *err);
}

void OpenDatabaseBrowser(Tmain& window) {
    // The copy the window's population found (the current directory's, else
    // the one beside this program); it runs in the current directory, where
    // it finds the same database.ini.
    const std::string& found = window.Model().Database().browser_program;
    const QString name = found.empty() ? QString::fromLatin1(kDatabaseBrowserProgram.data(),
                                                             static_cast<int>(kDatabaseBrowserProgram.size()))
                                       : QString::fromStdString(found);
    const QString program = name.contains(QLatin1Char('/')) ? QDir::current().absoluteFilePath(name) : name;
    QProcess::startDetached(program, {}, QDir::currentPath());  // a failed start is ignored
}

void OpenWebSite(Tmain& window) {
    QString url = DisplayText(window.Model().State().Text(ctl::kOffCUrl)).trimmed();
    if (url.isEmpty()) url = QString::fromLatin1(kWebAddress.data(), static_cast<int>(kWebAddress.size()));
    QDesktopServices::openUrl(QUrl(url));
}

void OpenMail(Tmain& window, ControlName label) {
    const QString address = DisplayText(window.Model().State().Text(label)).trimmed();
    if (!address.isEmpty()) QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + address));
}

void InstallReportActions() {
    WindowActions& a = Actions();
    a.Screenshot1Click = SaveScreenshot;
    a.extfile1Click = SaveTextReport;
    a.HTMLfile1Click = SaveHtmlReport;
    a.Databasebrowser1Click = OpenDatabaseBrowser;
    a.Addtodatabase1Click = AddToDatabase;
    a.off_c_urlClick = OpenWebSite;
    a.qelt_mailClick = [](Tmain& w) { OpenMail(w, ctl::kQeltMail); };
    a.vorm_mailClick = [](Tmain& w) { OpenMail(w, ctl::kVormMail); };
}

}  // namespace kest::ui
