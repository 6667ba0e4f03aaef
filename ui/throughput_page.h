// The "Cache/Memory Throughput" sub-page: the graph and its scale strip,
// the scroll bar, the test check boxes, "Run Selected" with its progress
// bar, and the legend. The page only shows; what it shows is decided by
// view/throughput_view and drawn by ui/throughput_graph.
#pragma once

#include <functional>
#include <memory>

#include <QImage>
#include <QObject>
#include <QString>

#include "bench/throughput.h"
#include "view/controls.h"

class QLabel;
class QProgressBar;
class QScrollBar;
class QWidget;

namespace kest::ui {

class Tmain;

// Builds the sub-page's controls on `page` and wires their handlers. The
// page also installs itself as the model's reset_throughput_graph hook, so
// every population of the window (creation, Reset) clears the graph.
void BuildThroughputPage(Tmain& window, QWidget* page);

class ThroughputPage : public QObject {
    Q_OBJECT
public:
    using PlatformFactory = std::function<std::unique_ptr<ThroughputPlatform>()>;
    using MessageSink = std::function<void(const QString&)>;

    ThroughputPage(Tmain& window, QWidget* page);
    ~ThroughputPage() override;

    // Handlers of the page's controls.
    void tst_runClick();
    void cb_copyClick(bool checked);
    void cb_readClick(bool checked);
    void cb_writeClick(bool checked);
    void cb_vectorClick(bool checked);
    void graph_mtMouseDown(Qt::MouseButton button);
    void graph_mtMouseMove(int x);
    void mtb_scrollChange(int position);
    // The population's step: empty graph, no completed test.
    void ResetGraph();

    const ThroughputState& Results() const { return *st_; }
    QImage GraphImage() const;

    // The machine the run measures (the live one unless replaced), the rows
    // it measures (fewer make a short run) and where "Insufficient memory."
    // goes (a message box unless replaced).
    void SetPlatformFactory(PlatformFactory factory) { make_platform_ = std::move(factory); }
    void SetRows(int rows) { rows_ = rows; }
    void SetMessageSink(MessageSink sink) { message_ = std::move(sink); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void BuildGraphView();
    void BuildTestRow();
    void BuildHint();
    void BuildLegend();
    void CheckBoxClick(ControlName name, bool checked);
    // Writes the named controls' model state onto their widgets.
    void Apply(std::initializer_list<ControlName> names);
    void ShowGraph(const QImage& image);

    Tmain& window_;
    QWidget* page_;
    std::unique_ptr<ThroughputState> st_;
    PlatformFactory make_platform_;
    MessageSink message_;
    int rows_ = kTpRows;
    QLabel* graph_ = nullptr;
    QLabel* vals_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QScrollBar* scroll_ = nullptr;
};

// The page object of a window built with this page (nullptr otherwise).
ThroughputPage* FindThroughputPage(Tmain& window);

// Shows the sub-page, runs the selected tests over the first `rows` block
// sizes on this machine, shows the legend with the read-out of x = 101 and
// saves the window's picture as `dir`/3d_throughput_after_run.png; then the
// same with the vector loops as 3e_throughput_vector_after_run.png, and that
// run's whole graph as 3f_throughput_vector_graph.png. Returns
// the first path, empty when saving failed.
QString SaveThroughputRunScreenshot(Tmain& window, const QString& dir, int rows);

}  // namespace kest::ui
