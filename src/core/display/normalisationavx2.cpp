// KIVO Log Viewer
#include "display/normalisationavx2.h"

#include <immintrin.h>

namespace kivo {

bool hasAvx2()
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}

__attribute__((target("avx2"))) int
applyLuminanceGainsAvx2(const quint32 *gains, const quint32 *ceilings, uchar *samples, int count)
{
    // Eight samples are 24 bytes: samples 0-3 go to the low lane, 4-7 to the high one, where
    // byte shuffles spread each channel into 32-bit lanes and gather them back afterwards.
    const __m256i toLanes = _mm256_setr_epi32(0, 1, 2, 0, 3, 4, 5, 0);
    const __m256i red =
        _mm256_setr_epi8(0, -1, -1, -1, 3, -1, -1, -1, 6, -1, -1, -1, 9, -1, -1, -1, 0, -1, -1, -1,
                         3, -1, -1, -1, 6, -1, -1, -1, 9, -1, -1, -1);
    const __m256i green =
        _mm256_setr_epi8(1, -1, -1, -1, 4, -1, -1, -1, 7, -1, -1, -1, 10, -1, -1, -1, 1, -1, -1, -1,
                         4, -1, -1, -1, 7, -1, -1, -1, 10, -1, -1, -1);
    const __m256i blue =
        _mm256_setr_epi8(2, -1, -1, -1, 5, -1, -1, -1, 8, -1, -1, -1, 11, -1, -1, -1, 2, -1, -1, -1,
                         5, -1, -1, -1, 8, -1, -1, -1, 11, -1, -1, -1);
    const __m256i pack = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0,
                                          1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m256i fromLanes = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
    const __m256i half = _mm256_set1_epi32(0x8000);
    int i = 0;
    // Each step loads 32 bytes, so it stops where fewer than 32 remain.
    for (; 3 * i + 32 <= 3 * count; i += 8) {
        uchar *at = samples + 3 * i;
        const __m256i bytes = _mm256_permutevar8x32_epi32(
            _mm256_loadu_si256(reinterpret_cast<const __m256i *>(at)), toLanes);
        const __m256i r = _mm256_shuffle_epi8(bytes, red);
        const __m256i g = _mm256_shuffle_epi8(bytes, green);
        const __m256i b = _mm256_shuffle_epi8(bytes, blue);
        // (77 R + 150 G + 29 B + 128) >> 8: every product and the sum fit in 16 bits.
        const __m256i weighted = _mm256_add_epi32(
            _mm256_add_epi32(_mm256_mullo_epi16(r, _mm256_set1_epi32(77)),
                             _mm256_mullo_epi16(g, _mm256_set1_epi32(150))),
            _mm256_add_epi32(_mm256_mullo_epi16(b, _mm256_set1_epi32(29)), _mm256_set1_epi32(128)));
        const __m256i luminance = _mm256_srli_epi32(weighted, 8);
        const __m256i brightest = _mm256_max_epu32(r, _mm256_max_epu32(g, b));
        const __m256i gain = _mm256_min_epu32(
            _mm256_i32gather_epi32(reinterpret_cast<const int *>(gains), luminance, 4),
            _mm256_i32gather_epi32(reinterpret_cast<const int *>(ceilings), brightest, 4));
        // Each product stays below 2^24: the gain is at most 255 / the brightest channel.
        const __m256i outR =
            _mm256_srli_epi32(_mm256_add_epi32(_mm256_mullo_epi32(r, gain), half), 16);
        const __m256i outG =
            _mm256_srli_epi32(_mm256_add_epi32(_mm256_mullo_epi32(g, gain), half), 16);
        const __m256i outB =
            _mm256_srli_epi32(_mm256_add_epi32(_mm256_mullo_epi32(b, gain), half), 16);
        const __m256i out = _mm256_or_si256(
            outR, _mm256_or_si256(_mm256_slli_epi32(outG, 8), _mm256_slli_epi32(outB, 16)));
        const __m256i packed =
            _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(out, pack), fromLanes);
        // 24 bytes back: the next samples, not yet read, must keep theirs.
        _mm_storeu_si128(reinterpret_cast<__m128i *>(at), _mm256_castsi256_si128(packed));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(at + 16), _mm256_extracti128_si256(packed, 1));
    }
    return i;
}

} // namespace kivo
