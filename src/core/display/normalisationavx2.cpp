// KIVO Log Viewer
#include "display/normalisationavx2.h"

#include <immintrin.h>

namespace kivo {

bool hasAvx2()
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}

__attribute__((target("avx2"))) int luminancesOfEveryFourthAvx2(const uchar *samples, int count,
                                                                uchar *luminances)
{
    // Every fourth sample starts a 32-bit word (12 bytes apart): words 0, 3, .., 21 of each 96
    // bytes, gathered from three loads into one register.
    const __m256i fromFirst = _mm256_setr_epi32(0, 3, 6, 0, 0, 0, 0, 0);
    const __m256i fromSecond = _mm256_setr_epi32(0, 0, 0, 1, 4, 7, 0, 0);
    const __m256i fromThird = _mm256_setr_epi32(0, 0, 0, 0, 0, 0, 2, 5);
    const __m256i low = _mm256_set1_epi32(0xFF);
    const __m256i toBytes =
        _mm256_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 4, 8, 12,
                         -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m256i together = _mm256_setr_epi32(0, 4, 0, 0, 0, 0, 0, 0);
    int i = 0;
    for (; 3 * i + 96 <= 3 * count; i += 32, luminances += 8) {
        const auto *at = reinterpret_cast<const __m256i *>(samples + 3 * i);
        const __m256i words = _mm256_blend_epi32(
            _mm256_blend_epi32(_mm256_permutevar8x32_epi32(_mm256_loadu_si256(at), fromFirst),
                               _mm256_permutevar8x32_epi32(_mm256_loadu_si256(at + 1), fromSecond),
                               0x38),
            _mm256_permutevar8x32_epi32(_mm256_loadu_si256(at + 2), fromThird), 0xC0);
        const __m256i r = _mm256_and_si256(words, low);
        const __m256i g = _mm256_and_si256(_mm256_srli_epi32(words, 8), low);
        const __m256i b = _mm256_and_si256(_mm256_srli_epi32(words, 16), low);
        // (77 R + 150 G + 29 B + 128) >> 8, as the plain version.
        const __m256i luminance = _mm256_srli_epi32(
            _mm256_add_epi32(_mm256_add_epi32(_mm256_mullo_epi16(r, _mm256_set1_epi32(77)),
                                              _mm256_mullo_epi16(g, _mm256_set1_epi32(150))),
                             _mm256_add_epi32(_mm256_mullo_epi16(b, _mm256_set1_epi32(29)),
                                              _mm256_set1_epi32(128))),
            8);
        const __m256i packed =
            _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(luminance, toBytes), together);
        _mm_storel_epi64(reinterpret_cast<__m128i *>(luminances), _mm256_castsi256_si128(packed));
    }
    return i;
}

__attribute__((target("avx2"))) void equalisationGainsAvx2(const quint32 *window, double scale,
                                                           const quint64 *reciprocals,
                                                           quint32 *gains)
{
    const __m256d scales = _mm256_set1_pd(scale);
    const __m256d nudge = _mm256_set1_pd(1e-12);
    const __m256i last = _mm256_set1_epi32(7);
    const __m256i evenLanes = _mm256_setr_epi32(0, 2, 4, 6, 0, 2, 4, 6);
    __m256i carry = _mm256_setzero_si256(); // the cumulative count before these eight bins
    for (int y = 0; y < 256; y += 8) {
        // The running sum of eight bins: within each half, then the low half's total onto the
        // high one, then what came before.
        __m256i sums = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(window + y));
        sums = _mm256_add_epi32(sums, _mm256_slli_si256(sums, 4));
        sums = _mm256_add_epi32(sums, _mm256_slli_si256(sums, 8));
        sums = _mm256_add_epi32(
            sums, _mm256_shuffle_epi32(_mm256_permute2x128_si256(sums, sums, 0x08), 0xFF));
        sums = _mm256_add_epi32(sums, carry);
        carry = _mm256_permutevar8x32_epi32(sums, last);
        __m128i out[2];
        for (int half = 0; half < 2; ++half) {
            // The plain version's steps, four bins at a time: the same double product and
            // nudge, then (e 2^16 R) >> 32, R = R_low + 2^32 R_high, as (e 2^16 R_low) >> 32
            // + e 2^16 R_high (R_high is 1 for y = 1 only).
            const __m256d cumulative = _mm256_cvtepi32_pd(half ? _mm256_extracti128_si256(sums, 1)
                                                               : _mm256_castsi256_si128(sums));
            const __m256i equalised =
                _mm256_slli_epi64(_mm256_cvtepu32_epi64(_mm256_cvttpd_epi32(
                                      _mm256_add_pd(_mm256_mul_pd(cumulative, scales), nudge))),
                                  16);
            const __m256i r =
                _mm256_loadu_si256(reinterpret_cast<const __m256i *>(reciprocals + y + 4 * half));
            const __m256i gain =
                _mm256_add_epi64(_mm256_srli_epi64(_mm256_mul_epu32(equalised, r), 32),
                                 _mm256_mul_epu32(equalised, _mm256_srli_epi64(r, 32)));
            out[half] = _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(gain, evenLanes));
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(gains + y),
                            _mm256_set_m128i(out[1], out[0]));
    }
}

__attribute__((target("avx2"))) int applyLuminanceGainsAvx2(const quint32 *gains, const uchar *from,
                                                            uchar *to, int count)
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
    const __m256 topFloat = _mm256_set1_ps(float(255 << 16));
    int i = 0;
    // Each step loads 32 bytes, so it stops where fewer than 32 remain.
    for (; 3 * i + 32 <= 3 * count; i += 8) {
        const __m256i bytes = _mm256_permutevar8x32_epi32(
            _mm256_loadu_si256(reinterpret_cast<const __m256i *>(from + 3 * i)), toLanes);
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
        // The ceiling 255 * 2^16 / brightest, rounded down, by division rather than a second
        // table look-up. Truncating the single-precision quotient is exact: it is off the true
        // one by at most its 2^-24th, less than 1 / brightest because 255 * 2^16 < 2^24, and a
        // quotient that is no integer lies at least that far below the next one. A black
        // sample divides by zero; its ceiling is then huge and its channels stay 0.
        const __m256i ceiling =
            _mm256_cvttps_epi32(_mm256_div_ps(topFloat, _mm256_cvtepi32_ps(brightest)));
        const __m256i gain = _mm256_min_epu32(
            _mm256_i32gather_epi32(reinterpret_cast<const int *>(gains), luminance, 4), ceiling);
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
        // 24 bytes back: where to is from, the next samples, not yet read, must keep theirs.
        uchar *at = to + 3 * i;
        _mm_storeu_si128(reinterpret_cast<__m128i *>(at), _mm256_castsi256_si128(packed));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(at + 16), _mm256_extracti128_si256(packed, 1));
    }
    return i;
}

} // namespace kivo
