#pragma once
// A rectangular clip region. A surface copies the rectangle when the region is selected into
// it, so a region lives only as long as it takes to apply it; the live count lets callers
// check that repeated clipping leaves none behind.
#include "platform/canvas.h"

namespace tarvelin {

class Region {
 public:
  explicit Region(const Rect& rect);
  ~Region();
  Region(const Region&) = delete;
  Region& operator=(const Region&) = delete;

  const Rect& rect() const { return rect_; }

  // Regions that exist right now, in the whole process.
  static int LiveCount();

 private:
  Rect rect_;
};

}  // namespace tarvelin
