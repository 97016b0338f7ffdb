#include "platform/qt/qtapp.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>
#include <atomic>
#include <cstring>

namespace platform {

namespace {

// Texts Qt 6.4's Spanish catalogue gets wrong, asked before it: a cut word
// ("r al directorio superior"), "Siguiente" for going forward, and
// "fichero" in the file dialog, whose own list, like our menus, says "archivo".
class Enmiendas final : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char*, int) const override {
    static constexpr const char* kTextos[][3] = {
        {"QFileDialog", "Go to the parent directory", "Ir al directorio superior"},
        {"QFileDialog", "Forward", "Adelante"},
        {"QFileDialog", "File &name:", "&Nombre de archivo:"},
        {"QFileDialog", "Files of type:", "Archivos de tipo:"},
        {"QFileDialog", "All Files (*)", "Todos los archivos (*)"},
        {"QFileDialog", "Show &hidden files", "Mostrar los archivos &ocultos"},
    };
    for (const auto& [ctx, en, es] : kTextos)
      if (context && source && std::strcmp(context, ctx) == 0 && std::strcmp(source, en) == 0)
        return QString::fromUtf8(es);
    return {};
  }
};

}  // namespace

void installSpanish(QCoreApplication& app) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qtbase_es", "qtmultimedia_es"}) {
    auto* translator = new QTranslator(&app);  // lives as long as the application
    if (translator->load(QString::fromLatin1(name), folder))
      app.installTranslator(translator);
    else
      delete translator;
  }
  app.installTranslator(new Enmiendas(&app));  // the last installed is asked first
}

namespace {

QtMessageHandler previousHandler = nullptr;

bool isMultimediaNoise(const QString& text) {
  return text.startsWith(QLatin1String("No audio device detected")) ||
         text.startsWith(QLatin1String("PulseAudioService:")) ||
         text.startsWith(QLatin1String("QSoundEffect(qaudio):"));
}

void filterHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtWarningMsg && isMultimediaNoise(text)) return;
  // Qt hands back its default handler when none was installed, so this is never null.
  if (previousHandler) previousHandler(type, context, text);
}

}  // namespace

void quietMultimediaWarnings() {
  static std::atomic<bool> installed{false};
  if (installed.exchange(true)) return;
  previousHandler = qInstallMessageHandler(filterHandler);
}

void prepareApplication(QCoreApplication& app) {
  installSpanish(app);
  quietMultimediaWarnings();
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Microsoft Sans Serif"),
                            QStringLiteral("Liberation Sans"));
}

}  // namespace platform
