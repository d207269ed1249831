#include "platform/CaselessKey.h"

#include <QHash>
#include <QString>
#include <gtest/gtest.h>

TEST(CaselessKey, TextsEqualButForCaseFindEachOtherAsTheComparisonMatchesThem) {
    // ASCII, letters folding to ASCII (long s, Kelvin sign), Greek, and a surrogate pair.
    const QList<std::pair<QString, QString>> pairs{
        {QStringLiteral("TitleFont.Name"), QStringLiteral("titlefont.NAME")},
        {QStringLiteral("XAxis0.Title"), QStringLiteral("XAxi\u017F0.title")},
        {QStringLiteral("Kelvin"), QStringLiteral("\u212Aelvin")},
        {QStringLiteral("\u03A9mega"), QStringLiteral("\u03C9MEGA")},
        {QString::fromUcs4(U"\U00010400x"), QString::fromUcs4(U"\U00010428X")}};
    for (const auto& [a, b] : pairs) {
        ASSERT_EQ(a.compare(b, Qt::CaseInsensitive), 0) << a.toStdString();
        QHash<TCaselessKey, int> keys;
        keys.insert({a}, 1);
        EXPECT_EQ(keys.value({b}), 1) << b.toStdString();
        EXPECT_EQ(qHash(TCaselessKey{a}, 7), qHash(TCaselessKey{b}, 7));
    }
}

TEST(CaselessKey, TextsThatDifferAreDifferentKeys) {
    QHash<TCaselessKey, int> keys;
    const QString caption = QStringLiteral("Caption");
    keys.insert({caption}, 1);
    for (const QString& other : {QStringLiteral("Captions"), QStringLiteral("Captio"),
                                 QStringLiteral("Caption "), QString()})
        EXPECT_FALSE(keys.contains({other})) << other.toStdString();
}
