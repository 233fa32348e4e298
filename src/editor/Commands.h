#pragma once
// Command codes: 0..255 type a character, 257..425 are named commands. Every other code
// is accepted by Command and does nothing.
#include <cstdint>

using TEditCommand = uint16_t;

constexpr TEditCommand cmdChar = 0;
constexpr TEditCommand cmdCaretLeft = 257;
constexpr TEditCommand cmdCaretUp = 258;
constexpr TEditCommand cmdCaretRight = 259;
constexpr TEditCommand cmdCaretDown = 260;
constexpr TEditCommand cmdSelectLeft = 265;
constexpr TEditCommand cmdSelectUp = 266;
constexpr TEditCommand cmdSelectRight = 267;
constexpr TEditCommand cmdSelectDown = 268;
constexpr TEditCommand cmdWordLeft = 269;
constexpr TEditCommand cmdWordRight = 270;
constexpr TEditCommand cmdSelectWordLeft = 271;
constexpr TEditCommand cmdSelectWordRight = 272;
constexpr TEditCommand cmdSelectWord = 273;
constexpr TEditCommand cmdWindowTop = 274;
constexpr TEditCommand cmdWindowBottom = 275;
constexpr TEditCommand cmdPageUp = 276;
constexpr TEditCommand cmdPageDown = 277;
constexpr TEditCommand cmdSelectPageUp = 278;
constexpr TEditCommand cmdSelectPageDown = 279;
constexpr TEditCommand cmdLineStart = 280;
constexpr TEditCommand cmdLineEnd = 281;
constexpr TEditCommand cmdDocumentStart = 282;
constexpr TEditCommand cmdDocumentEnd = 283;
constexpr TEditCommand cmdSelectLineStart = 284;
constexpr TEditCommand cmdSelectLineEnd = 285;
constexpr TEditCommand cmdSelectDocumentStart = 286;
constexpr TEditCommand cmdSelectDocumentEnd = 287;
constexpr TEditCommand cmdSelectAll = 288;
constexpr TEditCommand cmdScrollLineUp = 289;
constexpr TEditCommand cmdScrollLineDown = 290;
constexpr TEditCommand cmdBlockInclusive = 356;
constexpr TEditCommand cmdBlockLine = 357;
constexpr TEditCommand cmdBlockColumn = 358;
constexpr TEditCommand cmdBlockNonInclusive = 359;
constexpr TEditCommand cmdReturn = 377;
constexpr TEditCommand cmdBackspace = 378;
constexpr TEditCommand cmdDelete = 379;
constexpr TEditCommand cmdToggleInsertMode = 380;
constexpr TEditCommand cmdTab = 381;
constexpr TEditCommand cmdBackTab = 382;
constexpr TEditCommand cmdBlockIndent = 383;
constexpr TEditCommand cmdBlockUnindent = 384;
constexpr TEditCommand cmdDeleteSelection = 387;
constexpr TEditCommand cmdCopy = 388;
constexpr TEditCommand cmdCut = 389;
constexpr TEditCommand cmdPaste = 390;
constexpr TEditCommand cmdDeleteLine = 391;
constexpr TEditCommand cmdDeleteWord = 392;
constexpr TEditCommand cmdUpperCase = 393;
constexpr TEditCommand cmdLowerCase = 394;
constexpr TEditCommand cmdToggleCase = 395;
constexpr TEditCommand cmdUndo = 396;
constexpr TEditCommand cmdRedo = 397;
constexpr TEditCommand cmdBeginCompound = 398;
constexpr TEditCommand cmdEndCompound = 399;
constexpr TEditCommand cmdBeginUpdate = 400;
constexpr TEditCommand cmdEndUpdate = 401;
constexpr TEditCommand cmdSetBookmark0 = 402;
constexpr TEditCommand cmdGotoBookmark0 = 412;
constexpr TEditCommand cmdCompleteIdentifier = 422;
constexpr TEditCommand cmdCompleteTemplate = 423;
constexpr TEditCommand cmdRecordMacro = 424;
constexpr TEditCommand cmdPlayMacro = 425;

// The private window message that carries a command code to an editor.
constexpr int WM_EDITCOMMAND = 0x0501;

// Virtual-key codes the key map uses; letters and digits are their upper-case ASCII codes.
constexpr uint16_t VK_BACK = 8;
constexpr uint16_t VK_TAB = 9;
constexpr uint16_t VK_RETURN = 13;
constexpr uint16_t VK_ESCAPE = 27;
constexpr uint16_t VK_SPACE = 32;
constexpr uint16_t VK_PRIOR = 33;
constexpr uint16_t VK_NEXT = 34;
constexpr uint16_t VK_END = 35;
constexpr uint16_t VK_HOME = 36;
constexpr uint16_t VK_LEFT = 37;
constexpr uint16_t VK_UP = 38;
constexpr uint16_t VK_RIGHT = 39;
constexpr uint16_t VK_DOWN = 40;
constexpr uint16_t VK_INSERT = 45;
constexpr uint16_t VK_DELETE = 46;
