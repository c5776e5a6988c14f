// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>

class Printers;

// Where the certificate's picture lies on the page, in twips: at 1000, 100
// from the corner of the printable area and at the size it has on screen (15
// twips per pixel), unless that does not fit the printable area; then as large
// as fits, in proportion.
QRectF posizioneAttestato(const QSize& immaginePixel, const QSizeF& areaStampabile);

// Prints the certificate's picture as one document on the current printer: an
// empty line that opens it, the picture, the end of the document. True when
// it was printed; a failure has already been reported by the printer layer.
bool StampaAttestato(const QImage& immagine, Printers& p);
