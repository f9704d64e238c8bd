#include "platform/win32ui/Canvas.h"

#include <cstring>

namespace dv {

namespace {

constexpr float kPi = 3.14159265f;

float clamp01(float v) { return std::min(1.f, std::max(0.f, v)); }

float roundRectDistance(float px, float py, float x0, float y0, float x1, float y1, float r) {
    float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    float hx = (x1 - x0) / 2 - r, hy = (y1 - y0) / 2 - r;
    float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
    float ox = std::max(qx, 0.f), oy = std::max(qy, 0.f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.f) - r;
}

float segmentDistance(float px, float py, float x0, float y0, float x1, float y1) {
    float dx = x1 - x0, dy = y1 - y0;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? clamp01(((px - x0) * dx + (py - y0) * dy) / len2) : 0.f;
    float ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

uint32_t mixRgb(uint32_t a, uint32_t b, float t) {
    t = clamp01(t);
    auto ch = [&](int shift) {
        float va = float((a >> shift) & 0xFF), vb = float((b >> shift) & 0xFF);
        return uint32_t(va + (vb - va) * t + 0.5f) << shift;
    };
    return ch(16) | ch(8) | ch(0);
}

Paint Gradient::at(float y) const {
    float t = y1 > y0 ? clamp01((y - y0) / (y1 - y0)) : 0.f;
    return {mixRgb(top, bottom, t), topAlpha + (bottomAlpha - topAlpha) * t};
}

Canvas::Canvas(int width, int height) : width_(std::max(1, width)), height_(std::max(1, height)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc_ || !bitmap_ || !bits) return;
    pixels_ = static_cast<uint32_t*>(bits);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    SetBkMode(dc_, TRANSPARENT);
}

Canvas::~Canvas() {
    if (dc_ && oldBitmap_) SelectObject(dc_, oldBitmap_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
}

void Canvas::blend(int x, int y, uint32_t rgb, float alpha) {
    uint32_t& p = pixels_[size_t(y) * width_ + x];
    p = alpha >= 1.f ? (rgb & 0xFFFFFF) : mixRgb(p, rgb, alpha);
}

void Canvas::fill(uint32_t rgb) {
    if (!pixels_) return;
    GdiFlush();
    std::fill(pixels_, pixels_ + size_t(width_) * height_, rgb & 0xFFFFFF);
}

void Canvas::copyFrom(const Canvas& other) {
    if (!pixels_ || !other.pixels_ || other.width_ != width_ || other.height_ != height_) return;
    GdiFlush();
    std::memcpy(pixels_, other.pixels_, size_t(width_) * height_ * 4);
}

void Canvas::fillRect(int x0, int y0, int x1, int y1, const Gradient& g) {
    if (!pixels_) return;
    GdiFlush();
    x0 = std::max(0, x0), y0 = std::max(0, y0);
    x1 = std::min(width_, x1), y1 = std::min(height_, y1);
    for (int y = y0; y < y1; ++y) {
        Paint p = g.at(y + 0.5f);
        for (int x = x0; x < x1; ++x) blend(x, y, p.rgb, p.alpha);
    }
}

void Canvas::roundRect(float x0, float y0, float x1, float y1, float radius, const Gradient& g) {
    fillShape(
        x0, y0, x1, y1,
        [&](float px, float py) { return roundRectDistance(px, py, x0, y0, x1, y1, radius); },
        [&](float, float py) { return g.at(py); });
}

void Canvas::roundRectOutline(float x0, float y0, float x1, float y1, float radius, float width,
                              uint32_t rgb, float alpha) {
    fillShape(
        x0, y0, x1, y1,
        [&](float px, float py) {
            float d = roundRectDistance(px, py, x0, y0, x1, y1, radius);
            return std::fabs(d + width / 2) - width / 2;
        },
        [&](float, float) { return Paint{rgb, alpha}; });
}

void Canvas::line(float x0, float y0, float x1, float y1, float width, uint32_t rgb,
                  float alpha) {
    float h = width / 2;
    fillShape(
        std::min(x0, x1) - h, std::min(y0, y1) - h, std::max(x0, x1) + h, std::max(y0, y1) + h,
        [&](float px, float py) { return segmentDistance(px, py, x0, y0, x1, y1) - h; },
        [&](float, float) { return Paint{rgb, alpha}; });
}

void Canvas::disc(float cx, float cy, float r, uint32_t rgb, float alpha) {
    fillShape(
        cx - r, cy - r, cx + r, cy + r,
        [&](float px, float py) { return std::hypot(px - cx, py - cy) - r; },
        [&](float, float) { return Paint{rgb, alpha}; });
}

void Canvas::glow(float cx, float cy, float r, uint32_t rgb, float alpha) {
    fillShape(
        cx - r, cy - r, cx + r, cy + r,
        [&](float px, float py) { return std::hypot(px - cx, py - cy) - r; },
        [&](float px, float py) {
            float t = 1.f - clamp01(std::hypot(px - cx, py - cy) / r);
            return Paint{rgb, alpha * t * t};
        });
}

void Canvas::arc(float cx, float cy, float r, float width, float fromDeg, float toDeg,
                 uint32_t rgb, float alpha, float toWidth) {
    float h0 = width / 2, h1 = (toWidth >= 0 ? toWidth : width) / 2, hmax = std::max(h0, h1);
    float from = fromDeg * kPi / 180, to = toDeg * kPi / 180;
    while (to < from) to += 2 * kPi;
    float ax = cx + r * std::cos(from), ay = cy + r * std::sin(from);
    float bx = cx + r * std::cos(to), by = cy + r * std::sin(to);
    fillShape(
        cx - r - hmax, cy - r - hmax, cx + r + hmax, cy + r + hmax,
        [&](float px, float py) {
            float a = std::atan2(py - cy, px - cx);
            while (a < from) a += 2 * kPi;
            if (a <= to) {
                float h = h0 + (h1 - h0) * (a - from) / (to - from);
                return std::fabs(std::hypot(px - cx, py - cy) - r) - h;
            }
            // Outside the swept angle: round caps at both ends.
            return std::min(std::hypot(px - ax, py - ay) - h0, std::hypot(px - bx, py - by) - h1);
        },
        [&](float, float) { return Paint{rgb, alpha}; });
}

void Canvas::ellipseOutline(float cx, float cy, float rx, float ry, float width, uint32_t rgb,
                            float alpha) {
    float h = width / 2;
    fillShape(
        cx - rx - h, cy - ry - h, cx + rx + h, cy + ry + h,
        [&](float px, float py) {
            float nx = (px - cx) / rx, ny = (py - cy) / ry;
            float k = std::sqrt(nx * nx + ny * ny);
            // First-order distance to the ellipse: (k - 1) over the gradient length.
            float gx = nx / rx, gy = ny / ry;
            float grad = k > 0 ? std::sqrt(gx * gx + gy * gy) / k : 1.f / std::min(rx, ry);
            return std::fabs((k - 1.f) / std::max(grad, 1e-4f)) - h;
        },
        [&](float, float) { return Paint{rgb, alpha}; });
}

void Canvas::polygon(const float* xy, int n, uint32_t rgb, float alpha) {
    if (n < 3) return;
    float x0 = xy[0], y0 = xy[1], x1 = xy[0], y1 = xy[1];
    for (int i = 1; i < n; ++i) {
        x0 = std::min(x0, xy[2 * i]), x1 = std::max(x1, xy[2 * i]);
        y0 = std::min(y0, xy[2 * i + 1]), y1 = std::max(y1, xy[2 * i + 1]);
    }
    fillShape(
        x0, y0, x1, y1,
        [&](float px, float py) {
            bool inside = false;
            float d = 1e9f;
            for (int i = 0, j = n - 1; i < n; j = i++) {
                float ax = xy[2 * j], ay = xy[2 * j + 1], bx = xy[2 * i], by = xy[2 * i + 1];
                if ((ay > py) != (by > py) && px < ax + (py - ay) * (bx - ax) / (by - ay))
                    inside = !inside;
                d = std::min(d, segmentDistance(px, py, ax, ay, bx, by));
            }
            return inside ? -d : d;
        },
        [&](float, float) { return Paint{rgb, alpha}; });
}

void Canvas::sparkle(float cx, float cy, float r, uint32_t rgb, float alpha) {
    fillShape(
        cx - r, cy - r, cx + r, cy + r,
        [&](float px, float py) {
            // Four concave points: |x|^0.5 + |y|^0.5 <= r^0.5, measured roughly in pixels.
            float ax = std::fabs(px - cx), ay = std::fabs(py - cy);
            float k = std::sqrt(ax) + std::sqrt(ay) - std::sqrt(r);
            return k * std::sqrt(r) * 0.7f;
        },
        [&](float px, float py) {
            float t = 1.f - clamp01(std::hypot(px - cx, py - cy) / r);
            return Paint{rgb, alpha * (0.55f + 0.45f * t)};
        });
}

void Canvas::blitTo(HDC target, int x, int y) const {
    if (!dc_) return;
    GdiFlush();
    BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

}  // namespace dv
