#pragma once

#include "astro/SkyPoint.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace testutil {

// Seeded so that a failure can be replayed.
inline std::mt19937_64& rng() {
    static std::mt19937_64 gen(20261208);
    return gen;
}

inline double uniform(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng());
}

inline int uniformInt(int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng());
}

// a - b folded into [-period / 2, period / 2): angles (period 360) or times of day (24) on
// either side of the wrap compare the short way round.
inline double foldedDifference(double a, double b, double period) {
    double d = std::fmod(a - b, period);
    if (d < -period / 2.0)
        d += period;
    if (d >= period / 2.0)
        d -= period;
    return d;
}

// A direction uniformly distributed over the sphere.
inline astro::SkyPoint randomDirection() {
    const double ra = uniform(0.0, 24.0);
    const double dec = std::asin(uniform(-1.0, 1.0)) * 57.29577951308232;
    return astro::SkyPoint(ra, dec);
}

// Angle between two directions in degrees, accurate also for nearly equal directions and
// for vectors a rounding step off unit length (unlike an arc cosine of the dot product).
inline double separationDeg(const astro::SkyPoint& a, const astro::SkyPoint& b) {
    const double cx = a.y() * b.z() - a.z() * b.y();
    const double cy = a.z() * b.x() - a.x() * b.z();
    const double cz = a.x() * b.y() - a.y() * b.x();
    return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), a.dot(b)) * 57.29577951308232;
}

// A folder of its own for a test, "skyvane-<tag>-<test name>-<clock ticks>" in the system's
// temporary folder, removed with all it holds when the TempDir goes. A TempDir that is moved
// from keeps no folder.
class TempDir {
public:
    explicit TempDir(std::string_view tag) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path =
            std::filesystem::temp_directory_path() /
            ("skyvane-" + std::string(tag) + "-" + (info ? info->name() : std::string()) + "-" +
             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        if (m_path.empty())
            return;
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(TempDir&& other) noexcept : m_path(std::move(other.m_path)) { other.m_path.clear(); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    TempDir& operator=(TempDir&&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return m_path / name;
    }

private:
    std::filesystem::path m_path;
};

// All bytes of a file; empty when it cannot be read.
inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The skyvane-data program built beside the tests; empty when the tests' own path is unknown.
inline std::filesystem::path dataTool() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return self.parent_path().parent_path() / "tools/skyvane-data/skyvane-data";
}

} // namespace testutil
