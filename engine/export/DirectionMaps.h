// Where each direction of a foreign grid lies in the balloon. The balloon's
// plot p is the plane rotated 10·p degrees about the axis; its points 0..18 run
// from the axis to the rear on one half of that plane, points 18..35 back to
// the axis on the opposite half. The foreign grids are half-planes (rotation
// about the axis) by angle from the axis a = 0..18 (10-degree steps). The
// writers take their values from these cells and the importers of the same
// formats put them back there, so a file written and read again keeps every
// carried direction where it was.
#pragma once

namespace fonderel {

struct BalloonCell {
  int plot = 0;
  int point = 0;
  friend bool operator==(const BalloonCell&, const BalloonCell&) = default;
};

// CATT SD1: half-plane h = 0..35 at rotation 10·h degrees. The first half of
// plot t is the half-plane at 90 - 10·t degrees, its second half the one at
// 270 - 10·t degrees.
BalloonCell CattCell(int h, int a);

// EASE 3.0 text: half-plane r = -9..9 at rotation 10·r degrees, half a
// sphere. r >= 0 is the first half of plot r, r < 0 the second half of plot
// r + 18.
BalloonCell EaseCell(int r, int a);

// The cell that an EASE reader fills, for a direction the file does not
// hold, with the mirror image in the plane through the axis and the
// 90-degree direction; the cell itself when the file holds it.
BalloonCell EaseMirrorSource(BalloonCell cell);

}  // namespace fonderel
