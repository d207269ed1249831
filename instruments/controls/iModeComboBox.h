// A drop-down list for choosing one of several operating modes, each item a caption with an
// integer value; Value is the value of the chosen item. The one control showing the error state.
#pragma once

#include "instruments/controls/iComboBoxDisplay.h"
#include "instruments/framework/iCustomComponent.h"
#include "platform/Font.h"

#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

using TOnBeforeChangeInteger =
    std::function<void(QObject* Sender, int OldValue, int& NewValue, bool& CanChange)>;

class TiModeComboBox : public TiCustomComponent {
    Q_OBJECT
    // The stored items come first, so that an index read after them finds them.
    Q_PROPERTY(QStringList Items READ ItemsList WRITE SetItemsList)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
    Q_PROPERTY(int Value READ GetValue WRITE SetValue)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool ErrorActive READ ErrorActive WRITE SetErrorActive)
    Q_PROPERTY(QString ErrorText READ ErrorText WRITE SetErrorText)
    Q_PROPERTY(TFont* ErrorFont READ ErrorFont WRITE SetErrorFont)
    Q_PROPERTY(TColor ErrorBackGroundColor READ ErrorBackGroundColor WRITE SetErrorBackGroundColor)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)

public:
    explicit TiModeComboBox(QWidget* parent = nullptr);
    ~TiModeComboBox() override;

    // Pairs of caption and value as text: "Off", "0", "Auto", "1". A list of odd length or
    // with a value that is no integer is refused and the items stay as they were.
    QStringList ItemsList() const;
    void SetItemsList(const QStringList& Value);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int Value);
    // -1 without a chosen item.
    int GetValue() const;
    // Chooses the first item with the value, none when no item has it.
    void SetValue(int Value);
    // Activates live-data item Index and writes the current Value to it.
    void OPCItemActivateSend(int Index);
    // As SetValue, with OnChange silent.
    void SetValueNoEvent(int Value);
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* Value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    int Width() const { return width(); }
    void SetWidth(int Value) { resize(BoundPixelSize(Value), height()); }
    int Height() const { return height(); }
    void SetHeight(int Value) { resize(width(), BoundPixelSize(Value)); }

    void AddItem(const QString& Caption, int Value);
    // Clears the selection, which no handler can refuse, then the items.
    void RemoveAllItems();
    // Index errors raise "List index out of bounds (<index>)".
    QString GetItemCaption(int Index) const;
    int GetItemValue(int Index) const;
    void SetItemCaption(int Index, const QString& Caption);
    void SetItemValue(int Index, int Value);
    int GetItemCount() const { return int(items_.size()); }

    // Height from the font: only with AutoSize, on a parent, not while loading.
    void DoAutoSize();
    void Loaded() override;

    TiModeComboBoxDisplay* DropDownList() const { return dropDown_; }
    // Where the list opens: below the control, above it when it would pass the screen's
    // bottom, right-aligned when it would pass the right; always kept on the screen.
    static QPoint DropDownPosition(const QRect& Control, const QSize& List, const QRect& Screen);

    TNotifyEvent OnChange;
    TNotifyEvent OnChangeUser;
    TOnBeforeChangeInteger OnBeforeChange;
    TOnBeforeChangeInteger OnBeforeUserChange;

protected:
    void iPaintTo(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseMove(TShiftState Shift, int X, int Y) override;
    void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iKeyDown(uint16_t& Key, TShiftState Shift) override;
    void iWantSpecialKey(uint16_t& Key, bool& Result) override;

private:
    struct TiModeItem {
        QString Caption;
        int Value;
    };

    void CheckIndex(int Index) const;
    void DoChange();
    // Back to the index before the change, telling no one.
    void RevertIndex();
    void OpenList();
    TiModeComboBoxDisplay* EnsureDropDown();
    QStringList Captions() const;
    void ItemChosen(int Index);
    TRect ButtonRect() const;
    void DrawCaption(TCanvas& Canvas, const TRect& Button);
    void DrawButton(TCanvas& Canvas, const TRect& Button);

    std::vector<TiModeItem> items_;
    int itemIndex_ = -1;
    TColor color_ = clWindow;
    std::unique_ptr<TFont> font_;
    bool autoSize_ = true;
    // The value last reported, handed to the before-change events as the old value.
    int lastValue_ = -1;
    int previousIndex_ = -1;
    bool buttonPressed_ = false;
    // Set while a choice made in the list is applied.
    bool userChange_ = false;
    // Set while RemoveAllItems clears the selection, which no handler may refuse.
    bool forcedChange_ = false;
    bool autoSizing_ = false;
    QPointer<TiModeComboBoxDisplay> dropDown_;
};
