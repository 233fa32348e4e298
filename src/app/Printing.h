#pragma once
// Printing of a script: its plain text in the editor's fixed-pitch font, paginated to the
// printable area of the chosen printer.
class QPrinter;
class TEditorStrings;

// Prints Lines on Printer as a job titled "Print file".
void PrintScript(const TEditorStrings& lines, QPrinter& printer);
