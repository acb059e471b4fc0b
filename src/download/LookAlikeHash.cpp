#include "download/LookAlikeHash.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numbers>

namespace {

constexpr int N = 32; // the brightness grid
constexpr int K = 8;  // the frequencies kept in each direction

using TGrid = std::array<float, N * N>;

// cos((2x + 1) u pi / 2N) for the kept frequencies.
const std::array<float, K * N>& CosineTable()
{
    static const std::array<float, K * N> table = [] {
        std::array<float, K * N> t{};
        for (int u = 0; u < K; ++u)
            for (int x = 0; x < N; ++x)
                t[u * N + x] = static_cast<float>(std::cos((2 * x + 1) * u * std::numbers::pi / (2 * N)));
        return t;
    }();
    return table;
}

// Each cell the mean brightness of the pixels it covers.
TGrid Brightness(const QImage& source)
{
    QImage image = source.format() == QImage::Format_ARGB32_Premultiplied || source.format() == QImage::Format_RGB32
                       ? source
                       : source.convertToFormat(QImage::Format_RGB32);
    // Every cell needs a pixel: a picture smaller than the grid is first
    // stretched smoothly to cover it.
    if (image.width() < N || image.height() < N)
        image = image.scaled(std::max(image.width(), N), std::max(image.height(), N), Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    const int w = image.width(), h = image.height();
    TGrid sum{};
    std::array<int, N * N> count{};
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const int row = y * N / h;
        for (int x = 0; x < w; ++x) {
            const QRgb p = line[x];
            const int cell = row * N + x * N / w;
            // Integer luma weights (0.299, 0.587, 0.114) scaled by 256.
            sum[cell] += static_cast<float>(77 * qRed(p) + 150 * qGreen(p) + 29 * qBlue(p));
            ++count[cell];
        }
    }
    for (int cell = 0; cell < N * N; ++cell)
        sum[cell] /= static_cast<float>(count[cell]);
    return sum;
}

// Frequency u of the N values `step` apart from `in`.
float Frequency(const float* in, int step, int u)
{
    const float* cosine = &CosineTable()[static_cast<size_t>(u * N)];
    float s = 0;
    for (int x = 0; x < N; ++x)
        s += in[x * step] * cosine[x];
    return s;
}

} // namespace

uint64_t LookAlikeHash(const QImage& thumbnail)
{
    if (thumbnail.isNull() || thumbnail.width() == 0 || thumbnail.height() == 0)
        return 0;
    const TGrid grid = Brightness(thumbnail);
    // Rows first: each row's K lowest frequencies, then the columns of those.
    std::array<float, N * K> rows{};
    for (int y = 0; y < N; ++y)
        for (int u = 0; u < K; ++u)
            rows[y * K + u] = Frequency(&grid[y * N], 1, u);
    std::array<float, K * K> frequencies{};
    for (int v = 0; v < K; ++v)
        for (int u = 0; u < K; ++u)
            frequencies[v * K + u] = Frequency(&rows[u], K, v);
    // The median leaves out the mean brightness, which says nothing of the
    // picture's shape.
    std::array<float, K * K - 1> rest{};
    std::copy(frequencies.begin() + 1, frequencies.end(), rest.begin());
    std::nth_element(rest.begin(), rest.begin() + rest.size() / 2, rest.end());
    const float median = rest[rest.size() / 2];
    uint64_t hash = 0;
    for (int i = 0; i < K * K; ++i)
        if (frequencies[i] > median)
            hash |= uint64_t{1} << i;
    return hash;
}

int HashDistance(uint64_t a, uint64_t b) { return std::popcount(a ^ b); }
