// A text used as a hash key that matches as QString's case-insensitive comparison does, so that
// a look-up by name among many (property lines, published properties) needs no case-folded
// copy of either text.
#pragma once

#include <QHashFunctions>
#include <QStringView>

struct TCaselessKey {
    QStringView Text; // the text stays owned by the caller while the key is in use

    friend bool operator==(TCaselessKey a, TCaselessKey b) {
        return a.Text.compare(b.Text, Qt::CaseInsensitive) == 0;
    }
};

// Equal for any two keys that compare equal: units fold one by one as the comparison folds
// them; surrogates, which it folds as pairs, all hash alike.
size_t qHash(TCaselessKey key, size_t seed = 0) noexcept;
