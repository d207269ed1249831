// One line of text in a band around the data view, such as the plot's title (label 0). In a
// vertical band the text reads upwards.
#pragma once

#include "instruments/framework/iTypes.h"
#include "platform/Font.h"
#include "plot/iPlotLayoutObject.h"

#include <memory>

class TiPlotLabel : public TiPlotLayoutObject {
    Q_OBJECT
    Q_PROPERTY(double MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(double MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(double MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(double MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(iTypes::TiAlignmentHorizontal Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)

public:
    // Margins count widths or heights of "0"; beyond this they only overflow the arithmetic.
    static constexpr double MaxMargin = 1000;

    TiPlotLabel(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
    ~TiPlotLabel() override;

    // Each within -MaxMargin..MaxMargin; NaN is refused.
    double MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(double Value);
    double MarginTop() const { return marginTop_; }
    void SetMarginTop(double Value);
    double MarginRight() const { return marginRight_; }
    void SetMarginRight(double Value);
    double MarginBottom() const { return marginBottom_; }
    void SetMarginBottom(double Value);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value);
    TiAlignmentHorizontal Alignment() const { return alignment_; }
    void SetAlignment(TiAlignmentHorizontal Value);
    TFont* Font() const { return font_.get(); }
    // Copies the font.
    void SetFont(const TFont* Value);

    // The margins in pixels and the width the label needs across its band.
    void CalcRects(TCanvas& Canvas);
    int GetRequiredWidth(TCanvas& Canvas) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;

private:
    void SetMargin(double Value, double& Field);

    double marginLeft_ = 0;
    double marginTop_ = 0;
    double marginRight_ = 0;
    double marginBottom_ = 0;
    QString caption_;
    TiAlignmentHorizontal alignment_ = iahCenter;
    std::unique_ptr<TFont> font_;
    int pixelsLeft_ = 0;
    int pixelsTop_ = 0;
    int pixelsRight_ = 0;
    int pixelsBottom_ = 0;
    int requiredWidth_ = 0;
};

// A margin setting in widths or heights of "0": NaN keeps the field, others are bounded.
bool BoundedMargin(double Value, double Limit, double& Result);
