// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class Printers;
struct Modulo2;

// The printed worksheet: a name line, sixty lines in two columns of three
// blocks of ten, and three footer lines, on one page.

inline const QString kPiedeAlunni = QStringLiteral("Scheda per alunni stampata con Brenola.1");
inline const QString kPiedeDocenti = QStringLiteral("Scheda per docenti stampata con Brenola.1");

// Where line i (1 to 60) of the worksheet is printed, in twips.
float xRigaScheda(int i);
float yRigaScheda(int i);

// The header: "Nome e cognome" in Courier 14, the rest of the line left for the pupil.
void IntestazioneScheda(Printers& p);

// The sixty lines a print button prints. Once a worksheet has been made, the
// pupil version (TipoScheda 1) prints its pupil lines and the teacher version
// its teacher lines, whatever the preview shows; before, RegistroOperazioni
// (1..60) as they stand.
QStringList righeDaStampare(const Modulo2& sessione, qint16 tipoScheda, bool schedaFatta);

// Prints the sixty lines on the current printer, in Courier 12 for the pupil
// version (TipoScheda 1) and 10 otherwise, with the worksheet's level text
// and the footer text of the version; a PDF file is named after the version.
// Nothing is printed without a Courier font on the printer (the user is
// told). True when the page was printed; a printer's failure has been
// reported by the printers.
bool StampaScheda(Modulo2& sessione, const QStringList& righe, const QString& testoLivello,
                  const QString& testoPiede, Printers& p);
// The same with RegistroOperazioni(1..60).
bool StampaScheda(Modulo2& sessione, const QString& testoLivello, const QString& testoPiede, Printers& p);
