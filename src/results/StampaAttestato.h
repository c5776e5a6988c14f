// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QStringList>

class Printers;

// Where the certificate lies on the page, in twips: at 1000, 100 from the
// corner of the printable area and at the size its picture box has on screen
// (15 twips per pixel), unless that does not fit the printable area; then as
// large as fits, in proportion.
QRectF posizioneAttestato(const QSize& riquadroPixel, const QSizeF& areaStampabile);

// Prints the certificate as one document on the current printer: an empty
// line that opens it, the 25 lines as text in their styles, each at the height
// it has on screen (`altoPixel`, from the top of the picture box) and centred
// on the certificate's rectangle, then the end of the document. Fonts shrink
// with the rectangle when the page is smaller than the box. True when it was
// printed; a failure has already been reported by the printer layer.
bool StampaAttestato(const QStringList& righe, const QList<double>& altoPixel, const QSize& riquadroPixel,
                     Printers& p);
