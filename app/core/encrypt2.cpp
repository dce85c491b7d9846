// The communication settings cipher: XOR with a keystream drawn from the key. Each
// keystream byte has its high bit set, so it is never 0 (every byte changes, and the
// call is its own inverse) and plain ASCII turns into bytes 128..255. It hides the
// codes from a casual look at the file; it is not meant to stand against an attack.

#include "app/core/quickpak.h"

#include <cstdint>

namespace vandrel::quickpak {
namespace {

// FNV-1a: a fixed, platform-independent seed from the key.
std::uint64_t seedFromKey(const QByteArray& key)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : key) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// SplitMix64 step.
std::uint64_t nextValue(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

} // namespace

void Encrypt2(QByteArray& text, const QByteArray& key)
{
    std::uint64_t state = seedFromKey(key);
    char* data = text.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto streamByte = static_cast<unsigned char>(0x80 | (nextValue(state) >> 57));
        data[i] = static_cast<char>(static_cast<unsigned char>(data[i]) ^ streamByte);
    }
}

} // namespace vandrel::quickpak
