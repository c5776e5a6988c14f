// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/FineSessione.h"

#include "exercise/FrmOperativo.h"
#include "framework/Forms.h"
#include "printing/FrmSceltaStampante.h"
#include "results/FrmStampaEsercizio.h"
#include "session/FrmAutore.h"
#include "session/FrmInizio.h"
#include "worksheets/FrmStampaSchedeBig.h"

void FineSessione() {
    // Closing the start window runs this again from its unload handler; the
    // inner run closes the rest and the outer one then finds them closed.
    const QString order[] = {FrmAutore::kName,          FrmInizio::kName,          FrmOperativo::kName,
                             FrmSceltaStampante::kName, FrmStampaEsercizio::kName, FrmStampaSchedeBig::kName};
    for (const QString& name : order)
        Forms::unload(name);
}
