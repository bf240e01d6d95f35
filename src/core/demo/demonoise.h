// KIVO Log Viewer
#pragma once

#include <QtGlobal>

#include <vector>

namespace kivo {

// Deterministic pseudo-random numbers for the demonstration log's texture: a hash of a lattice
// point, so the picture is the same on every run.
float unitHash(qint64 x, qint64 y, quint32 seed); // 0 <= value < 1

// Smooth noise along one axis, 0..1: the hash of the integers interpolated with a smoothstep.
float smoothNoise(double position, quint32 seed);

// Smooth two-dimensional value noise over the unrolled borehole wall, evaluated a whole image
// row at a time. The lattice wraps around the circumference, so the texture has no seam where
// the last column meets the first.
class DemoNoise {
public:
    // cellWidth must divide width; cellHeight is in rows.
    DemoNoise(int width, int cellWidth, int cellHeight, quint32 seed);

    // Adds weight * noise (noise 0..1) of the row to out[0 .. width-1].
    void addRow(qint64 row, float weight, float *out);

private:
    int m_width;
    int m_cells;
    int m_cellHeight;
    quint32 m_seed;
    std::vector<int> m_cellOfColumn;
    std::vector<float> m_weightOfColumn; // smoothstep weight of the next lattice column
    std::vector<float> m_lattice;        // m_cells + 1 values of the row, the first repeated
};

} // namespace kivo
