#include "app/main_window.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWindow>

#include "platform/qt_color.h"
#include "platform/toolkit_font.h"

namespace tarvelin {

TForm1* Form1 = nullptr;

namespace {

constexpr const char* kWindowFace = "MS Sans Serif";
constexpr int kWindowFontPixels = 11;    // 8 points at 96 dpi
constexpr int kCheckBoxFontPixels = 13;  // 10 points

}  // namespace

TForm1::TForm1(ViewerState& state, ErrorReport& report, bool exposePaints)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      state_(state),
      dispatcher_(surface_, report),
      chart_(state.Log, state.Position, surface_, *this),
      exposePaints_(exposePaints) {
  Form1 = this;
  setObjectName("Form1");
  setWindowTitle(kFormCaption);
  setFont(ToolkitFont(kWindowFace, kWindowFontPixels, false));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ToQColor(clBlack));
  setPalette(palette);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(792, 566);
  setMaximumSize(800, 600);

  BuildPanel();
  BuildCheckBoxes();
  BuildIndicators();
  BuildButtons();
  BuildMarkList();
  runtimer = new QTimer(this);
  runtimer->setObjectName("runtimer");
  runtimer->setInterval(200);
  connect(runtimer, &QTimer::timeout, this, [this] { DeliverTick(); });
  SetTabOrder();
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::BuildPanel() {
  buttonbox = new QGroupBox(QString::fromLatin1(kNoLogCaption), this);
  buttonbox->setObjectName("buttonbox");
  buttonbox->setGeometry(0, kPanelTop, 793, 129);
  buttonbox->setFont(ToolkitFont(kWindowFace, kWindowFontPixels, false));
  SetControlColors(buttonbox, clActiveCaption, clWhite);
  buttonbox->setFocusPolicy(Qt::NoFocus);
}

void TForm1::BuildCheckBoxes() {
  QCheckBox** members[kChannelBoxCount] = {&rpmcb, &mapcb, &pw1cb,  &o2cb,  &ve1cb,
                                           &tpscb, &matcb, &seclcb, &cltcb, &egocor,
                                           &dc1cb, &dc2cb, &ve2cb,  &pw2cb};
  using Handler = void (TForm1::*)();
  const std::pair<const char*, Handler> handlers[] = {
      {"rpmcbClick", &TForm1::rpmcbClick}, {"mapcbClick", &TForm1::mapcbClick},
      {"pw1cbClick", &TForm1::pw1cbClick}, {"o2cbClick", &TForm1::o2cbClick},
      {"ve1cbClick", &TForm1::ve1cbClick}, {"tpscbClick", &TForm1::tpscbClick},
      {"matcbClick", &TForm1::matcbClick}, {"seclcbClick", &TForm1::seclcbClick},
      {"cltcbClick", &TForm1::cltcbClick}, {"egocorClick", &TForm1::egocorClick},
      {"dc1cbClick", &TForm1::dc1cbClick}};
  for (int i = 0; i < kChannelBoxCount; ++i) {
    const CheckBoxLayout& layout = kCheckBoxes[i];
    auto* box = new QCheckBox(QString::fromLatin1(layout.caption), buttonbox);
    box->setObjectName(layout.name);
    box->setGeometry(layout.left, layout.top, 105, 17);
    box->setFont(ToolkitFont(kWindowFace, kCheckBoxFontPixels, true));
    SetControlColors(box, layout.color, clBlack);
    box->setChecked(layout.checked);
    box->setToolTip(QString::fromLatin1(layout.hint));
    Handler handler = nullptr;
    for (const auto& [name, member] : handlers)
      if (std::string_view(name) == layout.handler) handler = member;
    // clicked comes after the box has toggled.
    connect(box, &QCheckBox::clicked, this,
            [this, handler] { Dispatch([this, handler] { (this->*handler)(); }); });
    *members[static_cast<int>(layout.box)] = box;
    checkBoxes_[static_cast<int>(layout.box)] = box;
  }
}

void TForm1::BuildIndicators() {
  QLabel** members[kIndicatorCount] = {&ebit8,  &ebit7,      &decel,    &accel,
                                       &warmup, &afterstart, &cranking, &RUNNING};
  for (const IndicatorLayout& layout : kIndicators) {
    auto* label = new QLabel(QString::fromLatin1(layout.caption), buttonbox);
    label->setObjectName(layout.name);
    label->setGeometry(layout.left, 72, 73, 13);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(ToolkitFont(kWindowFace, kWindowFontPixels, false));
    SetControlColors(label, clBlue, clWhite);
    *members[static_cast<int>(layout.label)] = label;
    indicators_[static_cast<int>(layout.label)] = label;
  }
  engbits = new QLabel("Engine Bits =->", buttonbox);
  engbits->setObjectName("engbits");
  engbits->setGeometry(8, 72, 87, 13);
  engbits->setFont(ToolkitFont(kWindowFace, kWindowFontPixels, true));
  SetControlColors(engbits, clActiveCaption, clWhite);
}

void TForm1::BuildButtons() {
  QPushButton** members[kButtonCount] = {&startbtn,  &fastreverse, &slowreverse, &SSReverse,
                                         &SSForward, &slowforward, &fastforward, &endbtn,
                                         &runbtn,    &openlog,     &quit,        &MARKList};
  using Handler = void (TForm1::*)();
  const Handler handlers[kButtonCount] = {
      &TForm1::startbtnClick,    &TForm1::fastreverseClick, &TForm1::slowreverseClick,
      &TForm1::SSReverseClick,   &TForm1::SSForwardClick,   &TForm1::slowforwardClick,
      &TForm1::fastforwardClick, &TForm1::endbtnClick,      &TForm1::runbtnClick,
      &TForm1::openlogClick,     &TForm1::quitClick,        &TForm1::MARKListClick};
  for (const ButtonLayout& layout : kButtons) {
    const int index = static_cast<int>(layout.button);
    auto* button = new QPushButton(QString::fromLatin1(layout.caption), buttonbox);
    button->setObjectName(layout.name);
    button->setGeometry(layout.left, 96, layout.width, 25);
    button->setFont(ToolkitFont(kWindowFace, kWindowFontPixels, false));
    button->setPalette(QApplication::palette(button));
    button->setAutoFillBackground(false);
    button->setAutoDefault(true);  // a focused button is pressed by Enter as well as space
    button->setVisible(layout.visible);
    const Handler handler = handlers[index];
    connect(button, &QPushButton::clicked, this,
            [this, handler] { Dispatch([this, handler] { (this->*handler)(); }); });
    *members[index] = button;
    buttons_[index] = button;
  }
}

void TForm1::BuildMarkList() {
  marklbox = new ListBox(this);
  marklbox->setObjectName("marklbox");
  marklbox->setGeometry(136, 136, 521, 97);
  marklbox->setFont(ToolkitFont(kWindowFace, kWindowFontPixels, false));
  marklbox->setSelectionMode(QAbstractItemView::SingleSelection);
  marklbox->setUniformItemSizes(true);
  marklbox->setStyleSheet("QListWidget::item { height: 13px; padding: 0px; }");
  marklbox->hide();
  connect(marklbox, &ListBox::itemClick, this, [this] { Dispatch([this] { marklboxClick(); }); });
}

// The panel's focusable controls in tab order.
std::vector<QWidget*> TForm1::TabOrdered() const {
  std::vector<std::pair<int, QWidget*>> ordered;
  for (const ButtonLayout& layout : kButtons)
    ordered.emplace_back(layout.tabOrder, buttons_[static_cast<int>(layout.button)]);
  for (const CheckBoxLayout& layout : kCheckBoxes)
    ordered.emplace_back(layout.tabOrder, checkBoxes_[static_cast<int>(layout.box)]);
  std::sort(ordered.begin(), ordered.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<QWidget*> controls;
  for (const auto& entry : ordered) controls.push_back(entry.second);
  return controls;
}

void TForm1::SetTabOrder() {
  std::vector<QWidget*> ordered = TabOrdered();
  ordered.push_back(marklbox);
  for (size_t i = 1; i < ordered.size(); ++i) QWidget::setTabOrder(ordered[i - 1], ordered[i]);
}

void TForm1::FocusFirstControl() {
  for (QWidget* control : TabOrdered()) {
    if (!control->isHidden()) {
      control->setFocus(Qt::ActiveWindowFocusReason);
      return;
    }
  }
}

QWidget* TForm1::ControlByName(const std::string& name) const {
  if (name == "Form1") return const_cast<TForm1*>(this);
  if (name == "runtimer" || name == "OpenDialog1") return nullptr;
  return findChild<QWidget*>(QString::fromStdString(name));
}

// --- Events -------------------------------------------------------------------------------

void TForm1::Dispatch(const std::function<void()>& handler) {
  dispatcher_.Dispatch(handler);
  update();  // show what the handler drew; this is not a paint request of the window system
}

void TForm1::DeliverTick() {
  if (!runtimer->isActive()) return;
  dispatcher_.DispatchTick([this] { runevt(); });
  update();
}

void TForm1::Activate() {
  if (activated_) return;
  activated_ = true;
  Dispatch([this] { openlogClick(); });
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (QWindow* window = windowHandle()) window->installEventFilter(this);
  FitOuterSize();
  // The window manager's frame is known only once the window is mapped.
  QTimer::singleShot(0, this, [this] { FitOuterSize(); });
}

// The outer size, frame included, is 800 x 600 at most, also where the window system
// maximises a window to the whole screen regardless of its size limit.
void TForm1::FitOuterSize() {
  const QSize frame = frameGeometry().size() - geometry().size();
  const QSize limit(800 - frame.width(), 600 - frame.height());
  // A fixed border: the maximised size is the only size, so its edges cannot be dragged.
  if (minimumSize() != limit || maximumSize() != limit) setFixedSize(limit);
  const QRect fitted(geometry().topLeft(), limit);
  if (geometry() != fitted) setGeometry(fitted);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (width() > maximumWidth() || height() > maximumHeight() || width() > 800 || height() > 600)
    FitOuterSize();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  // An expose (first show, uncovering, restore after minimising) is the window system's
  // paint request; our own updates after a handler are not.
  if (event->type() == QEvent::Expose && exposePaints_ && watched == windowHandle() &&
      windowHandle()->isExposed())
    paintRequested_ = true;
  return QWidget::eventFilter(watched, event);
}

void TForm1::paintEvent(QPaintEvent*) {
  if (paintRequested_) {
    paintRequested_ = false;
    dispatcher_.DispatchPaint([this] { FormPaint(); });
  }
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  painter.drawImage(0, 0, surface_.image());
}

void TForm1::quitClick() {
  quitRequested_ = true;
  QApplication::exit(0);
}

// --- ChartControls ------------------------------------------------------------------------

bool TForm1::IsChecked(ChannelBox box) const { return CheckBox(box)->checkState() == Qt::Checked; }

void TForm1::SetCaption(ChannelBox box, const std::string& caption) {
  CheckBox(box)->setText(Latin1(caption));
}

void TForm1::SetIndicator(Indicator label, const std::string& caption, Color background,
                          Color fontColor) {
  QLabel* control = IndicatorLabel(label);
  SetControlColors(control, background, fontColor);
  control->setText(Latin1(caption));
}

}  // namespace tarvelin
