// A text, line, shape or picture the application places on the plotting area, in the units
// of a channel's axes or in percent of the data view; in select mode the user moves it and
// drags the corners of its shapes.
#pragma once

#include "instruments/framework/iTypes.h"
#include "platform/Brush.h"
#include "platform/Font.h"
#include "platform/Pen.h"
#include "plot/iPlotNameReference.h"

#include <QPointer>
#include <array>
#include <cstdint>
#include <memory>

class TiPlotChannelAxis;
class TiPlotChannelCustom;
class TiPlotDataView;

class TiPlotAnnotation : public TiPlotObject {
    Q_OBJECT
    Q_PROPERTY(TiPlotAnnotationStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(TiPlotReferenceType Reference READ Reference WRITE SetReference)
    Q_PROPERTY(double X READ X WRITE SetX)
    Q_PROPERTY(double Y READ Y WRITE SetY)
    Q_PROPERTY(double X2 READ X2 WRITE SetX2)
    Q_PROPERTY(double Y2 READ Y2 WRITE SetY2)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    Q_PROPERTY(double Height READ Height WRITE SetHeight)
    Q_PROPERTY(TColor PenColor READ PenColor WRITE SetPenColor)
    Q_PROPERTY(TPen::TPenStyle PenStyle READ PenStyle WRITE SetPenStyle)
    Q_PROPERTY(int PenWidth READ PenWidth WRITE SetPenWidth)
    Q_PROPERTY(TColor BrushColor READ BrushColor WRITE SetBrushColor)
    Q_PROPERTY(TBrush::TBrushStyle BrushStyle READ BrushStyle WRITE SetBrushStyle)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(iTypes::TiRotationAngle TextRotation READ TextRotation WRITE SetTextRotation)
    Q_PROPERTY(iTypes::TiAlignmentHorizontal TextHorzAlignment READ TextHorzAlignment WRITE
                   SetTextHorzAlignment)
    Q_PROPERTY(iTypes::TiAlignmentVertical TextVertAlignment READ TextVertAlignment WRITE
                   SetTextVertAlignment)
    Q_PROPERTY(double TextHorzMargin READ TextHorzMargin WRITE SetTextHorzMargin)
    Q_PROPERTY(double TextVertMargin READ TextVertMargin WRITE SetTextVertMargin)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(int ImageListIndex READ ImageListIndex WRITE SetImageListIndex)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    Q_PROPERTY(QString ChannelName READ ChannelName WRITE SetChannelName)
    Q_PROPERTY(bool UserCanMove READ UserCanMove WRITE SetUserCanMove)
    Q_PROPERTY(bool UserCanSize READ UserCanSize WRITE SetUserCanSize)
    Q_PROPERTY(bool ClipToAxes READ ClipToAxes WRITE SetClipToAxes)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE SetShowFocusRect)

public:
    enum TiPlotAnnotationStyle : uint8_t {
        ipasText,
        ipasLine,
        ipasRectangle,
        ipasLineX,
        ipasLineY,
        ipasImage,
        ipasTextRectangle,
        ipasEllipse
    };
    Q_ENUM(TiPlotAnnotationStyle)
    // What the horizontal (X, X2, Width) and the vertical (Y, Y2, Height) quantities count:
    // percent of the data view, or values of the channel's X or Y axis.
    enum TiPlotReferenceType : uint8_t {
        iprtDataView,
        iprtChannel,
        iprtXChannelYDataView,
        iprtXDataViewYChannel
    };
    Q_ENUM(TiPlotReferenceType)

    static constexpr int MaxPenWidth = 100;
    // Margins count widths or heights of "A"; beyond this they only overflow the arithmetic.
    static constexpr double MaxTextMargin = 1000;
    // Half the side of a corner handle.
    static constexpr int HandleHalf = 3;
    // Half the width of the strip that grabs a marker line.
    static constexpr int LineGrabMargin = 5;

