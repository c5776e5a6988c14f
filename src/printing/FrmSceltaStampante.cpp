// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/FrmSceltaStampante.h"

#include "framework/Controls.h"
#include "framework/Twips.h"
#include "platform/Printers.h"

#include <QLineEdit>

FrmSceltaStampante::FrmSceltaStampante() : Form(kName, QSizeF(6060, 5460), Kind::Fixed) {}

void FrmSceltaStampante::build() {
    setWindowTitle(QStringLiteral("Form1"));
    setBackColor(bgr(kGialloChiaro));
    QWidget* w = client();
    const QFont testi = designFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    label1_ = add<Label>(w, QStringLiteral("Label1"), {432, 168, 1716, 1524});
    label1_->setFont(testi);
    label2_ = add<Label>(w, QStringLiteral("Label2"), {3276, 120, 1704, 1452});
    label2_->setFont(testi);
    for (Label* l : {label1_, label2_})
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    combo1_ = add<ComboBox>(w, QStringLiteral("Combo1"), {612, 2400, 4632, 336});
    combo1_->setFont(testi);
    combo1_->setText(QStringLiteral("Combo1"));
    // The list and the text part are one choice to a reader.
    combo1_->setAccessibleName(QStringLiteral("Stampante"));
    combo1_->lineEdit()->setAccessibleName(QStringLiteral("Stampante"));
    connect(combo1_, &ComboBox::listSelectionChanged, this, [this] { Combo1_Click(); });

    command2_ =
        add<Button>(w, QStringLiteral("Command2"), {1128, 4188, 3168, 648}, QStringLiteral("C H I U D I"));
    command2_->setBackColor(bgr(0x0080FFFF));
    command2_->setFont(designFont(QStringLiteral("MS Sans Serif"), 13.5, true));
    connect(command2_, &QPushButton::clicked, this, [this] { unload(); });

    setTabOrder(combo1_, command2_);
}

void FrmSceltaStampante::onLoad() {
    RiempiStampanti();
    MostraPredefinita();
}

QWidget* FrmSceltaStampante::initialFocus() const {
    return combo1_;
}

void FrmSceltaStampante::RiempiStampanti() {
    const QStringList stampanti = platform::printers().deviceNames();
    for (const QString& nome : stampanti)
        combo1_->addEntry(nome);
    if (!stampanti.isEmpty())
        combo1_->setListIndex(0);
}

void FrmSceltaStampante::MostraPredefinita() {
    label1_->setCaption(QStringLiteral("La stampante predefinita è \r\n") +
                        platform::printers().currentPrinter());
}

void FrmSceltaStampante::Combo1_Click() {
    if (!preselezione_) {
        preselezione_ = true;
        return;
    }
    Printers& stampanti = platform::printers();
    // Only a name equal character for character chooses a printer.
    const QString scelta = combo1_->text();
    for (const QString& nome : stampanti.deviceNames()) {
        if (nome == scelta) {
            stampanti.setCurrentPrinter(nome);
            break;
        }
    }
    label2_->setCaption(QStringLiteral("La stampante scelta è \r\n") + stampanti.currentPrinter());
}
