// Stepping, Start and End, playback, and the redraws after a check-box click or a paint
// request. Each works out a record position and hands it to the chart, which stores it.
#include "app/main_window.h"
#include "log/checked_math.h"

namespace tarvelin {

void TForm1::SSForwardClick() {
  const int32_t n = CheckedAdd(state_.Position, 1);
  if (n < state_.Log.RecordCount) chart_.DrawChart(n);
}

void TForm1::slowforwardClick() {
  const int32_t n = CheckedAdd(state_.Position, 20);
  chart_.DrawChart(n >= state_.Log.RecordCount ? state_.Log.RecordCount : n);
}

void TForm1::fastforwardClick() {
  const int32_t n = CheckedAdd(state_.Position, 200);
  chart_.DrawChart(n >= CheckedSub(state_.Log.RecordCount, 1) ? state_.Log.RecordCount : n);
}

void TForm1::SSReverseClick() {
  const int32_t n = CheckedSub(state_.Position, 1);
  if (n > 0) chart_.DrawChart(n);
}

void TForm1::slowreverseClick() {
  const int32_t n = CheckedSub(state_.Position, 20);
  if (n > 0) chart_.DrawChart(n);
}

void TForm1::fastreverseClick() {
  const int32_t n = CheckedSub(state_.Position, 200);
  if (n > 0) chart_.DrawChart(n);
}

void TForm1::startbtnClick() { chart_.DrawChart(0); }

void TForm1::endbtnClick() { chart_.DrawChart(state_.Log.RecordCount); }

void TForm1::runbtnClick() {
  chart_.DrawLegend();
  if (runtimer->isActive()) {
    runtimer->stop();
    runbtn->setText("RUN");
  } else {
    runtimer->start();
    runbtn->setText("STOP");
  }
}

void TForm1::runevt() {
  if (state_.Position >= state_.Log.RecordCount) {
    runtimer->stop();
    runbtn->setText("RUN");
    return;
  }
  state_.Position = CheckedAdd(state_.Position, 6);
  chart_.DrawChart(state_.Position);
}

void TForm1::FormPaint() {
  chart_.DrawChart(state_.Position);
  surface_.Refresh();
}

void TForm1::RedrawAtPosition() { chart_.DrawChart(state_.Position); }

void TForm1::rpmcbClick() { RedrawAtPosition(); }
void TForm1::mapcbClick() { RedrawAtPosition(); }
void TForm1::tpscbClick() { RedrawAtPosition(); }
void TForm1::o2cbClick() { RedrawAtPosition(); }
void TForm1::matcbClick() { RedrawAtPosition(); }
void TForm1::cltcbClick() { RedrawAtPosition(); }
void TForm1::egocorClick() { RedrawAtPosition(); }
void TForm1::seclcbClick() { RedrawAtPosition(); }
void TForm1::pw1cbClick() { RedrawAtPosition(); }
void TForm1::ve1cbClick() { RedrawAtPosition(); }
void TForm1::dc1cbClick() { RedrawAtPosition(); }

}  // namespace tarvelin
