// The commands behind "Save..." and "Database..." and the About page's
// links: save dialogs, the screen grab, message boxes and launches. The file
// contents come from report/ (plain code); this is only the Qt side.
#pragma once

#include <functional>

#include <QImage>
#include <QString>

#include "report/text_encoding.h"
#include "view/controls.h"

class QWidget;

namespace kest::ui {

class Tmain;

// Puts every command below into Actions(), the window's command table.
void InstallReportActions();

void SaveTextReport(Tmain& window);   // "Text file"
void SaveHtmlReport(Tmain& window);   // "HTML file"
void SaveScreenshot(Tmain& window);   // "Screenshot"
void AddToDatabase(Tmain& window);    // "Add to database"
void OpenDatabaseBrowser(Tmain& window);  // "Database browser"
void OpenWebSite(Tmain& window);      // the About page's web link
void OpenMail(Tmain& window, ControlName label);  // ctl::kQeltMail or ctl::kVormMail

// Today's date in the user's short date format and the time of day in the
// long time format without its time zone (QLocale::system()), as
// Windows-1252 text.
DateTimeTexts CurrentDateTime();

// The screen area of the window's outer frame. Where the desktop cannot be
// read (Wayland: the grab comes back empty or blank) the window's own
// rendering is used instead.
QImage CaptureWindowFrame(QWidget* window);

// The save dialog: returns the chosen path, or an empty text on cancel.
// Tests may replace it; by default it is Qt's own file dialog, named after
// the dialog (txtdialog, htmldialog, screenshotdialog) so a test can find it.
using SaveDialog = std::function<QString(QWidget* parent, const QString& object_name, const QString& title,
                                         const QString& filter, const QString& file_name)>;
void SetSaveDialog(SaveDialog dialog);

// The error message box (a save or an add that failed). Tests may replace
// it; by default it is QMessageBox::critical.
using ErrorBox = std::function<void(QWidget* parent, const QString& title, const QString& text)>;
void SetErrorBox(ErrorBox box);

}  // namespace kest::ui
