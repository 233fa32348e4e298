#pragma once
// For measuring the program's start: with the environment variable
// MARVEK_QUIT_AFTER_FIRST_PAINT set, the program writes "painted" to its standard output
// and quits once its main window's first paint is done.
class QWidget;

// Arms the quit on Window when the variable is set.
void QuitAfterFirstPaintWhenAsked(QWidget& window);
