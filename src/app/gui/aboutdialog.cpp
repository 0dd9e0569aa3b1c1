#include "app/gui/aboutdialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace cockpix {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(tr("About..."));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* title = new QLabel(tr("<b>COCKPIX V.2.5.3</b>"), this);
    title->setObjectName(QStringLiteral("Label1"));
    title->setAlignment(Qt::AlignCenter);

    auto* text =
        new QLabel(tr("The panel editor for Microsoft Flight Simulator 98.\n\n"
                      "Opens an aircraft's panel.cfg, shows its panel windows with their\n"
                      "backgrounds and gauges as FS98 places them, lets you edit the table\n"
                      "of windows and the gauges, and saves a new panel.cfg, keeping the\n"
                      "previous one as a numbered backup (panel.c1, panel.c2, ...).\n\n"
                      "By Quenvald, 1998. Running on Qt %1.")
                       .arg(QString::fromLatin1(qVersion())),
                   this);
    text->setObjectName(QStringLiteral("Label2"));
    text->setAlignment(Qt::AlignCenter);

    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command1"));
    cancel->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addLayout(buttons);
}

} // namespace cockpix
