#pragma once
// The window's persistent drawing surface: an 800 x 600 image that event handlers draw on at
// the moment of the event, keeping pen, brush, font and pen position from one event to the
// next. Lines are walked pixel by pixel so that their end point stays unpainted, whatever
// the painting library would do with it.
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRgb>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/qt_color.h"
#include "platform/region.h"

namespace tarvelin {

class ImageSurface : public Canvas {
 public:
  static constexpr int kWidth = kUnrestricted.right;
  static constexpr int kHeight = kUnrestricted.bottom;

  ImageSurface();
  ImageSurface(const ImageSurface&) = delete;
  ImageSurface& operator=(const ImageSurface&) = delete;

  const QImage& image() const { return image_; }
  // Every event starts unrestricted; the window calls this before each one.
  void ResetRestriction() { restriction_ = kUnrestricted; }
  // Copies the region's rectangle (cut to the image): the region may go right after.
  void SelectClipRegion(const Region& region);

  void SetPenColor(Color color) override { penColor_ = color; }
  void SetPenWidth(int width) override { penWidth_ = width; }
  void SetBrushColor(Color color) override { brushColor_ = color; }
  void SetFontName(std::string_view name) override;
  void SetFontSize(int points) override;
  void SetFontColor(Color color) override { fontColor_ = color; }

  Color PenColor() const override { return penColor_; }
  int PenWidth() const override { return penWidth_; }
  Color BrushColor() const override { return brushColor_; }
  std::string FontName() const override { return fontName_; }
  int FontSize() const override { return fontSize_; }
  Color FontColor() const override { return fontColor_; }

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, std::string_view text) override;
  void FillRect(const Rect& rect) override;
  void RestrictTo(const Rect& rect) override;
  Rect Restriction() const override { return restriction_; }
  void Refresh() override;

 private:
  struct SelectedFont {
    std::string name;
    int pixelSize;
    QFont font;
    QFontMetrics metrics;
  };

  const SelectedFont& Font();
  void DrawLine(int x0, int y0, int x1, int y1);
  void Fill(Rect rect, Color color);

  QImage image_;
  Color penColor_;
  int penWidth_;
  Color brushColor_;
  std::string fontName_;
  int fontSize_;
  Color fontColor_;
  int penX_ = 0, penY_ = 0;
  Rect restriction_ = kUnrestricted;  // always within the image
  // Fonts made so far, so that text does not rebuild one per call; dropped by Refresh.
  std::vector<SelectedFont> fonts_;
  std::optional<size_t> selectedFont_;
};

}  // namespace tarvelin
