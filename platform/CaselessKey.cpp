#include "platform/CaselessKey.h"

#include <QChar>

namespace {

char32_t FoldedUnit(char16_t unit) {
    if (unit < 0x80) return unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit;
    if (QChar::isSurrogate(unit)) return 0xD800;
    return QChar::toCaseFolded(char32_t(unit));
}

} // namespace

size_t qHash(TCaselessKey key, size_t seed) noexcept {
    for (const QChar c : key.Text)
        seed ^= FoldedUnit(c.unicode()) + 0x9e3779b9 + (seed << 6) + (seed >> 2);
    return seed;
}
