// Enumerations shared by the plot's objects, channels and data lists. Files store their
// ordinals, so the declared order of every enumeration is fixed.
#pragma once

#include <QObject>
#include <cstdint>

namespace iPlotTypes {
Q_NAMESPACE

// Selects the data list class of a channel.
enum TiPlotDataStyle : uint8_t { ipdsStandard, ipdsCompact, ipdsCompactInterval, ipdsFullFeature };
Q_ENUM_NS(TiPlotDataStyle)

enum TiPlotMarkerStyle : uint8_t {
    ipmsCircle,
    ipmsSquare,
    ipmsDiamond,
    ipmsCross,
    ipmsPlus,
    ipmsTriangleUp,
    ipmsTriangleDown,
    ipmsTriangleLeft,
    ipmsTriangleRight,
    ipmsVerticalLine,
    ipmsHorizontalLine,
    ipmsCharacter
};
Q_ENUM_NS(TiPlotMarkerStyle)

// Same order as the canvas pen styles, to which a line style is passed unchanged.
enum TiPlotLineStyle : uint8_t { iplsSolid, iplsDash, iplsDot, iplsDashDot, iplsDashDotDot };
Q_ENUM_NS(TiPlotLineStyle)

// A Null point breaks the trace; an Empty point is bridged by it.
enum TiPlotDataPointStatus : uint8_t { ipdpsValid, ipdpsNull, ipdpsEmpty };
Q_ENUM_NS(TiPlotDataPointStatus)

// How an axis is placed: in a band, through the middle of the data view, or at a value of
// a perpendicular axis.
enum TiPlotCartesianStyle : uint8_t { ipcsNone, ipcsMaster, ipcsChild };
Q_ENUM_NS(TiPlotCartesianStyle)

// Axes.
enum TiPlotScaleType : uint8_t { ipstLinear, ipstLog10 };
Q_ENUM_NS(TiPlotScaleType)

enum TiPlotTrackingStyle : uint8_t {
    iptsScaleMinMax,
    iptsScaleMax,
    iptsScaleMin,
    iptsScrollSmooth,
    iptsScrollPage,
    iptsExpandCollapse
};
Q_ENUM_NS(TiPlotTrackingStyle)

enum TiPlotAlignFirstStyle : uint8_t { ipafsMin, ipafsMax, ipafsAuto, ipafsNone };
Q_ENUM_NS(TiPlotAlignFirstStyle)

// Where an axis's labels and title lie relative to its scale line.
enum TiQuadSide : uint8_t { iqsLeft, iqsRight, iqsTop, iqsBottom };
Q_ENUM_NS(TiQuadSide)

enum TiPlotTextFormat : uint8_t {
    iptfValue,
    iptfExponent,
    iptfPrefix,
    iptfDateTime,
    iptfPrice32nds,
    iptfThousands
};
Q_ENUM_NS(TiPlotTextFormat)

enum TiPlotGridLineStyle : uint8_t { ipglsSolid, ipglsDash, ipglsDot };
Q_ENUM_NS(TiPlotGridLineStyle)
// What a data cursor shows of its channel.
enum TiPlotDataCursorStyle : uint8_t {
    ipcsValueXY,
    ipcsValueX,
    ipcsValueY,
    ipcsDeltaX,
    ipcsDeltaY,
    ipcsInverseDeltaX
};
Q_ENUM_NS(TiPlotDataCursorStyle)
} // namespace iPlotTypes

using iPlotTypes::TiPlotAlignFirstStyle;
using iPlotTypes::TiPlotCartesianStyle;
using iPlotTypes::TiPlotDataCursorStyle;
using iPlotTypes::TiPlotDataPointStatus;
using iPlotTypes::TiPlotDataStyle;
using iPlotTypes::TiPlotGridLineStyle;
using iPlotTypes::TiPlotLineStyle;
using iPlotTypes::TiPlotMarkerStyle;
using iPlotTypes::TiPlotScaleType;
using iPlotTypes::TiPlotTextFormat;
using iPlotTypes::TiPlotTrackingStyle;
using iPlotTypes::TiQuadSide;
using enum iPlotTypes::TiPlotAlignFirstStyle;
using enum iPlotTypes::TiPlotCartesianStyle;
using enum iPlotTypes::TiPlotDataCursorStyle;
using enum iPlotTypes::TiPlotDataPointStatus;
using enum iPlotTypes::TiPlotDataStyle;
using enum iPlotTypes::TiPlotGridLineStyle;
using enum iPlotTypes::TiPlotLineStyle;
using enum iPlotTypes::TiPlotMarkerStyle;
using enum iPlotTypes::TiPlotScaleType;
using enum iPlotTypes::TiPlotTextFormat;
using enum iPlotTypes::TiPlotTrackingStyle;
using enum iPlotTypes::TiQuadSide;
