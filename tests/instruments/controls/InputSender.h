// Sends Qt mouse, key and focus events straight to a control, as the window system would,
// without showing it.
#pragma once

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

class InputSender {
public:
    explicit InputSender(QWidget& control) : control_(control) {}

    void Press(QPointF at, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(QEvent::MouseButtonPress, at, button, button);
    }
    void Release(QPointF at, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
    }
    void Move(QPointF at) { Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
    void Click(QPointF at) {
        Press(at);
        Release(at);
    }
    void Key(QEvent::Type type, int key, const QString& text = {}) {
        QKeyEvent event(type, key, Qt::NoModifier, text);
        QApplication::sendEvent(&control_, &event);
    }
    void Focus(QEvent::Type type) {
        QFocusEvent event(type, Qt::TabFocusReason);
        QApplication::sendEvent(&control_, &event);
    }

private:
    void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, control_.mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&control_, &event);
    }

    QWidget& control_;
};
