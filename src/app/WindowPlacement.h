#pragma once
// Where the document windows go inside the frame's area: a new window at the next
// cascade position, a cascade of all of them, tiles one above another or side by side,
// and the icons of minimised windows in rows from the bottom left. Pure geometry; the
// main window and the documents apply it.
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The design size of a document window.
inline constexpr QSize kDocumentSize(617, 465);
// The least size a placed or cascaded document window keeps inside the frame.
inline constexpr QSize kLeastDocumentSize(200, 150);

// How far a cascaded window lies right of and below the one before, so that the title
// bar of that one stays visible: the title bar's height and the frame of Window's style.
int CascadeStep(const QWidget* window);

// How many cascade positions fit in Area with the least window size; at least one.
int CascadeSlots(const QRect& area, int step);

// A new window when Others windows are open already: the next cascade position, the
// design size cut to what fits inside Area.
QRect NewWindowPlace(const QRect& area, int step, int others);

// Count windows cascaded from the bottom of the stack to the top, each a step further
// (starting over once the positions run out), all of the size that lets the last
// position fit Area.
QList<QRect> CascadePlaces(const QRect& area, int step, int count);

// Count windows cut from Area in strips of (nearly) equal size: side by side, or one
// above another.
QList<QRect> TilePlaces(const QRect& area, int count, bool sideBySide);

// The top left corners of icons of Sizes in an area Width wide and Height high: in rows
// from the bottom left, a new row above when one is full.
QList<QPoint> IconPlaces(int width, int height, const QList<QSize>& sizes);
