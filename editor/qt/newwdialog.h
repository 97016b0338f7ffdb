// "Nuevo Mapa": a small modeless window where the user picks or types the
// new map's width and height. "Crear" hands the texts to the rules
// (Principal::crear_Click), which make the map or say why not.
#pragma once

#include <QComboBox>
#include <QDialog>

#include "editor/principal.h"

namespace editor {

class NewwDialog final : public QDialog {
  Q_OBJECT
 public:
  NewwDialog(QWidget* parent, Principal& principal);

  QComboBox* ancho() const { return ancho_; }
  QComboBox* alto() const { return alto_; }

  void crear_Click();

 private:
  QComboBox* ancho_;
  QComboBox* alto_;
  Principal& principal_;
};

}  // namespace editor
