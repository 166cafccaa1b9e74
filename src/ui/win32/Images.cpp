#include "ui/win32/Images.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tc::win32 {

namespace {

// A picture as built in: rows of premultiplied RGBA.
struct Raster {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// Reads a PAM (P7, RGB_ALPHA, 8 bits) from the resource of that name.
Raster loadResource(const char* name) {
    Raster r;
    HRSRC found = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!found) return r;
    const auto* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    const std::string text(data, SizeofResource(nullptr, found));
    const size_t end = text.find("ENDHDR\n");
    if (text.rfind("P7\n", 0) != 0 || end == std::string::npos) return r;
    auto field = [&](const char* key) {
        const size_t at = text.find(key);
        return at < end ? std::atoi(text.c_str() + at + std::strlen(key)) : 0;
    };
    const int w = field("WIDTH "), h = field("HEIGHT "), depth = field("DEPTH ");
    const size_t start = end + 7;
    if (w <= 0 || h <= 0 || depth != 4 || text.size() < start + size_t(w) * h * 4) return r;
    r.width = w;
    r.height = h;
    r.rgba.assign(text.begin() + static_cast<std::ptrdiff_t>(start),
                  text.begin() + static_cast<std::ptrdiff_t>(start + size_t(w) * h * 4));
    for (size_t i = 0; i < r.rgba.size(); i += 4)
        for (int c = 0; c < 3; ++c) r.rgba[i + c] = static_cast<std::uint8_t>(r.rgba[i + c] * r.rgba[i + 3] / 255);
    return r;
}

const Raster& raster(const char* name) {
    static std::map<std::string, Raster> loaded;
    auto it = loaded.find(name);
    if (it == loaded.end()) it = loaded.emplace(name, loadResource(name)).first;
    return it->second;
}

// The picture at w x h as a premultiplied BGRA bitmap: every target pixel
// is the mean of a 4 x 4 grid of bilinear samples, which keeps thin lines
// when the picture shrinks and edges smooth when it grows.
HBITMAP scaled(const Raster& src, int w, int h) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    auto* out = static_cast<std::uint8_t*>(bits);
    auto at = [&](int x, int y, int c) {
        x = x < 0 ? 0 : (x >= src.width ? src.width - 1 : x);
        y = y < 0 ? 0 : (y >= src.height ? src.height - 1 : y);
        return static_cast<double>(src.rgba[(size_t(y) * src.width + x) * 4 + c]);
    };
    constexpr int kGrid = 4;
    const double sx = static_cast<double>(src.width) / w, sy = static_cast<double>(src.height) / h;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double sum[4] = {0, 0, 0, 0};
            for (int j = 0; j < kGrid; ++j) {
                for (int i = 0; i < kGrid; ++i) {
                    const double fx = (x + (i + 0.5) / kGrid) * sx - 0.5, fy = (y + (j + 0.5) / kGrid) * sy - 0.5;
                    const int x0 = static_cast<int>(fx < 0 ? fx - 1 : fx), y0 = static_cast<int>(fy < 0 ? fy - 1 : fy);
                    const double ax = fx - x0, ay = fy - y0;
                    for (int c = 0; c < 4; ++c)
                        sum[c] += (at(x0, y0, c) * (1 - ax) + at(x0 + 1, y0, c) * ax) * (1 - ay) +
                                  (at(x0, y0 + 1, c) * (1 - ax) + at(x0 + 1, y0 + 1, c) * ax) * ay;
                }
            }
            std::uint8_t* p = out + (size_t(y) * w + x) * 4;
            constexpr double kSamples = kGrid * kGrid;
            p[0] = static_cast<std::uint8_t>(sum[2] / kSamples + 0.5);  // blue
            p[1] = static_cast<std::uint8_t>(sum[1] / kSamples + 0.5);
            p[2] = static_cast<std::uint8_t>(sum[0] / kSamples + 0.5);
            p[3] = static_cast<std::uint8_t>(sum[3] / kSamples + 0.5);
        }
    }
    return bitmap;
}

}  // namespace

void drawImage(HDC dc, const char* name, const RECT& where) {
    const int w = where.right - where.left, h = where.bottom - where.top;
    const Raster& src = raster(name);
    if (w <= 0 || h <= 0 || src.rgba.empty()) return;
    static std::map<std::pair<std::string, std::pair<int, int>>, HBITMAP> copies;  // kept for the whole run
    HBITMAP& bitmap = copies[{name, {w, h}}];
    if (!bitmap) bitmap = scaled(src, w, h);
    if (!bitmap) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, where.left, where.top, w, h, memory, 0, 0, w, h, blend);
    SelectObject(memory, old);
    DeleteDC(memory);
}

HBITMAP composedImage(HDC dc, const char* name, int w, int h, COLORREF back) {
    struct Key {
        std::string name;
        int w, h;
        COLORREF back;
        bool operator<(const Key& o) const { return std::tie(name, w, h, back) < std::tie(o.name, o.w, o.h, o.back); }
    };
    static std::map<Key, HBITMAP> composed;  // kept for the whole run
    HBITMAP& bitmap = composed[Key{name, w, h, back}];
    if (!bitmap) {
        HDC memory = CreateCompatibleDC(dc);
        bitmap = CreateCompatibleBitmap(dc, w, h);
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT all{0, 0, w, h};
        HBRUSH brush = CreateSolidBrush(back);
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        drawImage(memory, name, all);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    return bitmap;
}

void drawImageOn(HDC dc, const char* name, const RECT& where, COLORREF back) {
    const int w = where.right - where.left, h = where.bottom - where.top;
    if (w <= 0 || h <= 0) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, composedImage(dc, name, w, h, back));
    BitBlt(dc, where.left, where.top, w, h, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

}  // namespace tc::win32
