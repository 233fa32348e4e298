// Qt keys to virtual-key codes, shift states and typed bytes; the Windows-1252 table.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "editor/Commands.h"
#include "qt/Codepage1252.h"
#include "qt/KeyTranslation.h"
#include "qt/TypedText.h"

using namespace KeyTranslation;

namespace {
constexpr auto kNone = Qt::NoModifier;
constexpr auto kShift = Qt::ShiftModifier;
constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kAlt = Qt::AltModifier;
}  // namespace

TEST(KeyTranslation, ShiftStateIsShiftOneAltTwoCtrlFour) {
  EXPECT_EQ(ShiftStateOf(kNone), 0);
  EXPECT_EQ(ShiftStateOf(kShift), ssShift);
  EXPECT_EQ(ShiftStateOf(kAlt), ssAlt);
  EXPECT_EQ(ShiftStateOf(kCtrl), ssCtrl);
  EXPECT_EQ(ShiftStateOf(kCtrl | kShift), 5);
  EXPECT_EQ(ShiftStateOf(kCtrl | kAlt | kShift), 7);
  // Keypad and Meta are no part of the state.
  EXPECT_EQ(ShiftStateOf(Qt::KeypadModifier | Qt::MetaModifier | kCtrl), ssCtrl);
}

TEST(KeyTranslation, LettersAndDigitsAreUpperCaseAscii) {
  EXPECT_EQ(VirtualKey(Qt::Key_A, kNone), 'A');
  EXPECT_EQ(VirtualKey(Qt::Key_Z, kShift), 'Z');
  EXPECT_EQ(VirtualKey(Qt::Key_K, kCtrl), 'K');
  EXPECT_EQ(VirtualKey(Qt::Key_C, kCtrl | kAlt), 'C');
  EXPECT_EQ(VirtualKey(Qt::Key_0, kNone), '0');
  EXPECT_EQ(VirtualKey(Qt::Key_9, kCtrl), '9');
  // Keys without a code of their own.
  EXPECT_EQ(VirtualKey(Qt::Key_Comma, kNone), 0);
  EXPECT_EQ(VirtualKey(Qt::Key_Eacute, kNone), 0);
}

TEST(KeyTranslation, ShiftedDigitsKeepTheirDigitCode) {
  // The common US keyboard layout's characters, as Qt reports them with Shift.
  EXPECT_EQ(VirtualKey(Qt::Key_Percent, kCtrl | kShift), '5');
  EXPECT_EQ(VirtualKey(Qt::Key_ParenRight, kCtrl | kShift), '0');
  EXPECT_EQ(VirtualKey(Qt::Key_Exclam, kCtrl | kShift), '1');
  EXPECT_EQ(VirtualKey(Qt::Key_ParenLeft, kCtrl | kShift), '9');
  // Without Shift these characters are no digits.
  EXPECT_EQ(VirtualKey(Qt::Key_Asterisk, kNone), 0);
  // Another layout: the native virtual key (the platform's own code) tells the digit.
  EXPECT_EQ(VirtualKey(Qt::Key_section, kCtrl | kShift, '3', 0), '3');
  EXPECT_EQ(VirtualKey(Qt::Key_Egrave, kCtrl, 'q', 0), 'Q');
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  // Or the key code of the digit row.
  EXPECT_EQ(VirtualKey(Qt::Key_QuoteDbl, kCtrl | kShift, 0x22, 11), '2');
  EXPECT_EQ(VirtualKey(Qt::Key_Equal, kCtrl | kShift, 0x3D, 19), '0');
#endif
  // The same through an event.
  QKeyEvent ev(QEvent::KeyPress, Qt::Key_Dollar, kCtrl | kShift, 0, 0, 0, "$");
  EXPECT_EQ(VirtualKey(ev), '4');
}

