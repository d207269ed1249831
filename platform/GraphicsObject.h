// The common ground of pens, brushes and fonts: published properties whose setters report a
// real change once through OnChange.
#pragma once

#include <QObject>
#include <functional>

class TGraphicsObject : public QObject {
    Q_OBJECT

public:
    explicit TGraphicsObject(QObject* parent = nullptr);

    std::function<void(QObject* Sender)> OnChange;

protected:
    // Stores a different value and reports it; an equal value changes nothing.
    template <typename T> void Update(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Changed();
    }
    void Changed();

    // Collects the changes made while it lives (an Assign) into one notification.
    class TChangeBatch {
    public:
        explicit TChangeBatch(TGraphicsObject& object);
        ~TChangeBatch();
        TChangeBatch(const TChangeBatch&) = delete;
        TChangeBatch& operator=(const TChangeBatch&) = delete;

    private:
        TGraphicsObject& object_;
    };

private:
    int batchDepth_ = 0;
    bool batchChanged_ = false;
};
