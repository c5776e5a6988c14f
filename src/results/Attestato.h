// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Colori.h"

#include <QString>
#include <QStringList>

struct Modulo2;

// The certificate of merit as values and texts: the name in its final form,
// the grade, whether it may be printed, and its 25 lines with their styles.

inline constexpr int kRigheAttestato = 25;

inline const QString kNonClassificato = QStringLiteral("Non classificato");
inline const QString kStampaAttestato = QStringLiteral("STAMPA L'ATTESTATO");
inline const QString kAttestatoNonStampabile = QStringLiteral("ATTESTATO NON STAMPABILE");

// First character in upper case, the rest in lower case; empty stays empty.
QString nomeCapitalizzato(const QString& nome);
// The grade figure: 10 x right answers over the operations asked, rounded
// down; 0 when nothing was asked.
int votoAttestato(qint16 risposteEsatte, qint16 numOperazione);
// "OTTIMO" down to "SUFFICIENTE (!)"; any other figure is "Non classificato".
QString giudizioDaVoto(int voto);
bool attestatoStampabile(const QString& giudizio);
// The print tile's caption for a grade.
QString didascaliaStampa(const QString& giudizio);
// Two blanks and the start window's title caption.
QString titoloAttestato(const QString& didascaliaTitolo);
// "con 17 risposte esatte su 20 richieste"
QString rigaRisposte(const Modulo2& m);
// "Data  " and the date.
QString rigaData(const QString& data);

// Capitalises NomeAlunno and sets GiudizioAttestato and TitoloAttestato from
// the run; `didascaliaTitolo` is the start window's Label2 caption.
void PreparaAttestato(Modulo2& m, const QString& didascaliaTitolo);
// The 25 lines from the top, empty ones included, from the prepared state.
QStringList righeAttestato(const Modulo2& m, const QString& data);
// The certificate in one sentence for a screen reader, with the name and the
// grade: "DIPLOMA DI MERITO rilasciato a Mario, con la valutazione di OTTIMO".
QString attestatoDetto(const Modulo2& m);

// How a line is drawn. Colours are &H00BBGGRR values.
struct StileRiga {
    QString font;
    double punti = 0;
    bool grassetto = false;
    quint32 colore = 0;
};
// The style in force at line `riga` (1 to 25). Lines 6 and 7 stay bold: they
// change only the face and size of the bold starting font.
StileRiga stileRiga(int riga);
