// Pictures as floating-point RGBA with premultiplied alpha, and coverage
// masks, plus the few painting operations the skin needs. Everything is
// plain arithmetic in a fixed order so that a run gives the same bytes
// every time.
#ifndef SKIN_IMAGE_H
#define SKIN_IMAGE_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace skin {

struct Rgb {
    float r, g, b;  // 0..255
};

inline Rgb Mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline Rgb Scale(Rgb a, float k) {
    return {a.r * k, a.g * k, a.b * k};
}

inline float Clamp01(float v) {
    return v < 0.f ? 0.f : (v > 1.f ? 1.f : v);
}

inline float SmoothStep(float e0, float e1, float x) {
    float t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3.f - 2.f * t);
}

// The image keeps premultiplied values so that layering with "over" is a
// single multiply-add.
struct Pixel {
    float r = 0, g = 0, b = 0, a = 0;
};

// A rectangle of values; outside it they read as empty and take nothing.
template <class T>
class Grid {
public:
    explicit Grid(int w = 0, int h = 0) : w_(w), h_(h), v_(size_t(w) * h) {}

    int Width() const { return w_; }
    int Height() const { return h_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    T& At(int x, int y) { return v_[size_t(y) * w_ + x]; }
    const T& At(int x, int y) const { return v_[size_t(y) * w_ + x]; }
    T Get(int x, int y) const { return Inside(x, y) ? At(x, y) : T(); }
    void Put(int x, int y, T v) {
        if (Inside(x, y))
            At(x, y) = v;
    }

protected:
    int w_, h_;
    std::vector<T> v_;
};

class Image : public Grid<Pixel> {
public:
    using Grid::Grid;

    // Callers hand in straight colour in 0..255 and alpha in 0..1.
    void Set(int x, int y, Rgb c, float a = 1.f) { Put(x, y, {c.r * a, c.g * a, c.b * a, a}); }

    // Paints colour c with opacity a over what is there.
    void Over(int x, int y, Rgb c, float a) {
        if (!Inside(x, y) || a <= 0.f)
            return;
        a = std::min(a, 1.f);
        Pixel& p = At(x, y);
        p.r = c.r * a + p.r * (1.f - a);
        p.g = c.g * a + p.g * (1.f - a);
        p.b = c.b * a + p.b * (1.f - a);
        p.a = a + p.a * (1.f - a);
    }
};

// Coverage in 0..1 per pixel.
class Mask : public Grid<float> {
public:
    using Grid::Grid;

    // A copy with a margin of m empty pixels on every side.
    Mask Padded(int m) const {
        Mask out(w_ + 2 * m, h_ + 2 * m);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                out.Put(x + m, y + m, Get(x, y));
        return out;
    }

    // Box blur of radius r, once across and once down.
    Mask Blurred(int r) const { return Along(r, 1, 0, false).Along(r, 0, 1, false); }

    // Largest coverage within a square of radius r: thickens strokes.
    Mask Dilated(int r) const { return Along(r, 1, 0, true).Along(r, 0, 1, true); }

    // Coverage multiplied by k, capped at full.
    Mask Amplified(float k) const {
        Mask out = *this;
        for (float& v : out.v_)
            v = std::min(1.f, v * k);
        return out;
    }

private:
    // Each value replaced by the mean, or the largest, of the 2r + 1 values
    // along the step (dx, dy).
    Mask Along(int r, int dx, int dy, bool largest) const {
        Mask out(w_, h_);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                float s = 0;
                for (int k = -r; k <= r; ++k) {
                    const float v = Get(x + k * dx, y + k * dy);
                    s = largest ? std::max(s, v) : s + v;
                }
                out.Put(x, y, largest ? s : s / float(2 * r + 1));
            }
        return out;
    }
};

// Paints colour c through mask m (scaled by opacity) with the mask's
// top-left corner at (x0, y0).
inline void Paint(Image& img, const Mask& m, int x0, int y0, Rgb c, float opacity = 1.f) {
    for (int y = 0; y < m.Height(); ++y)
        for (int x = 0; x < m.Width(); ++x)
            img.Over(x0 + x, y0 + y, c, m.Get(x, y) * opacity);
}

// Coverage of a pixel by a shape given as an inside test, from an n x n grid
// of samples; enough for the smooth edges of ovals and discs.
template <class Inside>
float Coverage(int x, int y, Inside inside, int n = 4) {
    int hits = 0;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            if (inside(x + (i + 0.5f) / n, y + (j + 0.5f) / n))
                ++hits;
    return float(hits) / float(n * n);
}

// A small linear congruential generator: the same sequence on every
// machine, unlike the standard library's distributions.
class Random {
public:
    explicit Random(uint32_t seed) : s_(seed) {}
    float Range(float lo, float hi) {
        s_ = s_ * 1664525u + 1013904223u;
        return lo + (hi - lo) * (float(s_ >> 8) / 16777216.f);
    }

private:
    uint32_t s_;
};

// Smooth one-dimensional noise in [-1, 1]: random values at integer
// knots, joined by cosine-like easing.
class Noise1 {
public:
    Noise1(uint32_t seed, int knots) : v_(size_t(knots) + 2) {
        Random r(seed);
        for (float& v : v_)
            v = r.Range(-1.f, 1.f);
    }
    float At(float t) const {
        t = std::max(t, 0.f);
        const size_t i = std::min(size_t(t), v_.size() - 2);
        return v_[i] + (v_[i + 1] - v_[i]) * SmoothStep(0.f, 1.f, t - float(i));
    }

private:
    std::vector<float> v_;
};

}  // namespace skin

#endif
