// An etched frame with a caption around a list of round buttons in one or more columns, of
// which at most one is chosen. Drawn by the library, not by the window system.
#pragma once

#include "instruments/framework/iCustomComponent.h"
#include "platform/Font.h"

#include <QStringList>
#include <memory>
#include <optional>

class TiRadioGroup : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)

public:
    static constexpr int ButtonLeft = 14;

    // Where the last paint put the rows and columns; hit-testing reads the same values while
    // the size is the same.
    struct TiRadioGroupLayout {
        int Rows = 0;
        double RowPitch = 0;
        int FirstRowY = 0;
        double ColumnWidth = 0;
        int ItemCount = 0;
        int Columns = 1;
        TSize Size;
    };

    explicit TiRadioGroup(QWidget* parent = nullptr);
    ~TiRadioGroup() override;

    QStringList Items() const { return items_; }
    void SetItems(const QStringList& Value);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int Value);
    int Columns() const { return columns_; }
    void SetColumns(int Value);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value);
    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* Value);
    int Width() const { return width(); }
    void SetWidth(int Value) { resize(BoundPixelSize(Value), height()); }
    int Height() const { return height(); }
    void SetHeight(int Value) { resize(width(), BoundPixelSize(Value)); }

    // The item under the point by the layout of the last paint; -1 outside the grid, before
    // the first paint and when the rows or columns have no extent.
    int GetMouseItemIndex(int X, int Y) const;

    void Loaded() override;

    TNotifyEvent OnChange;
    TNotifyEvent OnChangeUser;

protected:
    void iPaintTo(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseMove(TShiftState Shift, int X, int Y) override;
    void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iKeyDown(uint16_t& Key, TShiftState Shift) override;
    void iKeyUp(uint16_t& Key, TShiftState Shift) override;
    void iWantSpecialKey(uint16_t& Key, bool& Result) override;
    void iDoSetFocus() override;
    void iDoKillFocus() override;

private:
    TiRadioGroupLayout CalcLayout(int TextHeight) const;
    TPoint ItemCenter(const TiRadioGroupLayout& Layout, int Index) const;
    // Keeps ItemIndex inside the items without telling anyone, and forgets the layout.
    void ItemsChanged();
    void DoChange();
    void DrawStatic(TCanvas& Canvas);
    void DrawItem(TCanvas& Canvas, int Index, const TPoint& Center);
    static void DrawButtonRim(TCanvas& Canvas, const TPoint& Center);
    int FocusedItem() const;

    QStringList items_;
    int itemIndex_ = 0;
    int columns_ = 1;
    QString caption_ = QStringLiteral("Radio Group");
    std::unique_ptr<TFont> font_;
    bool mousePressed_ = false;
    bool keyPressed_ = false;
    int pressedItem_ = -1;
    // Set while a change comes from the mouse.
    bool userChange_ = false;
    std::optional<TiRadioGroupLayout> layout_;
};
