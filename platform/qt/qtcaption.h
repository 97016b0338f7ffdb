// A label's caption as the rules set it: kept as UTF-8 text and shown on
// the label only when apply() finds it changed, so a caption set several
// times during one event is laid out and painted once, and an unchanged
// one costs a string comparison. Once its buffers have grown to the
// longest caption, setting and showing allocate nothing.
#pragma once

#include <QString>
#include <array>
#include <string>
#include <string_view>

class QLabel;

namespace platform {

class QtCaption {
 public:
  explicit QtCaption(QLabel* label = nullptr);

  // Line breaks may be "\r\n" or "\n".
  void set(std::string_view text);
  // Shows the text last set if the label does not show it yet; whether it did.
  bool apply();

  QLabel* label() const { return label_; }

 private:
  QLabel* label_;
  std::string wanted_, shown_;
  // The label shares the QString it shows; the next caption is written into
  // the other one, which nothing else holds, so writing it never copies.
  std::array<QString, 2> buffers_;
  std::size_t next_ = 0;
};

// UTF-8 into `out`, reusing its storage, "\r\n" as "\n". Invalid bytes
// become U+FFFD.
void decodeInto(QString& out, std::string_view utf8);

}  // namespace platform
