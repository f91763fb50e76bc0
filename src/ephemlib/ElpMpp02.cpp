#include "ephemlib/ElpMpp02.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <utility>

namespace ephem {

using namespace elpdata;

namespace {

// The ratio of the Moon's mean distance in DE405 to the theory's own.
constexpr double kDistanceScale = 384747.961370173 / 384747.980674318;
constexpr double kArcsecPerTurn = 1296000.0;

struct Phasor {
    double re, im;
};

inline Phasor operator*(const Phasor& a, const Phasor& b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

double polynomial(const double (&p)[5], double T) {
    return p[0] + T * (p[1] + T * (p[2] + T * (p[3] + T * p[4])));
}

// An angle given in arc seconds as a polynomial, reduced to one turn, in radians.
double angleAt(const double (&p)[5], double T) {
    return std::fmod(polynomial(p, T), kArcsecPerTurn) * kArcsecToRad;
}

// e^{i m x} of every argument x and every multiple m the chosen terms use, at the slots
// the tables name. The powers come from repeated multiplication, which keeps them to a
// few units of the last place even for the 75th multiple.
struct Multiples {
    Phasor slot[kSlots];

    Multiples(double T, const LunarTerms& terms) {
        for (int k = 0; k < kArguments; ++k) {
            const double x = angleAt(kArgument[k], T);
            const Phasor one{std::cos(x), std::sin(x)};
            Phasor* zero = slot + kSlotBase[k] + kReach[k];
            zero[0] = {1.0, 0.0};
            Phasor p{1.0, 0.0};
            for (int m = 1; m <= terms.reach(k); ++m) {
                p = p * one;
                zero[m] = p;
                zero[-m] = {p.re, -p.im};
            }
        }
    }
};

template <int N> double sumGroup(const std::vector<Term>& terms, const Multiples& e) {
    double s = 0.0;
    for (const Term& t : terms) {
        Phasor z{1.0, 0.0};
        if constexpr (N > 0) {
            z = e.slot[t.slot[0]];
            for (int j = 1; j < N; ++j)
                z = z * e.slot[t.slot[j]];
        }
        s += t.s * z.im + t.c * z.re;
    }
    return s;
}

template <int... N>
double sumSeries(const LunarTerms& terms, SeriesId id, const Multiples& e,
                 std::integer_sequence<int, N...>) {
    return (sumGroup<N>(terms.group(id, N), e) + ...);
}

double sum(const LunarTerms& terms, SeriesId id, const Multiples& e) {
    return sumSeries(terms, id, e, std::make_integer_sequence<int, kMaxFactors + 1>{});
}

// The series of one coordinate, multiplied by their powers of T.
double coordinate(SeriesId first, SeriesId last, double T, const LunarTerms& terms,
                  const Multiples& e) {
    double total = 0.0, power = 1.0;
    for (int id = first; id <= last; ++id) {
        total += power * sum(terms, static_cast<SeriesId>(id), e);
        power *= T;
    }
    return total;
}

} // namespace

LunarTerms LunarTerms::full() {
    LunarTerms t;
    for (int id = 0; id < kSeriesCount; ++id)
        t.m_count[id] = kSeries[id].count;
    t.index();
    return t;
}

LunarTerms LunarTerms::truncated(double angle, double distanceKm, double tau) {
    LunarTerms t;
    for (int id = 0; id < kSeriesCount; ++id) {
        const double limit =
            (id >= DistanceT0 ? distanceKm : angle) / std::pow(tau, kSeriesPower[id]);
        const Series& s = kSeries[id];
        // The terms are sorted by amplitude: keep the prefix at or above the limit.
        const Term* end = std::partition_point(s.terms, s.terms + s.count, [limit](const Term& x) {
            return std::hypot(x.s, x.c) >= limit;
        });
        t.m_count[id] = static_cast<int>(end - s.terms);
    }
    t.index();
    return t;
}

void LunarTerms::index() {
    std::fill(std::begin(m_reach), std::end(m_reach), 0);
    for (int id = 0; id < kSeriesCount; ++id) {
        for (auto& g : m_groups[id])
            g.clear();
        for (int i = 0; i < m_count[id]; ++i) {
            const Term& term = kSeries[id].terms[i];
            m_groups[id][term.count].push_back(term);
            for (int j = 0; j < term.count; ++j) {
                const int slot = term.slot[j];
                const int k =
                    static_cast<int>(std::upper_bound(kSlotBase, kSlotBase + kArguments, slot) -
                                     kSlotBase) -
                    1;
                m_reach[k] = std::max(m_reach[k], std::abs(slot - kSlotBase[k] - kReach[k]));
            }
        }
    }
}

int LunarTerms::total() const {
    int n = 0;
    for (int c : m_count)
        n += c;
    return n;
}

LunarCoordinates lunarCoordinatesOfDate(double T, const LunarTerms& terms) {
    const Multiples e(T, terms);
    LunarCoordinates c;
    c.longitude = angleAt(kMeanLongitude, T) + coordinate(LongitudeT0, LongitudeT3, T, terms, e);
    c.latitude = coordinate(LatitudeT0, LatitudeT2, T, terms, e);
    c.distanceKm = kDistanceScale * coordinate(DistanceT0, DistanceT3, T, terms, e);
    return c;
}

Vec3 lunarEclipticJ2000(double T, const LunarTerms& terms) {
    const LunarCoordinates c = lunarCoordinatesOfDate(T, terms);
    const Vec3 v = fromSpherical(c.longitude, c.latitude, c.distanceKm);
    // The precession of the ecliptic from the date back to J2000 (Laskar's P and Q).
    const double P =
        T * (0.10180391e-4 +
             T * (0.47020439e-6 + T * (-0.5417367e-9 + T * (-0.2507948e-11 + T * 0.463486e-14))));
    const double Q =
        T * (-0.113469002e-3 +
             T * (0.12372674e-6 + T * (0.1265417e-8 + T * (-0.1371808e-11 + T * -0.320334e-14))));
    const double root = std::sqrt(std::max(0.0, 1.0 - P * P - Q * Q));
    return {(1.0 - 2.0 * P * P) * v.x + 2.0 * P * Q * v.y + 2.0 * P * root * v.z,
            2.0 * P * Q * v.x + (1.0 - 2.0 * Q * Q) * v.y - 2.0 * Q * root * v.z,
            -2.0 * P * root * v.x + 2.0 * Q * root * v.y + (1.0 - 2.0 * P * P - 2.0 * Q * Q) * v.z};
}

} // namespace ephem
