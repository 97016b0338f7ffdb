#include "editor/qt/newwdialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "editor/layout.h"
#include "platform/qt/qtlayout.h"

namespace editor {

namespace {

namespace neww = layout::neww;

QComboBox* caja(QWidget* parent, const neww::Caja& c) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromUtf8(c.name));
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);  // typing never adds to the list
  // The number typed is the number checked: no completion from the list.
  box->setCompleter(nullptr);
  for (const char* item : c.items) box->addItem(QString::fromUtf8(item));
  box->setCurrentIndex(0);
  box->setGeometry(c.box.x, c.box.y, c.box.w, c.box.h);
  return box;
}

// Puts a label's text on the line of the text in the box beside it
// (neww::lineaEtiqueta), in the edit field the style places; the label
// starts its text at its top margin.
void alinear(QLabel* label, const QComboBox* box, const neww::Caja& c) {
  QStyleOptionComboBox opt;
  opt.initFrom(box);
  opt.editable = true;
  const QRect field =
      box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, box);
  const int top = neww::lineaEtiqueta(c, field.y(), field.height(), label->fontMetrics().height());
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setContentsMargins(0, std::max(top - label->y(), 0), 0, 0);
}

}  // namespace

NewwDialog::NewwDialog(QWidget* parent, Principal& principal)
    : QDialog(parent), principal_(principal) {
  setObjectName(QStringLiteral("neww"));
  setWindowTitle(QString::fromUtf8(neww::kTitulo));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(neww::kAncho, neww::kAlto);
  // Its own font, so that the labels are lined up by the font they show.
  setFont(platform::qtFont(layout::kLetra));
  QPalette white = palette();
  white.setColor(QPalette::Window, platform::qtColor(neww::kFondo));
  setPalette(white);
  setAutoFillBackground(true);

  platform::makeLabel(this, neww::kEncabezado);
  ancho_ = caja(this, neww::kCajas[0]);
  alto_ = caja(this, neww::kCajas[1]);
  alinear(platform::makeLabel(this, neww::kCajas[0].label), ancho_, neww::kCajas[0]);
  alinear(platform::makeLabel(this, neww::kCajas[1].label), alto_, neww::kCajas[1]);
  auto* boton = new QPushButton(QString::fromUtf8(neww::kCrear), this);
  boton->setObjectName(QStringLiteral("crear"));
  const platform::Box& b = neww::kBotonCrear;
  boton->setGeometry(b.x, b.y, b.w, b.h);
  // Return in either box, or anywhere in the dialog, creates the map.
  boton->setDefault(true);
  setTabOrder(ancho_, alto_);
  setTabOrder(alto_, boton);
  connect(boton, &QPushButton::clicked, this, &NewwDialog::crear_Click);
}

void NewwDialog::crear_Click() {
  const char separador = QLocale().decimalPoint().at(0).toLatin1();
  if (principal_.crear_Click(ancho_->currentText().toStdString(),
                             alto_->currentText().toStdString(), separador ? separador : '.'))
    close();
}

}  // namespace editor
