// Records and enumerations shared by the drawing helpers, the component core and the
// instruments. Every enumeration keeps its declared order: stored files hold ordinals.
#pragma once

#include <QObject>
#include <cstdint>
#include <initializer_list>

struct TPointDouble {
    double X = 0;
    double Y = 0;
    friend bool operator==(const TPointDouble&, const TPointDouble&) = default;
};

struct TiRectDouble {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
    friend bool operator==(const TiRectDouble&, const TiRectDouble&) = default;
};

namespace iTypes {
Q_NAMESPACE

// Each flag is its bit number in TiTextFlags.
enum TiTextFlag {
    itfHLeft,
    itfHCenter,
    itfHRight,
    itfVTop,
    itfVCenter,
    itfVBottom,
    itfWordBreak,
    itfSingleLine,
    itfExpandTabs,
    itfNoClip,
    itfShowPrefix,
    itfCalcRect,
    itfEndEllipsis,
    itfPathEllipsis,
    itfWordEllipsis,
    itfModifyString
};
Q_ENUM_NS(TiTextFlag)

enum TiRotationAngle { ira000, ira090, ira180, ira270 };
Q_ENUM_NS(TiRotationAngle)

enum TiDrawEdgeStyle { idesSunken, idesRaised, idesFlat };
Q_ENUM_NS(TiDrawEdgeStyle)

enum TiBevelStyle { ibsNone, ibsRaised, ibsLowered };
Q_ENUM_NS(TiBevelStyle)

enum TiFillDirection {
    ifdTopBottom,
    ifdBottomTop,
    ifdLeftRight,
    ifdRightLeft,
    ifdTopLeftBottomRight,
    ifdBottomRightTopLeft,
    ifdBottomLeftTopRight,
    ifdTopRightBottomLeft,
    ifdRectangleOut,
    ifdRectangleIn,
    ifdCircleOut,
    ifdCircleIn
};
Q_ENUM_NS(TiFillDirection)

enum TiPrecisionStyle { ipsSignificantDigits, ipsFixedDecimalPoints };
Q_ENUM_NS(TiPrecisionStyle)

enum TiIntegerFormatStyle { iifsInteger, iifsHex, iifsBinary, iifsOctal };
Q_ENUM_NS(TiIntegerFormatStyle)

enum TiAutoScaleStyle { iassAutoMinMax, iassFixedMinMax };
Q_ENUM_NS(TiAutoScaleStyle)

enum TiRepaintType { irtInvalidate, irtBackGround, irtNone };
Q_ENUM_NS(TiRepaintType)

enum TiOrientation { ioVertical, ioHorizontal };
Q_ENUM_NS(TiOrientation)

enum TiOrientationSide { iosBottomRight, iosTopLeft };
Q_ENUM_NS(TiOrientationSide)

enum TiTickMinorAlignment { itmnaInside, itmnaCenter, itmnaOutside };
Q_ENUM_NS(TiTickMinorAlignment)

enum TiAlignmentHorizontal { iahCenter, iahLeft, iahRight };
Q_ENUM_NS(TiAlignmentHorizontal)

enum TiAlignmentVertical { iavCenter, iavTop, iavBottom };
Q_ENUM_NS(TiAlignmentVertical)
} // namespace iTypes

// The system's names are used unqualified throughout; the namespace only carries the
// meta-object that makes the enumerations readable by name.
using iTypes::TiAlignmentHorizontal;
using iTypes::TiAlignmentVertical;
using iTypes::TiAutoScaleStyle;
using iTypes::TiBevelStyle;
using iTypes::TiDrawEdgeStyle;
using iTypes::TiFillDirection;
using iTypes::TiIntegerFormatStyle;
using iTypes::TiOrientation;
using iTypes::TiOrientationSide;
using iTypes::TiPrecisionStyle;
using iTypes::TiRepaintType;
using iTypes::TiRotationAngle;
using iTypes::TiTextFlag;
using iTypes::TiTickMinorAlignment;
using enum iTypes::TiAlignmentHorizontal;
using enum iTypes::TiAlignmentVertical;
using enum iTypes::TiAutoScaleStyle;
using enum iTypes::TiBevelStyle;
using enum iTypes::TiDrawEdgeStyle;
using enum iTypes::TiFillDirection;
using enum iTypes::TiIntegerFormatStyle;
using enum iTypes::TiOrientation;
using enum iTypes::TiOrientationSide;
using enum iTypes::TiPrecisionStyle;
using enum iTypes::TiRepaintType;
using enum iTypes::TiRotationAngle;
using enum iTypes::TiTextFlag;
using enum iTypes::TiTickMinorAlignment;

// A set of text flags in 16 bits, bit n standing for the flag of ordinal n.
class TiTextFlags {
public:
    constexpr TiTextFlags() = default;
    constexpr TiTextFlags(TiTextFlag flag) : bits_(Bit(flag)) {}
    constexpr TiTextFlags(std::initializer_list<TiTextFlag> flags) {
        for (TiTextFlag flag : flags)
            bits_ |= Bit(flag);
    }
    static constexpr TiTextFlags FromBits(uint16_t bits) {
        TiTextFlags result;
        result.bits_ = bits;
        return result;
    }

    constexpr uint16_t Bits() const { return bits_; }
    constexpr bool Contains(TiTextFlag flag) const { return (bits_ & Bit(flag)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }

    constexpr TiTextFlags& operator+=(TiTextFlags other) {
        bits_ |= other.bits_;
        return *this;
    }
    constexpr TiTextFlags& operator-=(TiTextFlags other) {
        bits_ &= uint16_t(~other.bits_);
        return *this;
    }
    friend constexpr TiTextFlags operator+(TiTextFlags a, TiTextFlags b) { return a += b; }
    friend constexpr TiTextFlags operator-(TiTextFlags a, TiTextFlags b) { return a -= b; }
    friend constexpr bool operator==(TiTextFlags, TiTextFlags) = default;

private:
    static constexpr uint16_t Bit(TiTextFlag flag) { return uint16_t(1u << unsigned(flag)); }
    uint16_t bits_ = 0;
};
