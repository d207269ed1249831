// The demonstrator's main window: the controls of its stored description, the 50 ms timer
// cycle that drives the modulation model, the two input handlers and the phasor diagram drawn
// beside the controls.
#pragma once

#include "app/ModulationModel.h"
#include "platform/Bitmap.h"
#include "platform/Colors.h"

#include <QChar>
#include <QWidget>
#include <memory>
#include <optional>

class QTimer;

namespace Ui {
class TForm1;
}

class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The form's stored colour, the fill of the window and of both bitmaps.
    TColor Color() const;

    // The timer cycle. It hides QWidget::update, which the window reaches by its full name.
    void update();
    // The phone pad's key click; the key's character is not used.
    void clavier(QObject* sender, int keyCode, QChar character);
    // The combo box's text change.
    void modqam();

    const ModulationModel& Model() const { return model_; }
    // What the handlers last passed on.
    const std::optional<ModulationModel::TickResult>& LastTickResult() const { return lastTick_; }
    const std::optional<ModulationModel::KeyClickResult>& LastKeyClickResult() const {
        return lastKeyClick_;
    }
    const std::optional<ModulationModel::SymbolChangeResult>& LastSymbolChangeResult() const {
        return lastSymbolChange_;
    }
    const TBitmap& BackgroundBitmap() const { return background_; }
    const TBitmap& PhasorBitmap() const { return phasor_; }

protected:
    // The bitmaps are kept and shown on every repaint, so uncovering the window shows the last
    // diagram instead of a blank until the next tick.
    void paintEvent(QPaintEvent* event) override;

private:
    void LoadStoredDescription();
    void CreateBitmaps();
    void SetUpConstellation();
    void SetUpStripChart();
    void FillSymbolList();
    void DrawBackground();
    void DrawPhasorDiagram(const ModulationModel::TickResult& result);

    ModulationModel::TickInputs ReadTickInputs() const;

    void PassOn(const ModulationModel::TickResult& result);
    void PassOn(const std::optional<ModulationModel::KeyClickResult>& result);
    void PassOn(const ModulationModel::SymbolChangeResult& result);

    std::unique_ptr<Ui::TForm1> ui_;
    ModulationModel model_;
    TBitmap background_;
    TBitmap phasor_;
    QTimer* timer_;
    std::optional<ModulationModel::TickResult> lastTick_;
    std::optional<ModulationModel::KeyClickResult> lastKeyClick_;
    std::optional<ModulationModel::SymbolChangeResult> lastSymbolChange_;
};
