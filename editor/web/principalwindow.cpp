#include "editor/web/principalwindow.h"

#include "assets/loadpictures.h"
#include "editor/layout.h"

namespace editor {

namespace {
namespace web = platform::web;
namespace neww = layout::neww;

constexpr const char* kNeww = "neww";
// The page's combo box: a one-pixel frame and a pixel of room around its
// edit field, whose text is drawn in a line as high as the face's.
constexpr int kCampoArriba = 2, kAltoLetra = 13;
}  // namespace

PrincipalWindow::PrincipalWindow()
    : pictures_(assets::loadPictures()),
      messages_(layout::kAplicacion),
      principal_(Services{keys_, dialogo_, messages_, files_}, pictures_, *this) {
  web::window(layout::kTitulo, layout::kAplicacion, layout::kAncho, layout::kAlto, layout::kFondo,
              "icono_editor", layout::kIntervaloTimer);
  web::menus<Principal>(layout::kMenus);
  principal_.Form_Load();
  web::picture("mainpic", 0, 0, principal_.mainpic());
  for (const platform::Label& t : layout::kTitulos) web::label(t);
  for (std::size_t i = 0; i < layout::kBotones.size(); ++i) {
    const layout::Boton& b = layout::kBotones[i];
    const media::Bitmap picture = web::sitePicture(b.picture);
    web::button(
        i, b.name, b.what, b.x, b.y,
        media::buttonFace(picture, layout::kLadoBoton, layout::kLadoBoton, layout::kFondo, false),
        media::buttonFace(picture, layout::kLadoBoton, layout::kLadoBoton, layout::kFondo, true));
  }
  for (std::size_t i = 0; i < layout::kEtiquetas.size(); ++i) {
    web::label(layout::kEtiquetas[i]);
    captions_[i] = layout::kEtiquetas[i].text;
  }
  buildNeww();
  platform::setProgram(this);
  web::ready();
}

// Built once, shown by "Nuevo" and closed by a map made.
void PrincipalWindow::buildNeww() {
  web::dialog({kNeww, neww::kTitulo, neww::kAncho, neww::kAlto, neww::kFondo});
  web::label(neww::kEncabezado, kNeww);
  for (const neww::Caja& c : neww::kCajas) {
    web::combo(kNeww, c.name, c.box, c.items);
    platform::Label label = c.label;
    label.box.y = neww::lineaEtiqueta(c, kCampoArriba, c.box.h - 2 * kCampoArriba, kAltoLetra);
    web::label(label, kNeww);
  }
  web::pushButton(kNeww, "crear", neww::kCrear, neww::kBotonCrear, true);
}

void PrincipalWindow::menu(std::size_t m, std::size_t k) {
  if (m >= std::size(layout::kMenus) || k >= layout::kMenus[m].items.size()) return;
  if (const auto handler = layout::kMenus[m].items[k].handler)
    (principal_.*handler)();
  else
    web::showDialog(kNeww);  // "Nuevo" opens the window's own dialog
}

void PrincipalWindow::button(std::size_t i) {
  if (i < layout::kBotones.size()) principal_.pulsarBoton(i);
}

bool PrincipalWindow::crear(const char* ancho, const char* alto, char separador) {
  if (!principal_.crear_Click(ancho, alto, separador ? separador : '.')) return false;
  web::closeDialog(kNeww);
  return true;
}

void PrincipalWindow::setCaption(Etiqueta label, const std::string& text) {
  const auto i = static_cast<std::size_t>(label);
  if (captions_[i] == text) return;
  captions_[i] = text;
  web::caption(layout::kEtiquetas[i].name, text);
}

void PrincipalWindow::present(const media::Rect& changed) {
  web::present("mainpic", principal_.mainpic(), changed);
}

void PrincipalWindow::quit() {
  if (ended_) return;
  ended_ = true;
  platform::setProgram(nullptr);
  web::ended();
}

}  // namespace editor
