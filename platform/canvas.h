#pragma once
// The drawing surface as the chart and legend use it. No toolkit types: the chart draws
// through this and builds and tests without a display.
#include <string>
#include <string_view>

#include "platform/colors.h"

namespace tarvelin {

// Right and bottom edges exclusive.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

inline constexpr Rect kUnrestricted{0, 0, 800, 600};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetPenColor(Color color) = 0;
  virtual void SetPenWidth(int width) = 0;
  virtual void SetBrushColor(Color color) = 0;
  virtual void SetFontName(std::string_view name) = 0;
  virtual void SetFontSize(int points) = 0;
  virtual void SetFontColor(Color color) = 0;

  virtual Color PenColor() const = 0;
  virtual int PenWidth() const = 0;
  virtual Color BrushColor() const = 0;
  virtual std::string FontName() const = 0;
  virtual int FontSize() const = 0;
  virtual Color FontColor() const = 0;

  virtual void MoveTo(int x, int y) = 0;
  // Draws from the pen position to (x, y), leaving (x, y) itself unpainted; the pen moves there.
  virtual void LineTo(int x, int y) = 0;
  // Top-left corner at (x, y), on an opaque background in the brush colour. Latin-1 bytes.
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  // Fills the rectangle (within the current restriction) with the brush colour.
  virtual void FillRect(const Rect& rect) = 0;
  // Restricts all further drawing to `rect`, in place of any restriction in force. Made
  // through a region object that is released as soon as it has been applied.
  virtual void RestrictTo(const Rect& rect) = 0;
  virtual Rect Restriction() const = 0;
  // Lets go of the selected drawing objects so the next drawing selects them afresh.
  virtual void Refresh() = 0;
};

}  // namespace tarvelin
