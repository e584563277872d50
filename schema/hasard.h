#pragma once
// The generator's own random source: the same seed gives the same database on every machine
// and compiler (the standard distributions are not portable from one library to another).
#include <cstdint>
#include <cstddef>

class Hasard {
public:
    explicit Hasard(std::uint64_t graine) : etat_(graine) {}

    std::uint64_t suivant() {  // splitmix64
        std::uint64_t z = (etat_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from min to max, both included.
    int entre(int min, int max) {
        return min + static_cast<int>(suivant() % static_cast<std::uint64_t>(max - min + 1));
    }
    bool chance(int pourcent) { return entre(1, 100) <= pourcent; }

    template <typename T, std::size_t N>
    const T& parmi(const T (&liste)[N]) { return liste[suivant() % N]; }

private:
    std::uint64_t etat_;
};
