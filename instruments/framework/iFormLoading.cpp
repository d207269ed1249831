#include "instruments/framework/iFormLoading.h"

#include "instruments/framework/iComponent.h"

namespace {

thread_local TiFormLoading* current = nullptr;

} // namespace

TiFormLoading::TiFormLoading(QWidget& form) : enclosing_(current) {
    if (auto* component = qobject_cast<TiComponent*>(&form)) Add(*component);
    for (TiComponent* component : form.findChildren<TiComponent*>())
        Add(*component);
    current = this;
}

TiFormLoading::~TiFormLoading() {
    End();
}

void TiFormLoading::Finish() {
    if (ended_) return;
    End();
    for (const QPointer<TiComponent>& component : components_) {
        if (component) component->Loaded();
    }
}

void TiFormLoading::Enlist(TiComponent& component) {
    if (current) current->Add(component);
}

void TiFormLoading::Add(TiComponent& component) {
    if (components_.contains(&component)) return;
    components_.append(&component);
    component.SetLoading(true);
}

void TiFormLoading::End() {
    if (ended_) return;
    ended_ = true;
    current = enclosing_;
    for (const QPointer<TiComponent>& component : components_) {
        if (component) component->SetLoading(false);
    }
}
