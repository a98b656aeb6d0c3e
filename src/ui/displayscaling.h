#ifndef DISPLAYSCALING_H
#define DISPLAYSCALING_H

class QDialog;
class QMainWindow;
class QScrollArea;
class QWidget;

// Fonts, widget geometry and icons scale together, by the display's own factor
// unrounded (125 % is 1.25, not 1), and a window moved to a screen of another
// scaling is drawn for that screen. Qt 6 does this by default; Qt 5 must be told
// before any QCoreApplication exists: call this first in main().
void enableDisplayScaling();

// The windows keep their fixed geometry in device-independent pixels. Where the
// screen offers less than a window needs (150 % of 1920 x 1080, a 1366 x 768 panel),
// its content scrolls inside a frameless scroll area and the window is kept inside
// the screen's available area; where it fits, no scroll bar shows and nothing moves.
// A main window's central widget becomes the scroll area's widget; a dialog built
// without a layout gets a content widget that takes over its children. Object names
// and geometries stay as they were.
QScrollArea *scrollWhenSmall(QMainWindow *window);
QScrollArea *scrollWhenSmall(QDialog *dialog);

#endif // DISPLAYSCALING_H
