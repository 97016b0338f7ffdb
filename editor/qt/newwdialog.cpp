#include "editor/qt/newwdialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "editor/neww.h"

namespace editor {

namespace {

QComboBox* caja(QWidget* parent, const char* name, int y, const QStringList& items) {
  auto* c = new QComboBox(parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setEditable(true);
  c->setInsertPolicy(QComboBox::NoInsert);  // typing never adds to the list
  c->addItems(items);
  c->setCurrentIndex(0);
  c->setGeometry(88, y, 129, 21);
  return c;
}

QLabel* texto(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(x, y, w, h);
  return l;
}

// Puts a label's text on the line of the text in the box beside it. The box
// draws its text in its edit field, which the style places, starting
// (field height - font height + 1) / 2 below the field's top, as QLineEdit
// rounds; the label starts its text at its top margin.
void alinear(QLabel* label, const QComboBox* box) {
  QStyleOptionComboBox opt;
  opt.initFrom(box);
  opt.editable = true;
  const QRect field =
      box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, box);
  const int top = box->y() + field.y() + (field.height() - label->fontMetrics().height() + 1) / 2;
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setContentsMargins(0, std::max(top - label->y(), 0), 0, 0);
}

}  // namespace

NewwDialog::NewwDialog(QWidget* parent, std::function<void(int16_t, int16_t)> crear,
                       std::function<void()> rechazar)
    : QDialog(parent), crear_(std::move(crear)), rechazar_(std::move(rechazar)) {
  setObjectName(QStringLiteral("neww"));
  // The editor's face, set before the labels are lined up by their font.
  if (parent) setFont(parent->font());
  setWindowTitle(QStringLiteral("Nuevo Mapa"));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(252, 123);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);

  QLabel* titulo =
      texto(this, "Label1", QStringLiteral("Seleccione el tamaño del mapa"), 40, 8, 177, 13);
  QFont bold = titulo->font();
  bold.setBold(true);
  titulo->setFont(bold);
  ancho_ = caja(this, "ancho", 32,
                {"30", "40", "50", "60", "70", "80", "90", "100", "120", "150", "200"});
  alto_ = caja(this, "alto", 64,
               {"20", "30", "40", "50", "60", "70", "80", "90", "100", "120", "150", "200"});
  alinear(texto(this, "Label2", QStringLiteral("Ancho"), 32, 32, 41, 17), ancho_);
  alinear(texto(this, "Label3", QStringLiteral("Alto"), 32, 64, 33, 17), alto_);
  auto* boton = new QPushButton(QStringLiteral("Crear"), this);
  boton->setObjectName(QStringLiteral("crear"));
  boton->setGeometry(80, 96, 105, 17);
  // Return in either box, or anywhere in the dialog, creates the map.
  boton->setDefault(true);
  setTabOrder(ancho_, alto_);
  setTabOrder(alto_, boton);
  connect(boton, &QPushButton::clicked, this, &NewwDialog::crear_Click);
}

void NewwDialog::crear_Click() {
  const char separador = QLocale().decimalPoint().at(0).toLatin1();
  const auto tamano = tamanonuevo(ancho_->currentText().toStdString(),
                                  alto_->currentText().toStdString(), separador ? separador : '.');
  if (!tamano) {
    rechazar_();  // the texts stay as typed
    return;
  }
  crear_(tamano->first, tamano->second);
  close();
}

}  // namespace editor
