#pragma once
// The program's icon: the installed one of the desktop's icon theme, else the copy built
// into the program. The main window and every document window carry it.
#include <QIcon>

QIcon ProgramIcon();
