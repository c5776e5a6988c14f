// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/FineSessione.h"

#include "framework/Forms.h"

void FineSessione() {
    // Closing the start window runs this again from its unload handler; the
    // inner run closes the rest and the outer one then finds them closed.
    static const char* const order[] = {"frmAutore",          "FrmInizio",          "FrmOperativo",
                                        "frmSceltaStampante", "FrmStampaEsercizio", "FrmStampaSchedeBig"};
    for (const char* name : order)
        Forms::unload(QString::fromLatin1(name));
}
