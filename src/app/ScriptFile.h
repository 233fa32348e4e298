#pragma once
// Script files on disk: plain 8-bit text, read whole, written with CR LF after every line.
#include <QString>
#include <string>

class TEditorStrings;

// The whole content of FileName; EFileError "Cannot open file <name>" when it cannot be
// read.
std::string ReadScriptFile(const QString& fileName);

// Gives the whole content of FileName to Lines (line breaks CR LF, CR or LF; tabs
// expanded; a NUL ends the text).
void LoadScript(TEditorStrings& lines, const QString& fileName);

// Writes every line of Lines followed by CR LF (nothing for an empty document). The file
// is replaced only once the whole text has been written, so a failed write leaves the old
// file as it was; it then throws EFileError "Cannot create file <name>".
void SaveScript(const TEditorStrings& lines, const QString& fileName);
