// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/FrmAutore.h"

#include "framework/Controls.h"
#include "framework/Twips.h"

FrmAutore::FrmAutore() : Form(kName, QSizeF(9960, 7290), Kind::Fixed) {}

void FrmAutore::build() {
    setWindowTitle(QStringLiteral("Autore"));
    setBackColor(bgr(kRosaChiaro));
    QWidget* w = client();

    auto label = [&](const QString& name, const QString& caption, const QRectF& twips, bool bold,
                     quint32 color) {
        Label* l = add<Label>(w, name, twips, caption);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setFont(designFont(QStringLiteral("Arial"), 18, bold));
        l->setForeColor(bgr(color));
    };
    label(QStringLiteral("Label1"), QStringLiteral("Sito dell'autore:"), {200, 465, 4455, 435}, false, 0);
    label(QStringLiteral("Label2"), QStringLiteral("ilpontelo.example.org"), {165, 945, 6795, 510}, true,
          kBlu);
    label(QStringLiteral("Label3"), QStringLiteral("Email:"), {225, 1860, 1350, 435}, false, 0);
    label(QStringLiteral("Label4"), QStringLiteral("autore@ilpontelo.example.org"), {180, 2310, 5955, 510},
          true, kBlu);

    command1_ =
        add<Button>(w, QStringLiteral("Command1"), {3180, 5784, 3810, 1050}, QStringLiteral("C h i u d i"));
    command1_->setFont(designFont(QStringLiteral("Arial"), 24, false));
    command1_->setBackColor(bgr(0x00FF80FF));
    command1_->setAutoDefault(true);
    command1_->setDefault(true);
    connect(command1_, &QPushButton::clicked, this, [this] { unload(); });
}

QWidget* FrmAutore::initialFocus() const {
    return command1_;
}