    TiPlotAnnotation(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
    ~TiPlotAnnotation() override;

    // The class the master manager creates annotations with: each new one takes the plot's
    // annotation defaults.
    static TiPlotObjectClass ObjectClass();

    // Unknown ordinals are refused by every enumeration setter.
    TiPlotAnnotationStyle Style() const { return style_; }
    void SetStyle(TiPlotAnnotationStyle Value);
    TiPlotReferenceType Reference() const { return reference_; }
    void SetReference(TiPlotReferenceType Value);
    // The coordinates report each change to the plot's coordinates event; NaN is refused.
    double X() const { return x_; }
    void SetX(double Value);
    double Y() const { return y_; }
    void SetY(double Value);
    double X2() const { return x2_; }
    void SetX2(double Value);
    double Y2() const { return y2_; }
    void SetY2(double Value);
    double Width() const { return width_; }
    void SetWidth(double Value);
    double Height() const { return height_; }
    void SetHeight(double Value);
    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor Value);
    TPenStyle PenStyle() const { return penStyle_; }
    void SetPenStyle(TPenStyle Value);
    // Within 0..MaxPenWidth.
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int Value);
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor Value);
    TBrushStyle BrushStyle() const { return brushStyle_; }
    void SetBrushStyle(TBrushStyle Value);
    QString Text() const { return text_; }
    void SetText(const QString& Value);
    TiRotationAngle TextRotation() const { return textRotation_; }
    void SetTextRotation(TiRotationAngle Value);
    TiAlignmentHorizontal TextHorzAlignment() const { return textHorzAlignment_; }
    void SetTextHorzAlignment(TiAlignmentHorizontal Value);
    TiAlignmentVertical TextVertAlignment() const { return textVertAlignment_; }
    void SetTextVertAlignment(TiAlignmentVertical Value);
    // Within -MaxTextMargin..MaxTextMargin; NaN is refused.
    double TextHorzMargin() const { return textHorzMargin_; }
    void SetTextHorzMargin(double Value);
    double TextVertMargin() const { return textVertMargin_; }
    void SetTextVertMargin(double Value);
    TFont* Font() const { return font_.get(); }
    // Copies the font.
    void SetFont(const TFont* Value);
    // 0 and 1 name the plot's first and second image list, any other value the third.
    int ImageListIndex() const { return imageListIndex_; }
    void SetImageListIndex(int Value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    QString ChannelName() const { return channel_.Name(); }
    void SetChannelName(const QString& Value) { channel_.SetName(Value); }
    bool UserCanMove() const { return userCanMove_; }
    void SetUserCanMove(bool Value) { userCanMove_ = Value; }
    bool UserCanSize() const { return userCanSize_; }
    void SetUserCanSize(bool Value) { userCanSize_ = Value; }
    bool ClipToAxes() const { return clipToAxes_; }
    void SetClipToAxes(bool Value);
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool Value);

    // The plot's data view 0, handed over before every paint.
    TiPlotDataView* DataView() const;
    void SetDataView(TiPlotDataView* Value);
    TiPlotChannelCustom* GetChannel();
    // The pixel of a horizontal (X) or vertical (Y) quantity, along the direction it runs
    // on the screen: across it, or down it with the X axes vertical.
    int PositionXToPixels(double Value);
    int PositionYToPixels(double Value);
    // The quantity that runs across the screen at horizontal pixel X (the vertical one with
    // the X axes vertical), and the one that runs down it at vertical pixel Y; 0 when the
    // data view or the channel's axis it needs is missing. Every reference follows the
    // pointer so, also with the X axes vertical.
    double PixelsXToPosition(int X);
    double PixelsYToPosition(int Y);
    // The X and the Y quantity under a screen point.
    double MousePointToXPos(TPoint Point);
    double MousePointToYPos(TPoint Point);
    // Sets the coordinates from a screen rectangle whose corners may come in any order.
    void SetupRectangle(const TRect& Rect);
    bool IsMoveable() const { return userCanMove_; }
    bool IsSizeable() const;
    // Edges of the data view along each quantity (0 without data view): GetXMax is its right
    // edge, or its top with the X axes vertical; GetXMin the left (bottom), GetYMax the top
    // (right), GetYMin the bottom (left).
    int GetXMax() const;
    int GetXMin() const;
    int GetYMax() const;
    int GetYMin() const;

    // What the last paint left: the annotation can be hit, where, and the corner handles
    // (top-left, top-right, bottom-left, bottom-right) of its shape.
    bool Drawn() const { return drawn_; }
    TRect HitRect() const { return hitRect_; }
    TRect ShapeRect() const { return shapeRect_; }
    const std::array<TRect, 4>& Handles() const { return handles_; }

    // The annotation draws nothing without the data view, for every reference: the
    // visibility tests of its shapes need the view's rectangle.
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    bool iMouseHitTest(const TiPlotMouseData& MouseData) override;
    Qt::CursorShape GetMousePointer(TPoint Point) override;
    void DoMouseLeft(const TiPlotMouseData& MouseData) override;
    void DoMouseMove(const TiPlotMouseData& MouseData) override;
    void DoMouseUp(const TiPlotMouseData& MouseData) override;
    void NotificationRemove(QObject* Object) override;
    void NotificationRename(QObject* Object) override;
    void NotificationSetFocus(QObject* Object) override;

