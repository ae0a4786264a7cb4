#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace vox {

// The window's pictures, drawn at run time so the program ships no image files.
QPixmap ledPixmap(bool red, int size);  // RED_LED / GREEN_LED of the status bar
QPixmap speakerPixmap(int size);        // Picture1: the playback mixer
QPixmap microphonePixmap(int size);     // PictureMic: the recording mixer
QIcon appIcon();                        // window and tray icon
// Paints the application icon into the square (0, 0, size, size), and nowhere outside it.
void paintAppIcon(QPainter& painter, int size);

}  // namespace vox
