// An off-screen 32-bit picture with anti-aliased shapes, for the program's own artwork.
// Shapes are measured in pixels with fractional coordinates; GDI text may be drawn on dc()
// after the shapes.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace dv {

struct Paint {
    uint32_t rgb;
    float alpha;
};

// A vertical gradient between two colours, each with its own opacity.
struct Gradient {
    float y0, y1;
    uint32_t top, bottom;
    float topAlpha = 1.f, bottomAlpha = 1.f;
    Paint at(float y) const;
};

uint32_t mixRgb(uint32_t a, uint32_t b, float t);  // t = 0: a, t = 1: b

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool ok() const { return pixels_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }
    HDC dc() const { return dc_; }

    void fill(uint32_t rgb);
    void copyFrom(const Canvas& other);  // same size only
    void fillRect(int x0, int y0, int x1, int y1, const Gradient& g);

    void roundRect(float x0, float y0, float x1, float y1, float radius, const Gradient& g);
    void roundRectOutline(float x0, float y0, float x1, float y1, float radius, float width,
                          uint32_t rgb, float alpha = 1.f);
    void line(float x0, float y0, float x1, float y1, float width, uint32_t rgb,
              float alpha = 1.f);
    void disc(float cx, float cy, float r, uint32_t rgb, float alpha = 1.f);
    // A soft round glow: full alpha in the middle, fading to nothing at r.
    void glow(float cx, float cy, float r, uint32_t rgb, float alpha);
    // A ring of radius r; the part between the angles (degrees, 0 = right, 90 = down)
    // fromDeg..toDeg is drawn, clockwise, with round ends. A toWidth >= 0 tapers the
    // stroke from `width` at the start to `toWidth` at the end.
    void arc(float cx, float cy, float r, float width, float fromDeg, float toDeg, uint32_t rgb,
             float alpha = 1.f, float toWidth = -1.f);
    void ellipseOutline(float cx, float cy, float rx, float ry, float width, uint32_t rgb,
                        float alpha = 1.f);
    // A closed polygon of n points (even-odd rule).
    void polygon(const float* xy, int n, uint32_t rgb, float alpha = 1.f);
    // A four-pointed sparkle of the given radius.
    void sparkle(float cx, float cy, float r, uint32_t rgb, float alpha = 1.f);

    void blitTo(HDC target, int x, int y) const;

    // Fills every pixel of the box whose signed distance `sdf(px, py)` is below zero,
    // with anti-aliased edges; `paint(px, py)` gives colour and opacity.
    template <class Sdf, class PaintFn>
    void fillShape(float bx0, float by0, float bx1, float by1, Sdf sdf, PaintFn paint);

private:
    void blend(int x, int y, uint32_t rgb, float alpha);

    int width_ = 0, height_ = 0;
    uint32_t* pixels_ = nullptr;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
};

template <class Sdf, class PaintFn>
void Canvas::fillShape(float bx0, float by0, float bx1, float by1, Sdf sdf, PaintFn paint) {
    if (!pixels_) return;
    GdiFlush();
    int x0 = std::max(0, int(std::floor(bx0)) - 1), y0 = std::max(0, int(std::floor(by0)) - 1);
    int x1 = std::min(width_, int(std::ceil(bx1)) + 1);
    int y1 = std::min(height_, int(std::ceil(by1)) + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float d = sdf(px, py);
            float cover = std::min(1.f, std::max(0.f, 0.5f - d));
            if (cover <= 0.f) continue;
            Paint p = paint(px, py);
            blend(x, y, p.rgb, p.alpha * cover);
        }
    }
}

}  // namespace dv
