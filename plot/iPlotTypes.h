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
} // namespace iPlotTypes

using iPlotTypes::TiPlotCartesianStyle;
using iPlotTypes::TiPlotDataPointStatus;
using iPlotTypes::TiPlotDataStyle;
using iPlotTypes::TiPlotLineStyle;
using iPlotTypes::TiPlotMarkerStyle;
using enum iPlotTypes::TiPlotCartesianStyle;
using enum iPlotTypes::TiPlotDataPointStatus;
using enum iPlotTypes::TiPlotDataStyle;
using enum iPlotTypes::TiPlotLineStyle;
using enum iPlotTypes::TiPlotMarkerStyle;
