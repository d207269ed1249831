#include "plot/iPlotLegend.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyDefaults.h"
#include "platform/Rounding.h"
#include "plot/channels/iPlotChannelCustom.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotMasterManager.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

const PropertyDefaults::Registration defaults(TiPlotLegend::staticMetaObject,
                                              {
                                                  {"MarginLeft", 1.0},
                                                  {"MarginRight", 1.0},
                                                  {"MarginTop", 1.0},
                                                  {"MarginBottom", 1.0},
                                                  {"BackGroundColor", clGray},
                                                  {"BackGroundTransparent", true},
                                                  {"SelectedItemBackGroundColor", clYellow},
                                                  {"SelectedItemFont.Color", clBlack},
                                                  {"ShowColumnLine", true},
                                                  {"ShowColumnMarker", false},
                                                  {"ShowColumnXAxisTitle", false},
                                                  {"ShowColumnYAxisTitle", false},
                                                  {"ShowColumnXValue", false},
                                                  {"ShowColumnYValue", false},
                                                  {"ShowColumnYMax", false},
                                                  {"ShowColumnYMin", false},
                                                  {"ShowColumnYMean", false},
                                                  {"CaptionColumnTitle", "Title"},
                                                  {"CaptionColumnXAxisTitle", "X-Axis"},
                                                  {"CaptionColumnYAxisTitle", "Y-Axis"},
                                                  {"CaptionColumnXValue", "X"},
                                                  {"CaptionColumnYValue", "Y"},
                                                  {"CaptionColumnYMax", "Y-Max"},
                                                  {"CaptionColumnYMin", "Y-Min"},
                                                  {"CaptionColumnYMean", "Y-Mean"},
                                                  {"Font.Color", clWhite},
                                                  {"ColumnTitlesVisible", false},
                                                  {"ColumnTitlesFont.Color", clAqua},
                                                  {"ColumnTitlesFont.Style", qlonglong(fsBold)},
                                                  {"ColumnSpacing", 0.5},
                                                  {"RowSpacing", 0.25},
                                                  {"ChannelNameMaxWidth", 0.0},
                                                  {"WrapColDesiredCount", 1},
                                                  {"WrapColAutoCountEnabled", false},
                                                  {"WrapColAutoCountMax", 100},
                                                  {"WrapColSpacingMin", 2.0},
                                                  {"WrapColSpacingAuto", true},
                                                  {"WrapRowDesiredCount", 5},
                                                  {"WrapRowAutoCountEnabled", true},
                                                  {"WrapRowAutoCountMax", 100},
                                                  {"WrapRowSpacingMin", 0.25},
                                                  {"WrapRowSpacingAuto", false},
                                              });

using Column = TiPlotLegendColumn;

constexpr std::array<Column, PlotLegendColumnCount> AllColumns = {
    Column::Line,   Column::Marker, Column::Title, Column::XAxisTitle, Column::YAxisTitle,
    Column::XValue, Column::YValue, Column::YMax,  Column::YMin,       Column::YMean};

// The pieces of a 13-pixel line sample, from its start, each end excluded.
struct LinePiece {
    int From;
    int To;
};

std::vector<LinePiece> LinePattern(TiPlotLineStyle Style) {
    switch (Style) {
    case iplsDash:
        return {{0, 5}, {8, 13}};
    case iplsDot:
        return {{0, 2}, {4, 6}, {8, 10}};
    case iplsDashDot:
        return {{0, 5}, {7, 9}};
    case iplsDashDotDot:
        return {{0, 5}, {7, 9}, {11, 13}};
    default:
        return {{0, 13}};
    }
}

TiTextFlag AlongFlag(Column Which) {
    switch (Which) {
    case Column::Title:
        return itfHLeft;
    case Column::XAxisTitle:
    case Column::YAxisTitle:
        return itfHCenter;
    default:
        return itfHRight;
    }
}

// A count of pixels a layout adds up from many items, kept within the drawing range.
int PixelCount(int64_t Value) {
    return int(std::clamp<int64_t>(Value, -MaxPixelExtent, MaxPixelExtent));
}

int CeilDiv(int64_t A, int64_t B) {
    return int((A + B - 1) / B);
}

std::unique_ptr<TFont> ColoredFont(TColor Color, TFontStyles Style = {}) {
    auto font = std::make_unique<TFont>();
    font->SetColor(Color);
    font->SetStyle(Style);
    return font;
}

} // namespace

TiPlotLegendButton::TiPlotLegendButton(TiPlotHost* Owner, bool PointsUp)
    : TiPlotScrollButton(Owner, PointsUp) {
    SetName(PointsUp ? QStringLiteral("PlotLegendUpButton")
                     : QStringLiteral("PlotLegendDownButton"));
}

