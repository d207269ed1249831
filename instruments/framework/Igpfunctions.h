// General-purpose helpers of the instruments and the plot: text with flag sets and rotation,
// 3-D edges and bevelled lines, gradient fills, colour and geometry helpers, the decimal
// places and auto-scale rules of scales and axes, number texts, and window helpers.
#pragma once

#include "instruments/framework/iTypes.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Geometry.h"
#include "platform/StringList.h"

#include <QString>
#include <cstdint>
#include <utility>

class QObject;
class QTabWidget;
class QWidget;

// Text. The canvas's current font is used throughout.

// Answers the height of the text; with itfCalcRect nothing is drawn and rect is widened or
// heightened to fit. "&" underlines the next character only with itfShowPrefix.
int iDrawText(TCanvas* canvas, const QString& text, TRect& rect, TiTextFlags flags);
// The widest line, lines ending at CR, LF or CR LF.
int iTextWidth(TCanvas* canvas, const QString& text);
// The height of all lines.
int iTextHeight(TCanvas* canvas, const QString& text);
// The height of the text wrapped to width.
int iTextHeightFixedWidth(TCanvas* canvas, const QString& text, int width);
// Draws text centred in rect, rotated by angle; answers the rectangle the text occupies.
TRect iDrawRotatedText(TCanvas* canvas, const QString& text, const TRect& rect,
                       TiRotationAngle angle);

// Edges and lines.

// idesFlat draws a clBtnShadow outline, filled with the current brush.
void iDrawEdge(TCanvas* canvas, const TRect& rect, TiDrawEdgeStyle style);
void iDrawFocusRect(TCanvas* canvas, const TRect& rect, TColor color);
// Dotted and drawn by inverting, so drawing it twice removes it.
void iDrawFocusRect2(TCanvas* canvas, const TRect& rect);
void LineBevel(TCanvas* canvas, int x1, int y1, int x2, int y2, TiBevelStyle style);
// The end point is not drawn.
void Line(TCanvas* canvas, int x1, int y1, int x2, int y2);

// Fills.

// A diagonal gradient from white at the top left to a darkened button face at the bottom
// right (reversed: the other way round).
void DrawGradientCircle(TCanvas* canvas, const TPoint& center, int radius, bool reverse);
// The diagonals, rectangles and circles are placed from the origin, not from rect's corner.
void DrawGradientDirection(TCanvas* canvas, const TRect& rect, TiFillDirection direction,
                           TColor startColor, TColor stopColor);

// Colour. The value is read as an RGB value: a system colour must be resolved first.

TColor DimColor(TColor color, int divisor);
int iGetRValue(TColor color);
int iGetGValue(TColor color);
int iGetBValue(TColor color);

// Geometry.

// Angles count counter-clockwise from the positive X direction; halves round to even.
TPoint GetXYRadPoint(double degrees, double radius, const TPoint& center);
// The rectangle spanned by two corners given in any order.
TRect iRect(int x1, int y1, int x2, int y2);
// With reverse, X and Y are exchanged in both points first.
TRect iXYReverseRect(bool reverse, int x1, int y1, int x2, int y2);
TPoint iXYReversePoint(bool reverse, int x, int y);
TPoint iPointReverse(bool reverse, int x, int y);
TPointDouble PointDouble(double x, double y);
void SwapIntegers(int& a, int& b);

// Numbers.

// The number of decimal places for labelling the range between the two values.
int GetDecimalPoints(double value1, double value2, int precision, TiPrecisionStyle style);
// Widens [min, max] to a range of nice ticks.
void GetAutoScaleValuesAdjustable(double min, double max, int desiredTicks, int maxTicks,
                                  double& newMin, double& newMax, int& tickCount);
// Chooses nice ticks inside the fixed range [min, max].
void GetAutoScaleValuesFixed(double min, double max, int desiredTicks, int maxTicks, double& newMin,
                             double& newMax, int& tickCount);
// Decimal, hexadecimal (upper case), binary or octal text of the unsigned value, without
// leading zeros unless padded to digitCount.
QString iIntToStr(uint32_t value, TiIntegerFormatStyle style, int digitCount, bool padWithZeros);
// "b101" is binary, "o17" octal, anything else the toolkit's integer text (decimal, or
// hexadecimal after "$" or "0x"). Binary and octal texts hold up to 32 bits; the value is
// their bit pattern. Raises EConvertError "'<text>' is not a valid integer value".
int iStrToInt(const QString& text);

// Windows and components.

// Marks the control and each of its parents up to the top as control parents, so that
// dialog keyboard navigation enters them.
void SetParentsToTopMost(QWidget* control);
// The control-parent mark is the dynamic property "iControlParent".
void SetWindowToControlParent(QWidget* window, bool value);
bool IsControlParent(const QWidget* window);
// The first owner that is a form (a main window or dialog); else the last widget met on the
// way; else null.
QWidget* GetCustomFormOwner(QObject* component);
void iSetFocus(QWidget* control);
// Ignores an index outside the pages.
void SetActivePageIndex(QTabWidget* pageControl, int index);
// -1 when no page is active.
int GetActivePageIndex(const QTabWidget* pageControl);
bool GetShiftDown();
bool GetCtrlDown();
// Puts the component itself, not its children, into design mode (the dynamic property
// "iDesigning"), which the component core reads through iGetDesigning.
void iSetDesigning(QObject* component);
bool iGetDesigning(const QObject* component);
// The object held by the published object-pointer property propName; null when there is no
// such property or it holds no object.
QObject* GetObjectProperty(const QObject* object, const QString& propName);

// Property lists: the lines "Path = Value" of property files and plot configuration files,
// one per stored, writable published property, in the walk order of the property walker.

// Appends the lines of object's saved properties to list, each path preceded by prefix and
// "." when prefix (trimmed) is not empty. A path in excludeList (ignoring case) is skipped,
// and a sub-object's path with all its properties. Lines are never cut. A string holding a
// line break is written on one line with its key marked by a trailing "\" ("Caption\ = a\nb"),
// "\", CR and LF being written as "\\", "\r" and "\n"; other values are written as they are.
void SaveObjectToStringList(QObject* object, const QString& prefix, TStringList& list,
                            const TStringList* excludeList = nullptr);
// Assigns object's properties from the lines of list and removes the lines consumed. Every
// value is converted before any is assigned, so a value that does not convert raises
// EConvertError and changes neither the object nor the list; a setter that fails has the
// properties already assigned put back. A value an earlier assignment held back (a position
// clamped to the maximum the file raises later) is assigned once more.
void LoadObjectFromStringList(QObject* object, const QString& prefix, TStringList& list);
// The value of the first line whose key equals name (ignoring case), a marked key's value
// unescaped; that line is deleted from list. False when there is none.
bool GetPropertyValueString(const QString& name, QString& value, TStringList& list);
// Splits text at the first separator into the trimmed texts before and after it; both are
// empty when text holds no separator.
void SeparateStrings(const QString& text, QChar separator, QString& left, QString& right);
// As SeparateStrings, the two texts viewing text instead of copying it.
std::pair<QStringView, QStringView> SeparateStringViews(QStringView text, QChar separator);
