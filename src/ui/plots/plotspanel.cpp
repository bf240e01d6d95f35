// KIVO Log Viewer
#include "ui/plots/plotspanel.h"

#include "kivoerror.h"
#include "log/logsession.h"
#include "picks/picktype.h"
#include "plots/viewdepths.h"
#include "ui/plots/plotview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kivo {

PlotsPanel::PlotsPanel(LogSession &session, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
{
    setObjectName("PlotsPanel");
    m_tadpole = new PlotView(
        "tadpole track",
        [this](QPainter &painter, const QRectF &area) {
            drawTadpoleTrack(painter, area, allPicks(), m_range.value_or(TadpoleRange{}));
        },
        [this](const QRectF &area, const QPointF &point) {
            return tadpoleAt(area, allPicks(), m_range.value_or(TadpoleRange{}), point);
        });
    m_stereonet = new PlotView(
        "stereonet",
        [this](QPainter &painter, const QRectF &area) {
            drawStereonet(painter, area, shownPicks(), m_stereonetOptions);
        },
        [this](const QRectF &area, const QPointF &point) {
            return stereonetPickAt(area, shownPicks(), m_stereonetOptions, point);
        });
    m_rose = new PlotView(
        "rose diagram",
        [this](QPainter &painter, const QRectF &area) {
            drawRose(painter, area, shownPicks(), m_roseOptions);
        },
        [](const QRectF &, const QPointF &) { return std::optional<PickId>(); });
    for (PlotView *view : {m_tadpole, m_stereonet, m_rose})
        connect(view, &PlotView::pickClicked, this, &PlotsPanel::pickClicked);

    m_tabs = new QTabWidget;
    m_tabs->addTab(stereonetTab(), QStringLiteral("&Stereonet"));
    m_tabs->addTab(roseTab(), QStringLiteral("&Rose"));

    auto *filters = new QHBoxLayout;
    filters->addWidget(typesButton());
    m_viewOnly = new QCheckBox(QStringLiteral("&In view only"));
    m_viewOnly->setObjectName("ViewOnly");
    connect(m_viewOnly, &QCheckBox::toggled, this, &PlotsPanel::setViewOnly);
    filters->addWidget(m_viewOnly);
    filters->addStretch();

    auto *lower = new QWidget;
    auto *lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addLayout(filters);
    lowerLayout->addWidget(m_tabs, 1);

    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(m_tadpole);
    splitter->addWidget(lower);
    // The plots start at their size hints and share the rest of the dock's height alike.
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(splitter);

    // Every change to the picks, whichever way it comes.
    PickSet &picks = session.picks();
    connect(&picks, &PickSet::inserted, this, &PlotsPanel::picksChanged);
    connect(&picks, &PickSet::removed, this, &PlotsPanel::picksChanged);
    connect(&picks, &PickSet::moved, this, &PlotsPanel::picksChanged);
    connect(&picks, &PickSet::pickChanged, this, &PlotsPanel::picksChanged);
    connect(&picks, &PickSet::resetDone, this, &PlotsPanel::picksChanged);
    connect(&session, &LogSession::positionChanged, this, &PlotsPanel::viewChanged);
    connect(&session, &LogSession::geometryChanged, this, &PlotsPanel::viewChanged);
    connect(&session, &LogSession::logOpened, this, &PlotsPanel::viewChanged);
    connect(&session, &LogSession::logClosed, this, &PlotsPanel::viewChanged);
    viewChanged();
}

QWidget *PlotsPanel::stereonetTab()
{
    auto *tab = new QWidget;
    auto *options = new QHBoxLayout;
    const auto option = [&](const QString &text, const char *name, bool StereonetOptions::*field) {
        auto *box = new QCheckBox(text);
        box->setObjectName(name);
        box->setChecked(m_stereonetOptions.*field);
        connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
            m_stereonetOptions.*field = on;
            replot();
        });
        options->addWidget(box);
    };
    option(QStringLiteral("&Great circles"), "GreatCircles", &StereonetOptions::greatCircles);
    option(QStringLiteral("&Contours"), "Contours", &StereonetOptions::contours);
    option(QStringLiteral("&Terzaghi"), "Terzaghi", &StereonetOptions::weighted);
    option(QStringLiteral("&Net"), "Graticule", &StereonetOptions::graticule);
    auto *counting = new QComboBox;
    counting->setObjectName("Counting");
    counting->addItems({QStringLiteral("Kamb"), QStringLiteral("1 % circle")});
    connect(counting, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_stereonetOptions.method = index == 1 ? DensityMethod::OnePercent : DensityMethod::Kamb;
        replot();
    });
    options->addWidget(counting);
    options->addStretch();
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stereonet, 1);
    layout->addLayout(options);
    return tab;
}

