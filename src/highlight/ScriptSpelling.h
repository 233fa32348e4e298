#pragma once
// The built-in function a script most likely meant where it calls a name that is none.
#include <string_view>

// The built-in function that differs from Name only in case, or else the nearest one
// within two letters' difference (letters inserted, removed, replaced or two neighbours
// swapped; case ignored), the first in the list's order on a tie. Empty when there is
// none, and for names so short that two letters would turn them into anything.
std::string_view SuggestScriptFunction(std::string_view name);
