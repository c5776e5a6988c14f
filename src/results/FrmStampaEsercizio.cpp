#include "results/FrmStampaEsercizio.h"

#include "framework/Controls.h"
#include "framework/Twips.h"

FrmStampaEsercizio::FrmStampaEsercizio() : Form(kName, QSizeF(11910, 8640), true, Placement::Maximised) {}

void FrmStampaEsercizio::build() {
    setWindowTitle(QStringLiteral("FINESTRA DI STAMPA "));
    setBackColor(bgr(0x00C0E0FF));
    Label* avviso = addLabel(client(), QStringLiteral("lblAvviso"),
                             QStringLiteral("Risultati dell'esercizio"), {600, 600, 10700, 900});
    avviso->setFont(designFont(QStringLiteral("Arial"), 24, true));
}
