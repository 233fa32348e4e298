#pragma once
// Qt keys to the control's key input: virtual-key codes with a shift state (Shift 1,
// Alt 2, Ctrl 4), and typed characters as Windows-1252 bytes.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Types.h"

namespace KeyTranslation {

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);

// The control's button for a Qt mouse button; none for the extra buttons.
std::optional<TMouseButton> MouseButtonOf(Qt::MouseButton button);
// Shift, Alt and Ctrl plus the buttons held.
TShiftState MouseShiftStateOf(const QMouseEvent& event);

// Shift, Ctrl, Alt, Meta and the like pressed alone: not passed on, so that pressing a
// modifier again between the two keys of a chord does not end the chord.
bool IsModifierKey(int qtKey);

// Virtual-key code of a key, 0 when it has none. Letters and digits give their upper-case
// ASCII code also when Shift turns the key into another character: the native key code
// and scan code are tried, then the shifted digits of the common US keyboard layout.
uint16_t VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeVirtualKey = 0,
                    quint32 nativeScanCode = 0);
uint16_t VirtualKey(const QKeyEvent& event);

// The characters a key types (qt/TypedText.h makes them the document's bytes). Keys that
// type nothing on the platform (arrows, Delete, function keys, ...) give none; Ctrl with a
// letter gives its control code; Alt alone gives none (Ctrl+Alt, the AltGr of some
// layouts, types its characters).
QString TypedCharacters(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);
QString TypedCharacters(const QKeyEvent& event);

}  // namespace KeyTranslation
