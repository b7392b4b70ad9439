// The small pictures the dialogs show (channel swatches, the label picture of
// "Special Effects 1", the dapple sample, the highlight arrows) and the width
// that lets a dialog's title show whole.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <array>

namespace wrimple::app {

// A 14 x 14 swatch of pure red (0), green (1) or blue (2) with a black border.
QPixmap ChannelSwatch(int channel);

// A 100 x 216 picture of blue and red lettering on cyan with one label per
// row, each row 216 / 5 pixels high, top to bottom.
QPixmap SpinLabelPicture(const std::array<QString, 5>& labels);

// A 240 x 240 picture after the dapple effect of size 5.
QPixmap DappleSample();

// A 16 x 16 black triangle on white pointing up (0), down (1), left (2) or
// right (3).
QPixmap ArrowPicture(int direction);

// Makes the dialog at least as wide as its title needs in a window frame with
// an icon and the frame's buttons.
void FitTitle(QWidget* dialog);

}  // namespace wrimple::app