TEST(KeyTranslation, NamedKeysGiveTheirVirtualKeyCodes) {
  EXPECT_EQ(VirtualKey(Qt::Key_Left, kNone), VK_LEFT);
  EXPECT_EQ(VirtualKey(Qt::Key_Up, kShift), VK_UP);
  EXPECT_EQ(VirtualKey(Qt::Key_Right, kCtrl), VK_RIGHT);
  EXPECT_EQ(VirtualKey(Qt::Key_Down, kNone), VK_DOWN);
  EXPECT_EQ(VirtualKey(Qt::Key_Home, kNone), VK_HOME);
  EXPECT_EQ(VirtualKey(Qt::Key_End, kNone), VK_END);
  EXPECT_EQ(VirtualKey(Qt::Key_PageUp, kNone), 33);
  EXPECT_EQ(VirtualKey(Qt::Key_PageDown, kNone), 34);
  EXPECT_EQ(VirtualKey(Qt::Key_Insert, kNone), VK_INSERT);
  EXPECT_EQ(VirtualKey(Qt::Key_Delete, kNone), VK_DELETE);
  EXPECT_EQ(VirtualKey(Qt::Key_Return, kNone), 13);
  EXPECT_EQ(VirtualKey(Qt::Key_Enter, Qt::KeypadModifier), 13);
  EXPECT_EQ(VirtualKey(Qt::Key_Backspace, kAlt), 8);
  EXPECT_EQ(VirtualKey(Qt::Key_Tab, kNone), 9);
  EXPECT_EQ(VirtualKey(Qt::Key_Escape, kNone), 27);
  EXPECT_EQ(VirtualKey(Qt::Key_Space, kCtrl), 32);
  EXPECT_EQ(VirtualKey(Qt::Key_F1, kNone), 0x70);
  EXPECT_EQ(VirtualKey(Qt::Key_F3, kNone), 0x72);
  EXPECT_EQ(VirtualKey(Qt::Key_F12, kNone), 0x7B);
  // Keypad digits have the keypad's codes; keypad navigation keys the usual ones.
  EXPECT_EQ(VirtualKey(Qt::Key_5, Qt::KeypadModifier), 0x65);
  EXPECT_EQ(VirtualKey(Qt::Key_Home, Qt::KeypadModifier), VK_HOME);
}

TEST(KeyTranslation, BacktabIsTabWithShift) {
  QKeyEvent ev(QEvent::KeyPress, Qt::Key_Backtab, kShift);
  EXPECT_EQ(VirtualKey(ev), VK_TAB);
  EXPECT_EQ(ShiftStateOf(ev.modifiers()), ssShift);
}

TEST(KeyTranslation, ModifierKeysAloneAreNotPassedOn) {
  for (int key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta, Qt::Key_AltGr,
                  Qt::Key_CapsLock}) {
    EXPECT_TRUE(IsModifierKey(key)) << key;
  }
  EXPECT_FALSE(IsModifierKey(Qt::Key_A));
  EXPECT_FALSE(IsModifierKey(Qt::Key_unknown));
  EXPECT_FALSE(IsModifierKey(Qt::Key_Tab));
}

// What a key types, as the document's bytes.
static std::string TypedBytes(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  return TypedText(TypedCharacters(key, modifiers, text), TCodePage::cp1252).Bytes;
}

TEST(KeyTranslation, TypedTextBecomesWindows1252Bytes) {
  EXPECT_EQ(TypedBytes(Qt::Key_A, kNone, "a"), "a");
  EXPECT_EQ(TypedBytes(Qt::Key_A, kShift, "A"), "A");
  EXPECT_EQ(TypedBytes(0x20AC, kNone, QString(QChar(0x20AC))), "\x80");
  EXPECT_EQ(TypedBytes(Qt::Key_Eacute, kNone, QString(QChar(0xE9))), "\xE9");
  // A character the code page cannot hold refuses what it came with, named whole (a pair
  // of surrogates too).
  const TTypedText refused =
      TypedText(QString::fromUtf8("x\xF0\x9F\x98\x80y\xC4\x80"), TCodePage::cp1252);
  EXPECT_EQ(refused.Bytes, "");
  EXPECT_EQ(refused.Refused, QString::fromUtf8("\xF0\x9F\x98\x80"));
  EXPECT_EQ(RefusalMessage(refused).toStdString(),
            "Cannot type \"\xF0\x9F\x98\x80\" (U+1F600): the document's character set, "
            "Windows-1252, has no such character.");
  EXPECT_EQ(RefusalMessage(TypedText(QString(QChar(0x42F)), TCodePage::cp1252)).left(20),
            QString::fromUtf8("Cannot type \"\xD0\xAF\" (U+042F)").left(20));
  // Under another code page its characters are typed as its bytes, one or two each.
  EXPECT_EQ(TypedText(QString::fromUtf8("\xD0\xAF"), TCodePage::cp1251).Bytes, "\xDF");
  EXPECT_EQ(TypedText(QString::fromUtf8("\xE6\x97\xA5"
                                        "a"),
                      TCodePage::cp932)
                .Bytes,
            "\x93\xFA"
            "a");
  EXPECT_EQ(RefusalMessage(TypedText(QString(QChar(0xE9)), TCodePage::cp932)).toStdString(),
            "Cannot type \"\xC3\xA9\" (U+00E9): the document's character set, Shift-JIS, has "
            "no such character.");
  // Keys that type control characters.
  EXPECT_EQ(TypedBytes(Qt::Key_Return, kNone, "\r"), "\r");
  EXPECT_EQ(TypedBytes(Qt::Key_Escape, kNone, "\x1b"), "\x1b");
  // Keys that type nothing, whatever text the platform reports.
  EXPECT_EQ(TypedBytes(Qt::Key_Delete, kNone, "\x7f"), "");
  EXPECT_EQ(TypedBytes(Qt::Key_Left, kNone, "x"), "");
  EXPECT_EQ(TypedBytes(Qt::Key_F5, kNone, "x"), "");
  EXPECT_EQ(TypedBytes(Qt::Key_Shift, kShift, "x"), "");
  EXPECT_EQ(TypedBytes(Qt::Key_A, kNone, ""), "");
}

