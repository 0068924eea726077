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

inline Rgb Scale(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }

inline float Clamp01(float v) { return v < 0.f ? 0.f : (v > 1.f ? 1.f : v); }

inline float SmoothStep(float e0, float e1, float x) {
    float t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3.f - 2.f * t);
}

// Straight (not premultiplied) colour in 0..255 and alpha in 0..1 is what
// callers hand in; the image keeps premultiplied values so that layering
// with "over" is a single multiply-add.
struct Pixel {
    float r = 0, g = 0, b = 0, a = 0;
};

class Image {
public:
    Image(int w, int h) : w_(w), h_(h), px_(size_t(w) * h) {}

    int Width() const { return w_; }
    int Height() const { return h_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }

    Pixel& At(int x, int y) { return px_[size_t(y) * w_ + x]; }
    const Pixel& At(int x, int y) const { return px_[size_t(y) * w_ + x]; }

    void Set(int x, int y, Rgb c, float a = 1.f) {
        if (!Inside(x, y)) return;
        At(x, y) = {c.r * a, c.g * a, c.b * a, a};
    }

    // Paints colour c with opacity a over what is there.
    void Over(int x, int y, Rgb c, float a) {
        if (!Inside(x, y) || a <= 0.f) return;
        a = std::min(a, 1.f);
        Pixel& p = At(x, y);
        p.r = c.r * a + p.r * (1.f - a);
        p.g = c.g * a + p.g * (1.f - a);
        p.b = c.b * a + p.b * (1.f - a);
        p.a = a + p.a * (1.f - a);
    }

private:
    int w_, h_;
    std::vector<Pixel> px_;
};

// Coverage in 0..1 per pixel.
class Mask {
public:
    Mask() = default;
    Mask(int w, int h) : w_(w), h_(h), v_(size_t(w) * h, 0.f) {}

    int Width() const { return w_; }
    int Height() const { return h_; }
    float Get(int x, int y) const {
        if (x < 0 || y < 0 || x >= w_ || y >= h_) return 0.f;
        return v_[size_t(y) * w_ + x];
    }
    void Put(int x, int y, float v) {
        if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
        v_[size_t(y) * w_ + x] = v;
    }

    // A copy with a margin of m empty pixels on every side.
    Mask Padded(int m) const {
        Mask out(w_ + 2 * m, h_ + 2 * m);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) out.Put(x + m, y + m, Get(x, y));
        return out;
    }

    // Box blur of radius r, once across and once down.
    Mask Blurred(int r) const {
        Mask across(w_, h_), out(w_, h_);
        const float n = float(2 * r + 1);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                float s = 0;
                for (int k = -r; k <= r; ++k) s += Get(x + k, y);
                across.Put(x, y, s / n);
            }
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                float s = 0;
                for (int k = -r; k <= r; ++k) s += across.Get(x, y + k);
                out.Put(x, y, s / n);
            }
        return out;
    }

    // Coverage multiplied by k, capped at full.
    Mask Amplified(float k) const {
        Mask out = *this;
        for (float& v : out.v_) v = std::min(1.f, v * k);
        return out;
    }

    // Largest coverage within a square of radius r: thickens strokes.
    Mask Dilated(int r) const {
        Mask out(w_, h_);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                float m = 0;
                for (int j = -r; j <= r; ++j)
                    for (int i = -r; i <= r; ++i) m = std::max(m, Get(x + i, y + j));
                out.Put(x, y, m);
            }
        return out;
    }

private:
    int w_ = 0, h_ = 0;
    std::vector<float> v_;
};

// Paints colour c through mask m (scaled by opacity) with the mask's
// top-left corner at (x0, y0).
inline void Paint(Image& img, const Mask& m, int x0, int y0, Rgb c, float opacity = 1.f) {
    for (int y = 0; y < m.Height(); ++y)
        for (int x = 0; x < m.Width(); ++x) img.Over(x0 + x, y0 + y, c, m.Get(x, y) * opacity);
}

// Coverage of a pixel by a shape given as an inside test, from an n x n grid
// of samples; enough for the smooth edges of ovals and discs.
template <class Inside>
float Coverage(int x, int y, Inside inside, int n = 4) {
    int hits = 0;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            if (inside(x + (i + 0.5f) / n, y + (j + 0.5f) / n)) ++hits;
    return float(hits) / float(n * n);
}

// A small linear congruential generator: the same sequence on every
// machine, unlike the standard library's distributions.
class Random {
public:
    explicit Random(uint32_t seed) : s_(seed) {}
    uint32_t Next() {
        s_ = s_ * 1664525u + 1013904223u;
        return s_;
    }
    float Uniform() { return float(Next() >> 8) / 16777216.f; }  // [0, 1)
    float Range(float lo, float hi) { return lo + (hi - lo) * Uniform(); }

private:
    uint32_t s_;
};

// Smooth one-dimensional noise in [-1, 1]: random values at integer
// knots, joined by cosine-like easing.
class Noise1 {
public:
    Noise1(uint32_t seed, int knots) : v_(size_t(knots) + 2) {
        Random r(seed);
        for (float& v : v_) v = r.Range(-1.f, 1.f);
    }
    float At(float t) const {
        if (t < 0) t = 0;
        int i = int(t);
        if (i >= int(v_.size()) - 1) i = int(v_.size()) - 2;
        float f = SmoothStep(0.f, 1.f, t - float(i));
        return v_[size_t(i)] + (v_[size_t(i) + 1] - v_[size_t(i)]) * f;
    }

private:
    std::vector<float> v_;
};

}  // namespace skin

#endif
