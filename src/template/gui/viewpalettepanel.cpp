#include "template/gui/viewpalettepanel.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace cockpix {
namespace {

enum FooterColumn {
    ViewLabelColumn,
    ViewBoxColumn,
    FirstGapColumn,
    PaletteLabelColumn,
    PaletteValueColumn,
    SecondGapColumn,
    ToolLabelColumn,
    ToolValueColumn,
};

} // namespace

ViewPalettePanel::ViewPalettePanel(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnMinimumWidth(FirstGapColumn, 24);
    grid->setColumnMinimumWidth(SecondGapColumn, 24);
    grid->setColumnStretch(FirstGapColumn, 1);
    grid->setColumnStretch(SecondGapColumn, 1);

    const char* viewLabelNames[] = {"labelViewX", "labelViewY", "labelViewSizeX", "labelViewSizeY"};
    const char* viewBoxNames[] = {"Text9", "Text10", "Text11", "Text12"};
    const QString viewCaptions[] = {QStringLiteral("X position ="), QStringLiteral("Y position ="),
                                    QStringLiteral("X size      ="),
                                    QStringLiteral("Y size      =")};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(makeLabel(viewLabelNames[i], viewCaptions[i]), i, ViewLabelColumn);
        m_viewBoxes.append(makeBox(viewBoxNames[i], QStringLiteral("you can modify values")));
        m_viewBoxes.last()->setAccessibleName(spokenLabel(viewCaptions[i]));
        grid->addWidget(m_viewBoxes.last(), i, ViewBoxColumn);
    }

    grid->addWidget(
        makeLabel("labelThreshold", QStringLiteral("Threshold of colorimetric tolerance =")), 0,
        PaletteLabelColumn);
    m_threshold = makeBox("Text13", QStringLiteral("from 1=very demanding to 255=add no colors"));
    m_threshold->setAccessibleName(QStringLiteral("Threshold of colorimetric tolerance"));
    grid->addWidget(m_threshold, 0, PaletteValueColumn);
    grid->addWidget(makeLabel("labelAddedColors", QStringLiteral("Last number of added colors  =")),
                    1, PaletteLabelColumn);
    m_addedColors = makeLabel("Label17", QStringLiteral("0"));
    grid->addWidget(m_addedColors, 1, PaletteValueColumn);

    m_paletteSave = new QCheckBox(QStringLiteral("Save"), this);
    m_paletteSave->setObjectName(QStringLiteral("Check1"));
    m_paletteSave->setToolTip(
        QStringLiteral("save/don't save in 'panel.cfg'  last created palette"));
    m_paletteSave->setAccessibleDescription(m_paletteSave->toolTip());
    m_paletteErase = new QCheckBox(QStringLiteral("Keep all"), this);
    m_paletteErase->setObjectName(QStringLiteral("Check2"));
    m_paletteErase->setToolTip(
        QStringLiteral("Remove/keep any palette from panel.cfg  if you save template"));
    m_paletteErase->setAccessibleDescription(m_paletteErase->toolTip());
    grid->addWidget(m_paletteSave, 2, PaletteLabelColumn, Qt::AlignLeft);
    grid->addWidget(m_paletteErase, 2, PaletteValueColumn, Qt::AlignLeft);
    m_optimizer =
        makeButton("Command5", QStringLiteral("PALETTE OPTIMIZER 2"),
                   QStringLiteral("Launches palette builder to optimize panel palette in FS98"));
    grid->addWidget(m_optimizer, 3, PaletteLabelColumn, 1, 2);

    m_outsideView = makeButton("Command2", QStringLiteral("OUTSIDE-VIEW SIZING TOOL"),
                               QStringLiteral("Visually fits the outside view window"));
    grid->addWidget(m_outsideView, 0, ToolLabelColumn, 1, 2);
    grid->addWidget(makeLabel("labelWindowCount", QStringLiteral("Number of windows :")), 2,
                    ToolLabelColumn);
    m_windowCount = makeLabel("Label15", QStringLiteral("0"));
    grid->addWidget(m_windowCount, 2, ToolValueColumn);
}

// "X size      =" is read out as "X size".
QString ViewPalettePanel::spokenLabel(const QString& caption) {
    QString spoken = caption;
    spoken.remove(QLatin1Char('='));
    return spoken.simplified();
}

QLabel* ViewPalettePanel::makeLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    m_labels.append(label);
    return label;
}

QLineEdit* ViewPalettePanel::makeBox(const char* name, const QString& tooltip) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(tooltip);
    box->setAccessibleDescription(tooltip);
    box->setMaximumWidth(QFontMetrics(box->font()).averageCharWidth() * 10 + 12);
    return box;
}

QPushButton* ViewPalettePanel::makeButton(const char* name, const QString& caption,
                                          const QString& tooltip) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tooltip);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(tooltip);
    button->setAutoDefault(false);
    return button;
}

} // namespace cockpix
