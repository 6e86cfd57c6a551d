#include "tools/replay/replay_session.h"

#include <unistd.h>

#include <QCheckBox>
#include <QKeySequence>
#include <QPushButton>
#include <QTest>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "app/application.h"
#include "platform/region.h"
#include "tools/replay/json_writer.h"

namespace tarvelin {

void PrintedReport::Show(const std::string& message, const std::string& place) {
  out_ << "error: " << ReportMessage(message);
  if (!place.empty()) out_ << " | " << place;
  out_ << std::endl;
}

ReplaySession::ReplaySession(std::ostream& out, const std::string& firstArgument)
    : out_(out), report_(out) {
  state_.FirstArgument = firstArgument;
  form_ = StartMainWindow(state_, report_, /*exposePaints=*/false);
  // Let the offscreen platform deliver the window's activation, so that keys reach the
  // focused control as they would on a desktop.
  QApplication::processEvents();
  if (QApplication::activeWindow() != form_.get()) QApplication::setActiveWindow(form_.get());
  form_->OpenDialog1.SetScriptedAnswers([this]() -> OpenDialog::Answer {
    if (dialogAnswers_.empty()) return std::nullopt;  // no answer waiting: cancelled
    OpenDialog::Answer answer = dialogAnswers_.front();
    dialogAnswers_.pop_front();
    return answer;
  });
}

ReplaySession::~ReplaySession() = default;

namespace {

bool ParseLong(const std::string& text, long& value) {
  const char* end = text.data() + text.size();
  auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

std::string Rest(const std::string& line, size_t from) {
  const size_t start = line.find_first_not_of(' ', from);
  return start == std::string::npos ? std::string() : line.substr(start);
}

}  // namespace

ReplaySession::Outcome ReplaySession::Run(const std::string& rawLine) {
  std::string line = rawLine;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::istringstream words(line);
  std::string command;
  words >> command;
  std::vector<std::string> args;
  for (std::string word; words >> word;) args.push_back(word);

  if (command.empty()) return Outcome::kContinue;
  if (command == "click" && args.size() == 1) {
    Click(args[0]);
  } else if (command == "dialog" && !args.empty()) {
    const std::string path = Rest(line, line.find("dialog") + 6);
    if (path == "cancel")
      dialogAnswers_.push_back(std::nullopt);
    else
      dialogAnswers_.push_back(path);
  } else if (command == "select" && args.size() == 1) {
    long index;
    if (!ParseLong(args[0], index)) return Outcome::kUnparsable;
    Select(static_cast<int>(std::clamp(index, -1L, 1L << 30)));
  } else if (command == "tick" && args.size() <= 1) {
    long count = 1;
    if (!args.empty() && (!ParseLong(args[0], count) || count < 0)) return Outcome::kUnparsable;
    Tick(count);
  } else if (command == "paint" && args.empty()) {
    form_->Dispatch([this] { form_->FormPaint(); });
  } else if (command == "key" && !args.empty()) {
    Key(Rest(line, line.find("key") + 3));
  } else if (command == "dump" && args.empty()) {
    Dump();
  } else if (command == "records" && args.size() == 2) {
    long from, to;
    if (!ParseLong(args[0], from) || !ParseLong(args[1], to)) return Outcome::kUnparsable;
    Records(from, to);
  } else if (command == "stats" && args.empty()) {
    Stats();
  } else if (command == "shot" && !args.empty()) {
    Shot(Rest(line, line.find("shot") + 4));
  } else {
    return Outcome::kUnparsable;
  }
  return form_->QuitRequested() ? Outcome::kQuit : Outcome::kContinue;
}

void ReplaySession::Refused(const std::string& name) { out_ << "refused: " << name << std::endl; }

void ReplaySession::Click(const std::string& name) {
  QWidget* control = form_->ControlByName(name);
  auto* button = qobject_cast<QAbstractButton*>(control);
  if (button == nullptr || button->isHidden()) {
    Refused(name);
    return;
  }
  button->click();  // a check box toggles first, then its handler runs
}

void ReplaySession::Select(int index) {
  ListBox* list = form_->marklbox;
  if (list->isHidden()) {
    Refused("marklbox");
    return;
  }
  list->setCurrentRow(index);
  form_->Dispatch([this] { form_->marklboxClick(); });
}

void ReplaySession::Tick(long count) {
  for (long i = 0; i < count && form_->runtimer->isActive(); ++i) form_->DeliverTick();
}

namespace {

// The shown button whose caption underlines `key` (its "&" accelerator), if any.
QAbstractButton* AcceleratorButton(QWidget* window, int key) {
  const QString accelerator = "&" + QString(QChar(key)).toLower();
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
    if (button->isVisibleTo(window) && button->isEnabled() &&
        button->text().toLower().contains(accelerator))
      return button;
  return nullptr;
}

}  // namespace

void ReplaySession::Key(const std::string& keys) {
  const QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(keys));
  if (sequence.isEmpty()) return;
  const QKeyCombination combination = sequence[0];
  const int key = combination.key();
  if (combination.keyboardModifiers() == Qt::AltModifier && key < 128 && std::isalnum(key)) {
    if (QAbstractButton* button = AcceleratorButton(form_.get(), key)) button->click();
    return;
  }
  QWidget* target = QApplication::focusWidget();
  if (target == nullptr) target = form_.get();
  QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
}

namespace {

void WriteVisible(JsonWriter& json, const QWidget* control) {
  json.Key("visible").Bool(!control->isHidden());
}

}  // namespace

void ReplaySession::Dump() {
  const LogData& log = state_.Log;
  JsonWriter json;
  json.BeginObject();
  json.Key("Position").Int(state_.Position);
  json.Key("RecordCount").Int(log.RecordCount);
  json.Key("MarkCount").Int(log.MarkCount);
  json.Key("MarkTable").BeginArray();
  for (const int32_t mark : log.MarkTable) json.Int(mark);
  json.EndArray();
  json.Key("O2Mode").Int(log.O2Mode);
  json.Key("LogLoaded").Bool(log.LogLoaded);
  json.Key("StartupFlag").Bool(state_.StartupFlag);
  json.Key("controls").BeginObject();
  json.Key("Form1").BeginObject().Key("caption").String(ToLatin1(form_->windowTitle())).EndObject();
  for (const char* name : kControlOrder) {
    const std::string controlName = name;
    if (controlName == "OpenDialog1") continue;  // no state of its own to show
    json.Key(controlName).BeginObject();
    if (controlName == "runtimer") {
      json.Key("enabled").Bool(form_->runtimer->isActive());
      json.Key("interval").Int(form_->runtimer->interval());
      json.EndObject();
      continue;
    }
    QWidget* control = form_->ControlByName(controlName);
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
      json.Key("caption").String(ToLatin1(box->text()));
      WriteVisible(json, box);
      json.Key("checked").Bool(box->checkState() == Qt::Checked);
      json.Key("color").String(ColorText(ControlBackground(box)));
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
      json.Key("caption").String(ToLatin1(button->text()));
      WriteVisible(json, button);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      json.Key("caption").String(ToLatin1(label->text()));
      WriteVisible(json, label);
      json.Key("color").String(ColorText(ControlBackground(label)));
      json.Key("fontColor").String(ColorText(ControlTextColor(label)));
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
      json.Key("caption").String(ToLatin1(group->title()));
      WriteVisible(json, group);
    } else if (auto* list = qobject_cast<ListBox*>(control)) {
      WriteVisible(json, list);
      json.Key("items").BeginArray();
      for (int i = 0; i < list->count(); ++i) json.String(ToLatin1(list->item(i)->text()));
      json.EndArray();
      json.Key("itemIndex").Int(list->currentRow());
    }
    json.EndObject();
  }
  json.EndObject();
  json.EndObject();
  out_ << json.Text() << std::endl;
}

