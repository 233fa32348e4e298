#pragma once
// The user's reference of every key, made from the editor's default key map and the
// windows' shortcut table: each binding grouped by what it does, with the keys the menus
// take first (in the classic and in the Desktop key scheme), then the keys of the windows
// alone and the Desktop scheme's keys. Markdown: docs/keys.md holds it, and Help >
// Keyboard Shortcuts shows it. Platform-free.
#include <string>

// Throws std::runtime_error when the key map binds a key that has no name or a command
// that has no description.
std::string KeyReference();
