#pragma once
// What the completion list offers while a script is typed: after "goto" the script's
// labels; anywhere else the commands, the built-in functions and the names the script
// declares. Items are in the completion's identifier form, "Name=Name (kind)", sorted
// by name ignoring case so that the first one matching the typed word is the nearest.
#include <string>
#include <string_view>
#include <vector>

#include "highlight/ScriptModel.h"

// The items for a caret at Column (0-based) of Line, whose text is Text.
std::vector<std::string> ScriptSuggestions(const TScriptModel& model, std::string_view text,
                                           int column);
