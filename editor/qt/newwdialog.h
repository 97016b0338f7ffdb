// "Nuevo Mapa": a small modeless window where the user picks or types the
// new map's width and height. "Crear" checks them (editor/neww.h) and asks
// the main window for the map.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <functional>

namespace editor {

class NewwDialog final : public QDialog {
  Q_OBJECT
 public:
  // `crear` makes the map; `rechazar` tells the user the size is refused.
  NewwDialog(QWidget* parent, std::function<void(int16_t, int16_t)> crear,
             std::function<void()> rechazar);

  QComboBox* ancho() const { return ancho_; }
  QComboBox* alto() const { return alto_; }

  void crear_Click();

 private:
  QComboBox* ancho_;
  QComboBox* alto_;
  std::function<void(int16_t, int16_t)> crear_;
  std::function<void()> rechazar_;
};

}  // namespace editor
