#pragma once
// The editor's pictures, drawn at run time: the list cell images, the toolbar images
// and the application icon.

#include <QIcon>
#include <QPixmap>

namespace vesko::ui {

// Image `index` of the lists' 16 x 16 image list (blank, check mark, padlock, dollar
// sign, heart; the unused numbers are blank); a null pixmap for -1.
const QPixmap& ListImage(int index);

enum class ToolbarImage { Open, Save, Exit };
QIcon ToolbarIcon(ToolbarImage image);

// The application icon: a small receiver with a satellite dish.
const QIcon& AppIcon();
// The application icon drawn at `size` x `size` pixels (the installed icon files).
QPixmap AppPixmap(int size);

}  // namespace vesko::ui
