#include "controls/BlendRow.h"

#include <immintrin.h>

namespace {

void BlendBytes(uint8_t* face, const uint8_t* source, const uint8_t* target, size_t bytes, int w)
{
    for (size_t i = 0; i < bytes; ++i)
        face[i] = static_cast<uint8_t>((source[i] * (32 - w) + target[i] * w) >> 5);
}

// 32 bytes a round: source and target bytes side by side, multiplied by the
// weight pair and summed in one 16-bit lane each (at most 255 * 32).
__attribute__((target("avx2")))
void BlendAvx2(uint8_t* face, const uint8_t* source, const uint8_t* target, size_t bytes, int w)
{
    const __m256i weights = _mm256_set1_epi16(static_cast<short>((w << 8) | (32 - w)));
    size_t i = 0;
    for (; i + 32 <= bytes; i += 32) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
        const __m256i t = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(target + i));
        const __m256i lo = _mm256_srli_epi16(_mm256_maddubs_epi16(_mm256_unpacklo_epi8(s, t), weights), 5);
        const __m256i hi = _mm256_srli_epi16(_mm256_maddubs_epi16(_mm256_unpackhi_epi8(s, t), weights), 5);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(face + i), _mm256_packus_epi16(lo, hi));
    }
    BlendBytes(face + i, source + i, target + i, bytes - i, w);
}

bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

} // namespace

void BlendRow(uint8_t* face, const uint8_t* source, const uint8_t* target, size_t bytes, int w)
{
    if (HasAvx2())
        BlendAvx2(face, source, target, bytes, w);
    else
        BlendBytes(face, source, target, bytes, w);
}
