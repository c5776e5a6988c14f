// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RandomSource.h"

#include <bit>
#include <cstdint>

quint64 MixingRandomSource::step() {
    state_ += 0x9e3779b97f4a7c15ULL;
    quint64 z = state_;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

float MixingRandomSource::next() {
    // 24 random bits fill a float's mantissa exactly, so the result is below 1.
    return static_cast<float>(step() >> 40) * (1.0f / 16777216.0f);
}

void MixingRandomSource::reseed(float timeOfDay) {
    const quint64 reading = std::bit_cast<std::uint32_t>(timeOfDay);
    state_ ^= reading * 0xd6e8feb86659fd93ULL;
    step();
}
