// Applies a form's stored description as the toolkit streams a form in: every instrument
// control on the form reports GetLoading while the values are set, and each is told Loaded
// once all of them are.
#pragma once

#include <QList>
#include <QPointer>

class QWidget;
class TiComponent;

// Used around the generated set-up of a form:
//
//     TiFormLoading loading(*this);
//     ui.setupUi(this);
//     loading.Finish();
class TiFormLoading {
public:
    // The controls already on the form load, and so does every control constructed while
    // this lives.
    explicit TiFormLoading(QWidget& form);
    // Without Finish (the set-up raised) the flags are cleared and no control hears Loaded.
    ~TiFormLoading();
    TiFormLoading(const TiFormLoading&) = delete;
    TiFormLoading& operator=(const TiFormLoading&) = delete;

    // Clears every loading flag first, so that each Loaded sees the whole form loaded.
    void Finish();

    // Called by each control as it is constructed.
    static void Enlist(TiComponent& component);

private:
    void Add(TiComponent& component);
    void End();

    QList<QPointer<TiComponent>> components_;
    TiFormLoading* enclosing_;
    bool ended_ = false;
};
