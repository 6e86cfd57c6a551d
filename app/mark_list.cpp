// The mark list: the MARK List button shows the list over a cleared chart area or hides it,
// and choosing an entry jumps the cursor to that mark.
#include "app/main_window.h"

namespace tarvelin {

void TForm1::MARKListClick() {
  chart_.DrawLegend();
  if (!marklbox->isHidden()) {
    marklbox->hide();
    chart_.DrawChart(state_.Position);
    return;
  }
  surface_.RestrictTo(Rect{0, 0, 800, 600});
  surface_.SetBrushColor(clBlack);
  surface_.FillRect(surface_.Restriction());
  chart_.DrawLegend();
  marklbox->show();
  marklbox->setFocus(Qt::OtherFocusReason);  // so the arrow keys choose a mark at once
}

void TForm1::marklboxClick() {
  const int index = marklbox->currentRow();
  // A click that selects no entry (an empty list, below the last item) does nothing.
  if (index < 0 || static_cast<size_t>(index) >= state_.Log.MarkTable.size()) return;
  const int32_t mark = state_.Log.MarkAt(index);
  marklbox->hide();
  chart_.DrawLegend();
  chart_.DrawChart(mark);
}

}  // namespace tarvelin
