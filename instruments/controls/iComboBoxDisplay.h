// The list of a mode combo box while it is open: a window of its own above the combo box's
// window, one row per caption, the highlighted row in the selection colours.
#pragma once

#include "instruments/framework/iCustomComponent.h"
#include "platform/Font.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

// The row a key moves to in a list of Count rows from Index: Home the first, End the last,
// Left and Up the previous, Right and Down the next; nothing where there is none.
std::optional<int> ListKeyIndex(uint16_t Key, int Index, int Count);

class TiModeComboBoxDisplay : public TiCustomComponent {
    Q_OBJECT

public:
    explicit TiModeComboBoxDisplay(QWidget* parent = nullptr);
    ~TiModeComboBoxDisplay() override;

    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* Value);
    // The list is never narrower than this (the combo box's width).
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int Value) { minWidth_ = BoundPixelSize(Value); }
    QStringList Captions() const { return captions_; }
    void SetCaptions(const QStringList& Value);
    // The highlighted row, -1 for none; the list repaints at once while it shows.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int Value);

    // Row height and wanted size from the font and captions, measured on Canvas; Measure()
    // measures with the font's real metrics.
    void Measure(TCanvas& Canvas);
    void Measure();
    int ItemHeight() const { return itemHeight_; }
    int WantedWidth() const { return wantedWidth_; }
    int WantedHeight() const { return wantedHeight_; }
    // The row under a point of the list's inner area; -1 between or outside the rows.
    int ItemAt(int X, int Y) const;

    bool Showing() const { return isVisible(); }
    // Shows the list at the wanted size with its top-left at the screen point, above the
    // window of Owner.
    void DropDown(const QPoint& ScreenTopLeft, QWidget* Owner);
    // Gives the showing list the keyboard focus and the mouse.
    void TakeInput();
    // Hides the list and chooses the highlighted row; nothing is chosen without one.
    void Choose();
    // Hides the list without choosing.
    void CloseUp();

    std::function<void(QObject* Sender, int Index)> OnItemChosen;
    TNotifyEvent OnCloseUp;

protected:
    void iPaintTo(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseMove(TShiftState Shift, int X, int Y) override;
    void iKeyDown(uint16_t& Key, TShiftState Shift) override;
    void iWantSpecialKey(uint16_t& Key, bool& Result) override;
    void iDoKillFocus() override;

private:
    void Hide();
    TRect ItemRect(int Index) const;

    std::unique_ptr<TFont> font_;
    int minWidth_ = 0;
    QStringList captions_;
    int itemIndex_ = -1;
    int itemHeight_ = 0;
    int wantedWidth_ = 0;
    int wantedHeight_ = 0;
};
