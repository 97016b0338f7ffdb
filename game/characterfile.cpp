#include "game/characterfile.h"

#include "mapformat/numbers.h"

namespace game {

namespace {

// Characters of the bytes 0x80 to 0x9F; the undefined ones keep their value.
constexpr char32_t kAlto[] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void anadirUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The next character of UTF-8 text, or nullopt for a malformed sequence or
// one of four bytes: Windows-1252 holds no character past U+FFFF.
std::optional<char32_t> siguienteUtf8(std::string_view& s) {
  const auto b0 = static_cast<unsigned char>(s[0]);
  int len = 0;
  char32_t c = 0, menor = 0;
  if (b0 < 0x80) {
    s.remove_prefix(1);
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    len = 2, c = b0 & 0x1F, menor = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, c = b0 & 0x0F, menor = 0x800;
  } else {
    return std::nullopt;
  }
  if (s.size() < static_cast<std::size_t>(len)) return std::nullopt;
  for (int i = 1; i < len; ++i) {
    const auto b = static_cast<unsigned char>(s[static_cast<std::size_t>(i)]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (b & 0x3F);
  }
  // An overlong form would pass "/" or "," by the name checks. Surrogates and
  // values past Unicode need no check: Windows-1252 holds none of them.
  if (c < menor) return std::nullopt;
  s.remove_prefix(static_cast<std::size_t>(len));
  return c;
}

std::optional<char> cp1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kAlto[i] == c) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

}  // namespace

std::string fromCp1252(std::string_view bytes) {
  std::string out;
  for (const char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    anadirUtf8(out, u >= 0x80 && u < 0xA0 ? kAlto[u - 0x80] : char32_t{u});
  }
  return out;
}

std::optional<std::string> toCp1252(std::string_view utf8) {
  std::string out;
  while (!utf8.empty()) {
    const auto c = siguienteUtf8(utf8);
    if (!c) return std::nullopt;
    const auto b = cp1252Byte(*c);
    if (!b) return std::nullopt;
    out += *b;
  }
  return out;
}

FaltaNombre faltaEnNombre(std::string_view nombre) {
  if (nombre.empty()) return FaltaNombre::Vacio;
  for (std::string_view resto = nombre; !resto.empty();) {
    const auto c = siguienteUtf8(resto);
    if (!c || !cp1252Byte(*c)) return FaltaNombre::Alfabeto;
    if (*c < 0x20 || (*c >= 0x7F && *c < 0xA0)) return FaltaNombre::Control;
    if (*c == ',') return FaltaNombre::Coma;
  }
  switch (platform::portableNameFault(nombre)) {
    case platform::NameFault::None:
      return FaltaNombre::Ninguna;
    case platform::NameFault::Empty:
      return FaltaNombre::Vacio;
    case platform::NameFault::Separator:
      return FaltaNombre::Barra;
    case platform::NameFault::Control:
      return FaltaNombre::Control;
    case platform::NameFault::WindowsCharacter:
      return FaltaNombre::Signo;
    case platform::NameFault::TrailingDotOrSpace:
      return FaltaNombre::Final;
    case platform::NameFault::DeviceName:
      return FaltaNombre::Dispositivo;
    case platform::NameFault::TooLong:
      return FaltaNombre::Largo;
  }
  return FaltaNombre::Alfabeto;  // not reached: every fault is named above
}

bool nombrevalido(std::string_view nombre) { return faltaEnNombre(nombre) == FaltaNombre::Ninguna; }

const char* mensajeFalta(FaltaNombre falta) {
  switch (falta) {
    case FaltaNombre::Ninguna:
      return "";
    case FaltaNombre::Vacio:
      return "El nombre del personaje no puede estar vacío.";
    case FaltaNombre::Alfabeto:
      return "El nombre del personaje solo puede llevar letras y signos del alfabeto occidental.";
    case FaltaNombre::Control:
      return "El nombre del personaje no puede llevar caracteres de control.";
    case FaltaNombre::Coma:
      return "El nombre del personaje no puede llevar comas.";
    case FaltaNombre::Barra:
      return "El nombre del personaje no puede llevar barras (/ ni \\).";
    case FaltaNombre::Signo:
      return "El nombre del personaje no puede llevar ninguno de estos signos: < > : \" | ? *";
    case FaltaNombre::Final:
      return "El nombre del personaje no puede terminar en punto ni en espacio.";
    case FaltaNombre::Dispositivo:
      return "El nombre del personaje no puede ser un nombre que Windows reserva para sus "
             "dispositivos (CON, PRN, AUX, NUL, COM1, LPT1 y parecidos), con o sin extensión.";
    case FaltaNombre::Largo:
      return "El nombre del personaje es demasiado largo: caben 255 letras, menos si lleva "
             "acentos u otros signos.";
  }
  return "";
}

std::optional<std::string> personajeAjeno(platform::Files& files, const std::string& path,
                                          std::string_view nombre) {
  const auto texto = files.read(path, kMaxBytesPersonaje);
  if (!texto) return std::nullopt;
  auto guardado = leerpersonaje(*texto).nombre;
  if (!guardado || guardado->empty() || *guardado == nombre) return std::nullopt;
  return guardado;
}

CamposPersonaje leerpersonaje(std::string_view t) {
  CamposPersonaje c;
  if (t.empty()) return c;  // an empty text has no fields at all
  // Text after the third "," is never looked at.
  const std::size_t c1 = t.find(',');
  c.nombre = fromCp1252(t.substr(0, c1));
  if (c1 == std::string_view::npos) return c;
  const std::size_t c2 = t.find(',', c1 + 1);
  c.nivel = mapformat::toInt32(t.substr(c1 + 1, c2 - (c1 + 1)));
  if (c2 == std::string_view::npos) return c;
  const std::size_t c3 = t.find(',', c2 + 1);
  c.experiencia = mapformat::toInt32(t.substr(c2 + 1, c3 - (c2 + 1)));
  return c;
}

std::optional<std::string> escribirpersonaje(std::string_view nombre, int32_t nivel,
                                             int32_t experiencia) {
  if (!nombrevalido(nombre)) return std::nullopt;
  auto texto = toCp1252(nombre);
  *texto += ',';
  mapformat::appendText(*texto, nivel);
  *texto += ',';
  mapformat::appendText(*texto, experiencia);
  *texto += ',';
  return texto;
}

}  // namespace game