QWidget *PlotsPanel::roseTab()
{
    auto *tab = new QWidget;
    auto *mode = new QComboBox;
    mode->setObjectName("RoseMode");
    mode->addItems({QStringLiteral("Strikes"), QStringLiteral("Dip azimuths")});
    connect(mode, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_roseOptions.mode = index == 1 ? RoseMode::DipAzimuths : RoseMode::Strikes;
        replot();
    });
    auto *bins = new QComboBox;
    bins->setObjectName("RoseBins");
    for (int width : {5, 10, 15, 20, 30})
        bins->addItem(QStringLiteral("%1°").arg(width), width);
    bins->setCurrentIndex(1);
    connect(bins, &QComboBox::currentIndexChanged, this, [this, bins](int index) {
        m_roseOptions.binWidth = bins->itemData(index).toDouble();
        replot();
    });
    auto *options = new QHBoxLayout;
    options->addWidget(mode);
    options->addWidget(bins);
    options->addStretch();
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_rose, 1);
    layout->addLayout(options);
    return tab;
}

QToolButton *PlotsPanel::typesButton()
{
    m_types = new QToolButton;
    m_types->setObjectName("Types");
    m_types->setText(QStringLiteral("T&ypes"));
    m_types->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(m_types);
    for (const QString &type : pickTypes()) {
        QAction *action = menu->addAction(type);
        action->setCheckable(true);
        action->setChecked(true);
    }
    connect(menu, &QMenu::triggered, this, [this, menu] {
        QStringList types;
        bool all = true;
        for (QAction *action : menu->actions()) {
            if (action->isChecked())
                types << action->text();
            all = all && action->isChecked();
        }
        // All offered types checked shows every pick, those of other texts too.
        m_filter.types = all ? QStringList() : types;
        m_dirty = true;
        replot();
    });
    m_types->setMenu(menu);
    return m_types;
}

void PlotsPanel::setStereonetOptions(const StereonetOptions &options)
{
    m_stereonetOptions = options;
    replot();
}

void PlotsPanel::setRoseOptions(const RoseOptions &options)
{
    m_roseOptions = options;
    replot();
}

void PlotsPanel::setTypes(const QStringList &types)
{
    m_filter.types = types;
    for (QAction *action : m_types->menu()->actions())
        action->setChecked(types.isEmpty() || types.contains(action->text(), Qt::CaseInsensitive));
    m_dirty = true;
    replot();
}

void PlotsPanel::setViewOnly(bool viewOnly)
{
    m_onlyView = viewOnly;
    m_viewOnly->setChecked(viewOnly);
    viewChanged();
}

const std::vector<PlotPick> &PlotsPanel::allPicks()
{
    if (m_dirty) {
        m_all = plotPicks(m_session.picks());
        PlotFilter filter = m_filter;
        if (m_onlyView && m_range) {
            filter.from = m_range->top;
            filter.to = m_range->bottom;
        }
        m_shown = filtered(m_all, filter);
        m_dirty = false;
    }
    return m_all;
}

const std::vector<PlotPick> &PlotsPanel::shownPicks()
{
    allPicks();
    return m_shown;
}

void PlotsPanel::picksChanged()
{
    m_dirty = true;
    replot();
}

void PlotsPanel::viewChanged()
{
    try {
        m_range = viewDepthRange(m_session);
    } catch (const KivoError &) {
        // The file is cut under the viewer: the track keeps the depths it last had, and the
        // open command reports the file.
    }
    m_tadpole->update();
    if (m_onlyView) {
        m_dirty = true;
        replot();
    }
}

void PlotsPanel::replot()
{
    m_tadpole->update();
    m_stereonet->update();
    m_rose->update();
}

} // namespace kivo
