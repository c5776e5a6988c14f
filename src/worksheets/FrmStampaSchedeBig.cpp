#include "worksheets/FrmStampaSchedeBig.h"

#include "framework/Controls.h"
#include "framework/Twips.h"

FrmStampaSchedeBig::FrmStampaSchedeBig() : Form(kName, QSizeF(11910, 8340), true, Placement::Maximised) {}

void FrmStampaSchedeBig::build() {
    setWindowTitle(QStringLiteral("IL PONTELO -"));
    setBackColor(bgr(0x00C0E0FF));
    Label* avviso = addLabel(client(), QStringLiteral("lblAvviso"), QStringLiteral("Schede di lavoro"),
                             {600, 600, 10700, 900});
    avviso->setFont(designFont(QStringLiteral("Arial"), 24, true));
}
