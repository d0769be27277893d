// A 32-bit top-down DIB section selected into a memory DC: the real GDI
// drawing into pixels a test can read. Pixels read as 0x00RRGGBB.
#pragma once

#include "platform/win32/Win32Handles.h"

#include <cstdint>
#include <vector>

namespace qv::test {

class GdiBitmap {
public:
    GdiBitmap(int width, int height) : width_(width), height_(height), dc_(::CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<std::uint32_t*>(bits);
        old_ = ::SelectObject(dc_, bitmap_);
        ::PatBlt(dc_, 0, 0, width, height, WHITENESS);
    }
    ~GdiBitmap() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    GdiBitmap(const GdiBitmap&) = delete;
    GdiBitmap& operator=(const GdiBitmap&) = delete;

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    std::uint32_t PixelAt(int x, int y) const {
        ::GdiFlush();
        return bits_[Index(x, y)] & 0x00FFFFFFU;
    }
    // Row by row, as PixelAt reads them.
    std::vector<std::uint32_t> Snapshot() const {
        ::GdiFlush();
        std::vector<std::uint32_t> pixels(Index(0, height_));
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] = bits_[i] & 0x00FFFFFFU;
        }
        return pixels;
    }
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

} // namespace qv::test
