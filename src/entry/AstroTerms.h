#pragma once
// Periodic-term tables of Meeus' "Astronomical Algorithms" (moon position, nutation).
// The definitions are generated at build time from data/astro/*.tsv.

namespace astro::terms {

// Multiples of D, M, M', F; Σl coefficient (0.000001°) and Σr coefficient (0.001 km).
struct MoonLrTerm {
    int d, m, mp, f;
    double sinL, cosR;
};

// Multiples of D, M, M', F; Σb coefficient (0.000001°).
struct MoonBTerm {
    int d, m, mp, f;
    double sinB;
};

// Multiples of D, M, M', F, Ω; Δψ = (psi + psiT·T)·sin, Δε = (eps + epsT·T)·cos, in 0.0001″.
struct NutationTerm {
    int d, m, mp, f, omega;
    double psi, psiT, eps, epsT;
};

inline constexpr int kMoonLrRows = 60;
inline constexpr int kMoonBRows = 60;
inline constexpr int kNutationRows = 63;

extern const MoonLrTerm moonLongitudeDistance[kMoonLrRows];
extern const MoonBTerm moonLatitude[kMoonBRows];
extern const NutationTerm nutation[kNutationRows];

} // namespace astro::terms
