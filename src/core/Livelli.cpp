// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Livelli.h"

#include <array>

namespace {
struct RigaLivelli {
    Livello esercizio;
    Livello scheda;
};

// The texts stand as the school asked for them: two blanks before some last
// numbers, and five leading blanks on the worksheet. The exercise draws its
// first level's terms below 20 although the text says 40.
const std::array<RigaLivelli, 3> kLivelli{{
    {{10, 20, QStringLiteral("Numero massimo compreso tra 10 e  40")},
     {10, 40, QStringLiteral("     Numero massimo compreso tra 10 e  40")}},
    {{30, 70, QStringLiteral("Numero massimo compreso tra 30 e 70")},
     {30, 70, QStringLiteral("     Numero massimo compreso tra 30 e  70")}},
    {{50, 90, QStringLiteral("Numero massimo compreso tra 50 e 90")},
     {50, 99, QStringLiteral("     Numero massimo compreso tra 50 e 99")}},
}};
} // namespace

const Livello& livelloInizio(int indice) {
    return kLivelli.at(static_cast<size_t>(indice)).esercizio;
}

const Livello& livelloScheda(int indice) {
    return kLivelli.at(static_cast<size_t>(indice)).scheda;
}
