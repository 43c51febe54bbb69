#pragma once

#include <QByteArray>
#include <optional>

// Attachment contents that a fixture describes by size and seed instead of
// carrying them, so that a fixture of a few kilobytes can fill a profile with
// megabytes: { "fileName": "Plan.pdf", "generate": { "size": 2200000, "seed": 7 } }.
// The same size and seed give the same bytes on every machine and in every
// build; fixtures depend on that.
namespace kw::mailstore::fixture {

struct GeneratedContent
{
    qint64 size = 0;
    quint32 seed = 0;
    bool operator==(const GeneratedContent &) const = default;
};

// The largest content a fixture may ask for (1 GiB).
constexpr qint64 kMaxGeneratedSize = qint64(1) << 30;

// The bytes for a size and seed: a splitmix64 stream written little-endian.
QByteArray generatedContent(const GeneratedContent &recipe);

// The size and seed that give exactly these bytes, or nothing. The seed is
// read back from the first 8 bytes, so shorter contents are never
// recognised; a found recipe is checked against every byte.
std::optional<GeneratedContent> recogniseGenerated(const QByteArray &content);

} // namespace kw::mailstore::fixture
