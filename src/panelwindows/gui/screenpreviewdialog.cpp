#include "panelwindows/gui/screenpreviewdialog.h"

#include "base/core/screensize.h"
#include "base/gui/modeltext.h"
#include "base/gui/screen.h"
#include "drawing/core/fs98/layout.h"
#include "drawing/gui/screenscenes.h"
#include "panel/gui/fs2k/document.h"
#include "panel/gui/fs98/document.h"
#include "panelwindows/gui/screenpreviewtile.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <memory>

namespace cockpix {
namespace {

const std::vector<ScreenSize> kScreens(kFs98ScreenSizes.begin(), kFs98ScreenSizes.end());

QString screenName(ScreenSize size) {
    return QStringLiteral("%1 \u00D7 %2").arg(size.width).arg(size.height);
}

} // namespace

ScreenPreviewDialog::ScreenPreviewDialog(const fs98::Document& document, const AppModel& app, int w,
                                         QWidget* parent)
    : QDialog(parent), m_fs98(&document), m_app(app),
      m_w(std::clamp(w, 0, fs98::kWindowSlots - 1)) {
    build(document);
    // Every edit of this window's fields or gauges shows at once, as in the panel window.
    connect(&document, &fs98::Document::windowChanged, this, [this](int w) {
        if (w == m_w)
            scheduleRefresh();
    });
    connect(&document, &fs98::Document::gaugeChanged, this, [this](int w, int) {
        if (w == m_w)
            scheduleRefresh();
    });
    for (const auto signal : {&fs98::Document::gaugesChanged, &fs98::Document::gaugesPlaced}) {
        connect(&document, signal, this, [this](int w) {
            if (w == m_w)
                scheduleRefresh();
        });
    }
    refresh();
}

ScreenPreviewDialog::ScreenPreviewDialog(const fs2k::Document& document, const AppModel& app,
                                         std::size_t window, fs2k::PictureLookup pictures,
                                         std::string panelDir, QWidget* parent)
    : QDialog(parent), m_app(app), m_w(int(std::min<std::size_t>(window, std::size_t(INT_MAX)))) {
    m_fs2k = std::make_unique<Fs2kSource>();
    m_fs2k->document = &document;
    m_fs2k->window = window;
    const auto& windows = document.panel().windows;
    if (window < windows.size())
        m_fs2k->key = {windows[window].kind, windows[window].number};
    m_fs2k->pictures = std::move(pictures);
    m_fs2k->panelDir = std::move(panelDir);
    build(document);
    connect(&document, &fs2k::Document::linesChanged, this, &ScreenPreviewDialog::scheduleRefresh);
    refresh();
}

void ScreenPreviewDialog::build(const BaseDocument& document) {
    setObjectName(QStringLiteral("screenPreviews"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    // One column per screen, equally wide, each picture right above its caption.
    auto* columns = new QHBoxLayout;
    for (const ScreenSize& screen : kScreens) {
        const QString suffix = QString::fromStdString(screenSizeText(screen));
        auto* tile = new ScreenPreviewTile(this);
        tile->setObjectName(QStringLiteral("Tile_") + suffix);
        tile->setAccessibleName(tr("Window on a %1 screen").arg(screenName(screen)));
        auto* caption = new QLabel(this);
        caption->setObjectName(QStringLiteral("Caption_") + suffix);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->setWordWrap(true);
        auto* column = new QVBoxLayout;
        column->addWidget(tile);
        column->addWidget(caption);
        column->addStretch(1);
        columns->addLayout(column, 1);
        m_tiles.push_back(tile);
        m_captions.push_back(caption);
    }
    m_notes = new QLabel(this);
    m_notes->setObjectName(QStringLiteral("Notes"));
    m_notes->setWordWrap(true);
    m_notes->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* refreshButton = new QPushButton(tr("&Refresh"), this);
    refreshButton->setObjectName(QStringLiteral("Refresh"));
    refreshButton->setToolTip(tr("Draw the previews again, with the colours and options now set"));
    refreshButton->setAccessibleDescription(refreshButton->toolTip());
    auto* closeButton = new QPushButton(tr("Close"), this);
    closeButton->setObjectName(QStringLiteral("Close"));
    closeButton->setDefault(true);
    connect(refreshButton, &QPushButton::clicked, this, &ScreenPreviewDialog::refresh);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_notes, 1);
    buttons->addWidget(refreshButton);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    // Wide enough for five pictures to be read, and just as tall as they need.
    constexpr int kOpeningWidth = 1120;
    resize(kOpeningWidth, std::max(240, layout->totalHeightForWidth(kOpeningWidth)));

    connect(&document, &BaseDocument::panelReplaced, this, &ScreenPreviewDialog::scheduleRefresh);
}

ScreenPreviewTile* ScreenPreviewDialog::tile(int i) const {
    return i >= 0 && i < int(m_tiles.size()) ? m_tiles[std::size_t(i)] : nullptr;
}

QString ScreenPreviewDialog::notes() const {
    return m_notes->text();
}

void ScreenPreviewDialog::scheduleRefresh() {
    // A run of edits (a drag, an undo of several gauges) is drawn once.
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QTimer::singleShot(0, this, &ScreenPreviewDialog::refresh);
}

void ScreenPreviewDialog::refresh() {
    m_refreshPending = false;
    if (m_fs2k) {
        refreshFs2k();
        return;
    }
    const fs98::Panel& panel = m_fs98->panel();
    setWindowTitle(tr("Preview at screen sizes - Window %1: %2")
                       .arg(m_w)
                       .arg(fromModelText(panel.window(m_w).windowTitle)));
    m_scenes.clear();
    QStringList warnings;
    if (m_w >= panel.windowCount) {
        warnings << tr("The panel has no window %1 any more.").arg(m_w);
        showScenes({}, {}, warnings);
        return;
    }
    // A copy of the program state, so that the layout data of the open panel windows stay as
    // they are; bitmaps already cut out are reused even under "Always recompute bitmaps",
    // since the panel window has just made them.
    const auto copy = std::make_unique<AppModel>(m_app);
    copy->options.alwaysRecomputeBitmaps = false;
    PanelSceneCallbacks callbacks;
    callbacks.warn = [&warnings](const UserText& text) {
        warnings << toQString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    };
    const QSize screen = screenSizePixels();
    const PanelScene loaded = loadPanelScene(panel, *copy, m_w, screen, callbacks);
    m_scenes = scenesForScreens(panel, copy->display, loaded, kScreens);
    std::vector<QImage> pictures;
    std::vector<bool> offScreen;
    for (const PanelScene& scene : m_scenes) {
        pictures.push_back(renderPanelScene(scene));
        offScreen.push_back(backgroundOutsideFrame(scene));
    }
    showScenes(pictures, offScreen, warnings);
}

void ScreenPreviewDialog::refreshFs2k() {
    m_fs2kScenes.clear();
    const fs2k::Document& document = *m_fs2k->document;
    const auto& windows = document.panel().windows;
    const fs98::Fs2kViewKey key = m_fs2k->key;
    std::size_t& index = m_fs2k->window;
    if (index >= windows.size() || windows[index].kind != key.first ||
        windows[index].number != key.second) {
        index = windows.size();
        for (std::size_t i = 0; i < windows.size(); ++i) {
            if (windows[i].kind == key.first && windows[i].number == key.second)
                index = i;
        }
    }
    if (index >= windows.size()) {
        setWindowTitle(tr("Preview at screen sizes"));
        showScenes({}, {}, {tr("The panel has no such window any more.")});
        return;
    }
    const fs2k::SceneSource source{&document.panel(), &document.lines(),    document.encoding(),
                                   m_fs2k->panelDir,  &m_fs2k->backgrounds, fs98::ViewPlacement{}};
    std::vector<QImage> pictures;
    std::vector<bool> offScreen;
    for (const ScreenSize& screen : kScreens) {
        m_fs2kScenes.push_back(
            fs2k::windowScene(source, index, {screen.width, screen.height}, m_fs2k->pictures));
        pictures.push_back(fs2k::renderWindowScene(m_fs2kScenes.back()));
        offScreen.push_back(fs2k::windowOutsideFrame(m_fs2kScenes.back()));
    }
    setWindowTitle(tr("Preview at screen sizes - %1").arg(m_fs2kScenes.front().caption));
    showScenes(pictures, offScreen, {});
}

void ScreenPreviewDialog::showScenes(const std::vector<QImage>& pictures,
                                     const std::vector<bool>& offScreen,
                                     const QStringList& warnings) {
    const QSize own = screenSizePixels();
    for (std::size_t i = 0; i < m_tiles.size(); ++i) {
        const ScreenSize size = kScreens[i];
        QString caption = screenName(size);
        if (QSize(size.width, size.height) == own)
            caption += tr("\nthe panel windows' screen");
        if (i < pictures.size()) {
            m_tiles[i]->setPicture(pictures[i]);
            if (i < offScreen.size() && offScreen[i])
                caption += tr("\nthe picture runs off the screen");
        } else {
            m_tiles[i]->setPicture(QImage());
        }
        m_captions[i]->setText(caption);
    }
    m_notes->setText(warnings.join(QLatin1Char('\n')));
}

} // namespace cockpix
