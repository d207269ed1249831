#include "instruments/framework/iControlEvents.h"

#include <array>
#include <utility>

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift;
    shift.setFlag(ssShift, modifiers.testFlag(Qt::ShiftModifier));
    shift.setFlag(ssAlt, modifiers.testFlag(Qt::AltModifier));
    shift.setFlag(ssCtrl, modifiers.testFlag(Qt::ControlModifier));
    shift.setFlag(ssLeft, buttons.testFlag(Qt::LeftButton));
    shift.setFlag(ssRight, buttons.testFlag(Qt::RightButton));
    shift.setFlag(ssMiddle, buttons.testFlag(Qt::MiddleButton));
    return shift;
}

std::optional<TMouseButton> MouseButtonFromQt(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return mbLeft;
    case Qt::RightButton:
        return mbRight;
    case Qt::MiddleButton:
        return mbMiddle;
    default:
        return std::nullopt;
    }
}

namespace {

// Keys of the numeric keypad have their own codes; elsewhere the same Qt key maps to the
// main-keyboard code.
uint16_t KeypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return uint16_t(VK_NUMPAD0 + (key - Qt::Key_0));
    switch (key) {
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Plus:
        return VK_ADD;
    case Qt::Key_Minus:
        return VK_SUBTRACT;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return VK_DECIMAL;
    case Qt::Key_Slash:
        return VK_DIVIDE;
    default:
        return 0;
    }
}

constexpr std::array<std::pair<int, uint16_t>, 27> NamedKeys{{
    {Qt::Key_Backspace, VK_BACK},   {Qt::Key_Tab, VK_TAB},           {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},    {Qt::Key_Enter, VK_RETURN},      {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},  {Qt::Key_Alt, VK_MENU},          {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},     {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},     {Qt::Key_PageDown, VK_NEXT},     {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},        {Qt::Key_Left, VK_LEFT},         {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},      {Qt::Key_Down, VK_DOWN},         {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},    {Qt::Key_Plus, VK_OEM_PLUS},     {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},  {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Equal, VK_OEM_PLUS},
}};

} // namespace

uint16_t VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (uint16_t keypad = KeypadKey(key)) return keypad;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return uint16_t(key); // Qt and the virtual keys share the ASCII codes here
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return uint16_t(VK_F1 + (key - Qt::Key_F1));
    for (const auto& [qtKey, virtualKey] : NamedKeys) {
        if (qtKey == key) return virtualKey;
    }
    return 0;
}
