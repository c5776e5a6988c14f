// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheets/Schede.h"

#include "exercise/Generatore.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

#include <array>
#include <cmath>

void SceltaLivelloScheda(StatoScheda& s, int indice) {
    const Livello& livello = livelloScheda(indice);
    s.NumMin = livello.numMin;
    s.NumMax = livello.numMax;
    s.TestoLivello = livello.testo;
}

bool addizionePossibile(const StatoScheda& s) {
    // The smallest side that can be drawn is twice the lowest term.
    return 2 * s.NumMin <= s.NumMax;
}

namespace {
void completaOperazione(StatoScheda& s, Modulo2& sessione, RandomSource& rnd, int riga) {
    AllineaNumeriScheda(s);
    ScriviRigheScheda(s, sessione, rnd, riga);
}
} // namespace

int GeneraAdd(StatoScheda& s, Modulo2& sessione, RandomSource& rnd, float oraDelGiorno, int riga) {
    if (!addizionePossibile(s))
        return GeneraSot(s, sessione, rnd, oraDelGiorno, riga);
    // As the drill's addition, but neither side may exceed NumMax.
    const int tentativi =
        generaUguaglianza(s, s, TipoOperazione::Addizione, rnd, oraDelGiorno, &s.Segno, s.NumMax);
    completaOperazione(s, sessione, rnd, riga);
    return tentativi;
}

int GeneraSot(StatoScheda& s, Modulo2& sessione, RandomSource& rnd, float oraDelGiorno, int riga) {
    // The drill's subtraction as it stands.
    const int tentativi = generaUguaglianza(s, s, TipoOperazione::Sottrazione, rnd, oraDelGiorno, &s.Segno);
    completaOperazione(s, sessione, rnd, riga);
    return tentativi;
}

namespace {
QString& spaziScheda(StatoScheda& s, int k) {
    return k == 4 ? s.Spazi4Scheda : s.spazi(k);
}
const QString& spaziScheda(const StatoScheda& s, int k) {
    return k == 4 ? s.Spazi4Scheda : s.spazi(k);
}
} // namespace

void AllineaNumeriScheda(StatoScheda& s) {
    // Unlike the drill's record, a three-digit term fits its field without blanks.
    for (int k = 1; k <= 4; ++k) {
        const qsizetype cifre = s.strNum(k).trimmed().size();
        if (cifre >= 1 && cifre <= 3)
            spaziScheda(s, k) = spaziPerCifre(cifre);
    }
}

QString rigaAlunno(const StatoScheda& s) {
    static const std::array<QString, 4> puntini{QStringLiteral(" ... "), QStringLiteral(" ..."),
                                                QStringLiteral(" ... "), QStringLiteral(" ... ")};
    std::array<QString, 4> campi;
    for (int k = 1; k <= 4; ++k)
        campi[size_t(k - 1)] = spaziScheda(s, k) + s.strNum(k);
    // A worksheet line is not padded: the pupil writes the answer after "R.".
    return componiRiga(campi, s.Segno, s.Segno, s.PosNascosto, puntini) + QStringLiteral("     R.");
}

QString rigaDocente(const StatoScheda& s) {
    return rigaAlunno(s) + QStringLiteral("    ") + s.Spazi4Scheda + QLatin1Char('(') + s.StrRisultato +
           QLatin1Char(')');
}

void ScriviRigheScheda(StatoScheda& s, Modulo2& sessione, RandomSource& rnd, int i) {
    s.PosNascosto = static_cast<qint16>(std::floor(rnd.next() * 4.0f) + 1);
    s.StrRisultato = s.strNum(s.PosNascosto);
    if (i < 0 || i >= static_cast<int>(sessione.RigheAlunni.size()))
        return;
    sessione.RigheAlunni[static_cast<size_t>(i)] = rigaAlunno(s);
    sessione.RigheDocenti[static_cast<size_t>(i)] = rigaDocente(s);
}

void generaSchedaAlunni(StatoScheda& s, Modulo2& sessione, RandomSource& rnd, const Clock& clock) {
    sessione.TipoScheda = 1;
    for (int riga = 1; riga <= kRigheScheda; ++riga) {
        // The drill's draw of the kind; on a worksheet 1 is the addition.
        if (estraiTipoOperazione(rnd) == 1)
            GeneraAdd(s, sessione, rnd, clock.timeOfDay(), riga);
        else
            GeneraSot(s, sessione, rnd, clock.timeOfDay(), riga);
        const auto i = static_cast<size_t>(riga);
        sessione.RegistroOperazioni[i] = sessione.RigheAlunni[i];
    }
}

void mostraSchedaDocenti(Modulo2& sessione) {
    sessione.TipoScheda = 2;
    for (size_t i = 1; i <= kRigheScheda; ++i)
        sessione.RegistroOperazioni[i] = sessione.RigheDocenti[i];
}