private:
    enum class TDragMode { None, Move, TopLeft, TopRight, BottomLeft, BottomRight };
    enum THandle { hTopLeft, hTopRight, hBottomLeft, hBottomRight };

    void SetCoordinate(double Value, double& Field);
    void SetMargin(double Value, double& Field);
    void ReportCoordinates();
    void ApplyDefaults(const TiPlotAnnotationDefaults& Defaults);
    // Vertical picks the Y quantity (Y, Y2, Height), else the X quantity.
    bool OnChannel(bool Vertical) const;
    bool RunsDown(bool Vertical) const;
    TiPlotChannelAxis* ChannelAxis(bool Vertical);
    // A quantity to and from a pixel along the direction it runs on the screen.
    int QuantityToPixels(bool Vertical, double Value);
    double QuantityAt(bool Vertical, int Pixel);
    TPoint ScreenPoint(double X, double Y);
    bool ReferenceReady();
    void ClipCanvas(TCanvas& Canvas);
    void DrawStyle(TCanvas& Canvas, const TRect& View);
    void DrawText(TCanvas& Canvas, const TRect& View);
    void DrawMarkerLine(TCanvas& Canvas, const TRect& View, bool OnX);
    void DrawImage(TCanvas& Canvas, const TRect& View);
    void DrawShape(TCanvas& Canvas, const TRect& View, const TRect& Shape);
    void DrawFramedText(TCanvas& Canvas, const TRect& Shape);
    THandle HandleAt(TPoint Point, bool& Found) const;
    TDragMode PressedMode(TPoint Point) const;
    void MoveAnchor(int dx, int dy);
    void MoveEllipse(TPoint Pointer);
    TRect DraggedCorner(int dx, int dy) const;

    TiPlotAnnotationStyle style_ = ipasText;
    TiPlotReferenceType reference_ = iprtDataView;
    double x_ = 0;
    double y_ = 0;
    double x2_ = 0;
    double y2_ = 0;
    double width_ = 0;
    double height_ = 0;
    TColor penColor_ = clWhite;
    TPenStyle penStyle_ = psSolid;
    int penWidth_ = 0;
    TColor brushColor_ = clWhite;
    TBrushStyle brushStyle_ = bsSolid;
    QString text_;
    TiRotationAngle textRotation_ = ira000;
    TiAlignmentHorizontal textHorzAlignment_ = iahCenter;
    TiAlignmentVertical textVertAlignment_ = iavCenter;
    double textHorzMargin_ = 1;
    double textVertMargin_ = 1;
    std::unique_ptr<TFont> font_;
    int imageListIndex_ = 0;
    int imageIndex_ = 0;
    TiPlotNameReference channel_;
    bool userCanMove_ = false;
    bool userCanSize_ = false;
    bool clipToAxes_ = false;
    bool showFocusRect_ = true;

    QPointer<TiPlotDataView> dataView_;
    bool drawn_ = false;
    TRect hitRect_;
    TRect shapeRect_;
    std::array<TRect, 4> handles_{};

    TDragMode dragMode_ = TDragMode::None;
    bool dragging_ = false;
    bool coordinatesChanged_ = false;
    TPoint pressPoint_;
    TRect pressShape_;
    double pressX_ = 0;
    double pressY_ = 0;
    double pressX2_ = 0;
    double pressY2_ = 0;
    TPoint pressAnchor_;
};

using TiPlotAnnotationStyle = TiPlotAnnotation::TiPlotAnnotationStyle;
using TiPlotReferenceType = TiPlotAnnotation::TiPlotReferenceType;