TiPlotLegend::TiPlotLegend(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotLayoutObject(Owner, Hooks), selectedItemFont_(ColoredFont(clBlack)),
      font_(ColoredFont(clWhite)), columnTitlesFont_(ColoredFont(clAqua, fsBold)),
      upButton_(new TiPlotLegendButton(Owner, true)),
      downButton_(new TiPlotLegendButton(Owner, false)) {
    InitHorizontal(false);
    showColumn_[size_t(Column::Line)] = true;
    showColumn_[size_t(Column::Title)] = true;
    captions_ = {QString(),
                 QString(),
                 QStringLiteral("Title"),
                 QStringLiteral("X-Axis"),
                 QStringLiteral("Y-Axis"),
                 QStringLiteral("X"),
                 QStringLiteral("Y"),
                 QStringLiteral("Y-Max"),
                 QStringLiteral("Y-Min"),
                 QStringLiteral("Y-Mean")};
    for (TFont* font : {selectedItemFont_.get(), font_.get(), columnTitlesFont_.get()})
        font->OnChange = [this](QObject*) { TriggerChange(this); };
    upButton_->OnClick = [this](QObject* sender) { UpButtonClick(sender); };
    downButton_->OnClick = [this](QObject* sender) { DownButtonClick(sender); };
    for (TiPlotLegendButton* button : {upButton_, downButton_}) {
        button->SetVisible(false);
        button->OnInvalidate = [this](QObject* sender) { ButtonInvalidate(sender); };
    }
}

TiPlotLegend::~TiPlotLegend() {
    ClearLegendRects();
    upButton_->Destroy();
    downButton_->Destroy();
}

// Properties ---------------------------------------------------------------------------------

void TiPlotLegend::SetCharacterFactor(double Value, double& Field) {
    // A negative margin or spacing made the rows overlap and the fitting counts divide by
    // zero or less.
    if (std::isnan(Value)) return;
    SetDoubleProperty(std::clamp(Value, 0.0, MaxCharacterFactor), Field,
                      &TiPlotObject::TriggerChange);
}

void TiPlotLegend::SetCount(int Value, int& Field) {
    SetIntegerProperty(std::max(1, Value), Field, &TiPlotObject::TriggerChange);
}

void TiPlotLegend::SetShowColumn(Column Which, bool Value) {
    SetBooleanProperty(Value, showColumn_[size_t(Which)], &TiPlotObject::TriggerChange);
}

void TiPlotLegend::SetCaption(Column Which, const QString& Value) {
    SetStringProperty(Value, captions_[size_t(Which)], &TiPlotObject::TriggerChange);
}

void TiPlotLegend::SetMarginLeft(double Value) {
    SetCharacterFactor(Value, marginLeft_);
}

void TiPlotLegend::SetMarginRight(double Value) {
    SetCharacterFactor(Value, marginRight_);
}

void TiPlotLegend::SetMarginTop(double Value) {
    SetCharacterFactor(Value, marginTop_);
}

void TiPlotLegend::SetMarginBottom(double Value) {
    SetCharacterFactor(Value, marginBottom_);
}

void TiPlotLegend::SetBackGroundColor(TColor Value) {
    SetColorProperty(Value, backGroundColor_, &TiPlotObject::TriggerChange);
}

void TiPlotLegend::SetBackGroundTransparent(bool Value) {
    SetBooleanProperty(Value, backGroundTransparent_, &TiPlotObject::TriggerChange);
}

void TiPlotLegend::SetSelectedItemBackGroundColor(TColor Value) {
    SetColorProperty(Value, selectedItemBackGroundColor_, &TiPlotObject::TriggerChange);
}

void TiPlotLegend::SetSelectedItemFont(const TFont* Value) {
    if (Value) selectedItemFont_->Assign(*Value);
}

void TiPlotLegend::SetShowColumnLine(bool Value) {
    SetShowColumn(Column::Line, Value);
}

void TiPlotLegend::SetShowColumnMarker(bool Value) {
    SetShowColumn(Column::Marker, Value);
}

void TiPlotLegend::SetShowColumnXAxisTitle(bool Value) {
    SetShowColumn(Column::XAxisTitle, Value);
}

void TiPlotLegend::SetShowColumnYAxisTitle(bool Value) {
    SetShowColumn(Column::YAxisTitle, Value);
}

void TiPlotLegend::SetShowColumnXValue(bool Value) {
    SetShowColumn(Column::XValue, Value);
}

void TiPlotLegend::SetShowColumnYValue(bool Value) {
    SetShowColumn(Column::YValue, Value);
}

void TiPlotLegend::SetShowColumnYMax(bool Value) {
    SetShowColumn(Column::YMax, Value);
}

void TiPlotLegend::SetShowColumnYMin(bool Value) {
    SetShowColumn(Column::YMin, Value);
}

void TiPlotLegend::SetShowColumnYMean(bool Value) {
    SetShowColumn(Column::YMean, Value);
}

void TiPlotLegend::SetCaptionColumnTitle(const QString& Value) {
    SetCaption(Column::Title, Value);
}

void TiPlotLegend::SetCaptionColumnXAxisTitle(const QString& Value) {
    SetCaption(Column::XAxisTitle, Value);
}

void TiPlotLegend::SetCaptionColumnYAxisTitle(const QString& Value) {
    SetCaption(Column::YAxisTitle, Value);
}

void TiPlotLegend::SetCaptionColumnXValue(const QString& Value) {
    SetCaption(Column::XValue, Value);
}

void TiPlotLegend::SetCaptionColumnYValue(const QString& Value) {
    SetCaption(Column::YValue, Value);
}

void TiPlotLegend::SetCaptionColumnYMax(const QString& Value) {
    SetCaption(Column::YMax, Value);
}

void TiPlotLegend::SetCaptionColumnYMin(const QString& Value) {
    SetCaption(Column::YMin, Value);
}

void TiPlotLegend::SetCaptionColumnYMean(const QString& Value) {
    SetCaption(Column::YMean, Value);
}

void TiPlotLegend::SetFont(const TFont* Value) {
    if (Value) font_->Assign(*Value);
}

void TiPlotLegend::SetColumnTitlesVisible(bool Value) {
    SetBooleanProperty(Value, columnTitlesVisible_, &TiPlotObject::TriggerChange);
}

void TiPlotLegend::SetColumnTitlesFont(const TFont* Value) {
    if (Value) columnTitlesFont_->Assign(*Value);
}

void TiPlotLegend::SetColumnSpacing(double Value) {
    SetCharacterFactor(Value, columnSpacing_);
}

void TiPlotLegend::SetRowSpacing(double Value) {
    SetCharacterFactor(Value, rowSpacing_);
}

void TiPlotLegend::SetChannelNameMaxWidth(double Value) {
    SetCharacterFactor(Value, channelNameMaxWidth_);
}

void TiPlotLegend::SetWrapColDesiredCount(int Value) {
    SetCount(Value, wrapColDesiredCount_);
}

void TiPlotLegend::SetWrapColAutoCountEnabled(bool Value) {
    SetBooleanProperty(Value, wrapColAutoCountEnabled_, &TiPlotObject::TriggerChange);
}

void TiPlotLegend::SetWrapColAutoCountMax(int Value) {
    SetCount(Value, wrapColAutoCountMax_);
}

void TiPlotLegend::SetWrapColSpacingMin(double Value) {
    SetCharacterFactor(Value, wrapColSpacingMin_);
}

void TiPlotLegend::SetWrapColSpacingAuto(bool Value) {
    SetBooleanProperty(Value, wrapColSpacingAuto_, &TiPlotObject::TriggerChange);
}

void TiPlotLegend::SetWrapRowDesiredCount(int Value) {
    SetCount(Value, wrapRowDesiredCount_);
}

void TiPlotLegend::SetWrapRowAutoCountEnabled(bool Value) {
    SetBooleanProperty(Value, wrapRowAutoCountEnabled_, &TiPlotObject::TriggerChange);
}

void TiPlotLegend::SetWrapRowAutoCountMax(int Value) {
    SetCount(Value, wrapRowAutoCountMax_);
}

void TiPlotLegend::SetWrapRowSpacingAuto(bool Value) {
    SetBooleanProperty(Value, wrapRowSpacingAuto_, &TiPlotObject::TriggerChange);
}

// Texts --------------------------------------------------------------------------------------

std::vector<TiPlotChannelCustom*> TiPlotLegend::Channels() const {
    std::vector<TiPlotChannelCustom*> channels;
    const TiPlotMasterManager* master = Owner() ? Owner()->GetMasterManager() : nullptr;
    if (!master) return channels;
    for (int i = 0; i < master->Count(TiPlotObjectKind::Channel); ++i)
        if (auto* channel =
                qobject_cast<TiPlotChannelCustom*>(master->Get(TiPlotObjectKind::Channel, i)))
            channels.push_back(channel);
    return channels;
}

TiPlotAxis* TiPlotLegend::LegendAxis(TiPlotChannelAxis* Axis) {
    return dynamic_cast<TiPlotAxis*>(Axis);
}

QString TiPlotLegend::GetTitleText(const TiPlotChannelCustom& Channel) const {
    return Channel.TitleText().trimmed().isEmpty() ? Channel.Name() : Channel.TitleText();
}

QString TiPlotLegend::AxisNameText(const TiPlotAxis* Axis) const {
    if (!Axis) return GetTranslation(QStringLiteral("None"));
    return Axis->Title().trimmed().isEmpty() ? Axis->Name() : Axis->Title();
}

QString TiPlotLegend::ValueText(TiPlotAxis* Axis, bool Empty, double Value) const {
    if (!Axis) return GetTranslation(QStringLiteral("N/A"));
    if (Empty) return GetTranslation(QStringLiteral("Empty"));
    return Axis->GetLegendText(Value);
}

QString TiPlotLegend::GetXAxisNameText(const TiPlotChannelCustom& Channel) const {
    return AxisNameText(LegendAxis(Channel.XAxis()));
}

QString TiPlotLegend::GetYAxisNameText(const TiPlotChannelCustom& Channel) const {
    return AxisNameText(LegendAxis(Channel.YAxis()));
}

QString TiPlotLegend::GetXAxisValueText(const TiPlotChannelCustom& Channel) const {
    if (cursorValuesMode_) return Channel.DataCursorXText();
    const int count = Channel.GetCount();
    return ValueText(LegendAxis(Channel.XAxis()), count == 0,
                     count == 0 ? 0 : Channel.GetDataX(count - 1));
}

QString TiPlotLegend::GetYAxisValueText(const TiPlotChannelCustom& Channel) const {
    if (cursorValuesMode_) return Channel.DataCursorYText();
    const int count = Channel.GetCount();
    return ValueText(LegendAxis(Channel.YAxis()), count == 0,
                     count == 0 ? 0 : Channel.GetDataY(count - 1));
}

// The statistics hold nothing while no point counted (none, or only Null and non-finite
// ones): their sentinels of -1e300 and 1e300 are no value to show.
QString TiPlotLegend::GetYAxisMaxText(const TiPlotChannelCustom& Channel) const {
    const TiPlotChannelStatistics& statistics = Channel.Statistics();
    return ValueText(LegendAxis(Channel.YAxis()), statistics.Count == 0, statistics.YMax);
}

QString TiPlotLegend::GetYAxisMinText(const TiPlotChannelCustom& Channel) const {
    const TiPlotChannelStatistics& statistics = Channel.Statistics();
    return ValueText(LegendAxis(Channel.YAxis()), statistics.Count == 0, statistics.YMin);
}

QString TiPlotLegend::GetYAxisMeanText(const TiPlotChannelCustom& Channel) const {
    const TiPlotChannelStatistics& statistics = Channel.Statistics();
    return ValueText(LegendAxis(Channel.YAxis()), statistics.Count == 0, statistics.YMean());
}

QString TiPlotLegend::CellText(const TiPlotChannelCustom& Channel, Column Which) const {
    switch (Which) {
    case Column::Title:
        return GetTitleText(Channel);
    case Column::XAxisTitle:
        return GetXAxisNameText(Channel);
    case Column::YAxisTitle:
        return GetYAxisNameText(Channel);
    case Column::XValue:
        return GetXAxisValueText(Channel);
    case Column::YValue:
        return GetYAxisValueText(Channel);
    case Column::YMax:
        return GetYAxisMaxText(Channel);
    case Column::YMin:
        return GetYAxisMinText(Channel);
    case Column::YMean:
        return GetYAxisMeanText(Channel);
    default:
        return {};
    }
}

// Layout -------------------------------------------------------------------------------------

void TiPlotLegend::CalcRects(TCanvas& Canvas) {
    CalcMarginsAndSpacings(Canvas);
    ListItems();
    CalcTitleColumn(Canvas);
    CalcCaptionRow(Canvas);
    CalcColumnWidths(Canvas);
    CalcColumnOffsets();
    const int n = int(items_.size());
    CalcCounts(n);
    CalcRequiredSize(n);
    PlaceScrollButtons();
    CalcAutoSpacings(n);
    PlaceItems();
}

void TiPlotLegend::CalcMarginsAndSpacings(TCanvas& Canvas) {
    TiPlotLegendMetrics& m = metrics_;
    Canvas.SetFont(font_.get());
    m.CharWidth = BoundPixelSize(iTextWidth(&Canvas, QStringLiteral("0")));
    m.CharHeight = BoundPixelSize(iTextHeight(&Canvas, QStringLiteral("0")));
    auto scaled = [](int size, double factor) { return BoundPixelSize(Round(size * factor)); };
    m.MarginTop = scaled(m.CharHeight, marginTop_);
    m.MarginBottom = scaled(m.CharHeight, marginBottom_);
    m.MarginLeft = scaled(m.CharWidth, marginLeft_);
    m.MarginRight = scaled(m.CharWidth, marginRight_);
    const TRect d = DrawRect();
    m.InnerRect = {d.Left + m.MarginLeft, d.Top + m.MarginTop, d.Right - m.MarginRight,
                   d.Bottom - m.MarginBottom};
    m.ColumnSpacing = scaled(m.CharWidth, columnSpacing_);
    m.RowSpacing = scaled(m.CharHeight, rowSpacing_);
    m.WrapSpacing = scaled(m.CharHeight, wrapColSpacingMin_);
    m.ColumnShown = showColumn_;
    m.ColumnShown[size_t(Column::XValue)] = ShowColumnXValue() || cursorValuesMode_;
    m.ColumnShown[size_t(Column::YValue)] = ShowColumnYValue() || cursorValuesMode_;
}

void TiPlotLegend::ListItems() {
    items_.clear();
    for (TiPlotChannelCustom* channel : Channels())
        if (channel->VisibleInLegend()) items_.push_back({channel});
    scrollIndex_ = std::clamp(scrollIndex_, 0, std::max(0, int(items_.size()) - 1));
}

void TiPlotLegend::CalcTitleColumn(TCanvas& Canvas) {
    TiPlotLegendMetrics& m = metrics_;
    const bool fixedWidth = channelNameMaxWidth_ != 0;
    int width = fixedWidth ? BoundPixelSize(Round(m.CharWidth * channelNameMaxWidth_)) : 0;
    m.ItemHeight = m.CharHeight;
    for (TiPlotLegendItem& item : items_) {
        if (!item.Channel) continue;
        const QString title = GetTitleText(*item.Channel);
        item.Height = fixedWidth ? 0 : m.CharHeight;
        for (const TFont* font : {font_.get(), selectedItemFont_.get()}) {
            Canvas.SetFont(font);
            if (fixedWidth)
                item.Height = std::max(item.Height, iTextHeightFixedWidth(&Canvas, title, width));
            else
                width = std::max(width, iTextWidth(&Canvas, title));
        }
        item.Height = BoundPixelSize(item.Height);
    }
    if (fixedWidth && !items_.empty())
        m.ItemHeight =
            std::max_element(items_.begin(), items_.end(), [](const auto& a, const auto& b) {
                return a.Height < b.Height;
            })->Height;
    m.ColumnWidth[size_t(Column::Title)] = BoundPixelSize(width);
}

void TiPlotLegend::CalcCaptionRow(TCanvas& Canvas) {
    TiPlotLegendMetrics& m = metrics_;
    m.TitleHeight = 0;
    m.TitleGap = 0;
    if (!columnTitlesVisible_) return;
    Canvas.SetFont(columnTitlesFont_.get());
    m.TitleHeight = BoundPixelSize(iTextHeight(&Canvas, QStringLiteral("0")));
    m.TitleGap = m.TitleHeight / 4;
}

void TiPlotLegend::CalcColumnWidths(TCanvas& Canvas) {
    TiPlotLegendMetrics& m = metrics_;
    for (Column which : AllColumns) {
        int& width = m.ColumnWidth[size_t(which)];
        if (which == Column::Line || which == Column::Marker)
            width = SampleWidth;
        else if (which == Column::XValue || which == Column::YValue)
            width = ValueColumnWidth(Canvas, which);
        else if (which != Column::Title) {
            width = 0;
            Canvas.SetFont(font_.get());
            for (const TiPlotLegendItem& item : items_)
                if (item.Channel)
                    width = std::max(width, iTextWidth(&Canvas, CellText(*item.Channel, which)));
        }
        if (columnTitlesVisible_ && m.ColumnShown[size_t(which)]) {
            Canvas.SetFont(columnTitlesFont_.get());
            width = std::max(width, iTextWidth(&Canvas, GetTranslation(Caption(which))));
        }
        width = BoundPixelSize(width);
    }
}

int TiPlotLegend::ValueColumnWidth(TCanvas& Canvas, Column Which) const {
    if (!metrics_.ColumnShown[size_t(Which)]) return 0;
    const bool x = Which == Column::XValue;
    int64_t width = 0;
    for (const TiPlotLegendItem& item : items_) {
        if (!item.Channel) continue;
        const TiPlotChannelCustom& channel = *item.Channel;
        TiPlotAxis* axis = LegendAxis(x ? channel.XAxis() : channel.YAxis());
        if (cursorValuesMode_) {
            if (axis)
                width =
                    std::max<int64_t>(width, axis->GetRequiredCursorLength(Canvas, font_.get()));
            const QString text = x ? channel.DataCursorXText() : channel.DataCursorYText();
            width = std::max<int64_t>(width, int64_t(metrics_.CharWidth) * text.size());
        } else {
            if (axis)
                width =
                    std::max<int64_t>(width, axis->GetRequiredLegendLength(Canvas, font_.get()));
            Canvas.SetFont(font_.get());
            width = std::max<int64_t>(width, iTextWidth(&Canvas, CellText(channel, Which)));
        }
    }
    return BoundAutoSize(width);
}

void TiPlotLegend::CalcColumnOffsets() {
    TiPlotLegendMetrics& m = metrics_;
    int64_t x = 0;
    int64_t end = 0;
    for (Column which : AllColumns) {
        if (!m.ColumnShown[size_t(which)]) continue;
        m.ColumnOffset[size_t(which)] = PixelCount(x);
        end = x + m.ColumnWidth[size_t(which)];
        x = end + m.ColumnSpacing;
    }
    m.ItemWidth = PixelCount(end);
}

TRect TiPlotLegend::ItemArea() const {
    const TRect& inner = metrics_.InnerRect;
    return {inner.Left, inner.Top + metrics_.TitleHeight + metrics_.TitleGap, inner.Right,
            inner.Bottom};
}

void TiPlotLegend::CalcCounts(int ItemCount) {
    TiPlotLegendMetrics& m = metrics_;
    const TRect area = ItemArea();
    const int buttonRoom = Horizontal() ? ButtonRoom : 0;
    // Every divisor and count at least 1: spacings of 0 with rows or columns of no extent
    // divided by zero.
    m.RowsFit = int(std::max<int64_t>(1, (int64_t(area.Height()) + m.RowSpacing) /
                                             std::max(1, m.RowSpacing + m.ItemHeight)));
    m.ColumnsFit = int(std::max<int64_t>(1, (int64_t(area.Width()) - buttonRoom + m.WrapSpacing) /
                                                std::max(1, m.WrapSpacing + m.ItemWidth)));
    const int n = std::max(1, ItemCount);
    int64_t columns = wrapColAutoCountEnabled_ ? wrapColAutoCountMax_ : wrapColDesiredCount_;
    const int64_t rowLimit = wrapRowAutoCountEnabled_ ? wrapRowAutoCountMax_ : wrapRowDesiredCount_;
    int64_t rows = 0;
    if (Horizontal()) {
        columns = std::min<int64_t>(columns, m.ColumnsFit);
        rows = wrapRowAutoCountEnabled_ ? CeilDiv(n, columns) : rowLimit;
        rows = std::min(rows, rowLimit);
        if (rows < 3 && rows * columns < ItemCount) rows = 3;
        if (wrapColAutoCountEnabled_) columns = std::min<int64_t>(columns, CeilDiv(n, rows));
    } else {
        if (wrapColAutoCountEnabled_) columns = CeilDiv(n, m.RowsFit);
        columns = std::min<int64_t>(columns, wrapColAutoCountMax_);
        rows = std::min<int64_t>({m.RowsFit, n, rowLimit});
        if (rows < 3 && rows * columns < ItemCount) rows = 3;
    }
    m.WrapColumns = int(std::max<int64_t>(1, columns));
    m.Rows = ItemCount == 0 ? 0 : int(std::max<int64_t>(1, rows));
}

void TiPlotLegend::CalcRequiredSize(int ItemCount) {
    TiPlotLegendMetrics& m = metrics_;
    // A legend listing nothing needs only its margins: counting one wrap column less spacing
    // than columns made its width negative.
    int64_t width = int64_t(m.MarginLeft) + m.MarginRight;
    int64_t height = int64_t(m.MarginTop) + m.MarginBottom;
    if (ItemCount > 0) {
        width += int64_t(m.WrapColumns) * m.ItemWidth + int64_t(m.WrapColumns - 1) * m.WrapSpacing;
        height += int64_t(m.TitleHeight) + m.TitleGap +
                  int64_t(m.ItemHeight + m.RowSpacing) * m.Rows - m.RowSpacing;
    }
    m.ButtonsShown = int64_t(m.Rows) * m.WrapColumns < ItemCount;
    if (m.ButtonsShown) width += ButtonRoom;
    m.RequiredWidth = BoundAutoSize(width);
    m.RequiredHeight = BoundAutoSize(height);
}

void TiPlotLegend::PlaceScrollButtons() {
    const TRect area = ItemArea();
    upButton_->SetDrawRect({area.Right - ButtonSize, area.Top, area.Right, area.Top + ButtonSize});
    downButton_->SetDrawRect(
        {area.Right - ButtonSize, area.Bottom - ButtonSize, area.Right, area.Bottom});
    upButton_->SetVisible(metrics_.ButtonsShown);
    downButton_->SetVisible(metrics_.ButtonsShown);
    if (!metrics_.ButtonsShown) scrollIndex_ = 0;
    // The down button's state needs the placement; the up button's is known now.
    upButton_->SetEnabled(scrollIndex_ > 0);
}

void TiPlotLegend::CalcAutoSpacings(int ItemCount) {
    TiPlotLegendMetrics& m = metrics_;
    const TRect area = ItemArea();
    const int columns = m.WrapColumns;
    if (wrapColSpacingAuto_ && Horizontal() && columns > 1)
        m.WrapSpacing = BoundPixelSize(Round(
            (double(area.Width()) - ButtonRoom - double(columns) * m.ItemWidth) / (columns - 1)));
    const int firstColumn = std::min(m.Rows, ItemCount - scrollIndex_);
    if (wrapRowSpacingAuto_ && !Horizontal() && firstColumn > 1)
        m.RowSpacing = BoundPixelSize(Round(
            (double(area.Height()) - double(m.ItemHeight) * firstColumn) / (firstColumn - 1)));
}

void TiPlotLegend::PlaceItems() {
    const TiPlotLegendMetrics& m = metrics_;
    const TRect area = ItemArea();
    wrapColumnLefts_.clear();
    lastShownIndex_ = scrollIndex_ - 1;
    int column = 1;
    int row = 0;
    for (int i = scrollIndex_; i < int(items_.size()); ++i) {
        if (row == m.Rows) {
            ++column;
            row = 0;
        }
        if (column > m.WrapColumns) break;
        ++row;
        TiPlotLegendItem& item = items_[size_t(i)];
        item.WrapColumn = column;
        item.WrapRow = row;
        item.Left = PixelCount(area.Left + int64_t(m.ItemWidth + m.WrapSpacing) * (column - 1));
        item.Top = PixelCount(area.Top + int64_t(m.ItemHeight + m.RowSpacing) * (row - 1));
        if (row == 1) wrapColumnLefts_.push_back(item.Left);
        lastShownIndex_ = i;
    }
    if (items_.empty()) lastShownIndex_ = -1;
    downButton_->SetEnabled(lastShownIndex_ < int(items_.size()) - 1);
}

int TiPlotLegend::GetRequiredWidth(TCanvas& Canvas) {
    TiPlotObjectGuard guard(*this);
    CalcRects(Canvas);
    if (guard.Destroyed()) return 0;
    return Horizontal() ? metrics_.RequiredHeight : metrics_.RequiredWidth;
}

// Drawing ------------------------------------------------------------------------------------

void TiPlotLegend::Draw(TCanvas& Canvas, TColor) {
    ClearLegendRects();
    if (!Visible()) return;
    // The value texts run the axes' label handlers, which may delete this legend.
    TiPlotObjectGuard guard(*this);
    CalcRects(Canvas);
    if (guard.Destroyed() || items_.empty()) return;
    if (!backGroundTransparent_) {
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(backGroundColor_);
        Canvas.FillRect(DrawRect());
    }
    if (columnTitlesVisible_) DrawCaptions(Canvas);
    for (const TiPlotLegendItem& item : items_)
        if (item.Placed() && item.Channel) {
            rectChannels_.push_back(item.Channel);
            DrawItem(Canvas, item);
        }
    upButton_->Draw(Canvas, clBtnFace);
    downButton_->Draw(Canvas, clBtnFace);
    if (UserSelected()) DrawFocus(Canvas);
}

// Clearing only the rows this legend set keeps a hidden, deleted or empty legend from leaving
// its channels hit where their rows were, and leaves other legends' rows alone.
void TiPlotLegend::ClearLegendRects() {
    for (const QPointer<TiPlotChannelCustom>& channel : rectChannels_)
        if (channel) channel->SetLegendRect({});
    rectChannels_.clear();
}

void TiPlotLegend::DrawCaptions(TCanvas& Canvas) const {
    const TiPlotLegendMetrics& m = metrics_;
    Canvas.SetFont(columnTitlesFont_.get());
    Canvas.Brush()->SetStyle(bsClear);
    const int top = m.InnerRect.Top;
    for (int left : wrapColumnLefts_)
        for (Column which : AllColumns) {
            const size_t c = size_t(which);
            if (!m.ColumnShown[c] || which == Column::Line || which == Column::Marker) continue;
            TRect cell{left + m.ColumnOffset[c], top, left + m.ColumnOffset[c] + m.ColumnWidth[c],
                       top + m.TitleHeight};
            iDrawText(&Canvas, GetTranslation(Caption(which)), cell,
                      {itfVCenter, itfSingleLine, itfNoClip, AlongFlag(which)});
        }
}

void TiPlotLegend::DrawItem(TCanvas& Canvas, const TiPlotLegendItem& Item) const {
    const TiPlotLegendMetrics& m = metrics_;
    TiPlotChannelCustom& channel = *Item.Channel;
    const int x = Item.Left;
    const int y = Item.Top;
    const int centre = y + m.CharHeight / 2;
    const int titleLeft = x + m.ColumnOffset[size_t(Column::Title)];
    const TRect cell{titleLeft, y, titleLeft + m.ColumnWidth[size_t(Column::Title)] + 1,
                     y + Item.Height};
    channel.SetLegendRect(cell);
    if (m.ColumnShown[size_t(Column::Line)])
        DrawLineSample(Canvas, channel, {x + m.ColumnOffset[size_t(Column::Line)], centre});
    if (m.ColumnShown[size_t(Column::Marker)])
        channel.DrawMarker(Canvas, -1, {x + m.ColumnOffset[size_t(Column::Marker)] + 8, centre});
    DrawTitle(Canvas, channel, cell);
    Canvas.SetFont(font_.get());
    Canvas.Brush()->SetStyle(bsClear);
    // A label handler behind a value text may delete the channel.
    for (Column which : AllColumns)
        if (which > Column::Title && m.ColumnShown[size_t(which)] && Item.Channel)
            DrawCell(Canvas, CellText(*Item.Channel, which), which, {x, y});
}

void TiPlotLegend::DrawLineSample(TCanvas& Canvas, const TiPlotChannelCustom& Channel,
                                  TPoint Start) const {
    Canvas.Pen()->SetStyle(psSolid);
    Canvas.Pen()->SetWidth(1);
    Canvas.Pen()->SetColor(Channel.Color());
    for (const LinePiece& piece : LinePattern(Channel.TraceLineStyle()))
        for (int y = Start.Y - 1; y <= Start.Y + 1; ++y)
            Line(&Canvas, Start.X + piece.From, y, Start.X + piece.To, y);
}

void TiPlotLegend::DrawTitle(TCanvas& Canvas, const TiPlotChannelCustom& Channel,
                             const TRect& Cell) const {
    const bool selected = Channel.UserSelected();
    if (selected) {
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(selectedItemBackGroundColor_);
        Canvas.FillRect(Cell);
    }
    Canvas.SetFont(selected ? selectedItemFont_.get() : font_.get());
    Canvas.Brush()->SetStyle(bsClear);
    TRect rect = Cell;
    iDrawText(&Canvas, GetTitleText(Channel), rect,
              {itfHLeft, itfVTop, itfWordBreak, itfWordEllipsis});
}

void TiPlotLegend::DrawCell(TCanvas& Canvas, const QString& Text, Column Which,
                            TPoint RowOrigin) const {
    const TiPlotLegendMetrics& m = metrics_;
    const int left = RowOrigin.X + m.ColumnOffset[size_t(Which)];
    TRect cell{left, RowOrigin.Y, left + m.ColumnWidth[size_t(Which)], RowOrigin.Y + m.CharHeight};
    const TiTextFlag along =
        Which == Column::XAxisTitle || Which == Column::YAxisTitle ? itfHLeft : itfHRight;
    iDrawText(&Canvas, Text, cell, {itfVCenter, itfSingleLine, along});
}

void TiPlotLegend::DrawFocus(TCanvas& Canvas) const {
    TRect focus = DrawRect();
    if (Horizontal()) {
        focus.Top += 2;
        focus.Bottom -= 2;
    } else {
        focus.Left += 2;
        focus.Right -= 2;
    }
    Canvas.Brush()->SetStyle(bsClear);
    iDrawFocusRect2(&Canvas, focus);
}

// Input --------------------------------------------------------------------------------------

void TiPlotLegend::UpButtonClick(QObject*) {
    if (scrollIndex_ <= 0) return;
    --scrollIndex_;
    TriggerChange(this);
}

void TiPlotLegend::DownButtonClick(QObject*) {
    if (scrollIndex_ >= int(items_.size()) - 1) return;
    ++scrollIndex_;
    TriggerChange(this);
}

void TiPlotLegend::ButtonInvalidate(QObject*) {
    Notify(OnInvalidateNow);
}

TiPlotObject* TiPlotLegend::GetMouseObject(int X, int Y) {
    TiPlotObject* found = ObjectAt({X, Y});
    SetMouseObject(found);
    return found;
}

TiPlotObject* TiPlotLegend::ObjectAt(TPoint Point) {
    for (TiPlotLegendButton* button : {upButton_, downButton_})
        if (button->Visible() && button->DrawRect().Contains(Point)) return button;
    for (TiPlotChannelCustom* channel : Channels())
        if (channel->VisibleInLegend() && channel->LegendRect().Contains(Point)) return channel;
    return this;
}

void TiPlotLegend::DoMouseUp(const TiPlotMouseData& MouseData) {
    if (MouseIsDown() && DrawRect().Contains({MouseData.X, MouseData.Y}) && Owner())
        Owner()->DoObjectClick(this);
}

void TiPlotLegend::NotificationRemove(QObject* Object) {
    TiPlotLayoutObject::NotificationRemove(Object);
    if (MouseObject() == Object) SetMouseObject(nullptr);
    // Only forgotten: the layout may be walking the items when a label handler it called
    // deletes a channel.
    for (TiPlotLegendItem& item : items_)
        if (item.Channel == Object) item.Channel = nullptr;
}

void TiPlotLegend::NotificationSetFocus(QObject* Object) {
    if (Object != this && UserSelected()) SetUserSelected(false);
}

void TiPlotLegend::AddMenuItems(QMenu* PopupMenu) {
    TiPlotLayoutObject::AddMenuItems(PopupMenu);
    AddEditMenuItems(PopupMenu);
}
