#include "platform/GraphicsObject.h"

TGraphicsObject::TGraphicsObject(QObject* parent) : QObject(parent) {}

void TGraphicsObject::Changed() {
    if (batchDepth_ > 0) {
        batchChanged_ = true;
        return;
    }
    if (OnChange) OnChange(this);
}

TGraphicsObject::TChangeBatch::TChangeBatch(TGraphicsObject& object) : object_(object) {
    ++object_.batchDepth_;
}

TGraphicsObject::TChangeBatch::~TChangeBatch() {
    if (--object_.batchDepth_ > 0 || !object_.batchChanged_) return;
    object_.batchChanged_ = false;
    object_.Changed();
}
