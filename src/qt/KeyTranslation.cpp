#include "qt/KeyTranslation.h"

#include <optional>

#include "editor/Commands.h"

namespace {

constexpr uint16_t VK_CLEAR = 12;
constexpr uint16_t VK_PAUSE = 19;
constexpr uint16_t VK_SNAPSHOT = 44;
constexpr uint16_t VK_HELP = 47;
constexpr uint16_t VK_APPS = 93;
constexpr uint16_t VK_NUMPAD0 = 0x60;
constexpr uint16_t VK_MULTIPLY = 0x6A;
constexpr uint16_t VK_ADD = 0x6B;
constexpr uint16_t VK_SUBTRACT = 0x6D;
constexpr uint16_t VK_DECIMAL = 0x6E;
constexpr uint16_t VK_DIVIDE = 0x6F;
constexpr uint16_t VK_F1 = 0x70;

// Keys that have a virtual-key code of their own and type nothing.
std::optional<uint16_t> CommandKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Home:
      return VK_HOME;
    case Qt::Key_End:
      return VK_END;
    case Qt::Key_PageUp:
      return VK_PRIOR;
    case Qt::Key_PageDown:
      return VK_NEXT;
    case Qt::Key_Insert:
      return VK_INSERT;
    case Qt::Key_Delete:
      return VK_DELETE;
    case Qt::Key_Clear:
      return VK_CLEAR;
    case Qt::Key_Pause:
      return VK_PAUSE;
    case Qt::Key_Print:
      return VK_SNAPSHOT;
    case Qt::Key_Help:
      return VK_HELP;
    case Qt::Key_Menu:
      return VK_APPS;
    default:
      break;
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return VK_F1 + (qtKey - Qt::Key_F1);
  return std::nullopt;
}

// Keys that type a control character on the platform, as well as having a code.
std::optional<uint16_t> CharacterKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Space:
      return VK_SPACE;
    default:
      return std::nullopt;
  }
}

std::optional<uint16_t> KeypadKey(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return VK_NUMPAD0 + (qtKey - Qt::Key_0);
  switch (qtKey) {
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
      return std::nullopt;
  }
}

bool IsLetterOrDigit(uint32_t code) {
  return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z');
}

// The key's letter or digit when Qt reports the character Shift made of it.
uint16_t LetterOrDigitBehind(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeVirtualKey,
                             quint32 nativeScanCode) {
  // Some platforms report the virtual key itself, others the key symbol (lower-case for
  // letters).
  quint32 native = nativeVirtualKey;
  if (native >= 'a' && native <= 'z') native -= 'a' - 'A';
  if (IsLetterOrDigit(native)) return static_cast<uint16_t>(native);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  // Key codes of the digit row on Unix desktops: 10 is '1' ... 18 is '9', 19 is '0'.
  if (nativeScanCode >= 10 && nativeScanCode <= 19) {
    return static_cast<uint16_t>(nativeScanCode == 19 ? '0' : '1' + (nativeScanCode - 10));
  }
#else
  Q_UNUSED(nativeScanCode);
#endif
  if (modifiers & Qt::ShiftModifier) {
    static constexpr int kShiftedDigits[10] = {
        Qt::Key_ParenRight, Qt::Key_Exclam,   Qt::Key_At,          Qt::Key_NumberSign,
        Qt::Key_Dollar,     Qt::Key_Percent,  Qt::Key_AsciiCircum, Qt::Key_Ampersand,
        Qt::Key_Asterisk,   Qt::Key_ParenLeft};
    for (int d = 0; d < 10; ++d) {
      if (kShiftedDigits[d] == qtKey) return static_cast<uint16_t>('0' + d);
    }
  }
  return 0;
}

}  // namespace

namespace KeyTranslation {

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  return s;
}

std::optional<TMouseButton> MouseButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return TMouseButton::mbLeft;
    case Qt::RightButton:
      return TMouseButton::mbRight;
    case Qt::MiddleButton:
      return TMouseButton::mbMiddle;
    default:
      return std::nullopt;
  }
}

TShiftState MouseShiftStateOf(const QMouseEvent& event) {
  TShiftState shift = ShiftStateOf(event.modifiers());
  if (event.buttons() & Qt::LeftButton) shift |= ssLeft;
  if (event.buttons() & Qt::RightButton) shift |= ssRight;
  if (event.buttons() & Qt::MiddleButton) shift |= ssMiddle;
  return shift;
}

bool IsModifierKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Mode_switch:
      return true;
    default:
      return false;
  }
}

uint16_t VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeVirtualKey,
                    quint32 nativeScanCode) {
  if (auto vk = CommandKey(qtKey)) return *vk;
  if (auto vk = CharacterKey(qtKey)) return *vk;
  if (modifiers & Qt::KeypadModifier) {
    if (auto vk = KeypadKey(qtKey)) return *vk;
  }
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<uint16_t>(qtKey);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<uint16_t>(qtKey);
  return LetterOrDigitBehind(qtKey, modifiers, nativeVirtualKey, nativeScanCode);
}

uint16_t VirtualKey(const QKeyEvent& event) {
  return VirtualKey(event.key(), event.modifiers(), event.nativeVirtualKey(),
                    event.nativeScanCode());
}

QString TypedCharacters(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
  if (text.isEmpty() || CommandKey(qtKey) || IsModifierKey(qtKey)) return {};
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool alt = modifiers & Qt::AltModifier;
  if (alt && !ctrl) return {};
  if (!ctrl || alt) return text;
  // Ctrl alone: letters and @ [ \ ] ^ _ give their control codes, other characters none.
  QString codes;
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x20) {
      codes.append(c);
    } else if ((u >= 0x40 && u <= 0x5F) || (u >= 'a' && u <= 'z')) {
      codes.append(QChar(u & 0x1F));
    }
  }
  return codes;
}

QString TypedCharacters(const QKeyEvent& event) {
  return TypedCharacters(event.key(), event.modifiers(), event.text());
}

}  // namespace KeyTranslation
