#pragma once
// The fixed word lists of every highlighted language, and the test of a token against
// each list with that list's case rule.
#include <span>
#include <string>
#include <string_view>

bool IsPascalKeyword(const std::string& token);
bool IsCppKeyword(const std::string& token);
bool IsSqlKeyword(const std::string& token);
bool IsPythonKeyword(const std::string& token);
bool IsJavaKeyword(const std::string& token);
bool IsVBKeyword(const std::string& token);
bool IsVBStatement(const std::string& token);
bool IsHtmlTag(const std::string& token);
bool IsHtmlEntity(const std::string& token);
bool IsPerlKeyword(const std::string& token);
bool IsPerlStatement(const std::string& token);
bool IsCocoRKeyword(const std::string& token);
bool IsScriptCommand(std::string_view token);
bool IsScriptFunction(std::string_view token);

// The script language's two lists in their stored order, for readers that need the words
// themselves (suggestions, completion).
std::span<const std::string_view> ScriptCommandWords();
std::span<const std::string_view> ScriptFunctionWords();

// Number of words stored in each list, in the order of the functions above.
int KeywordListSize(int list);