void ReplaySession::Records(long from, long to) {
  const LogData& log = state_.Log;
  for (long slot = std::max(from, 0L); slot <= to && slot < log.TIME.size(); ++slot) {
    const auto s = static_cast<int32_t>(slot);
    JsonWriter json;
    json.BeginObject();
    json.Key("slot").Int(s);
    json.Key("TIME").String(log.TIME.at(s));
    json.Key("SECL").Int(log.SECL.at(s));
    json.Key("RPM").Int(log.RPM.at(s));
    json.Key("MAP").Int(log.MAP.at(s));
    json.Key("TPS").Int(log.TPS.at(s));
    json.Key("O2").Real(log.O2.at(s));
    json.Key("MAT").Real(log.MAT.at(s));
    json.Key("CLT").Int(log.CLT.at(s));
    json.Key("ENGINE").String(log.ENGINE.at(s));
    json.Key("GEGO").Int(log.GEGO.at(s));
    json.Key("VE1").Int(log.VE1.at(s));
    json.Key("PW1").Real(log.PW1.at(s));
    json.Key("VE2").Int(log.VE2.at(s));
    json.Key("PW2").Real(log.PW2.at(s));
    json.Key("DC1").Real(log.DC1.at(s));
    json.Key("DC2").Real(log.DC2.at(s));
    json.Key("AFR").Real(log.AFR.at(s));
    json.EndObject();
    out_ << json.Text() << '\n';
  }
  out_.flush();
}

void ReplaySession::Stats() {
  long pages = 0, residentPages = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &residentPages) != 2) residentPages = 0;
    std::fclose(statm);
  }
  long peakKiB = 0;
  if (FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, status))
      if (std::sscanf(line, "VmHWM: %ld kB", &peakKiB) == 1) break;
    std::fclose(status);
  }
  long descriptors = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
    ++descriptors;
  JsonWriter json;
  json.BeginObject();
  json.Key("residentBytes").Int(residentPages * sysconf(_SC_PAGESIZE));
  json.Key("peakResidentBytes").Int(peakKiB * 1024);
  json.Key("openFiles").Int(descriptors);
  json.Key("regions").Int(Region::LiveCount());
  json.Key("widgets").Int(static_cast<int64_t>(form_->findChildren<QObject*>().size()));
  json.EndObject();
  out_ << json.Text() << std::endl;
}

void ReplaySession::Shot(const std::string& path) {
  const QPixmap picture = form_->grab(QRect(0, 0, form_->width(), form_->height()));
  if (!picture.save(QString::fromStdString(path), "PNG"))
    out_ << "error: cannot write " << path << std::endl;
}

}  // namespace tarvelin
