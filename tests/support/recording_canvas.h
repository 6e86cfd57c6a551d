#pragma once
// A Canvas that draws nothing: it keeps its state as a real surface would and records every
// call with its arguments and the state in force at that moment.
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace tarvelin::testing {

struct CanvasState {
  Color penColor = clBlack;
  int penWidth = 1;
  Color brushColor = clBlack;  // the window's colour: texts stand on black
  std::string fontName = "MS Sans Serif";
  int fontSize = 8;
  Color fontColor = clBlack;
  int penX = 0, penY = 0;
  Rect restriction = kUnrestricted;
  bool operator==(const CanvasState&) const = default;
};

enum class Op {
  SetPenColor,
  SetPenWidth,
  SetBrushColor,
  SetFontName,
  SetFontSize,
  SetFontColor,
  MoveTo,
  LineTo,
  TextOut,
  FillRect,
  RestrictTo,
  Refresh
};

struct CanvasCall {
  Op op;
  int x = 0, y = 0;    // MoveTo, LineTo, TextOut; also the value of SetPenWidth, SetFontSize
  Color color = 0;     // the value of a colour setter
  std::string text;    // TextOut, SetFontName
  Rect rect;           // FillRect, RestrictTo
  CanvasState before;  // the state in force when the call was made
};

// A straight run of the pen: a MoveTo followed by LineTo calls, in one colour and width.
struct Polyline {
  Color color;
  int width;
  std::vector<int> xs, ys;  // the MoveTo point first
};

struct TextCall {
  int x, y;
  std::string text;
  std::string fontName;
  int fontSize;
  Color fontColor;
  Color background;
  Rect restriction;
};

class RecordingCanvas : public Canvas {
 public:
  void SetPenColor(Color color) override;
  void SetPenWidth(int width) override;
  void SetBrushColor(Color color) override;
  void SetFontName(std::string_view name) override;
  void SetFontSize(int points) override;
  void SetFontColor(Color color) override;

  Color PenColor() const override { return state_.penColor; }
  int PenWidth() const override { return state_.penWidth; }
  Color BrushColor() const override { return state_.brushColor; }
  std::string FontName() const override { return state_.fontName; }
  int FontSize() const override { return state_.fontSize; }
  Color FontColor() const override { return state_.fontColor; }

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, std::string_view text) override;
  void FillRect(const Rect& rect) override;
  void RestrictTo(const Rect& rect) override;
  Rect Restriction() const override { return state_.restriction; }
  void Refresh() override;

  const std::vector<CanvasCall>& calls() const { return calls_; }
  const CanvasState& state() const { return state_; }
  void Clear() { calls_.clear(); }

  // Views of the recording, in call order. A colour change within a run starts a new
  // polyline; a run with a new pen width or position does too.
  std::vector<Polyline> Polylines() const;
  std::vector<TextCall> Texts() const;
  std::vector<CanvasCall> CallsOf(Op op) const;
  // Index in calls() of the first call of `op` at or after `from`; calls().size() if none.
  size_t Find(Op op, size_t from = 0) const;

 private:
  CanvasCall& Record(Op op);
  CanvasState state_;
  std::vector<CanvasCall> calls_;
};

}  // namespace tarvelin::testing
