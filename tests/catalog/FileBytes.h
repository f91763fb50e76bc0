#pragma once

#include "astro/SkyPoint.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testutil {

// Little-endian bytes of one file.
struct Bytes {
    std::vector<unsigned char> b;
    Bytes& i8(int v) {
        b.push_back(static_cast<unsigned char>(v));
        return *this;
    }
    Bytes& i16(int v) { return i8(v & 0xFF).i8((v >> 8) & 0xFF); }
    Bytes& u32(std::uint32_t v) {
        return i16(static_cast<int>(v & 0xFFFF)).i16(static_cast<int>(v >> 16));
    }
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& f32(float v) { return u32(std::bit_cast<std::uint32_t>(v)); }
    Bytes& f64(double v) {
        const auto u = std::bit_cast<std::uint64_t>(v);
        return u32(static_cast<std::uint32_t>(u)).u32(static_cast<std::uint32_t>(u >> 32));
    }
    Bytes& text(const std::string& s, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i)
            i8(i < s.size() ? static_cast<unsigned char>(s[i]) : 0);
        return *this;
    }
    Bytes& direction(double raHours, double decDeg) {
        const astro::SkyPoint p(raHours, decDeg);
        return i32(static_cast<std::int32_t>(std::lround(p.x() * 1e9)))
            .i32(static_cast<std::int32_t>(std::lround(p.y() * 1e9)))
            .i32(static_cast<std::int32_t>(std::lround(p.z() * 1e9)));
    }
    Bytes& append(const Bytes& o) {
        b.insert(b.end(), o.b.begin(), o.b.end());
        return *this;
    }
    void write(const std::filesystem::path& path) const {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    }
};

} // namespace testutil
