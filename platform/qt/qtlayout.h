// Qt's side of the layout tables (platform/layout.h): a label, a font, a
// colour and a picture button made as the table says.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

#include "media/bitmap.h"
#include "platform/layout.h"

namespace platform {

QColor qtColor(uint32_t rgb);
QFont qtFont(const Font& font);

// The window's client area: w x h pixels of `background`, named for screen
// readers and tests, set as the window's central widget.
QWidget* makeClient(QMainWindow* window, const char* name, int w, int h, uint32_t background);

// A label whose text begins at the top left of its box, as on Windows: the
// ink of its first character kInkLeft pixels in (k times that at the
// display scale k), whatever that glyph's own bearing. Its text is placed
// in device pixels: a whole layout pixel is k of them.
QLabel* makeLabel(QWidget* parent, const Label& label);
// How many device pixels text drawn at scale k is moved right for that.
int inkShift(const QFont& font, QChar first, int k);

// The menu bar of the table; choosing an item calls run(item.handler). The
// actions are named after the items, for screen readers and tests.
template <class Rules, class Run>
void makeMenus(QMenuBar* bar, std::span<const Menu<Rules>> menus, Run run) {
  for (const auto& m : menus) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(m.text));
    menu->setObjectName(QString::fromUtf8(m.name));
    for (const auto& item : m.items) {
      QAction* action = menu->addAction(QString::fromUtf8(item.text));
      action->setObjectName(QString::fromUtf8(item.name));
      QObject::connect(action, &QAction::triggered, bar,
                       [run, handler = item.handler] { run(handler); });
    }
  }
}

// The label makeLabel makes: it draws its own text, placed as said there.
class QtLabel final : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override;
};

// A still picture at its box, each of its pixels a whole number of device
// pixels at any display scale (a QLabel's pixmap would be smoothed).
class QtPicture final : public QWidget {
 public:
  QtPicture(QWidget* parent, const char* name, const Box& box, QImage picture);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QImage picture_;
};

// A picture button drawn with buttonFace, raised or, while held, sunken:
// the same pixels as the Windows button. Never takes the keyboard focus.
class QtPictureButton final : public QAbstractButton {
 public:
  QtPictureButton(QWidget* parent, const media::Bitmap& picture, int side, uint32_t face);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QImage up_, down_;
};

}  // namespace platform
