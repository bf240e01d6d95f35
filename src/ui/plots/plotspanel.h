// KIVO Log Viewer
#pragma once

#include "picks/pickset.h"
#include "plots/plotpick.h"
#include "plots/roseplot.h"
#include "plots/stereonetplot.h"
#include "plots/tadpoletrack.h"

#include <QWidget>

#include <optional>
#include <vector>

class QCheckBox;
class QTabWidget;
class QToolButton;

namespace kivo {

class LogSession;
class PlotView;

// The structure plots of the open log's picks: the tadpole track of the view's depths on top,
// following the view as it scrolls, and the stereonet and the rose diagram as tabs below it,
// each with its options. Every change to the picks shows at once; a click on a tadpole or a
// pole reports the pick.
class PlotsPanel : public QWidget {
    Q_OBJECT

public:
    explicit PlotsPanel(LogSession &session, QWidget *parent = nullptr);

    PlotView &tadpoleView() const { return *m_tadpole; }
    PlotView &stereonetView() const { return *m_stereonet; }
    PlotView &roseView() const { return *m_rose; }
    QTabWidget &tabs() const { return *m_tabs; }
    // The picks the stereonet and the rose show (the type filter, and the view's depths when
    // asked), and all of them, which the track shows.
    const std::vector<PlotPick> &shownPicks();
    const std::vector<PlotPick> &allPicks();
    std::optional<TadpoleRange> trackRange() const { return m_range; }

    StereonetOptions stereonetOptions() const { return m_stereonetOptions; }
    void setStereonetOptions(const StereonetOptions &options);
    RoseOptions roseOptions() const { return m_roseOptions; }
    void setRoseOptions(const RoseOptions &options);
    // Types shown on the stereonet and the rose (empty: all), and whether only the view's
    // depths count.
    void setTypes(const QStringList &types);
    void setViewOnly(bool viewOnly);

signals:
    void pickClicked(PickId id);

private:
    QWidget *stereonetTab();
    QWidget *roseTab();
    QToolButton *typesButton();
    void picksChanged();
    void viewChanged();
    void replot();

    LogSession &m_session;
    PlotView *m_tadpole;
    PlotView *m_stereonet;
    PlotView *m_rose;
    QTabWidget *m_tabs;
    QToolButton *m_types = nullptr;
    QCheckBox *m_viewOnly = nullptr;
    StereonetOptions m_stereonetOptions;
    RoseOptions m_roseOptions;
    PlotFilter m_filter;
    bool m_onlyView = false;
    std::optional<TadpoleRange> m_range;
    bool m_dirty = true;
    std::vector<PlotPick> m_all;
    std::vector<PlotPick> m_shown;
};

} // namespace kivo
