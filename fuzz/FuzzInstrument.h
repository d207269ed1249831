// An instrument with a published property of every kind the property files know (and a font
// as sub-object, a stream value, and a setter that refuses negative values), whose setters
// only store: the loader, not the controls' drawing logic, is what its fuzzing exercises.
#pragma once

#include "instruments/framework/iCustomComponent.h"
#include "platform/Exception.h"
#include "platform/Font.h"

#include <memory>

class FuzzInstrument : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(int Count READ Count WRITE SetCount)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QChar Separator READ Separator WRITE SetSeparator)
    Q_PROPERTY(TKind Kind READ Kind WRITE SetKind)
    Q_PROPERTY(TFont::TFontStyles Styles READ Styles WRITE SetStyles)
    Q_PROPERTY(TColor FillColor READ FillColor WRITE SetFillColor)
    Q_PROPERTY(TFont* CaptionFont READ CaptionFont WRITE SetCaptionFont)
    Q_PROPERTY(int Positive READ Positive WRITE SetPositive)
    Q_PROPERTY(double Value_2 READ Value WRITE SetValue DESIGNABLE false)

public:
    enum TKind { ikFirst, ikSecond, ikThird };
    Q_ENUM(TKind)

    FuzzInstrument() : captionFont_(std::make_unique<TFont>()) {}

    int Count() const { return count_; }
    void SetCount(int value) { count_ = value; }
    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    double Value() const { return value_; }
    void SetValue(double value) { value_ = value; }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& value) { caption_ = value; }
    QChar Separator() const { return separator_; }
    void SetSeparator(QChar value) { separator_ = value; }
    TKind Kind() const { return kind_; }
    void SetKind(TKind value) { kind_ = value; }
    TFont::TFontStyles Styles() const { return styles_; }
    void SetStyles(TFont::TFontStyles value) { styles_ = value; }
    TColor FillColor() const { return fillColor_; }
    void SetFillColor(TColor value) { fillColor_ = value; }
    TFont* CaptionFont() const { return captionFont_.get(); }
    void SetCaptionFont(const TFont* value) { captionFont_->Assign(*value); }
    int Positive() const { return positive_; }
    void SetPositive(int value) {
        if (value < 0) throw Exception(QStringLiteral("Positive must not be negative"));
        positive_ = value;
    }

protected:
    void iPaintTo(TCanvas&) override {}

private:
    int count_ = 0;
    bool active_ = false;
    double value_ = 0;
    QString caption_;
    QChar separator_ = u',';
    TKind kind_ = ikFirst;
    TFont::TFontStyles styles_;
    TColor fillColor_ = 0;
    std::unique_ptr<TFont> captionFont_;
    int positive_ = 0;
};
