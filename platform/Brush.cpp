#include "platform/Brush.h"

#include "platform/PropertyDefaults.h"

namespace {

const PropertyDefaults::Registration defaults(TBrush::staticMetaObject,
                                              {
                                                  {"Color", clWhite},
                                                  {"Style", QVariant::fromValue(bsSolid)},
                                              });

} // namespace

TBrush::TBrush(QObject* parent) : TGraphicsObject(parent) {}

void TBrush::SetColor(TColor value) {
    Update(color_, value);
}

void TBrush::SetStyle(TBrushStyle value) {
    Update(style_, value);
}

void TBrush::Assign(const TBrush& source) {
    TChangeBatch batch(*this);
    SetColor(source.color_);
    SetStyle(source.style_);
}
