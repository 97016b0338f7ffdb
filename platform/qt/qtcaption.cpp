#include "platform/qt/qtcaption.h"

#include <QLabel>

namespace platform {

namespace {

constexpr std::size_t kReserve = 256;

// The sequence's length from its first byte, or 0 for a byte that cannot start one.
int length(unsigned char b) {
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

}  // namespace

void decodeInto(QString& out, std::string_view s) {
  // UTF-16 never needs more units than UTF-8 has bytes.
  out.resize(static_cast<qsizetype>(s.size()));
  QChar* o = out.data();
  qsizetype n = 0;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
      ++i;
      continue;
    }
    const int len = length(b);
    char32_t c = len == 1 ? b : len == 2 ? (b & 0x1Fu) : len == 3 ? (b & 0x0Fu) : (b & 0x07u);
    bool ok = len > 0 && i + static_cast<std::size_t>(len) <= s.size();
    for (int k = 1; ok && k < len; ++k) {
      const auto t = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      ok = (t & 0xC0u) == 0x80u;
      c = (c << 6) | (t & 0x3Fu);
    }
    // Overlong forms and surrogates are not characters.
    ok = ok && !(len == 3 && c < 0x800) && !(len == 4 && (c < 0x10000 || c > 0x10FFFF)) &&
         !(c >= 0xD800 && c <= 0xDFFF);
    if (!ok) {
      o[n++] = QChar(QChar::ReplacementCharacter);
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      o[n++] = QChar(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      o[n++] = QChar(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      o[n++] = QChar(static_cast<char16_t>(c));
    }
    i += static_cast<std::size_t>(len);
  }
  out.resize(n);
}

QtCaption::QtCaption(QLabel* label) : label_(label) {
  wanted_.reserve(kReserve);
  shown_.reserve(kReserve);
  for (QString& b : buffers_) b.reserve(kReserve);
  if (label_) shown_ = wanted_ = label_->text().toStdString();
}

void QtCaption::set(std::string_view text) { wanted_.assign(text); }

bool QtCaption::apply() {
  if (!label_ || wanted_ == shown_) return false;
  shown_.assign(wanted_);
  QString& b = buffers_[next_];
  decodeInto(b, shown_);
  if (b == label_->text()) return false;
  label_->setText(b);
  next_ ^= 1;
  return true;
}

}  // namespace platform
