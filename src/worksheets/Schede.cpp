// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheets/Schede.h"

#include "exercise/Generatore.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

#include <array>
#include <cmath>

const LivelloScheda& livelloScheda(int indice) {
    // Five leading blanks in every text, two before the last number of the first two.
    static const std::array<LivelloScheda, 3> livelli{{
        {10, 40, QStringLiteral("     Numero massimo compreso tra 10 e  40")},
        {30, 70, QStringLiteral("     Numero massimo compreso tra 30 e  70")},
        {50, 99, QStringLiteral("     Numero massimo compreso tra 50 e 99")},
    }};
    return livelli.at(static_cast<size_t>(indice));
}

void SceltaLivelloScheda(StatoScheda& s, int indice) {
    const LivelloScheda& livello = livelloScheda(indice);
    s.NumMin = livello.numMin;
    s.NumMax = livello.numMax;
    s.TestoLivello = livello.testo;
}

bool addizionePossibile(const StatoScheda& s) {
    // The smallest side that can be drawn is twice the lowest term.
    return 2 * s.NumMin <= s.NumMax;
}

namespace {
void completaOperazione(StatoScheda& s, Modulo2& sessione, RandomSource& rnd) {
    AllineaNumeriScheda(s);
    ScriviRigheScheda(s, sessione, rnd, sessione.Indice);
}
} // namespace

int GeneraAdd(StatoScheda& s, Modulo2& sessione, RandomSource& rnd, float oraDelGiorno) {
    if (!addizionePossibile(s))
        return GeneraSot(s, sessione, rnd, oraDelGiorno);
    rnd.reseed(oraDelGiorno);
    // As the drill's addition, but neither side may exceed NumMax. This loop is
    // the costly part of a worksheet (thousands of attempts at the middle
    // range), so it works on locals.
    const qint16 minimo = s.NumMin, massimo = s.NumMax;
    int tentativi = 0;
    qint16 n1, n2, n3, n4;
    do {
        ++tentativi;
        n1 = estraiTermine(rnd, minimo, massimo);
        n2 = estraiTermine(rnd, minimo, massimo);
        n3 = estraiTermine(rnd, minimo, massimo);
        n4 = estraiTermine(rnd, minimo, massimo);
    } while (n1 + n2 != n3 + n4 || n1 + n2 > massimo);
    s.Num1 = n1;
    s.Num2 = n2;
    s.Num3 = n3;
    s.Num4 = n4;
    for (int k = 1; k <= 4; ++k)
        s.strNum(k) = testoConSegno(static_cast<qint64>(s.num(k)));
    s.Segno = kSegnoPiu;
    completaOperazione(s, sessione, rnd);
    return tentativi;
}

int GeneraSot(StatoScheda& s, Modulo2& sessione, RandomSource& rnd, float oraDelGiorno) {
    // The drill's subtraction as it stands; only the sign goes to the worksheet's own text.
    const int tentativi = Genera1(s, rnd, oraDelGiorno, &s.Segno);
    completaOperazione(s, sessione, rnd);
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
    static const std::array<QString, 3> spazi{QStringLiteral(""), QStringLiteral(" "), QStringLiteral("  ")};
    for (int k = 1; k <= 4; ++k) {
        const qsizetype cifre = s.strNum(k).trimmed().size();
        if (cifre >= 1 && cifre <= 3)
            spaziScheda(s, k) = spazi[static_cast<size_t>(3 - cifre)];
    }
}

QString rigaAlunno(const StatoScheda& s) {
    auto campo = [&](int k) { return spaziScheda(s, k) + s.strNum(k); };
    const QString& segno = s.Segno;
    const QString uguale = QStringLiteral(" = ");
    QString riga;
    switch (s.PosNascosto) {
    case 1:
        riga = QStringLiteral(" ... ") + segno + campo(2) + uguale + campo(3) + segno + campo(4);
        break;
    case 2:
        riga = campo(1) + segno + QStringLiteral(" ... = ") + campo(3) + segno + campo(4);
        break;
    case 3:
        riga = campo(1) + segno + campo(2) + QStringLiteral(" =  ... ") + segno + campo(4);
        break;
    default:
        riga = campo(1) + segno + campo(2) + uguale + campo(3) + segno + QStringLiteral(" ... ");
        break;
    }
    // A worksheet line is not padded: the pupil writes the answer after "R.".
    return riga + QStringLiteral("     R.");
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
    for (sessione.Indice = 1; sessione.Indice <= kRigheScheda; ++sessione.Indice) {
        // The drill's draw of the kind; on a worksheet 1 is the addition.
        if (estraiTipoOperazione(rnd) == 1)
            GeneraAdd(s, sessione, rnd, clock.timeOfDay());
        else
            GeneraSot(s, sessione, rnd, clock.timeOfDay());
        const auto i = static_cast<size_t>(sessione.Indice);
        sessione.RegistroOperazioni[i] = sessione.RigheAlunni[i];
    }
}

void mostraSchedaDocenti(Modulo2& sessione) {
    sessione.TipoScheda = 2;
    for (sessione.Indice = 1; sessione.Indice <= kRigheScheda; ++sessione.Indice) {
        const auto i = static_cast<size_t>(sessione.Indice);
        sessione.RegistroOperazioni[i] = sessione.RigheDocenti[i];
    }
}
