// A push button of the plot toolbar, or one of the blank gaps between its groups: a picture
// on a raised face that sinks while pressed or latched down, flat until hot when the toolbar
// asks for flat buttons, with a hint under it.
#pragma once

#include "plot/iPlotButton.h"

#include <QString>

class TiPlotToolBarImageList;

class TiPlotToolBarButton : public TiPlotButton {
    Q_OBJECT

public:
    // A spacer has neither hint nor picture and draws nothing. Images is the toolbar's list
    // the picture is loaded into the first time the button is drawn.
    TiPlotToolBarButton(TiPlotHost* Owner, TiPlotToolBarImageList* Images, const QString& Hint,
                        const QString& ImageName, int GroupIndex, bool Spacer);

    QString Hint() const { return hint_; }
    QString ImageName() const { return imageName_; }
    // A new name forgets the picture loaded for the old one.
    void SetImageName(const QString& Value);
    // -1 until the picture has been loaded.
    int ImageIndex() const { return imageIndex_; }
    void ForgetImage() { imageIndex_ = -1; }
    bool Spacer() const { return spacer_; }
    bool Flat() const { return flat_; }
    void SetFlat(bool Value) { flat_ = Value; }
    // The pointer is over the button.
    bool Hot() const { return hot_; }
    void SetHot(bool Value);

    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    void DoMouseHint(const TiPlotMouseData& MouseData, TiHintData& HintData) override;
    void DoMouseNotOver() override;

private:
    // A one-pixel edge: TopLeft on the top and left sides, BottomRight on the others.
    void DrawFlatEdge(TCanvas& Canvas, TColor TopLeft, TColor BottomRight) const;
    void DrawImage(TCanvas& Canvas, bool Shifted);

    TiPlotToolBarImageList* images_;
    QString hint_;
    QString imageName_;
    int imageIndex_ = -1;
    bool spacer_;
    bool flat_ = false;
    bool hot_ = false;
};
