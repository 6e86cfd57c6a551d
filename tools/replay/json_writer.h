#pragma once
// A small writer of one-line JSON objects; texts are Latin-1 bytes written as UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvelin {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);
  JsonWriter& String(std::string_view latin1);
  JsonWriter& Int(int64_t value);
  // Shortest text that reads back to exactly the same double.
  JsonWriter& Real(double value);
  JsonWriter& Bool(bool value);
  const std::string& Text() const { return out_; }

 private:
  void Separate();
  std::string out_;
  bool needComma_ = false;
};

// 0x00BBGGRR as "0x00BBGGRR".
std::string ColorText(uint32_t color);

}  // namespace tarvelin
