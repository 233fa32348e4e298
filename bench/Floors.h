#pragma once
// The machine's floors beside the editor's figures: what reading a file and finding its
// lines costs at the least, and what starting a bare Qt main window costs.
#include <string>
#include <vector>

// Reads Path into memory and finds every line with memchr, keeping each line's start and
// length; milliseconds.
double LoadFloorMilliseconds(const std::string& path);

// Starts Program with Arguments and waits until it writes its first line to standard
// output (a window's first paint, see the start workloads); milliseconds, or a negative
// number when it did not start or never wrote.
double StartMilliseconds(const std::string& program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment = {});

// The environment variable that makes the editor quit once its main window's first paint
// is done, after writing a line to its standard output (for start).
inline constexpr const char* kQuitAfterFirstPaint = "MARVEK_QUIT_AFTER_FIRST_PAINT";

// The argument that makes the benchmark itself the bare main window of start-floor.
inline constexpr const char* kStartFloorArgument = "--start-floor";
// Runs the bare main window: a QApplication showing an empty QMainWindow, which writes a
// line at the end of its first paint and quits.
int RunStartFloor(int argc, char** argv);