TEST(KeyTranslation, CtrlAndAltChangeWhatIsTyped) {
  // Ctrl with a letter types its control code, whatever case the platform reports.
  EXPECT_EQ(TypedBytes(Qt::Key_B, kCtrl, "b"), "\x02");
  EXPECT_EQ(TypedBytes(Qt::Key_B, kCtrl, "\x02"), "\x02");
  EXPECT_EQ(TypedBytes(Qt::Key_BracketLeft, kCtrl, "["), "\x1b");
  EXPECT_EQ(TypedBytes(Qt::Key_5, kCtrl, "5"), "");
  // Alt alone types nothing; Ctrl+Alt (AltGr) types its character.
  EXPECT_EQ(TypedBytes(Qt::Key_A, kAlt, "a"), "");
  EXPECT_EQ(TypedBytes(Qt::Key_E, kCtrl | kAlt, QString(QChar(0x20AC))), "\x80");
  // Through an event.
  QKeyEvent ev(QEvent::KeyPress, Qt::Key_A, kCtrl, "a");
  EXPECT_EQ(TypedCharacters(ev), "\x01");
}

TEST(Codepage1252, EveryByteRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    const QChar c = Codepage1252::ToChar(static_cast<unsigned char>(b));
    ASSERT_TRUE(Codepage1252::FromChar(c).has_value()) << b;
    EXPECT_EQ(*Codepage1252::FromChar(c), b);
  }
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Codepage1252::FromQString(Codepage1252::ToQString(all), std::nullopt), all);
}

TEST(Codepage1252, TypographicCharactersAndUndefinedBytes) {
  EXPECT_EQ(Codepage1252::ToChar(0x80), QChar(0x20AC));
  EXPECT_EQ(Codepage1252::ToChar(0x85), QChar(0x2026));
  EXPECT_EQ(Codepage1252::ToChar(0x93), QChar(0x201C));
  EXPECT_EQ(Codepage1252::ToChar(0x9F), QChar(0x0178));
  EXPECT_EQ(Codepage1252::ToChar(0xE9), QChar(0xE9));
  for (int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(Codepage1252::ToChar(static_cast<unsigned char>(b)), QChar(b));
  }
  // The control characters whose bytes show typographic ones have no byte.
  EXPECT_FALSE(Codepage1252::FromChar(QChar(0x80)).has_value());
  EXPECT_FALSE(Codepage1252::FromChar(QChar(0x9F)).has_value());
  EXPECT_FALSE(Codepage1252::FromChar(QChar(0x0100)).has_value());
  EXPECT_EQ(Codepage1252::FromChar(QChar(0x0160)), 0x8A);
  // With a replacement every unknown character, a surrogate pair too, becomes one byte.
  EXPECT_EQ(Codepage1252::FromQString(QString::fromUtf8("a\xC4\x80"
                                                        "b\xF0\x9F\x98\x80"),
                                      '?'),
            "a?b?");
  // A lone surrogate is unknown as well.
  QString lone;
  lone.append(QChar(0xD800));
  lone.append(QChar('z'));
  EXPECT_EQ(Codepage1252::FromQString(lone, '?'), "?z");
}
