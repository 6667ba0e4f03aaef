// The main window Tmain: every control under its own name, built from the
// layout rows of view/layout.h.
// It applies the model's WindowState and forwards its events to the model.
#pragma once

#include <functional>
#include <memory>

#include <QDialog>
#include <QHash>
#include <QLabel>
#include <QString>

#include "view/layout.h"
#include "view/main_model.h"

class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class QTimer;

namespace kest::ui {

// A control's name as Qt keeps it, and a widget (or menu entry) named after
// one of the window's controls.
inline QString QtName(ControlName name) {
    return QString::fromLatin1(name.View().data(), static_cast<qsizetype>(name.View().size()));
}
inline void SetName(QObject* object, ControlName name) { object->setObjectName(QtName(name)); }

class Tmain;

// Commands of the popups and the About page's links, filled by the report
// and launch code. Unset entries do nothing.
struct WindowActions {
    std::function<void(Tmain&)> Screenshot1Click;        // "Screenshot"
    std::function<void(Tmain&)> extfile1Click;           // "Text file"
    std::function<void(Tmain&)> HTMLfile1Click;          // "HTML file"
    std::function<void(Tmain&)> Databasebrowser1Click;   // "Database browser"
    std::function<void(Tmain&)> Addtodatabase1Click;     // "Add to database"
    std::function<void(Tmain&)> off_c_urlClick;          // web-site link
    std::function<void(Tmain&)> qelt_mailClick;          // mail links
    std::function<void(Tmain&)> vorm_mailClick;
};
// The one set of commands the window uses.
WindowActions& Actions();

class Tmain : public QDialog {
    Q_OBJECT
public:
    // Runs FormCreate of the model before returning. The clock is measured
    // beside the window: the first measurement starts once the window has
    // been painted, and its fields fill in when it ends.
    explicit Tmain(MainWindowModel& model, QWidget* parent = nullptr);
    // Waits for a running measurement to end.
    ~Tmain() override;

    MainWindowModel& Model() { return model_; }
    // Writes every control's state from the model onto its widget.
    void ApplyState();
    // The control or popup entry of that name (nullptr when there is none).
    QWidget* Control(ControlName name) const { return widgets_.value(QtName(name)); }
    QAction* MenuEntry(ControlName name) const { return actions_.value(QtName(name)); }
    QTimer* RefreshTimer() const { return refrtimer_; }
    QTabWidget* Pages() const { return main_page_control_; }
    QTabWidget* CachePages() const { return cache_control_; }

    // Registers a control built by other code (the throughput page) so that
    // ApplyState reaches it.
    void RegisterControl(QWidget* w);

    // Runs a model handler, then applies the state. Exceptions (an unreadable
    // database.ini) end in a message box.
    void Run(const std::function<void()>& handler);

    // Screen point where a popup opens for a button of the bar.
    QPoint PopupPoint(QWidget* button, int dy) const;

    // Runs `command` once a measured clock is shown, with a busy cursor
    // meanwhile; the window stays responsive. Files are written this way.
    void AfterFirstClock(const std::function<void()>& command);

public slots:
    void button_refreshClick();
    void button_snapClick();
    void dbaseClick();
    void button_closeClick();
    void refrtimerTimer();
    // A measurement has ended: its fields and what waited for it.
    void ClockEnded();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void Build();
    void BuildCpuPage(QWidget* page);
    void BuildFlagsPage(QWidget* page);
    void BuildIntegratedCachePage(QWidget* page);
    void BuildAboutPage(QWidget* page);
    void BuildButtonBar();
    void CollectControls();

    MainWindowModel& model_;
    QHash<QString, QWidget*> widgets_;
    QHash<QString, QAction*> actions_;
    QTabWidget* main_page_control_ = nullptr;
    QTabWidget* cache_control_ = nullptr;
    QMenu* save_pop_ = nullptr;
    QMenu* dbase_pop_ = nullptr;
    QMenu* lff_pop_ = nullptr;
    QTimer* refrtimer_ = nullptr;
    bool painted_ = false;
};

// The window's style and font (Fusion, DejaVu Sans at 10 pixels), set on
// the application before the window is built.
void ApplyWindowLook();

// Windows-1252 bytes to display text; zero bytes are dropped.
QString DisplayText(const std::string& cp1252);

// The one place that writes a ControlState onto a widget.
void ApplyControlState(QWidget* w, const ControlState& c);

// Where the menu of the later feature words opens for its toggle.
QPoint LaterMenuPoint(QWidget* toggle, QMenu* menu);

// A 16 x 16 coloured square with a grey outline.
class Indicator : public QWidget {
    Q_OBJECT
public:
    explicit Indicator(QWidget* parent = nullptr);
    void SetFill(uint32_t rgb);
    uint32_t Fill() const { return fill_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    uint32_t fill_ = kMaroon;
};

// A label that reports clicks (the value fields with help texts, the links).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

}  // namespace kest::ui
