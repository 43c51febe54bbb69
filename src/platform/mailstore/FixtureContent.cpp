// Deterministic attachment contents for fixtures.
#include "platform/mailstore/FixtureContent.h"

#include <QtEndian>
#include <cstring>

namespace kw::mailstore::fixture {

namespace {

constexpr quint64 kGamma = 0x9E3779B97F4A7C15ULL;
constexpr quint64 kMul1 = 0xBF58476D1CE4E5B9ULL;
constexpr quint64 kMul2 = 0x94D049BB133111EBULL;

constexpr quint64 mix(quint64 z)
{
    z = (z ^ (z >> 30)) * kMul1;
    z = (z ^ (z >> 27)) * kMul2;
    return z ^ (z >> 31);
}

// Every step of mix() can be undone, which lets a dump find the seed of a
// generated content from its first word instead of storing it somewhere.
constexpr quint64 inverseMod64(quint64 odd)
{
    quint64 x = odd; // Newton's iteration doubles the correct low bits each round
    for (int i = 0; i < 6; ++i)
        x *= 2 - odd * x;
    return x;
}

constexpr quint64 undoShiftXor(quint64 y, int shift)
{
    quint64 x = y;
    for (int done = shift; done < 64; done += shift)
        x = y ^ (x >> shift);
    return x;
}

constexpr quint64 unmix(quint64 z)
{
    z = undoShiftXor(z, 31) * inverseMod64(kMul2);
    z = undoShiftXor(z, 27) * inverseMod64(kMul1);
    return undoShiftXor(z, 30);
}

static_assert(unmix(mix(0)) == 0 && unmix(mix(kGamma * 7)) == kGamma * 7
              && unmix(mix(~quint64(0))) == ~quint64(0));

// Calls write(offset, word, byteCount) for each 8-byte word of the content;
// stops early when write returns false.
template <typename Write> bool forEachWord(const GeneratedContent &recipe, Write write)
{
    quint64 state = recipe.seed;
    for (qint64 at = 0; at < recipe.size; at += 8) {
        state += kGamma;
        const quint64 word = qToLittleEndian(mix(state));
        if (!write(at, word, int(std::min<qint64>(8, recipe.size - at))))
            return false;
    }
    return true;
}

} // namespace

QByteArray generatedContent(const GeneratedContent &recipe)
{
    QByteArray out(recipe.size, Qt::Uninitialized);
    forEachWord(recipe, [&](qint64 at, quint64 word, int n) {
        std::memcpy(out.data() + at, &word, n);
        return true;
    });
    return out;
}

std::optional<GeneratedContent> recogniseGenerated(const QByteArray &content)
{
    if (content.size() < 8)
        return std::nullopt;
    const quint64 seed = unmix(qFromLittleEndian<quint64>(content.constData())) - kGamma;
    if (seed > 0xFFFFFFFFULL)
        return std::nullopt;
    const GeneratedContent recipe{content.size(), quint32(seed)};
    const bool same = forEachWord(recipe, [&](qint64 at, quint64 word, int n) {
        return std::memcmp(content.constData() + at, &word, n) == 0;
    });
    return same ? std::optional(recipe) : std::nullopt;
}

} // namespace kw::mailstore::fixture
