// Where the region around the focus lies in a picture: a rectangle of a
// wanted size centred on the point, shrunk to the picture and moved inside it.
#pragma once

namespace ovfocus {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool operator==(const Rect &) const = default;
};

// fx, fy are fractions of the picture (0.5 the centre). x and y come out
// even, so that a crop of a 4:2:0 picture keeps its chroma aligned.
Rect regionAround(double fx, double fy, int width, int height, int pictureWidth, int pictureHeight);

}  // namespace ovfocus
