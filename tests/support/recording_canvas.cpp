#include "tests/support/recording_canvas.h"

namespace tarvelin::testing {

CanvasCall& RecordingCanvas::Record(Op op) {
  calls_.push_back(CanvasCall{op, 0, 0, 0, {}, {}, state_});
  return calls_.back();
}

void RecordingCanvas::SetPenColor(Color color) {
  Record(Op::SetPenColor).color = color;
  state_.penColor = color;
}
void RecordingCanvas::SetPenWidth(int width) {
  Record(Op::SetPenWidth).x = width;
  state_.penWidth = width;
}
void RecordingCanvas::SetBrushColor(Color color) {
  Record(Op::SetBrushColor).color = color;
  state_.brushColor = color;
}
void RecordingCanvas::SetFontName(std::string_view name) {
  Record(Op::SetFontName).text = name;
  state_.fontName = name;
}
void RecordingCanvas::SetFontSize(int points) {
  Record(Op::SetFontSize).x = points;
  state_.fontSize = points;
}
void RecordingCanvas::SetFontColor(Color color) {
  Record(Op::SetFontColor).color = color;
  state_.fontColor = color;
}

void RecordingCanvas::MoveTo(int x, int y) {
  CanvasCall& call = Record(Op::MoveTo);
  call.x = x;
  call.y = y;
  state_.penX = x;
  state_.penY = y;
}
void RecordingCanvas::LineTo(int x, int y) {
  CanvasCall& call = Record(Op::LineTo);
  call.x = x;
  call.y = y;
  state_.penX = x;
  state_.penY = y;
}
void RecordingCanvas::TextOut(int x, int y, std::string_view text) {
  CanvasCall& call = Record(Op::TextOut);
  call.x = x;
  call.y = y;
  call.text = text;
}
void RecordingCanvas::FillRect(const Rect& rect) { Record(Op::FillRect).rect = rect; }
void RecordingCanvas::RestrictTo(const Rect& rect) {
  Record(Op::RestrictTo).rect = rect;
  state_.restriction = rect;
}
void RecordingCanvas::Refresh() { Record(Op::Refresh); }

std::vector<Polyline> RecordingCanvas::Polylines() const {
  std::vector<Polyline> lines;
  bool open = false;  // whether the last polyline can be continued by a LineTo
  for (const CanvasCall& call : calls_) {
    if (call.op == Op::MoveTo) {
      open = false;
    } else if (call.op == Op::LineTo) {
      const CanvasState& s = call.before;
      if (!open || lines.back().color != s.penColor || lines.back().width != s.penWidth) {
        lines.push_back(Polyline{s.penColor, s.penWidth, {s.penX}, {s.penY}});
        open = true;
      }
      lines.back().xs.push_back(call.x);
      lines.back().ys.push_back(call.y);
    }
  }
  return lines;
}

std::vector<TextCall> RecordingCanvas::Texts() const {
  std::vector<TextCall> texts;
  for (const CanvasCall& call : calls_) {
    if (call.op != Op::TextOut) continue;
    const CanvasState& s = call.before;
    texts.push_back(TextCall{call.x, call.y, call.text, s.fontName, s.fontSize, s.fontColor,
                             s.brushColor, s.restriction});
  }
  return texts;
}

std::vector<CanvasCall> RecordingCanvas::CallsOf(Op op) const {
  std::vector<CanvasCall> found;
  for (const CanvasCall& call : calls_)
    if (call.op == op) found.push_back(call);
  return found;
}

size_t RecordingCanvas::Find(Op op, size_t from) const {
  for (size_t i = from; i < calls_.size(); ++i)
    if (calls_[i].op == op) return i;
  return calls_.size();
}

}  // namespace tarvelin::testing
